#pragma once
// A canvas that records what the chart engine draws, with text measured by a simple rule (each character
// half as wide as the font is high), so layouts can be checked without a window system.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "chartcore/Axis.h"
#include "chartcore/Chart.h"
#include "chartcore/ChartCanvas.h"

struct RecordedLine {
  ChartPoint from;
  ChartPoint to;
  ChartPen pen;
};

struct RecordedText {
  std::string text;
  ChartRect rect;
  unsigned format = 0;
  ChartLogFont font;
  ChartColor color = 0;
};

struct RecordedPath {
  ChartPoint at;  // the centre of its ellipse, else the position when the path began
  bool filled = false;
  ChartColor color = 0;
};

class RecordingCanvas : public CChartCanvas {
 public:
  ChartPen SelectPen(const ChartPen& pen) override { return std::exchange(pen_, pen); }
  ChartColor SelectBrush(ChartColor color) override { return std::exchange(brush_, color); }
  ChartLogFont SelectFont(const ChartLogFont& font) override { return std::exchange(font_, font); }
  void SetTextColor(ChartColor color) override { textColor_ = color; }
  void MoveTo(ChartPoint point) override { position_ = point; }
  void LineTo(ChartPoint point) override {
    if (!inPath_) lines.push_back({position_, point, pen_});
    position_ = point;
  }
  ChartPoint CurrentPosition() const override { return position_; }
  void FillRect(const ChartRect& rect, ChartColor color) override { fills.push_back({rect, color}); }
  void BeginPath() override {
    inPath_ = true;
    pathStart_ = position_;
  }
  void AddEllipse(const ChartRect& box) override {
    pathStart_ = {(box.left + box.right) / 2, (box.top + box.bottom) / 2};
  }
  void EndPath() override { inPath_ = false; }
  void StrokePath() override { paths.push_back({pathStart_, false, pen_.color}); }
  void StrokeAndFillPath() override { paths.push_back({pathStart_, true, pen_.color}); }
  ChartSize TextExtent(const std::string& text) override {
    return {static_cast<int>(text.size()) * font_.height / 2, font_.height};
  }
  ChartTextMetrics TextMetrics() override { return {font_.height, font_.height / 2}; }
  void DrawText(const std::string& text, const ChartRect& rect, unsigned format) override {
    texts.push_back({text, rect, format, font_, textColor_});
  }
  void TextOut(ChartPoint point, const std::string& text) override {
    texts.push_back({text, {point.x, point.y, point.x, point.y}, 0, font_, textColor_});
  }
  void SaveState() override { ++saves; }
  void RestoreState() override { ++restores; }
  void ClipTo(const ChartRect& rect) override { clips.push_back(rect); }
  bool IsPrinting() const override { return printing; }

  const ChartLogFont& Font() const { return font_; }

  struct Fill {
    ChartRect rect;
    ChartColor color;
  };
  std::vector<RecordedLine> lines;
  std::vector<RecordedText> texts;
  std::vector<RecordedPath> paths;
  std::vector<Fill> fills;
  std::vector<ChartRect> clips;
  int saves = 0;
  int restores = 0;
  bool printing = false;

 private:
  ChartPen pen_;
  ChartColor brush_ = 0;
  ChartLogFont font_{.height = 34, .faceName = "Test"};
  ChartColor textColor_ = 0;
  ChartPoint position_;
  bool inPath_ = false;
  ChartPoint pathStart_;
};

// The labels of an axis as a chart draws them: the chart drawn whole, and the axis's tick labels taken from
// just before its title (an axis draws its labels, then its title).
inline std::vector<std::string> DrawnAxisLabels(CChart& chart, short location) {
  RecordingCanvas canvas;
  chart.Draw(canvas, ChartRect{0, 0, 6000, -3000});
  const CAxis* axis = chart.FindAxis(location);
  if (!axis) return {};
  std::vector<std::string> labels;
  for (const RecordedText& text : canvas.texts) {
    if (text.text == axis->GetTitle() && !labels.empty()) {
      const std::size_t drawn = static_cast<std::size_t>(axis->GetIntervalCount()) + 1;
      return std::vector<std::string>(labels.end() - static_cast<long>(std::min(drawn, labels.size())), labels.end());
    }
    labels.push_back(text.text);
  }
  return {};
}
