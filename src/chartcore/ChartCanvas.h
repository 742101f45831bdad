#pragma once
// What the chart classes draw with: a device in logical units of 0.1 mm, y upwards. The window side
// implements it over its toolkit; tests implement it with a recorder. Text is always drawn on a transparent
// background.
#include <string>

#include "chartcore/ChartGeometry.h"

// Text layout flags of DrawText, by their usual codes.
enum ChartTextFormat : unsigned {
  kTextLeft = 0x0,
  kTextTop = 0x0,
  kTextCenter = 0x1,
  kTextRight = 0x2,
  kTextVCenter = 0x4,
  kTextBottom = 0x8,
  kTextSingleLine = 0x20,
  kTextNoClip = 0x100,
};

struct ChartPen {
  int style = kPenSolid;
  int width = 1;
  ChartColor color = 0;
  bool operator==(const ChartPen&) const = default;
};

struct ChartTextMetrics {
  int height = 0;
  int averageCharWidth = 0;
};

class CChartCanvas {
 public:
  virtual ~CChartCanvas() = default;

  // Each Select call returns what was selected before, so the caller can select it again.
  virtual ChartPen SelectPen(const ChartPen& pen) = 0;
  virtual ChartColor SelectBrush(ChartColor color) = 0;  // a solid brush
  // The font's height is in logical units here (SelectPointFont converts a size number).
  virtual ChartLogFont SelectFont(const ChartLogFont& font) = 0;
  virtual void SetTextColor(ChartColor color) = 0;

  virtual void MoveTo(ChartPoint point) = 0;
  virtual void LineTo(ChartPoint point) = 0;
  virtual ChartPoint CurrentPosition() const = 0;
  virtual void FillRect(const ChartRect& rect, ChartColor color) = 0;

  // Between BeginPath and EndPath, MoveTo, LineTo and AddEllipse build a path instead of drawing;
  // StrokePath or StrokeAndFillPath then draws it with the selected pen (and brush).
  virtual void BeginPath() = 0;
  virtual void AddEllipse(const ChartRect& box) = 0;
  virtual void EndPath() = 0;
  virtual void StrokePath() = 0;
  virtual void StrokeAndFillPath() = 0;

  // Extent and metrics of text in the selected font, logical units.
  virtual ChartSize TextExtent(const std::string& text) = 0;
  virtual ChartTextMetrics TextMetrics() = 0;
  // Places text in rect by the ChartTextFormat flags; a rotated font (escapement 900 or 2700) is centred
  // in the rectangle, whatever its corners' order.
  virtual void DrawText(const std::string& text, const ChartRect& rect, unsigned format) = 0;
  // Text with its top-left corner at the point.
  virtual void TextOut(ChartPoint point, const std::string& text) = 0;

  // SaveState keeps pen, brush, font, text colour and clipping; RestoreState brings back the last saved.
  virtual void SaveState() = 0;
  virtual void RestoreState() = 0;
  virtual void ClipTo(const ChartRect& rect) = 0;
  // A printer shows what lies outside the plot area; a screen or bitmap is clipped to it.
  virtual bool IsPrinting() const = 0;
};
