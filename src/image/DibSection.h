#pragma once
// The drawable form of a DIB: a checked, uncompressed copy whose pixels can be read as colours and turned
// into a screen picture. Made once per image change, not per paint.
#include <optional>

#include "image/DibHeader.h"
#include "image/RgbImage.h"

class DibSection {
 public:
  // None unless the DIB is uncompressed and its rows lie inside the block.
  static std::optional<DibSection> FromDib(DibView dib);

  int Width() const { return DibWidth(dib_); }
  int Height() const { return DibHeight(dib_); }
  int BitCount() const { return DibBitCount(dib_); }
  std::size_t RowBytes() const { return DibRowBytes(dib_); }
  const Palette& ColorTable() const { return colors_; }
  // Row y counted from the bottom, as stored.
  const std::uint8_t* Row(int y) const { return DibBits(dib_) + RowBytes() * y; }
  // The colour of pixel x of stored row y: an index past the colour table gives black, 16 bits are 5-5-5.
  PaletteEntry ColorAt(int x, int y) const;
  // The picture as the screen shows it, made once with the section.
  const RgbImage& ToRgb() const { return screen_; }
  DibView Packed() const { return dib_; }

 private:
  explicit DibSection(Dib dib);
  // The colour of a pixel value read at the depth.
  PaletteEntry ColorOf(std::uint32_t value, int bitCount) const;
  RgbImage Decode() const;

  Dib dib_;
  Palette colors_;
  RgbImage screen_;
};

std::optional<DibSection> DibToDibSection(DibView dib);
// The section's DIB: its colour table (colours used, else 2 to the depth up to 8 bits) and all rows, with
// the image-size field set.
DibHandle DibFromDibSection(const DibSection& section);
