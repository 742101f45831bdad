#pragma once
// A picture as the screen shows it: rows from top to bottom, three bytes red, green, blue per pixel, no
// padding. It stands for the device-dependent bitmap of the drawing code (the window layer turns it into
// a bitmap of its toolkit and back).
#include <cstddef>
#include <cstdint>
#include <vector>

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> pixels;

  bool IsEmpty() const { return width <= 0 || height <= 0; }
  std::uint8_t* At(int x, int y) { return pixels.data() + (static_cast<std::size_t>(y) * width + x) * 3; }
  const std::uint8_t* At(int x, int y) const { return pixels.data() + (static_cast<std::size_t>(y) * width + x) * 3; }
};
