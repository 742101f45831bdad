#include "image/JpegFile.h"

#include <jpeglib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <utility>

#include "image/DibHeader.h"

namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to the
// set-up point of the call that failed. The frames it leaves hold no objects with destructors.
struct ErrorJump {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void JumpOnError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorJump*>(info->err)->jump, 1); }

// Warnings about damaged data go nowhere: a picture that cannot be decoded is refused as a whole.
void IgnoreMessage(j_common_ptr) {}

jpeg_error_mgr* QuietErrors(ErrorJump& error) {
  jpeg_error_mgr* manager = jpeg_std_error(&error.manager);
  manager->error_exit = JumpOnError;
  manager->output_message = IgnoreMessage;
  return manager;
}

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

bool Decode(std::FILE* file, std::vector<std::uint8_t>& pixels, std::uint32_t& width, std::uint32_t& height) {
  jpeg_decompress_struct info;
  ErrorJump error;
  info.err = QuietErrors(error);
  if (setjmp(error.jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_calc_output_dimensions(&info);
  if (!dib::SizeIsBounded(info.output_width, info.output_height)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  pixels.resize(static_cast<std::size_t>(info.output_width) * info.output_height * 3);
  jpeg_start_decompress(&info);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = pixels.data() + static_cast<std::size_t>(info.output_scanline) * info.output_width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  width = info.output_width;
  height = info.output_height;
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

bool Encode(std::FILE* file, const std::uint8_t* pixels, std::uint32_t width, std::uint32_t height, bool color,
            int quality) {
  jpeg_compress_struct info;
  ErrorJump error;
  info.err = QuietErrors(error);
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  if (!color) jpeg_set_colorspace(&info, JCS_GRAYSCALE);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    // libjpeg's row type is not const; it only reads the rows it is given.
    JSAMPROW row = const_cast<std::uint8_t*>(pixels) + static_cast<std::size_t>(info.next_scanline) * width * 3;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> CJpegFile::JpegFileToRGB(std::string path, std::uint32_t* width,
                                                                  std::uint32_t* height) {
  const File file(std::fopen(path.c_str(), "rb"), &std::fclose);
  std::vector<std::uint8_t> pixels;
  std::uint32_t decodedWidth = 0, decodedHeight = 0;
  if (!file || !Decode(file.get(), pixels, decodedWidth, decodedHeight)) return std::nullopt;
  *width = decodedWidth;
  *height = decodedHeight;
  return pixels;
}

bool CJpegFile::BGRFromRGB(std::span<std::uint8_t> buffer, std::uint32_t width, std::uint32_t height) {
  const std::size_t pixels = static_cast<std::size_t>(width) * height;
  if (buffer.size() / 3 < pixels) return false;
  for (std::size_t i = 0; i < pixels; ++i) std::swap(buffer[3 * i], buffer[3 * i + 2]);
  return true;
}

bool CJpegFile::VertFlipBuf(std::span<std::uint8_t> buffer, std::uint32_t rowBytes, std::uint32_t height) {
  if (rowBytes != 0 && buffer.size() / rowBytes < height) return false;
  for (std::uint32_t top = 0, bottom = height; top + 1 < bottom; ++top, --bottom)
    std::swap_ranges(buffer.begin() + static_cast<std::ptrdiff_t>(top) * rowBytes,
                     buffer.begin() + static_cast<std::ptrdiff_t>(top + 1) * rowBytes,
                     buffer.begin() + static_cast<std::ptrdiff_t>(bottom - 1) * rowBytes);
  return true;
}

bool CJpegFile::RGBToJpegFile(std::string path, std::span<const std::uint8_t> buffer, std::uint32_t width,
                              std::uint32_t height, bool color, int quality) {
  if (width == 0 || height == 0 || width > JPEG_MAX_DIMENSION || height > JPEG_MAX_DIMENSION ||
      buffer.size() / 3 / width < height)
    return false;
  const File file(std::fopen(path.c_str(), "wb"), &std::fclose);
  return file && Encode(file.get(), buffer.data(), width, height, color, quality) && std::fflush(file.get()) == 0;
}
