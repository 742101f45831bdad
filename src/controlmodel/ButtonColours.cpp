#include "controlmodel/ButtonColours.h"

#include <algorithm>
#include <cstdint>

void CButtonColours::Reset(Rgb face, Rgb text) {
  colours_ = {face, text, face, text, face, text};
}

BtnResult CButtonColours::Set(int index, Rgb colour) {
  if (index < 0 || index >= BTNST_MAX_COLORS) return BTNST_INVALIDINDEX;
  colours_[index] = colour;
  return BTNST_OK;
}

BtnResult CButtonColours::Get(int index, Rgb& colour) const {
  if (index < 0 || index >= BTNST_MAX_COLORS) return BTNST_INVALIDINDEX;
  colour = colours_[index];
  return BTNST_OK;
}

BtnResult CButtonColours::Shade(int index, int shade) {
  if (index < 0 || index >= BTNST_MAX_COLORS) return BTNST_INVALIDINDEX;
  if (shade < -255 || shade > 255) return BTNST_BADPARAM;
  Rgb& colour = colours_[index];
  const int lowest = std::min({colour.red, colour.green, colour.blue});
  const int highest = std::max({colour.red, colour.green, colour.blue});
  // Shrink the shade so that no channel leaves 0 to 255 (the one nearest the edge may touch it).
  if (shade > 0) shade = std::min(shade, 255 - highest);
  if (shade < 0) shade = std::max(shade, -lowest);
  auto apply = [shade](std::uint8_t channel) { return static_cast<std::uint8_t>(channel + shade); };
  colour = {apply(colour.red), apply(colour.green), apply(colour.blue)};
  return BTNST_OK;
}

Rgb GreyPixel(Rgb colour) {
  const auto grey = static_cast<std::uint8_t>(0.299 * colour.red + 0.587 * colour.green + 0.114 * colour.blue);
  return {grey, grey, grey};
}

Rgb DarkerPixel(Rgb colour, double factor) {
  if (factor <= 0.0 || factor > 1.0) return colour;
  auto darker = [factor](std::uint8_t c) { return static_cast<std::uint8_t>(c - c * factor); };
  return {darker(colour.red), darker(colour.green), darker(colour.blue)};
}
