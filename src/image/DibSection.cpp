#include "image/DibSection.h"

DibSection::DibSection(Dib dib) : dib_(std::move(dib)), colors_(dib::ColorTable(dib_)), screen_(Decode()) {}

std::optional<DibSection> DibSection::FromDib(DibView dib) {
  if (!dib::PixelsFit(dib)) return std::nullopt;
  Dib copy(dib.begin(), dib.begin() + DibBitsOffset(dib) + DibRowBytes(dib) * DibHeight(dib));
  dib::Write32(copy, dib::kSizeImage, static_cast<std::uint32_t>(DibRowBytes(copy) * DibHeight(copy)));
  return DibSection(std::move(copy));
}

PaletteEntry DibSection::ColorAt(int x, int y) const {
  const std::uint32_t value = dib::GetPixel(Row(y), x, BitCount());
  switch (BitCount()) {
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
  RgbImage image{Width(), Height(), std::vector<std::uint8_t>(static_cast<std::size_t>(Width()) * Height() * 3)};
  for (int y = 0; y < Height(); ++y) {
    for (int x = 0; x < Width(); ++x) {
      const PaletteEntry color = ColorAt(x, Height() - 1 - y);
      std::uint8_t* pixel = image.At(x, y);
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
