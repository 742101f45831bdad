#include "chartcore/ChartUtilities.h"

#include <array>
#include <cmath>

namespace {
constexpr std::array<int, 7> kFontSizes = {8, 10, 12, 18, 24, 36, 48};
constexpr double kMillimetresPerPoint = 0.352777777777778;
}  // namespace

ChartLogFont DefaultChartFont(int size) {
  ChartLogFont font;
  font.height = size;
  font.weight = 700;
  font.pitchAndFamily = 16;
  font.faceName = "Arial";
  return font;
}

int PointSizeToLogical(int size) { return static_cast<int>(size / kMillimetresPerPoint); }

std::optional<ChartLogFont> SelectPointFont(CChartCanvas* canvas, ChartLogFont& font) {
  if (!canvas) return std::nullopt;
  const int size = font.height;
  font.height = PointSizeToLogical(size);
  ChartLogFont previous = canvas->SelectFont(font);
  font.height = size;
  return previous;
}

unsigned MenuCheckFlag(bool on) { return on ? kMenuChecked : 0u; }

void BuildFontSizeMenu(CChartMenu& parent, const std::string& caption, int current, int baseId) {
  CChartMenu popup;
  for (int entry = 0; entry < static_cast<int>(kFontSizes.size()); ++entry) {
    const int size = kFontSizes[entry];
    popup.AppendCommand(baseId + entry, std::to_string(size), MenuCheckFlag(size == current));
  }
  parent.AppendPopup(caption, std::move(popup));
}

int FontSizeOfEntry(int entry) {
  return entry >= 0 && entry < static_cast<int>(kFontSizes.size()) ? kFontSizes[entry] : 0;
}

void DrawRectOutline(CChartCanvas* canvas, int left, int top, int right, int bottom) {
  if (!canvas) return;
  const ChartPoint remembered = canvas->CurrentPosition();
  canvas->MoveTo({left, top});
  canvas->LineTo({right, top});
  canvas->LineTo({right, bottom});
  canvas->LineTo({left, bottom});
  canvas->LineTo({left, top});
  canvas->MoveTo(remembered);
}

bool NearlyEqual(double a, double b) { return std::fabs(a - b) < 0.0001; }

bool FloatNearlyEqual(float a, float b) {
  if (a != 0.0f) return std::fabs(a - b) / std::fabs(a) < 0.0001f;
  return std::fabs(b) <= 0.0001f;
}

double RoundToMultiple(double value, double step) {
  const double quotient = value / step;
  const double whole = std::trunc(quotient);
  const double fraction = std::fabs(quotient - whole);
  if (value > 0) return (fraction >= 0.5 ? whole + 1 : whole) * step;
  return (fraction > 0.5 ? whole - 1 : whole) * step;
}

std::string FormatFontName(const ChartLogFont* font) {
  if (!font) return {};
  return std::to_string(font->height) + " point " + font->faceName;
}

ChartSize FitFontToWidth(CChartCanvas& canvas, ChartLogFont& font, const std::string& text, int limit) {
  for (;;) {
    const ChartLogFont previous = *SelectPointFont(&canvas, font);
    const ChartSize extent = canvas.TextExtent(text);
    canvas.SelectFont(previous);
    if (extent.cx <= limit || font.height <= 4) return extent;
    --font.height;
  }
}

ChartColor ReadableOnLight(ChartColor color) {
  constexpr double kDarkestLuminance = 80.0;  // about the luminance of a mid green
  const double luminance = 0.299 * ChartRed(color) + 0.587 * ChartGreen(color) + 0.114 * ChartBlue(color);
  if (luminance <= kDarkestLuminance) return color;
  const double scale = kDarkestLuminance / luminance;
  return ChartRgb(static_cast<int>(ChartRed(color) * scale), static_cast<int>(ChartGreen(color) * scale),
                  static_cast<int>(ChartBlue(color) * scale));
}
