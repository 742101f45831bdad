#include "image/DibHeader.h"

#include <algorithm>

namespace dib {

std::uint16_t Read16(DibView bytes, std::size_t offset) {
  if (offset > bytes.size() || bytes.size() - offset < 2) return 0;
  return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::uint32_t Read32(DibView bytes, std::size_t offset) {
  if (offset > bytes.size() || bytes.size() - offset < 4) return 0;
  return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
         (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) | (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

void Write16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value) {
  if (offset > bytes.size() || bytes.size() - offset < 2) return;
  bytes[offset] = value & 0xFF;
  bytes[offset + 1] = value >> 8;
}

void Write32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
  if (offset > bytes.size() || bytes.size() - offset < 4) return;
  for (int i = 0; i < 4; ++i) bytes[offset + i] = (value >> (8 * i)) & 0xFF;
}

std::size_t RowBytes(std::int64_t width, std::int64_t bitsPerPixel) {
  if (width <= 0 || bitsPerPixel <= 0) return 0;
  return static_cast<std::size_t>((width * bitsPerPixel + 31) / 32 * 4);
}

bool IsSupportedDepth(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      return true;
    default:
      return false;
  }
}

bool SizeIsBounded(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide && width * height <= kMaxPixels;
}

bool LayoutFits(DibView dib) {
  if (dib.size() < kInfoHeaderSize || Read32(dib, kSize) != kInfoHeaderSize) return false;
  // Top-down images (negative height) are refused: every copy here is sized by the height.
  if (!SizeIsBounded(DibWidth(dib), DibHeight(dib))) return false;
  if (Read16(dib, kPlanes) != 1 || !IsSupportedDepth(DibBitCount(dib))) return false;
  const std::uint32_t compression = Read32(dib, kCompression);
  if (compression != kRgb && compression != kRle8 && compression != kRle4) return false;
  // Both the rows and the size the header states must lie inside the block.
  const std::size_t rows = compression == kRgb ? DibRowBytes(dib) * DibHeight(dib) : 0;
  return DibTotalBytes(dib) <= dib.size() && DibBitsOffset(dib) + rows <= dib.size();
}

bool PixelsFit(DibView dib) { return LayoutFits(dib) && Read32(dib, kCompression) == kRgb; }

std::uint32_t GetPixel(const std::uint8_t* row, std::int64_t x, int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1:
      return (row[x / 8] >> (7 - x % 8)) & 1;
    case 4:
      return x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 0x0F;
    case 8:
      return row[x];
    case 16:
      return row[2 * x] | (row[2 * x + 1] << 8);
    case 24:
      return row[3 * x] | (row[3 * x + 1] << 8) | (row[3 * x + 2] << 16);
    case 32:
      return row[4 * x] | (row[4 * x + 1] << 8) | (row[4 * x + 2] << 16) |
             (static_cast<std::uint32_t>(row[4 * x + 3]) << 24);
    default:
      return 0;
  }
}

void SetPixel(std::uint8_t* row, std::int64_t x, int bitsPerPixel, std::uint32_t value) {
  switch (bitsPerPixel) {
    case 1: {
      const int shift = 7 - static_cast<int>(x % 8);
      row[x / 8] = static_cast<std::uint8_t>((row[x / 8] & ~(1 << shift)) | ((value & 1) << shift));
      break;
    }
    case 4:
      if (x % 2 == 0)
        row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & 0x0F) | ((value & 0x0F) << 4));
      else
        row[x / 2] = static_cast<std::uint8_t>((row[x / 2] & 0xF0) | (value & 0x0F));
      break;
    default:
      for (int i = 0; i < bitsPerPixel / 8; ++i) row[x * (bitsPerPixel / 8) + i] = (value >> (8 * i)) & 0xFF;
      break;
  }
}

Palette ColorTable(DibView dib) {
  const bool info = Read32(dib, kSize) == kInfoHeaderSize;
  const std::size_t entryBytes = info ? 4 : 3;
  const std::size_t start = info ? kInfoHeaderSize : kCoreHeaderSize;
  Palette table;
  for (std::size_t i = 0; i < DibColorCount(dib); ++i) {
    const std::size_t at = start + i * entryBytes;
    if (at + entryBytes > dib.size()) break;
    table.push_back({dib[at + 2], dib[at + 1], dib[at], 0});
  }
  return table;
}

}  // namespace dib

namespace {

bool IsInfoHeader(DibView dib) { return dib::Read32(dib, dib::kSize) == dib::kInfoHeaderSize; }

}  // namespace

std::int32_t DibWidth(DibView dib) {
  return IsInfoHeader(dib) ? static_cast<std::int32_t>(dib::Read32(dib, dib::kWidth)) : dib::Read16(dib, 4);
}

std::int32_t DibHeight(DibView dib) {
  return IsInfoHeader(dib) ? static_cast<std::int32_t>(dib::Read32(dib, dib::kHeight)) : dib::Read16(dib, 6);
}

std::uint16_t DibBitCount(DibView dib) {
  return IsInfoHeader(dib) ? dib::Read16(dib, dib::kBitCount) : dib::Read16(dib, 10);
}

std::uint16_t DibColorCount(DibView dib) {
  if (IsInfoHeader(dib)) {
    const std::uint16_t used = dib::Read32(dib, dib::kClrUsed) & 0xFFFF;
    if (used != 0) return used;
  }
  switch (DibBitCount(dib)) {
    case 1:
      return 2;
    case 4:
      return 16;
    case 8:
      return 256;
    default:
      return 0;
  }
}

std::uint32_t DibColorTableBytes(DibView dib) {
  return static_cast<std::uint32_t>(DibColorCount(dib)) * (IsInfoHeader(dib) ? 4 : 3);
}

std::size_t DibRowBytes(DibView dib) {
  const std::int64_t planes = IsInfoHeader(dib) ? dib::Read16(dib, dib::kPlanes) : dib::Read16(dib, 8);
  return dib::RowBytes(DibWidth(dib), planes * DibBitCount(dib));
}

std::size_t DibBitsOffset(DibView dib) {
  return (IsInfoHeader(dib) ? dib::kInfoHeaderSize : dib::kCoreHeaderSize) + DibColorTableBytes(dib);
}

std::size_t DibTotalBytes(DibView dib) {
  std::size_t image = IsInfoHeader(dib) ? dib::Read32(dib, dib::kSizeImage) : 0;
  if (image == 0) image = DibRowBytes(dib) * static_cast<std::size_t>(std::max(DibHeight(dib), 0));
  return DibBitsOffset(dib) + image;
}

std::size_t DibTotalBytes(Dib& dib) {
  if (IsInfoHeader(dib) && dib::Read32(dib, dib::kSizeImage) == 0) {
    const std::size_t image = DibRowBytes(dib) * static_cast<std::size_t>(std::max(DibHeight(dib), 0));
    dib::Write32(dib, dib::kSizeImage, static_cast<std::uint32_t>(image));
  }
  return DibTotalBytes(DibView(dib));
}

const std::uint8_t* DibBits(DibView dib) { return dib.data() + DibBitsOffset(dib); }
std::uint8_t* DibBits(Dib& dib) { return dib.data() + DibBitsOffset(dib); }

DibHandle NewDibOfDepth(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel) {
  if (!dib::SizeIsBounded(width, height) || !dib::IsSupportedDepth(bitsPerPixel)) return std::nullopt;
  const std::size_t colors = bitsPerPixel <= 8 ? std::size_t{1} << bitsPerPixel : 0;
  Dib block(dib::kInfoHeaderSize + colors * 4 + dib::RowBytes(width, bitsPerPixel) * height, 0);
  dib::Write32(block, dib::kSize, dib::kInfoHeaderSize);
  dib::Write32(block, dib::kWidth, static_cast<std::uint32_t>(width));
  dib::Write32(block, dib::kHeight, static_cast<std::uint32_t>(height));
  dib::Write16(block, dib::kPlanes, 1);
  dib::Write16(block, dib::kBitCount, bitsPerPixel);
  return block;
}

DibHandle NewDib(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel) {
  const std::uint16_t depth = bitsPerPixel <= 1    ? 1
                              : bitsPerPixel <= 4  ? 4
                              : bitsPerPixel <= 8  ? 8
                              : bitsPerPixel <= 24 ? 24
                                                   : 32;
  return NewDibOfDepth(width, height, depth);
}

DibHandle NewScreenDib(std::int32_t width, std::int32_t height) {
  DibHandle block = NewDib(width, height, dib::kScreenBitsPerPixel);
  if (block) std::fill(block->begin() + DibBitsOffset(*block), block->end(), 0xFF);
  return block;
}

DibHandle DuplicateGlobalBlock(DibView block) {
  if (block.empty()) return std::nullopt;
  return Dib(block.begin(), block.end());
}

void FreeDib(DibHandle& dib) { dib.reset(); }
