#include "image/DibDraw.h"

#include "image/DibSection.h"

namespace {

bool IsKnown(std::uint32_t rasterOp) {
  switch (rasterOp) {
    case kSrcCopy:
    case kSrcPaint:
    case kSrcAnd:
    case kSrcInvert:
    case kNotSrcCopy:
    case kDstInvert:
    case kBlackness:
    case kWhiteness:
      return true;
    default:
      return false;
  }
}

std::uint8_t Combine(std::uint8_t source, std::uint8_t target, std::uint32_t rasterOp) {
  switch (rasterOp) {
    case kSrcPaint:
      return source | target;
    case kSrcAnd:
      return source & target;
    case kSrcInvert:
      return source ^ target;
    case kNotSrcCopy:
      return static_cast<std::uint8_t>(~source);
    case kDstInvert:
      return static_cast<std::uint8_t>(~target);
    case kBlackness:
      return 0;
    case kWhiteness:
      return 255;
    default:
      return source;
  }
}

bool Inside(const RgbImage& image, int x, int y) { return x >= 0 && y >= 0 && x < image.width && y < image.height; }

}  // namespace

bool StretchTransfer(RgbImage& target, int x, int y, int width, int height, const RgbImage& source, int sourceX,
                     int sourceY, int sourceWidth, int sourceHeight, std::uint32_t rasterOp) {
  if (!IsKnown(rasterOp) || width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return false;
  for (int row = 0; row < height; ++row) {
    const int fromY = sourceY + static_cast<int>(static_cast<std::int64_t>(row) * sourceHeight / height);
    for (int column = 0; column < width; ++column) {
      const int fromX = sourceX + static_cast<int>(static_cast<std::int64_t>(column) * sourceWidth / width);
      if (!Inside(target, x + column, y + row) || !Inside(source, fromX, fromY)) continue;
      std::uint8_t* to = target.At(x + column, y + row);
      const std::uint8_t* from = source.At(fromX, fromY);
      for (int c = 0; c < 3; ++c) to[c] = Combine(from[c], to[c], rasterOp);
    }
  }
  return true;
}

bool BlockTransfer(RgbImage& target, int x, int y, int width, int height, const RgbImage& source, int sourceX,
                   int sourceY, std::uint32_t rasterOp) {
  return StretchTransfer(target, x, y, width, height, source, sourceX, sourceY, width, height, rasterOp);
}

void FillRect(RgbImage& target, const Rect& rect, ColorRef color) {
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) {
      if (!Inside(target, x, y)) continue;
      std::uint8_t* pixel = target.At(x, y);
      pixel[0] = color & 0xFF;
      pixel[1] = (color >> 8) & 0xFF;
      pixel[2] = (color >> 16) & 0xFF;
    }
}

void DrawTransparentDdb(RgbImage& target, const RgbImage& ddb, int x, int y, ColorRef transparent) {
  for (int row = 0; row < ddb.height; ++row)
    for (int column = 0; column < ddb.width; ++column) {
      const std::uint8_t* from = ddb.At(column, row);
      if (Rgb(from[0], from[1], from[2]) == (transparent & 0xFFFFFF) || !Inside(target, x + column, y + row)) continue;
      std::uint8_t* to = target.At(x + column, y + row);
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
    }
}

bool DrawDibStretched(RgbImage& target, const Rect& destination, DibView dib, const Rect& source,
                      const Palette* /*palette*/) {
  const std::optional<DibSection> section = DibToDibSection(dib);
  return section && DrawDdbStretched(target, destination, section->ToRgb(), source, nullptr, kSrcCopy);
}

bool DrawDdbStretched(RgbImage& target, const Rect& destination, const RgbImage& ddb, const Rect& source,
                      const Palette* /*palette*/, std::uint32_t rasterOp) {
  return StretchTransfer(target, destination.left, destination.top, destination.Width(), destination.Height(), ddb,
                         source.left, source.top, source.Width(), source.Height(), rasterOp);
}
