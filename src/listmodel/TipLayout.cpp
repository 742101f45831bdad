#include "listmodel/TipLayout.h"

#include <algorithm>

namespace listmodel {

TipSize NarrowestTipSize(int maxWidth, const std::function<int(int width)>& heightAt) {
  int low = 0;
  int high = 2 * std::max(maxWidth, 1);
  int leastHeight = -1;
  int width = 0, height = 0;
  while (low < high) {
    width = (low + high) / 2;
    height = heightAt(width);
    if (leastHeight < 0) leastHeight = height;
    if (height <= leastHeight) high = width - 1;
    else low = width + 1;
  }
  if (height > leastHeight) {  // the last probe was too narrow: the one above it is not
    width = high + 1;
    height = heightAt(width);
  }
  return {width + 2, height + 2};
}

// Screens that do not start at 0 are compared by their right and bottom edges.
TipRect PlaceTip(int cursorX, int cursorY, TipSize size, TipRect limit) {
  TipRect tip{cursorX, cursorY + 16, size.width, size.height};
  if (tip.x + tip.width > limit.x + limit.width) tip.x = std::max(limit.x, limit.x + limit.width - tip.width);
  if (tip.y + tip.height > limit.y + limit.height) tip.y = std::max(limit.y, cursorY - tip.height - 16);
  return tip;
}

}  // namespace listmodel
