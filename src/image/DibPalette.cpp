#include "image/DibPalette.h"

#include <algorithm>

std::optional<Palette> PaletteFromDib(DibView dib) {
  if (DibColorCount(dib) == 0 || DibBitsOffset(dib) > dib.size()) return std::nullopt;
  return dib::ColorTable(dib);
}

std::uint32_t DeviceColorCount(int bitsPerPixel, int planes) {
  return std::uint32_t{1} << ((bitsPerPixel * planes) % 32);
}

std::optional<Palette> CreateSystemPalette(int screenBitsPerPixel) {
  const std::uint16_t count = DeviceColorCount(screenBitsPerPixel) & 0xFFFF;
  if (count == 0) return std::nullopt;
  const Palette& system = HalftonePalette();
  return Palette(system.begin(), system.begin() + std::min<std::size_t>(count, system.size()));
}

std::optional<Palette> DuplicatePalette(const Palette& palette) {
  if (palette.empty()) return std::nullopt;
  return palette;
}

const Palette& DefaultPalette16() {
  static const Palette palette = {{0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
                                  {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
                                  {128, 128, 128}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
                                  {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255}};
  return palette;
}

const Palette& HalftonePalette() {
  static const Palette palette = [] {
    Palette entries;
    for (int red = 0; red < 6; ++red)
      for (int green = 0; green < 6; ++green)
        for (int blue = 0; blue < 6; ++blue)
          entries.push_back({static_cast<std::uint8_t>(red * 51), static_cast<std::uint8_t>(green * 51),
                             static_cast<std::uint8_t>(blue * 51)});
    for (int grey = 1; entries.size() < 256; ++grey) {
      const auto level = static_cast<std::uint8_t>(grey * 255 / 41);
      entries.push_back({level, level, level});
    }
    return entries;
  }();
  return palette;
}

std::size_t NearestPaletteIndex(const Palette& palette, PaletteEntry color) {
  std::size_t best = 0;
  int bestDistance = 1 << 30;
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const int red = palette[i].red - color.red;
    const int green = palette[i].green - color.green;
    const int blue = palette[i].blue - color.blue;
    const int distance = red * red + green * green + blue * blue;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = i;
      if (distance == 0) break;
    }
  }
  return best;
}
