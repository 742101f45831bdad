#pragma once
// Shared helpers of the image tests: BMP files built byte by byte, files read back, and ImageMagick run
// on a file.
#include <cstdint>
#include <string>
#include <vector>

#include "image/DibHeader.h"

namespace image_test {

using Bytes = std::vector<std::uint8_t>;

// What goes into a BMP file; rows are given as stored (bottom row first) without padding, and padded here.
struct BmpLayout {
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint16_t bits = 24;
  std::uint32_t compression = 0;
  std::uint32_t colorsUsed = 0;
  std::uint32_t headerSize = 40;
  std::uint32_t imageSize = 0;
  std::int64_t pixelOffset = -1;    // -1: right after the colour table
  std::int64_t fileSizeField = -1;  // -1: the real size
  Palette colors = {};
  std::vector<Bytes> rows = {};
  std::size_t gap = 0;  // bytes between the colour table and the rows
};

Bytes BuildBmp(const BmpLayout& layout);
// A packed DIB (no file header) of the same layout.
Dib BuildDib(const BmpLayout& layout);

void WriteFile(const std::string& path, const Bytes& bytes);
Bytes ReadFile(const std::string& path);

// Runs an ImageMagick program (identify, convert) with the arguments; its exit code, standard output in out.
int RunImageMagick(const std::string& program, const std::vector<std::string>& args, std::string& out);

}  // namespace image_test
