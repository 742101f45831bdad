#pragma once
// Drawing pictures onto a canvas of screen pixels (the window layer shows the canvas): block transfers
// with raster operations, stretched transfers, and drawing with one transparent colour. Everything is
// clipped to both pictures.
#include <cstdint>

#include "image/DibHeader.h"
#include "image/RgbImage.h"

// Raster operations by their usual numbers.
enum RasterOp : std::uint32_t {
  kSrcCopy = 0x00CC0020,
  kSrcPaint = 0x00EE0086,
  kSrcAnd = 0x008800C6,
  kSrcInvert = 0x00660046,
  kNotSrcCopy = 0x00330008,
  kDstInvert = 0x00550009,
  kBlackness = 0x00000042,
  kWhiteness = 0x00FF0062,
};

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// False for a raster operation not listed above or a size that is not positive.
bool BlockTransfer(RgbImage& target, int x, int y, int width, int height, const RgbImage& source, int sourceX,
                   int sourceY, std::uint32_t rasterOp);
// Rows and columns are repeated or dropped to fit (no blending).
bool StretchTransfer(RgbImage& target, int x, int y, int width, int height, const RgbImage& source, int sourceX,
                     int sourceY, int sourceWidth, int sourceHeight, std::uint32_t rasterOp);
void FillRect(RgbImage& target, const Rect& rect, ColorRef color);
// Draws the picture at its natural size, leaving the target untouched wherever it has the transparent colour.
void DrawTransparentDdb(RgbImage& target, const RgbImage& ddb, int x, int y, ColorRef transparent);
// The source rectangle counts from the picture's top. The palette is not needed on a true-colour canvas.
bool DrawDibStretched(RgbImage& target, const Rect& destination, DibView dib, const Rect& source,
                      const Palette* palette);
bool DrawDdbStretched(RgbImage& target, const Rect& destination, const RgbImage& ddb, const Rect& source,
                      const Palette* palette, std::uint32_t rasterOp);
