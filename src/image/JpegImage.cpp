#include "image/JpegImage.h"

#include <optional>

#include "image/BmpFile.h"
#include "image/JpegFile.h"
#include "platform/MessageBox.h"

namespace {
constexpr int kJpegQuality = 75;
}

void CJpegImage::ToMemoryOrder() {
  CJpegFile::BGRFromRGB(buffer_, width_, height_);
  CJpegFile::VertFlipBuf(buffer_, width_ * 3, height_);
}

void CJpegImage::LoadBmp(const std::string& path) {
  buffer_.clear();
  CBmpFile reader;
  std::optional<std::vector<std::uint8_t>> pixels = reader.LoadBmpFile(path, width_, height_);
  if (!pixels || reader.Status() != "OK") {
    platform::MessageBox(reader.Status(), {}, platform::MB_OK);
    return;
  }
  buffer_ = std::move(*pixels);
  ToMemoryOrder();
}

void CJpegImage::LoadJpeg(const std::string& path) {
  buffer_.clear();
  std::optional<std::vector<std::uint8_t>> pixels = CJpegFile::JpegFileToRGB(path, &width_, &height_);
  if (!pixels) return;
  buffer_ = std::move(*pixels);
  ToMemoryOrder();
}

void CJpegImage::SaveJpeg(const std::string& path, bool color) {
  if (buffer_.empty()) {
    platform::MessageBox("No Image!");
    return;
  }
  // A copy goes into file order, so the picture stays in memory order for the next save.
  std::vector<std::uint8_t> fileOrder = buffer_;
  CJpegFile::VertFlipBuf(fileOrder, width_ * 3, height_);
  CJpegFile::BGRFromRGB(fileOrder, width_, height_);
  if (!CJpegFile::RGBToJpegFile(path, fileOrder, width_, height_, color, kJpegQuality))
    platform::MessageBox("Write Error");
}

void CJpegImage::SaveBmp(const std::string& path) {
  if (buffer_.empty()) {
    platform::MessageBox("No Image!");
    return;
  }
  CBmpFile writer;
  writer.SaveBmpFile24(path, buffer_, width_, height_);
  if (writer.Status() != "OK") {
    platform::MessageBox(writer.Status(), {}, platform::MB_ICONERROR);
    return;
  }
  LoadBmp(path);
}
