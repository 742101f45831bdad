#pragma once
// Conversions between DIBs of different depths and sizes, and between DIBs and screen pictures.
#include <cstdint>
#include <optional>

#include "image/DibHeader.h"
#include "image/RgbImage.h"

// A DIB of the new depth (1, 4, 8, 16, 24 or 32 bits; none for others) and size. Without stretching the
// source is copied to the top-left corner, cropped, and what it does not cover stays zero; with stretching
// rows and columns are repeated or dropped to fit. Colours of a palettised result are matched to the
// nearest entry of the colour table that FillColorTable gives it.
DibHandle ConvertDib(DibView source, std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel, bool stretch,
                     const Palette* palette);
DibHandle ConvertDib(DibView source, std::uint16_t bitsPerPixel, const Palette* palette);

// Fills the colour table of a new header (40 bytes followed by room for its DibColorCount entries) by its
// depth: 1 bit black and white; 4 and 8 bits the palette's first entries, else the source's own table
// when it has the same depth, else the default 16 colours (4 bits) or an octree palette of at most 236
// colours made from the source, or the halftone palette when none is made (8 bits). Always true.
bool FillColorTable(Dib& header, DibView source, const Palette* palette);

// The DIB depth that holds a device depth: up to 1 gives 1, up to 4 gives 4, up to 8 gives 8, deeper 24.
int NaturalDibDepth(int deviceBitsPerPixel);
// A screen picture as a DIB of its natural depth (24 bits: screen pictures are true colour here), or of
// the given depth, converted with the palette. None for an empty picture.
DibHandle DibFromDdb(const RgbImage& ddb, const Palette* palette);
DibHandle DibFromDdb(const RgbImage& ddb, const Palette* palette, std::uint16_t bitsPerPixel);
// As DibFromDdb with a depth (0: natural); only uncompressed DIBs are made, another compression gives none.
DibHandle DibFromDdbInFormat(const RgbImage& ddb, std::uint16_t bitsPerPixel, std::uint32_t compression,
                             const Palette* palette);
// The DIB as a screen picture; none when it cannot be read.
std::optional<RgbImage> DdbFromDib(DibView dib, const Palette* palette);
// The DIB through a screen picture into the given depth and compression.
DibHandle ChangeDibFormatViaDdb(DibView dib, std::uint16_t bitsPerPixel, std::uint32_t compression);
