#pragma once
// CBmpFile: reads an uncompressed BMP file of 1, 4, 8 or 24 bits per pixel into 24-bit pixels and writes
// 24-bit and palettised BMP files. The result of every operation is in the status text: "OK", or the text
// of the failure.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

using PixelBuffer = std::vector<std::uint8_t>;

class CBmpFile {
 public:
  const std::string& Status() const { return status_; }
  // Bytes the reader has consumed from the file so far.
  std::int64_t ByteCount() const { return byteCount_; }

  // The pixels as rows from top to bottom, each pixel red, green, blue, no padding. Width and height are 0
  // until the header has been read and checked. Every value from the file is checked before it is used:
  // the width must be positive and the height not 0 (a negative one stores the rows top-down), the picture
  // bounded, the colour table no longer than the depth allows, every index inside it, and the file long
  // enough for its rows; a header larger than 40 bytes is skipped to the colour table.
  std::optional<PixelBuffer> LoadBmpFile(const std::string& path, std::uint32_t& width, std::uint32_t& height);
  // Writes width × 3 bytes per row from the buffer as they stand (blue, green, red; bottom row first).
  void SaveBmpFile24(const std::string& path, std::span<const std::uint8_t> pixels, std::uint32_t width,
                     std::uint32_t height);
  // Writes one byte per pixel (first buffer row as the bottom row) at 1, 4 or 8 bits per pixel; the palette
  // holds 4 bytes per colour: red, green, blue and one not read.
  void SaveBmpFilePalette(const std::string& path, std::span<const std::uint8_t> indexes, std::uint32_t width,
                          std::uint32_t height, int bitsPerPixel, std::uint32_t colors,
                          std::span<const std::uint8_t> palette);

 private:
  std::string status_ = "OK";
  std::int64_t byteCount_ = 0;
};
