#pragma once
// Octree colour quantisation: a palette of at most maxColors colours that stands for a picture's pixels.
#include <optional>

#include "image/DibHeader.h"
#include "image/DibSection.h"

// colorBits is the depth of the tree (at most 8; more gives none). The tree is reduced after every pixel,
// so it never holds more than maxColors + 1 leaves; none when it cannot be brought down to maxColors (a
// maximum of 0). Entries are the leaves' mean colours, in depth-first order.
std::optional<Palette> BuildOctreePalette(const DibSection& section, unsigned maxColors, int colorBits);
// The same for a packed DIB, through its section; none when no section can be made.
std::optional<Palette> BuildOctreePaletteFromDib(DibView dib, unsigned maxColors, int colorBits);
