#include "groupmodel/DragScroll.h"

#include <algorithm>

namespace {
constexpr int kBand = 10;
constexpr int kSlowest = 6;
constexpr int kPixelsPerStep = 20;
}  // namespace

DragScrollStep DragAutoScroll(int y, int top, int bottom) {
  if (y < top + kBand) return {-1, std::max(1, kSlowest - (top + kBand - y) / kPixelsPerStep)};
  if (y > bottom - kBand) return {1, std::max(1, kSlowest - (y - bottom + kBand) / kPixelsPerStep)};
  return {};
}
