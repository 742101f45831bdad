#pragma once
// One axis of a chart: its range and ticks, the tick labels (hours or dates on a horizontal time axis,
// numbers on a vertical one), its title, fonts and colours, the room it takes beside the plot area, and its
// popup of settings.
#include <cstdint>
#include <ctime>
#include <string>

#include "chartcore/ChartArchive.h"
#include "chartcore/ChartCanvas.h"
#include "chartcore/ChartMenu.h"

enum ChartAxisLocation : short { kAxisLeft = 0, kAxisBottom = 1, kAxisRight = 2, kAxisTop = 3 };

// Results of the menu interpreters.
enum ChartMenuResult : int { kMenuHandled = -3, kMenuDeclined = -2, kMenuNothing = -1 };

class CAxis {
 public:
  static constexpr int kSchema = 1;
  static constexpr int kSettingsItem = 99;

  CAxis();
  // Copies ticks, range, title, location, fonts, colours and range mode; not the line width, the label
  // base or the time fields.
  CAxis& operator=(const CAxis& other);

  // Back to the settings of a fresh axis, in dark green; the time fields stay.
  void Reset();
  CAxis& SetLocation(short location);
  short GetLocation() const { return axisLocation_; }
  bool IsVertical() const { return axisLocation_ == kAxisLeft || axisLocation_ == kAxisRight; }
  // "Left Axis", "Bottom Axis", "Right Axis", "Top Axis" or "Error".
  static std::string LocationName(short location);

  void SetRange(double minimum, double maximum);  // set by hand
  CAxis& SetRangeWithMode(int manual, double minimum, double maximum);
  void GetRange(double out[2]) const;
  int IsRangeManual() const { return rangeIsManual_; }
  void SetRangeManual(int manual) { rangeIsManual_ = manual; }

  void SetTitle(const std::string& title) { title_ = title; }
  const std::string& GetTitle() const { return title_; }
  ChartLogFont& TitleFont() { return titleFont_; }
  ChartLogFont& LabelFont() { return labelFont_; }
  ChartColor GetColor() const { return color_; }
  void SetColor(ChartColor color) { color_ = color; }
  ChartColor GetTitleColor() const { return titleColor_; }
  void SetTitleColor(ChartColor color) { titleColor_ = color; }

  // A negative count is the menu's "Auto" state: it leaves a positive count as it is.
  void SetMajorTicks(int count);
  void SetMinorTicks(int count);
  int GetMajorTickCount() const;  // n, the ticks between the two end ticks
  int GetMinorTickCount() const;  // m, minor intervals per major interval
  // Equal intervals the axis is divided into: n + 1, or 5 when n is 0.
  int GetIntervalCount() const;
  double GetTickValue(int i) const;
  std::string GetTickLabel(int i) const;  // "%g" of the tick value
  // The text drawn at tick i: hours or dates on a time axis, day-hour:minute or month/day-hour of a
  // minute count on another horizontal axis, the tick value on a vertical axis.
  std::string GetDrawnLabel(int i) const;
  // Step between minor ticks: one major interval divided by m (0 without minor intervals).
  double GetMinorStep() const;

  // Room beside the plot area for the title and the tick labels as drawn: cx across a vertical axis, cy
  // across a horizontal one.
  ChartSize GetSize(CChartCanvas& canvas) const;
  // How far the end labels reach past the ends of the plot area.
  ChartSize GetLabelOverhang(CChartCanvas& canvas) const;
  void Draw(CChartCanvas& canvas, const ChartRect& chartRect, const ChartRect& plotRect) const;

  // The popup "Auto range", "Title size", "Label size", "Major ticks", "Minor ticks", "Settings..." with
  // ids base + item, under the location's name.
  void BuildMenu(CChartMenu& parent, int baseId) const;
  static void BuildTickMenu(CChartMenu& parent, const std::string& caption, int current, int baseId);
  // kMenuHandled for a known item, kMenuNothing for anything else ("Settings..." is the chart's).
  int InterpretMenuCommand(int item);

  void SetLabelRange(double first, double last);
  void SetTickSpan(int first, int second);

  void Serialize(CChartArchive& archive);

  // Makes this a horizontal axis over time from start to end with ticks on whole minutes, hours or days
  // (ChooseTimeTicks): every label then names the true time of its tick.
  void SetTimeWindow(std::time_t start, std::time_t end);

  // Set by the views for a horizontal axis over time: the labels then show hours or dates.
  std::time_t startTime = 0;
  std::time_t endTime = 0;
  bool timeMode = false;

 private:
  ChartLogFont FitLabelFont(CChartCanvas& canvas, const ChartRect& plotRect) const;
  int DrawTicksAndLabels(CChartCanvas& canvas, const ChartRect& plotRect, unsigned format, int labelSide,
                         int labelExtent) const;
  void DrawTitle(CChartCanvas& canvas, const ChartRect& chartRect, const ChartRect& plotRect, int labelExtent,
                 int halfTickExtent) const;
  std::string TimeLabel(int i) const;
  std::string MinuteCountLabel(int i) const;

  // Set by SetTimeWindow: the labels' format and the seconds added before formatting; none for a time
  // axis whose fields were set directly.
  const char* timeFormat_ = nullptr;
  int timeRounding_ = 0;
  int majorTicks_ = 9;
  int minorTicks_ = 4;
  int majorTickLength_ = 20;
  int minorTickLength_ = 10;
  int lineWidth_ = 1;
  double minimum_ = 0;
  double maximum_ = 0;
  int labelBase_ = 0;
  int labelLast_ = 0;
  int tickSpan_[2] = {0, 0};
  int reserved_ = 1;
  std::string title_;
  std::int16_t axisLocation_ = kAxisBottom;
  ChartLogFont titleFont_;
  ChartLogFont labelFont_;
  ChartColor color_ = 0;
  ChartColor titleColor_ = 0;
  int rangeIsManual_ = 0;
};
