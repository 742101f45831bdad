#pragma once
// Packed device-independent bitmaps (DIBs): one block laid out as a BMP file without its 14-byte file header
// (information header, colour table, pixel rows bottom row first, each padded to 4 bytes). Here a block is a
// byte vector the caller owns, so the "handle" and "address" forms of a function are one function over a
// view of the bytes. Every function checks the header against the bytes it is given and never reads or
// writes outside them; a function that fails returns no block.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

using Dib = std::vector<std::uint8_t>;
using DibView = std::span<const std::uint8_t>;
using DibHandle = std::optional<Dib>;

struct PaletteEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;
  bool operator==(const PaletteEntry&) const = default;
};
using Palette = std::vector<PaletteEntry>;

// A colour as the window system packs it: red in the low byte, then green, then blue.
using ColorRef = std::uint32_t;
constexpr ColorRef Rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return red | (green << 8) | (blue << 16);
}

namespace dib {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint16_t kBmpType = 0x4D42;  // "BM"
// There is no screen palette here: the screen counts as a true-colour device.
constexpr int kScreenBitsPerPixel = 24;
// Pictures larger than this are refused rather than allocated.
constexpr std::int64_t kMaxSide = 32767;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3 };

// Offsets of the fields of the 40-byte information header.
enum InfoField : std::size_t {
  kSize = 0,
  kWidth = 4,
  kHeight = 8,
  kPlanes = 12,
  kBitCount = 14,
  kCompression = 16,
  kSizeImage = 20,
  kXPelsPerMeter = 24,
  kYPelsPerMeter = 28,
  kClrUsed = 32,
  kClrImportant = 36
};

// Little-endian fields; a field that does not lie wholly inside the bytes reads as 0 and is not written.
std::uint16_t Read16(DibView bytes, std::size_t offset);
std::uint32_t Read32(DibView bytes, std::size_t offset);
void Write16(std::span<std::uint8_t> bytes, std::size_t offset, std::uint16_t value);
void Write32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value);

// Row bytes of an image of that width and depth: a whole number of 32-bit words.
std::size_t RowBytes(std::int64_t width, std::int64_t bitsPerPixel);
bool IsSupportedDepth(int bitsPerPixel);
bool SizeIsBounded(std::int64_t width, std::int64_t height);

// True when the block is a 40-byte-header DIB of positive, bounded size and a supported depth whose colour
// table, image-size field and (for an uncompressed image) rows lie inside the block.
bool LayoutFits(DibView dib);
// LayoutFits, uncompressed, and the rows of DibRowBytes inside the block: the pixel functions need this.
bool PixelsFit(DibView dib);

// One pixel of a row: an index for 1, 4 and 8 bits, the little-endian value for 16 and 32, and blue |
// green << 8 | red << 16 for 24. Leftmost pixel in the most significant bits of a byte.
std::uint32_t GetPixel(const std::uint8_t* row, std::int64_t x, int bitsPerPixel);
void SetPixel(std::uint8_t* row, std::int64_t x, int bitsPerPixel, std::uint32_t value);

// The colour-table entries of a DIB (40-byte or core form) as far as the block holds them.
Palette ColorTable(DibView dib);

}  // namespace dib

// Header arithmetic. Width and height come signed from the 40-byte header, unsigned 16-bit from a 12-byte
// core header; any header size other than 40 is read as a core header.
std::int32_t DibWidth(DibView dib);
std::int32_t DibHeight(DibView dib);
std::uint16_t DibBitCount(DibView dib);
// The colours-used field (low 16 bits) when set in a 40-byte header, else 2, 16 or 256 for 1, 4, 8 bits.
std::uint16_t DibColorCount(DibView dib);
// Wider than the colour count: 65535 entries of 4 bytes do not fit 16 bits.
std::uint32_t DibColorTableBytes(DibView dib);
std::size_t DibRowBytes(DibView dib);
// Header, colour table and image size; an image-size field of 0 counts as DibRowBytes × height. The
// second form also writes that value into a zero image-size field.
std::size_t DibTotalBytes(DibView dib);
std::size_t DibTotalBytes(Dib& dib);
// Offset of the pixel data from the start of the block.
std::size_t DibBitsOffset(DibView dib);
const std::uint8_t* DibBits(DibView dib);
std::uint8_t* DibBits(Dib& dib);

// A zero-filled DIB: depth up to 1 gives 1, up to 4 gives 4, up to 8 gives 8, up to 24 gives 24, deeper 32;
// 2 to the depth colour entries for depths up to 8. None for a size that is not positive or too large.
DibHandle NewDib(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel);
// A zero-filled DIB of exactly that depth (1, 4, 8, 16, 24 or 32 bits; none for another).
DibHandle NewDibOfDepth(std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel);
// A DIB at the screen's depth, every pixel byte 0xFF.
DibHandle NewScreenDib(std::int32_t width, std::int32_t height);
// A copy of the whole block; none for an empty one.
DibHandle DuplicateGlobalBlock(DibView block);
void FreeDib(DibHandle& dib);
