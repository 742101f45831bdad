#include "image/DibSection.h"

DibSection::DibSection(Dib dib) : dib_(std::move(dib)), colors_(dib::ColorTable(dib_)), screen_(Decode()) {}

std::optional<DibSection> DibSection::FromDib(DibView dib) {
  if (!dib::PixelsFit(dib)) return std::nullopt;
  Dib copy(dib.begin(), dib.begin() + DibBitsOffset(dib) + DibRowBytes(dib) * DibHeight(dib));
  dib::Write32(copy, dib::kSizeImage, static_cast<std::uint32_t>(DibRowBytes(copy) * DibHeight(copy)));
  return DibSection(std::move(copy));
}

PaletteEntry DibSection::ColorAt(int x, int y) const {
  return ColorOf(dib::GetPixel(Row(y), x, BitCount()), BitCount());
}

PaletteEntry DibSection::ColorOf(std::uint32_t value, int bitCount) const {
  switch (bitCount) {
    case 16:
      return {static_cast<std::uint8_t>(((value >> 10) & 0x1F) << 3),
              static_cast<std::uint8_t>(((value >> 5) & 0x1F) << 3), static_cast<std::uint8_t>((value & 0x1F) << 3)};
    case 24:
    case 32:
      return {static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 8),
              static_cast<std::uint8_t>(value)};
    default:
      return value < colors_.size() ? colors_[value] : PaletteEntry{};
  }
}

RgbImage DibSection::Decode() const {
  // The header is read once, not per pixel: a background picture has millions of them.
  const int width = Width();
  const int height = Height();
  const int bitCount = BitCount();
  RgbImage image{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 3)};
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = Row(height - 1 - y);
    std::uint8_t* pixel = image.At(0, y);
    for (int x = 0; x < width; ++x, pixel += 3) {
      const PaletteEntry color = ColorOf(dib::GetPixel(row, x, bitCount), bitCount);
      pixel[0] = color.red;
      pixel[1] = color.green;
      pixel[2] = color.blue;
    }
  }
  return image;
}

std::optional<DibSection> DibToDibSection(DibView dib) { return DibSection::FromDib(dib); }

DibHandle DibFromDibSection(const DibSection& section) {
  const DibView packed = section.Packed();
  return Dib(packed.begin(), packed.end());
}
