#include "image/DibGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// A zero-filled result with the source's header and colour table and the given size.
DibHandle BlankLike(DibView source, std::int32_t width, std::int32_t height) {
  if (!dib::SizeIsBounded(width, height)) return std::nullopt;
  const std::size_t offset = DibBitsOffset(source);
  const std::size_t rowBytes = dib::RowBytes(width, DibBitCount(source));
  Dib result(offset + rowBytes * height, 0);
  std::memcpy(result.data(), source.data(), offset);
  dib::Write32(result, dib::kWidth, static_cast<std::uint32_t>(width));
  dib::Write32(result, dib::kHeight, static_cast<std::uint32_t>(height));
  dib::Write32(result, dib::kSizeImage, static_cast<std::uint32_t>(rowBytes * height));
  return result;
}

// Fills a result of the given size: map(x, y) names the source pixel of each result pixel (rows from the bottom).
template <typename Mapping>
DibHandle Remap(DibView source, std::int32_t width, std::int32_t height, Mapping map) {
  if (!dib::PixelsFit(source)) return std::nullopt;
  DibHandle result = BlankLike(source, width, height);
  if (!result) return std::nullopt;
  const int bits = DibBitCount(source);
  const std::size_t sourceRow = DibRowBytes(source), targetRow = DibRowBytes(*result);
  const std::uint8_t* from = DibBits(source);
  std::uint8_t* to = DibBits(*result);
  for (std::int64_t y = 0; y < height; ++y)
    for (std::int64_t x = 0; x < width; ++x) {
      const auto [sourceX, sourceY] = map(x, y);
      dib::SetPixel(to + targetRow * y, x, bits, dib::GetPixel(from + sourceRow * sourceY, sourceX, bits));
    }
  return result;
}

struct Turn {
  float cosine, sine;
  std::int64_t minX, minY, width, height;
};

// The corners of the turned picture and its bounding box.
Turn TurnFor(double degrees, std::int64_t width, std::int64_t height) {
  const double radians = degrees / 90 * 1.5707963;
  const float cosine = static_cast<float>(std::cos(radians)), sine = static_cast<float>(std::sin(radians));
  const std::int64_t x1 = static_cast<std::int64_t>(-height * sine), y1 = static_cast<std::int64_t>(height * cosine);
  const std::int64_t x2 = static_cast<std::int64_t>(width * cosine - height * sine);
  const std::int64_t y2 = static_cast<std::int64_t>(height * cosine + width * sine);
  const std::int64_t x3 = static_cast<std::int64_t>(width * cosine), y3 = static_cast<std::int64_t>(width * sine);
  const std::int64_t minX = std::min({std::int64_t{0}, x1, x2, x3}), minY = std::min({std::int64_t{0}, y1, y2, y3});
  const std::int64_t maxX = std::max({x1, x2, x3}), maxY = std::max({y1, y2, y3});
  return {cosine, sine, minX, minY, maxX - minX, maxY - minY};
}

// Where result pixel (x, y) comes from in the source.
std::pair<std::int64_t, std::int64_t> SourceOf(const Turn& turn, std::int64_t x, std::int64_t y) {
  return {static_cast<std::int64_t>((x + turn.minX) * turn.cosine + (y + turn.minY) * turn.sine),
          static_cast<std::int64_t>((y + turn.minY) * turn.cosine - (x + turn.minX) * turn.sine)};
}

std::uint32_t BackgroundValue(DibView dib, ColorRef background) {
  const std::uint8_t red = background & 0xFF, green = (background >> 8) & 0xFF, blue = (background >> 16) & 0xFF;
  switch (DibBitCount(dib)) {
    case 1:
      return (background & 0xFFFFFF) == 0xFFFFFF ? 1 : 0;
    case 4:
    case 8: {
      const Palette table = dib::ColorTable(dib);
      for (std::size_t i = 0; i < table.size(); ++i)
        if (table[i].red == red && table[i].green == green && table[i].blue == blue)
          return static_cast<std::uint32_t>(i);
      return 0;
    }
    case 16:
      // The first double word after the header tells 5-5-5 from 5-6-5.
      if (dib::Read32(dib, dib::kInfoHeaderSize) == 0x7C00)
        return ((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3);
      return ((red >> 3) << 11) | ((green >> 2) << 5) | (blue >> 3);
    default:
      return blue | (green << 8) | (red << 16);
  }
}

}  // namespace

DibHandle RotateDibQuarter(DibView dib) {
  const std::int64_t height = DibHeight(dib);
  return Remap(dib, DibHeight(dib), DibWidth(dib), [height](std::int64_t x, std::int64_t y) {
    return std::pair{y, height - 1 - x};
  });
}

DibHandle MirrorDib(DibView dib) {
  const std::int64_t width = DibWidth(dib);
  return Remap(dib, DibWidth(dib), DibHeight(dib), [width](std::int64_t x, std::int64_t y) {
    return std::pair{width - 1 - x, y};
  });
}

DibHandle FlipDib(DibView dib) {
  const std::int64_t height = DibHeight(dib);
  return Remap(dib, DibWidth(dib), DibHeight(dib), [height](std::int64_t x, std::int64_t y) {
    return std::pair{x, height - 1 - y};
  });
}

DibHandle ResizeDib(DibView dib, std::int32_t width, std::int32_t height) {
  const std::int64_t oldWidth = DibWidth(dib), oldHeight = DibHeight(dib);
  // Rows are sampled from the top, as the screen counts them.
  return Remap(dib, width, height, [=](std::int64_t x, std::int64_t y) {
    const std::int64_t top = height - 1 - y;
    return std::pair{x * oldWidth / width, oldHeight - 1 - top * oldHeight / height};
  });
}

DibHandle RotateDib(DibView dib, double degrees, ColorRef background) {
  if (!dib::PixelsFit(dib)) return std::nullopt;
  const std::int64_t width = DibWidth(dib), height = DibHeight(dib);
  const Turn turn = TurnFor(degrees, width, height);
  if (!dib::SizeIsBounded(turn.width, turn.height)) return std::nullopt;
  DibHandle result = BlankLike(dib, static_cast<std::int32_t>(turn.width), static_cast<std::int32_t>(turn.height));
  if (!result) return std::nullopt;
  const int bits = DibBitCount(dib);
  const std::uint32_t fill = BackgroundValue(dib, background);
  const std::size_t sourceRow = DibRowBytes(dib), targetRow = DibRowBytes(*result);
  for (std::int64_t y = 0; y < turn.height; ++y)
    for (std::int64_t x = 0; x < turn.width; ++x) {
      const auto [sourceX, sourceY] = SourceOf(turn, x, y);
      const bool inside = sourceX >= 0 && sourceX < width && sourceY >= 0 && sourceY < height;
      dib::SetPixel(DibBits(*result) + targetRow * y, x, bits,
                    inside ? dib::GetPixel(DibBits(dib) + sourceRow * sourceY, sourceX, bits) : fill);
    }
  return result;
}

RgbImage RotateDdb(const RgbImage& ddb, double degrees, ColorRef background) {
  if (ddb.IsEmpty()) return {};
  const Turn turn = TurnFor(degrees, ddb.width, ddb.height);
  if (!dib::SizeIsBounded(turn.width, turn.height)) return {};
  RgbImage result{static_cast<int>(turn.width), static_cast<int>(turn.height),
                  std::vector<std::uint8_t>(static_cast<std::size_t>(turn.width * turn.height * 3))};
  // y points up in both pictures, as the turn's arithmetic counts it.
  for (int y = 0; y < result.height; ++y)
    for (int x = 0; x < result.width; ++x) {
      const auto [sourceX, sourceY] = SourceOf(turn, x, y);
      std::uint8_t* pixel = result.At(x, result.height - 1 - y);
      if (sourceX >= 0 && sourceX < ddb.width && sourceY >= 0 && sourceY < ddb.height) {
        std::memcpy(pixel, ddb.At(static_cast<int>(sourceX), static_cast<int>(ddb.height - 1 - sourceY)), 3);
      } else {
        pixel[0] = background & 0xFF;
        pixel[1] = (background >> 8) & 0xFF;
        pixel[2] = (background >> 16) & 0xFF;
      }
    }
  return result;
}
