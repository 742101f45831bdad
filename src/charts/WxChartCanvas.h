#pragma once
// The chart canvas over a wxGraphicsContext. It stands in for the 0.1-millimetre mapping mode the chart
// engine draws in: logical x grows to the right and y upwards, one logical unit is pixelsPerUnit device
// pixels, and logical (0, 0) is the context's top-left corner. Lines drawn one after the other with the
// same pen are stroked as one path, so a series of many points costs one stroke.
#include <wx/graphics.h>

#include <map>
#include <vector>

#include "chartcore/ChartCanvas.h"

class CWxChartCanvas : public CChartCanvas {
 public:
  // Pixels per 0.1 mm on a 96-dots-per-inch screen.
  static constexpr double kScreenPixelsPerUnit = 96.0 / 254.0;

  // The context stays the caller's and must outlive the canvas.
  explicit CWxChartCanvas(wxGraphicsContext& context, double pixelsPerUnit = kScreenPixelsPerUnit,
                          bool printing = false);
  ~CWxChartCanvas() override;
  CWxChartCanvas(const CWxChartCanvas&) = delete;
  CWxChartCanvas& operator=(const CWxChartCanvas&) = delete;

  // The pixel a logical point falls on, and the logical rectangle that covers width x height pixels.
  wxPoint ToDevice(ChartPoint point) const;
  ChartRect LogicalRectOfPixels(int width, int height) const;

  ChartPen SelectPen(const ChartPen& pen) override;
  ChartColor SelectBrush(ChartColor color) override;
  ChartLogFont SelectFont(const ChartLogFont& font) override;
  void SetTextColor(ChartColor color) override;
  void MoveTo(ChartPoint point) override;
  void LineTo(ChartPoint point) override;
  ChartPoint CurrentPosition() const override { return position_; }
  void FillRect(const ChartRect& rect, ChartColor color) override;
  void BeginPath() override;
  void AddEllipse(const ChartRect& box) override;
  void EndPath() override;
  void StrokePath() override;
  void StrokeAndFillPath() override;
  ChartSize TextExtent(const std::string& text) override;
  ChartTextMetrics TextMetrics() override;
  void DrawText(const std::string& text, const ChartRect& rect, unsigned format) override;
  void TextOut(ChartPoint point, const std::string& text) override;
  void SaveState() override;
  void RestoreState() override;
  void ClipTo(const ChartRect& rect) override;
  bool IsPrinting() const override { return printing_; }

 private:
  struct State {
    ChartPen pen;
    ChartColor brush = 0;
    ChartLogFont font;
    ChartColor textColor = 0;
  };

  wxPoint2DDouble StrokePoint(ChartPoint point) const;  // pixel centre, where a 1-pixel line lands
  void FlushLines();
  void ApplyPen();
  const wxFont& CurrentWxFont();
  void ApplyTextFont();
  wxSize PixelExtent(const wxString& text);

  wxGraphicsContext& context_;
  const double scale_;
  const bool printing_;
  State state_;
  std::vector<State> saved_;
  ChartPoint position_;
  wxGraphicsPath lines_;  // lines waiting to be stroked with the current pen
  bool linesPending_ = false;
  ChartPoint lineEnd_;  // where the waiting lines end, so a polyline continues without a gap
  wxGraphicsPath path_;  // between BeginPath and EndPath, and until it is drawn
  bool pathOpen_ = false;
  std::map<std::string, wxFont> fonts_;  // by FontKey
  std::string currentFontKey_;
  std::map<std::string, ChartTextMetrics> metrics_;
};
