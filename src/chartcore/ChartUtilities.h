#pragma once
// Small stateless helpers shared by the chart classes: fonts given by a size number, the check flag and the
// font-size popup of the settings menus, rectangle outlines, tolerant comparisons and rounding to a step.
#include <optional>
#include <string>

#include "chartcore/ChartCanvas.h"
#include "chartcore/ChartMenu.h"

// Selects the font into the canvas with its size number turned into logical units (size / 0.3527...,
// truncated: 12 gives 34); the log font keeps its size number. Returns the font selected before, or nothing
// without a canvas.
std::optional<ChartLogFont> SelectPointFont(CChartCanvas* canvas, ChartLogFont& font);
// The logical height a size number becomes.
int PointSizeToLogical(int size);

unsigned MenuCheckFlag(bool on);

// The seven font sizes 8 .. 48 with ids base + 0 .. base + 6, the current one checked, under caption.
void BuildFontSizeMenu(CChartMenu& parent, const std::string& caption, int current, int baseId);
// The size a font-size entry (0 .. 6) stands for, 0 for any other entry.
int FontSizeOfEntry(int entry);

// Outlines the rectangle with lines and leaves the current position where it was.
void DrawRectOutline(CChartCanvas* canvas, int left, int top, int right, int bottom);

// The colour darkened, hue kept, until text in it reads well on white: pure green becomes a mid green;
// a colour that is dark enough already stays as it is.
ChartColor ReadableOnLight(ChartColor color);

bool NearlyEqual(double a, double b);
bool FloatNearlyEqual(float a, float b);
// Rounds to a multiple of step: halves away from zero for positive values, toward zero otherwise.
double RoundToMultiple(double value, double step);
// "12 point Arial"; empty without a font.
std::string FormatFontName(const ChartLogFont* font);

// Shrinks the font's size number by one at a time while the text is wider than limit and the size is
// above 4; returns the text's extent in the font it ends with.
ChartSize FitFontToWidth(CChartCanvas& canvas, ChartLogFont& font, const std::string& text, int limit);
