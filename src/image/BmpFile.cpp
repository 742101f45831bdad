#include "image/BmpFile.h"

#include <array>
#include <cstdio>
#include <memory>

#include "image/DibHeader.h"

namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

File Open(const std::string& path, const char* mode) { return File(std::fopen(path.c_str(), mode), &std::fclose); }

struct BmpHeaders {
  std::uint32_t fileSize, pixelOffset, headerSize, compression, imageSize, colorsUsed, colorsImportant;
  std::int32_t width, height, xResolution, yResolution;
  std::uint16_t reserved1, reserved2, planes, bitsPerPixel;
};

// Reads the file and info header fields after "BM", each in one read, counting the bytes.
class FieldReader {
 public:
  FieldReader(std::FILE* file, std::int64_t& count) : file_(file), count_(count) {}
  template <typename T>
  bool Read(T& field) {
    std::array<std::uint8_t, sizeof(T)> bytes;
    if (std::fread(bytes.data(), 1, bytes.size(), file_) != bytes.size()) return false;
    count_ += static_cast<std::int64_t>(bytes.size());
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) value |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    field = static_cast<T>(value);
    return true;
  }

 private:
  std::FILE* file_;
  std::int64_t& count_;
};

bool ReadHeaders(std::FILE* file, std::int64_t& count, BmpHeaders& h) {
  FieldReader in(file, count);
  return in.Read(h.fileSize) && in.Read(h.reserved1) && in.Read(h.reserved2) && in.Read(h.pixelOffset) &&
         in.Read(h.headerSize) && in.Read(h.width) && in.Read(h.height) && in.Read(h.planes) &&
         in.Read(h.bitsPerPixel) && in.Read(h.compression) && in.Read(h.imageSize) && in.Read(h.xResolution) &&
         in.Read(h.yResolution) && in.Read(h.colorsUsed) && in.Read(h.colorsImportant);
}

std::int64_t FileLength(std::FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  const long length = std::ftell(file);
  std::rewind(file);
  return length;
}

void PutLe(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back((value >> (8 * i)) & 0xFF);
}

// The 14-byte file header and the 40-byte info header as the writers lay them out.
std::vector<std::uint8_t> Headers(std::uint32_t fileSize, std::uint32_t pixelOffset, std::uint32_t width,
                                  std::uint32_t height, int bitsPerPixel, std::uint32_t imageSize,
                                  std::uint32_t colors) {
  std::vector<std::uint8_t> out = {'B', 'M'};
  PutLe(out, fileSize, 4);
  PutLe(out, 0, 4);
  PutLe(out, pixelOffset, 4);
  PutLe(out, dib::kInfoHeaderSize, 4);
  PutLe(out, width, 4);
  PutLe(out, height, 4);
  PutLe(out, 1, 2);
  PutLe(out, static_cast<std::uint32_t>(bitsPerPixel), 2);
  PutLe(out, 0, 4);
  PutLe(out, imageSize, 4);
  PutLe(out, 0, 8);
  PutLe(out, colors, 4);
  PutLe(out, colors, 4);
  return out;
}

}  // namespace

std::optional<PixelBuffer> CBmpFile::LoadBmpFile(const std::string& path, std::uint32_t& width, std::uint32_t& height) {
  width = height = 0;
  status_ = "OK";
  byteCount_ = 0;
  const File file = Open(path, "rb");
  if (!file) {
    status_ = "Can't open file for reading :\n" + path;
    return std::nullopt;
  }
  const std::int64_t fileLength = FileLength(file.get());
  if (std::fgetc(file.get()) != 'B' || std::fgetc(file.get()) != 'M') {
    status_ = "Not a valid BMP File";
    return std::nullopt;
  }
  byteCount_ = 2;
  BmpHeaders h{};
  if (!ReadHeaders(file.get(), byteCount_, h)) {
    status_ = "Read Error!";
    return std::nullopt;
  }
  if (h.compression != 0) {
    status_ = "This is a compressed file.";
    return std::nullopt;
  }
  const int bits = h.bitsPerPixel;
  const bool palettised = bits == 1 || bits == 4 || bits == 8;
  if ((!palettised && bits != 24) || h.width <= 0 || h.height == 0 || h.height == INT32_MIN ||
      h.headerSize < dib::kInfoHeaderSize) {
    status_ = "Not a valid BMP File";
    return std::nullopt;
  }
  const std::uint32_t colors = h.colorsUsed != 0 ? h.colorsUsed : (palettised ? 1u << bits : 0);
  if (palettised && colors > (1u << bits)) {
    status_ = "Corrupt palette";
    return std::nullopt;
  }

  // The colour table follows the info header, however long that is.
  for (std::uint32_t skip = h.headerSize - dib::kInfoHeaderSize; skip > 0; --skip) {
    if (std::fgetc(file.get()) == EOF) break;
    ++byteCount_;
  }
  std::vector<PaletteEntry> table;
  if (palettised) {
    table.resize(colors);
    for (PaletteEntry& entry : table) {
      std::array<int, 4> bytes;
      for (int& byte : bytes) {
        byte = std::fgetc(file.get());
        if (byte == EOF) {
          status_ = "Read Error!";
          return std::nullopt;
        }
        ++byteCount_;
      }
      entry = {static_cast<std::uint8_t>(bytes[2]), static_cast<std::uint8_t>(bytes[1]),
               static_cast<std::uint8_t>(bytes[0])};
    }
  }
  if (h.pixelOffset < byteCount_) {
    status_ = "Corrupt palette";
    return std::nullopt;
  }
  const std::int64_t rows = h.height < 0 ? -static_cast<std::int64_t>(h.height) : h.height;
  const std::size_t rowBytes = dib::RowBytes(h.width, bits);
  // A file too short for its rows is refused before the buffer is made.
  if (h.pixelOffset > fileLength || static_cast<std::int64_t>(rowBytes) > (fileLength - h.pixelOffset) / rows) {
    status_ = "Read Error";
    return std::nullopt;
  }
  if (std::fseek(file.get(), h.pixelOffset, SEEK_SET) != 0) {
    status_ = "Read Error";
    return std::nullopt;
  }
  byteCount_ = h.pixelOffset;

  width = static_cast<std::uint32_t>(h.width);
  height = static_cast<std::uint32_t>(rows);
  if (!dib::SizeIsBounded(h.width, rows)) {
    status_ = "Memory alloc Failed";
    return std::nullopt;
  }
  PixelBuffer pixels(static_cast<std::size_t>(h.width) * 3 * rows);

  // One read per stored row, its padding included.
  std::vector<std::uint8_t> row(rowBytes);
  for (std::int64_t fileRow = 0; fileRow < rows; ++fileRow) {
    if (std::fread(row.data(), 1, rowBytes, file.get()) != rowBytes) {
      status_ = "Read Error";
      return std::nullopt;
    }
    byteCount_ += static_cast<std::int64_t>(rowBytes);
    // Rows are stored bottom-up unless the height is negative.
    const std::int64_t bufferRow = h.height > 0 ? rows - 1 - fileRow : fileRow;
    std::uint8_t* out = pixels.data() + bufferRow * h.width * 3;
    const std::uint8_t* in = row.data();
    if (bits == 24) {
      for (std::int32_t x = 0; x < h.width; ++x, out += 3, in += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
      }
      continue;
    }
    // The leftmost pixel of a byte is in its high bits.
    for (std::int32_t x = 0; x < h.width; ++x, out += 3) {
      const std::size_t bit = static_cast<std::size_t>(x) * bits;
      const std::uint32_t index = (in[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
      if (index >= table.size()) {
        status_ = "Corrupt palette";
        return std::nullopt;
      }
      out[0] = table[index].red;
      out[1] = table[index].green;
      out[2] = table[index].blue;
    }
  }
  return pixels;
}

void CBmpFile::SaveBmpFile24(const std::string& path, std::span<const std::uint8_t> pixels, std::uint32_t width,
                             std::uint32_t height) {
  status_ = "OK";
  const std::size_t rowBytes = dib::RowBytes(width, 24);
  const std::size_t lineBytes = static_cast<std::size_t>(width) * 3;
  if (pixels.size() / (lineBytes ? lineBytes : 1) < height) {
    status_ = "fwrite error\nGiving up";
    return;
  }
  const File file = Open(path, "wb");
  if (!file) {
    status_ = "Can't open file for writing";
    return;
  }
  const std::vector<std::uint8_t> headers =
      Headers(static_cast<std::uint32_t>(54 + rowBytes * height), 54, width, height, 24, 0, 0);
  const std::vector<std::uint8_t> padding(rowBytes - lineBytes, 0);
  if (std::fwrite(headers.data(), 1, headers.size(), file.get()) != headers.size()) {
    status_ = "fwrite error\nGiving up";
    return;
  }
  for (std::uint32_t row = 0; row < height; ++row) {
    // No padding at all for rows of a multiple of four bytes: an empty vector may have no storage to write from.
    if (std::fwrite(pixels.data() + row * lineBytes, 1, lineBytes, file.get()) != lineBytes ||
        (!padding.empty() && std::fwrite(padding.data(), 1, padding.size(), file.get()) != padding.size())) {
      status_ = "fwrite error\nGiving up";
      return;
    }
  }
  if (std::fflush(file.get()) != 0) status_ = "fwrite error\nGiving up";
}

void CBmpFile::SaveBmpFilePalette(const std::string& path, std::span<const std::uint8_t> indexes, std::uint32_t width,
                                  std::uint32_t height, int bitsPerPixel, std::uint32_t colors,
                                  std::span<const std::uint8_t> palette) {
  status_ = "OK";
  if (bitsPerPixel == 24) {
    status_ = "We don't do 24-bit files in here, sorry";
    return;
  }
  if (bitsPerPixel < 1) {
    status_ = "Error : nBits > 8????";
    return;
  }
  const std::size_t tableBytes = std::size_t{4} * colors;
  const std::size_t rowBytes = dib::RowBytes(width, bitsPerPixel);
  const std::size_t fileSize = 54 + tableBytes + rowBytes * height;
  // Buffers shorter than the sizes given would be read past their ends: nothing is written.
  if (indexes.size() / (width ? width : 1) < height || palette.size() < tableBytes) {
    status_ = "byteswritten != filesize";
    return;
  }
  const File file = Open(path, "wb");
  if (!file) {
    status_ = "Can't Open";
    return;
  }
  std::vector<std::uint8_t> out =
      Headers(static_cast<std::uint32_t>(fileSize), static_cast<std::uint32_t>(54 + tableBytes), width, height,
              bitsPerPixel, static_cast<std::uint32_t>(rowBytes * height), colors);
  for (std::uint32_t i = 0; i < colors; ++i) {
    out.insert(out.end(), {palette[4 * i + 2], palette[4 * i + 1], palette[4 * i], 0});
  }
  const std::uint32_t mask = bitsPerPixel >= 8 ? 0xFF : (1u << bitsPerPixel) - 1;
  for (std::uint32_t row = 0; row < height; ++row) {
    const std::size_t rowStart = out.size();
    std::uint32_t byte = 0;
    int bitsUsed = 0;
    for (std::uint32_t x = 0; x < width; ++x) {
      if (bitsUsed + bitsPerPixel > 8) {
        std::fwrite(out.data(), 1, out.size(), file.get());
        status_ = "Error : nBits > 8????";
        return;
      }
      byte = (byte << bitsPerPixel) | (indexes[static_cast<std::size_t>(row) * width + x] & mask);
      bitsUsed += bitsPerPixel;
      if (bitsUsed == 8) {
        out.push_back(static_cast<std::uint8_t>(byte));
        byte = 0;
        bitsUsed = 0;
      }
    }
    if (bitsUsed > 0) out.push_back(static_cast<std::uint8_t>(byte << (8 - bitsUsed)));
    while ((out.size() - rowStart) % 4 != 0) out.push_back(0);
  }
  const std::size_t written = std::fwrite(out.data(), 1, out.size(), file.get());
  if (written != fileSize || std::fflush(file.get()) != 0) status_ = "byteswritten != filesize";
}
