#include "image/DibConvert.h"

#include <algorithm>
#include <unordered_map>

#include "image/DibPalette.h"
#include "image/DibSection.h"
#include "image/OctreePalette.h"

namespace {

// Writes colours into the pixels of a DIB, matching them to its colour table when it has one.
class PixelEncoder {
 public:
  explicit PixelEncoder(Dib& target) : target_(target), bits_(DibBitCount(target)), table_(dib::ColorTable(target)) {}

  void Put(std::int64_t x, std::int64_t y, PaletteEntry color) {
    dib::SetPixel(DibBits(target_) + DibRowBytes(target_) * y, x, bits_, Encode(color));
  }

 private:
  std::uint32_t Encode(PaletteEntry color) {
    switch (bits_) {
      case 16:
        return ((color.red >> 3) << 10) | ((color.green >> 3) << 5) | (color.blue >> 3);
      case 24:
      case 32:
        return color.blue | (color.green << 8) | (color.red << 16);
      default: {
        const std::uint32_t key = color.red | (color.green << 8) | (color.blue << 16);
        auto found = nearest_.find(key);
        if (found == nearest_.end())
          found = nearest_.emplace(key, static_cast<std::uint32_t>(NearestPaletteIndex(table_, color))).first;
        return found->second;
      }
    }
  }

  Dib& target_;
  int bits_;
  Palette table_;
  std::unordered_map<std::uint32_t, std::uint32_t> nearest_;
};

void WriteTable(Dib& header, const Palette& colors, bool keepFlags) {
  const std::size_t entries = std::min<std::size_t>(DibColorCount(header), colors.size());
  for (std::size_t i = 0; i < entries; ++i) {
    std::uint8_t* entry = header.data() + dib::kInfoHeaderSize + 4 * i;
    entry[0] = colors[i].blue;
    entry[1] = colors[i].green;
    entry[2] = colors[i].red;
    entry[3] = keepFlags ? colors[i].flags : 0;
  }
}

DibHandle EncodeDdb(const RgbImage& ddb, std::uint16_t bitsPerPixel, const Palette* palette) {
  if (ddb.IsEmpty() || ddb.pixels.size() != static_cast<std::size_t>(ddb.width) * ddb.height * 3) return std::nullopt;
  DibHandle dib = NewDib(ddb.width, ddb.height, 24);
  if (!dib) return std::nullopt;
  PixelEncoder encoder(*dib);
  for (int y = 0; y < ddb.height; ++y)
    for (int x = 0; x < ddb.width; ++x) {
      const std::uint8_t* pixel = ddb.At(x, ddb.height - 1 - y);
      encoder.Put(x, y, {pixel[0], pixel[1], pixel[2]});
    }
  dib::Write32(*dib, dib::kSizeImage, static_cast<std::uint32_t>(DibRowBytes(*dib) * ddb.height));
  if (bitsPerPixel == 0 || bitsPerPixel == 24) return dib;
  return ConvertDib(*dib, bitsPerPixel, palette);
}

}  // namespace

bool FillColorTable(Dib& header, DibView source, const Palette* palette) {
  const int bits = DibBitCount(header);
  if (bits == 1) {
    WriteTable(header, {{0, 0, 0}, {255, 255, 255}}, false);
  } else if (bits == 4 || bits == 8) {
    if (palette) {
      WriteTable(header, *palette, false);
    } else if (DibBitCount(source) == bits) {
      WriteTable(header, dib::ColorTable(source), false);
    } else if (bits == 4) {
      WriteTable(header, DefaultPalette16(), true);
    } else {
      const std::optional<Palette> optimal = BuildOctreePaletteFromDib(source, 236, 8);
      WriteTable(header, optimal ? *optimal : HalftonePalette(), true);
    }
  }
  return true;
}

DibHandle ConvertDib(DibView source, std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel, bool stretch,
                     const Palette* palette) {
  if (!dib::IsSupportedDepth(bitsPerPixel)) return std::nullopt;
  const std::optional<DibSection> from = DibToDibSection(source);
  DibHandle result = NewDibOfDepth(width, height, bitsPerPixel);
  if (!from || !result) return std::nullopt;
  FillColorTable(*result, source, palette);
  PixelEncoder encoder(*result);
  const bool scaled = stretch && (width != from->Width() || height != from->Height());
  // Rows are placed from the top, as the screen counts them.
  for (std::int64_t top = 0; top < height; ++top) {
    std::int64_t sourceTop = scaled ? top * from->Height() / height : top;
    if (sourceTop >= from->Height()) break;
    for (std::int64_t x = 0; x < width; ++x) {
      const std::int64_t sourceX = scaled ? x * from->Width() / width : x;
      if (sourceX >= from->Width()) break;
      encoder.Put(x, height - 1 - top,
                  from->ColorAt(static_cast<int>(sourceX), static_cast<int>(from->Height() - 1 - sourceTop)));
    }
  }
  dib::Write32(*result, dib::kSizeImage, static_cast<std::uint32_t>(DibRowBytes(*result) * height));
  return result;
}

DibHandle ConvertDib(DibView source, std::uint16_t bitsPerPixel, const Palette* palette) {
  return ConvertDib(source, DibWidth(source), DibHeight(source), bitsPerPixel, false, palette);
}

int NaturalDibDepth(int deviceBitsPerPixel) {
  return deviceBitsPerPixel <= 1 ? 1 : deviceBitsPerPixel <= 4 ? 4 : deviceBitsPerPixel <= 8 ? 8 : 24;
}

DibHandle DibFromDdb(const RgbImage& ddb, const Palette* palette) {
  return EncodeDdb(ddb, NaturalDibDepth(dib::kScreenBitsPerPixel), palette);
}

DibHandle DibFromDdb(const RgbImage& ddb, const Palette* palette, std::uint16_t bitsPerPixel) {
  return EncodeDdb(ddb, bitsPerPixel, palette);
}

DibHandle DibFromDdbInFormat(const RgbImage& ddb, std::uint16_t bitsPerPixel, std::uint32_t compression,
                             const Palette* palette) {
  if (compression != dib::kRgb) return std::nullopt;
  return EncodeDdb(ddb, bitsPerPixel, palette);
}

std::optional<RgbImage> DdbFromDib(DibView dib, const Palette* /*palette: screens here are true colour*/) {
  const std::optional<DibSection> section = DibToDibSection(dib);
  if (!section) return std::nullopt;
  return section->ToRgb();
}

DibHandle ChangeDibFormatViaDdb(DibView dib, std::uint16_t bitsPerPixel, std::uint32_t compression) {
  const std::optional<Palette> palette = PaletteFromDib(dib);
  const std::optional<RgbImage> ddb = DdbFromDib(dib, palette ? &*palette : nullptr);
  if (!ddb) return std::nullopt;
  return DibFromDdbInFormat(*ddb, bitsPerPixel, compression, palette ? &*palette : nullptr);
}
