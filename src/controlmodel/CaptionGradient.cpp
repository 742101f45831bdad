#include "controlmodel/CaptionGradient.h"

#include <cstdint>

Rgb CaptionGradientColumn(Rgb left, Rgb right, int width, int column) {
  if (width <= 0) return left;
  auto channel = [&](std::uint8_t from, std::uint8_t to) {
    const double value = from + (static_cast<double>(to) - from) / width * column;
    return static_cast<std::uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
  };
  return {channel(left.red, right.red), channel(left.green, right.green), channel(left.blue, right.blue)};
}
