#pragma once
// Palettes: from a DIB's colour table, the screen's, the fixed default and halftone sets, and the nearest
// entry to a colour.
#include <cstdint>
#include <optional>

#include "image/DibHeader.h"

// One entry per colour-table entry (4-byte entries of the 40-byte form, 3-byte of the core form); none for
// a DIB without colour table.
std::optional<Palette> PaletteFromDib(DibView dib);
// 1 << (bits per pixel × planes mod 32): 256 at 8 bits, 16777216 at 24, 1 at 32.
std::uint32_t DeviceColorCount(int bitsPerPixel, int planes = 1);
// The screen's palette: as many entries as DeviceColorCount gives, counted in 16 bits. On a true-colour
// screen of 16 or 24 bits that count is 0 and there is no palette; a 32-bit one gives a single entry.
std::optional<Palette> CreateSystemPalette(int screenBitsPerPixel = dib::kScreenBitsPerPixel);
std::optional<Palette> DuplicatePalette(const Palette& palette);
// The sixteen basic colours: black, the dark and light primaries and mixtures, the two greys, white.
const Palette& DefaultPalette16();
// 256 entries: a 6 × 6 × 6 colour cube followed by a ramp of greys.
const Palette& HalftonePalette();
// Index of the entry closest to the colour (sum of squared differences); 0 for an empty palette.
std::size_t NearestPaletteIndex(const Palette& palette, PaletteEntry color);
