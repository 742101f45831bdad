#pragma once
// Colour reduction, grey levels and pixel filters on DIBs, and the colour step of fading pictures.
#include <cstdint>
#include <optional>

#include "image/DibHeader.h"

// The DIB at the given depth, its colours matched to an octree palette of at most colorLimit colours.
DibHandle QuantizeDib(DibView dib, std::uint16_t bitsPerPixel, unsigned colorLimit);

enum GrayMethod { kGrayAverage = 0, kGrayBrightest = 1, kGrayWeighted = 2 };
// Turns the colour table grey in place (a DIB without one is first reduced to 8 bits and 256 colours, and
// replaces the given one). Returns the new colour table as a palette; none when the DIB cannot be read.
std::optional<Palette> GrayDib(Dib& dib, int method, double redWeight, double greenWeight, double blueWeight);

// Each works on a 24-bit copy and returns the result at the source's depth.
DibHandle SolarizeDib(DibView dib, int threshold);  // values below the threshold become 255 − value
DibHandle NegateDib(DibView dib);                   // every value v becomes 255 − v
DibHandle EmbossDib(DibView dib, int offset);       // difference to the pixel up and left, plus offset
DibHandle SpreadDib(DibView dib, int size);         // pixels swapped with random ones nearby; size ≥ 1

// Moves each of the three bytes by its step toward its target without passing it, and keeps it within
// 0..255. True when all three have reached their targets.
bool StepColorTowards(int redStep, int greenStep, int blueStep, std::uint8_t targetRed, std::uint8_t targetGreen,
                      std::uint8_t targetBlue, std::uint8_t* red, std::uint8_t* green, std::uint8_t* blue);
