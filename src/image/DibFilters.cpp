#include "image/DibFilters.h"

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "image/DibConvert.h"
#include "image/DibPalette.h"
#include "image/OctreePalette.h"

namespace {

// Runs change(result, unchanged) over a 24-bit copy of the DIB and converts the result back to its depth.
DibHandle OnTrueColorCopy(DibView dib, const std::function<void(Dib&, const Dib&)>& change) {
  const int bits = DibBitCount(dib);
  DibHandle working =
      bits == 24 ? (dib::PixelsFit(dib) ? DuplicateGlobalBlock(dib) : std::nullopt) : ConvertDib(dib, 24, nullptr);
  if (!working) return std::nullopt;
  const Dib unchanged = *working;
  change(*working, unchanged);
  if (bits == 24) return working;
  const std::optional<Palette> palette = PaletteFromDib(dib);
  return ConvertDib(*working, static_cast<std::uint16_t>(bits), palette ? &*palette : nullptr);
}

std::uint8_t* PixelAt(Dib& dib, std::int64_t x, std::int64_t y) { return DibBits(dib) + DibRowBytes(dib) * y + 3 * x; }

const std::uint8_t* PixelAt(const Dib& dib, std::int64_t x, std::int64_t y) {
  return DibBits(DibView(dib)) + DibRowBytes(dib) * y + 3 * x;
}

std::uint8_t Clamp(int value) { return static_cast<std::uint8_t>(std::clamp(value, 0, 255)); }

}  // namespace

DibHandle QuantizeDib(DibView dib, std::uint16_t bitsPerPixel, unsigned colorLimit) {
  const std::optional<Palette> optimal = BuildOctreePaletteFromDib(dib, colorLimit, 8);
  return ConvertDib(dib, bitsPerPixel, optimal ? &*optimal : nullptr);
}

std::optional<Palette> GrayDib(Dib& dib, int method, double redWeight, double greenWeight, double blueWeight) {
  if (!dib::LayoutFits(dib)) return std::nullopt;
  if (DibColorCount(dib) == 0) {
    DibHandle reduced = QuantizeDib(dib, 8, 256);
    if (!reduced) return std::nullopt;
    dib = std::move(*reduced);
  }
  for (std::size_t i = 0; i < DibColorCount(dib); ++i) {
    std::uint8_t* entry = dib.data() + dib::kInfoHeaderSize + 4 * i;
    const int blue = entry[0], green = entry[1], red = entry[2];
    int gray;
    switch (method) {
      case kGrayAverage:
        gray = std::min((red + green + blue) / 3, 255);
        break;
      case kGrayBrightest:
        gray = std::max({red, green, blue});
        break;
      case kGrayWeighted:
        gray = std::min(static_cast<int>(red * redWeight + green * greenWeight + blue * blueWeight), 255);
        break;
      default:
        continue;
    }
    entry[0] = entry[1] = entry[2] = Clamp(gray);
  }
  return PaletteFromDib(dib);
}

DibHandle SolarizeDib(DibView dib, int threshold) {
  return OnTrueColorCopy(dib, [threshold](Dib& image, const Dib&) {
    for (std::uint8_t* byte = DibBits(image); byte < DibBits(image) + DibRowBytes(image) * DibHeight(image); ++byte)
      if (*byte < threshold) *byte = 255 - *byte;
  });
}

DibHandle NegateDib(DibView dib) { return SolarizeDib(dib, 256); }

DibHandle EmbossDib(DibView dib, int offset) {
  return OnTrueColorCopy(dib, [offset](Dib& image, const Dib& unchanged) {
    const std::int64_t height = DibHeight(image), width = DibWidth(image);
    // The neighbour is one stored row and one column back; the first stored row and column have none.
    for (std::int64_t y = 0; y < height; ++y)
      for (std::int64_t x = 0; x < width; ++x) {
        const std::uint8_t* here = PixelAt(unchanged, x, y);
        const std::uint8_t* upLeft = x > 0 && y > 0 ? PixelAt(unchanged, x - 1, y - 1) : nullptr;
        for (int c = 0; c < 3; ++c) PixelAt(image, x, y)[c] = Clamp(here[c] - (upLeft ? upLeft[c] : 0) + offset);
      }
  });
}

DibHandle SpreadDib(DibView dib, int size) {
  if (size < 1) return std::nullopt;
  return OnTrueColorCopy(dib, [size](Dib& image, const Dib& unchanged) {
    const std::int64_t height = DibHeight(image), width = DibWidth(image), half = size / 2;
    for (std::int64_t y = half; y < height - half; ++y)
      for (std::int64_t x = half; x < width - half; ++x) {
        const std::int64_t fromX = x + std::rand() % size - half;
        const std::int64_t fromY = y + std::rand() % size - half;
        std::copy_n(PixelAt(unchanged, fromX, fromY), 3, PixelAt(image, x, y));
      }
  });
}

bool StepColorTowards(int redStep, int greenStep, int blueStep, std::uint8_t targetRed, std::uint8_t targetGreen,
                      std::uint8_t targetBlue, std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue) {
  const auto step = [](int value, int by, std::uint8_t target) {
    const int next = value + by;
    if (by < 0) return static_cast<std::uint8_t>(next < target ? target : std::min(next, 255));
    return static_cast<std::uint8_t>(next > target ? target : std::max(next, 0));
  };
  *red = step(*red, redStep, targetRed);
  *green = step(*green, greenStep, targetGreen);
  *blue = step(*blue, blueStep, targetBlue);
  return *red == targetRed && *green == targetGreen && *blue == targetBlue;
}
