#pragma once
// Points, rectangles, colours and log fonts of the chart engine. Charts are laid out in logical units of
// 0.1 mm with y pointing upwards: a rectangle's top is greater than its bottom and its height is negative.
#include <cstdint>
#include <string>

struct ChartPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ChartPoint&) const = default;
};

struct ChartSize {
  int cx = 0;
  int cy = 0;
  bool operator==(const ChartSize&) const = default;
};

struct ChartRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }  // negative for a rectangle in the y-up convention
  // True when the rectangle, with its corners put in order, has no area.
  bool IsEmptyNormalized() const { return left == right || top == bottom; }
  bool operator==(const ChartRect&) const = default;
};

// A colour as red, green and blue bytes packed low to high (0x00BBGGRR).
using ChartColor = std::uint32_t;

constexpr ChartColor ChartRgb(int red, int green, int blue) {
  return static_cast<ChartColor>(red & 0xFF) | static_cast<ChartColor>(green & 0xFF) << 8 |
         static_cast<ChartColor>(blue & 0xFF) << 16;
}
constexpr int ChartRed(ChartColor color) { return color & 0xFF; }
constexpr int ChartGreen(ChartColor color) { return (color >> 8) & 0xFF; }
constexpr int ChartBlue(ChartColor color) { return (color >> 16) & 0xFF; }

// Pen styles by their usual codes.
enum ChartPenStyle : int { kPenSolid = 0, kPenDash = 1, kPenDot = 2, kPenDashDot = 3, kPenDashDotDot = 4 };

// A font description. The chart classes keep a size number in height and turn it into logical units only
// while the font is selected (SelectPointFont); escapement and orientation are in tenths of a degree.
struct ChartLogFont {
  std::int32_t height = 0;
  std::int32_t width = 0;
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;
  std::int32_t weight = 0;
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strikeOut = 0;
  std::uint8_t charSet = 0;
  std::uint8_t outPrecision = 0;
  std::uint8_t clipPrecision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitchAndFamily = 0;
  std::string faceName;  // at most 31 bytes are kept in an archive

  bool operator==(const ChartLogFont&) const = default;
};

// Bold Arial of the given size number: the default of every chart font.
ChartLogFont DefaultChartFont(int size);
