#pragma once
// Turning, mirroring, flipping and resizing DIBs. The source is never changed; each result is a new block
// of the source's depth and colour table, or none when the source is not an uncompressed DIB whose rows
// lie inside its block.
#include <cstdint>

#include "image/DibHeader.h"
#include "image/RgbImage.h"

// A quarter turn counter-clockwise: width and height exchange, every depth is turned.
DibHandle RotateDibQuarter(DibView dib);
DibHandle MirrorDib(DibView dib);  // left-right
DibHandle FlipDib(DibView dib);    // top-bottom
// Stretched or squeezed to exactly that size by repeating or dropping rows and columns.
DibHandle ResizeDib(DibView dib, std::int32_t width, std::int32_t height);
// Turned by an angle in degrees around the bottom-left corner into the bounding box of the turned
// picture; what the source does not cover takes the background colour.
DibHandle RotateDib(DibView dib, double degrees, ColorRef background);
RgbImage RotateDdb(const RgbImage& ddb, double degrees, ColorRef background);
