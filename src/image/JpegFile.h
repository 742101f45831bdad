#pragma once
// CJpegFile: JPEG files to and from plain 24-bit pixel buffers (red, green, blue, top row first, rows not
// padded), and the two buffer reorderings the BMP side needs. Built on libjpeg.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class CJpegFile {
 public:
  // None when the file cannot be opened or decoded, or holds a picture too large to take.
  static std::optional<std::vector<std::uint8_t>> JpegFileToRGB(std::string path, std::uint32_t* width,
                                                                std::uint32_t* height);
  // Exchanges the first and third byte of every pixel; false when the buffer is shorter than the picture.
  static bool BGRFromRGB(std::span<std::uint8_t> buffer, std::uint32_t width, std::uint32_t height);
  // Reverses the order of the rows; false when the buffer is shorter than the rows.
  static bool VertFlipBuf(std::span<std::uint8_t> buffer, std::uint32_t rowBytes, std::uint32_t height);
  // A colour picture, or a grey one when color is false; false when it cannot be written.
  static bool RGBToJpegFile(std::string path, std::span<const std::uint8_t> buffer, std::uint32_t width,
                            std::uint32_t height, bool color, int quality);
};
