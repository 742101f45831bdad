#pragma once
// CJpegImage: one picture as a plain 24-bit buffer, converted between BMP and JPEG files. While it holds a
// picture the buffer is in memory order (blue, green, red; bottom row first), as a 24-bit DIB keeps it;
// the files are read and written in file order (red, green, blue; top row first). Failures are shown in
// message boxes.
#include <cstdint>
#include <string>
#include <vector>

class CJpegImage {
 public:
  virtual ~CJpegImage() = default;

  void LoadBmp(const std::string& path);
  void LoadJpeg(const std::string& path);
  // Always at quality 75; a grey picture when color is false.
  void SaveJpeg(const std::string& path, bool color);
  // Writes a 24-bit BMP and then holds what the file holds.
  void SaveBmp(const std::string& path);

  bool IsEmpty() const { return buffer_.empty(); }
  const std::vector<std::uint8_t>& Buffer() const { return buffer_; }
  std::uint32_t Width() const { return width_; }
  std::uint32_t Height() const { return height_; }

 private:
  void ToMemoryOrder();

  std::vector<std::uint8_t> buffer_;
  std::uint32_t width_ = 0;
  std::uint32_t height_ = 0;
};
