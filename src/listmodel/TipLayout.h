#pragma once
// Where a tool tip goes and how wide it is, independent of how its text is measured and drawn.
#include <functional>

namespace listmodel {

struct TipSize {
  int width = 0;
  int height = 0;
  bool operator==(const TipSize&) const = default;
};

struct TipRect {
  int x = 0, y = 0, width = 0, height = 0;
  bool operator==(const TipRect&) const = default;
};

// The narrowest width at which the text still needs only its least height, found by halving the range
// 0 .. 2 * maxWidth (the first probe is maxWidth); `heightAt` gives the height the text needs at a width.
// The answer is that width and height, 2 pixels larger each way.
TipSize NarrowestTipSize(int maxWidth, const std::function<int(int width)>& heightAt);

// The tip's rectangle: its top-left corner 16 pixels below the cursor, moved left, or above the cursor,
// where it would leave the limit rectangle (the screen the cursor is on).
TipRect PlaceTip(int cursorX, int cursorY, TipSize size, TipRect limit);

}  // namespace listmodel
