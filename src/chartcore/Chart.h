#pragma once
// The base of every chart: it owns up to 20 data series (with identifiers and titles) and up to 4 axes,
// lays out the plot area inside a chart rectangle, draws what every chart has (background, grids, plot
// frame, title), converts between data values and device coordinates and writes its data to a text file.
#include <array>
#include <memory>
#include <optional>
#include <string>

#include "chartcore/Axis.h"
#include "chartcore/ChartArchive.h"
#include "chartcore/ChartCanvas.h"
#include "chartcore/ChartData.h"
#include "chartcore/ChartMenu.h"

class CChart {
 public:
  static constexpr int kSchema = 2;
  static constexpr int kMaxData = 20;
  static constexpr int kMaxAxes = 4;

  CChart();
  virtual ~CChart();
  CChart(const CChart&) = delete;
  CChart& operator=(const CChart&) = delete;

  virtual void Serialize(CChartArchive& archive);
  // One value per line ("%g\r\n"), an empty line between series; false without series or file.
  virtual bool SaveData(const std::string& path);
  virtual void Draw(CChartCanvas& canvas, const ChartRect& rect, const ChartRect& updateRect);
  virtual void Draw(CChartCanvas& canvas, const ChartRect& rect);
  virtual ChartRect GetPlotRect(CChartCanvas* canvas, const ChartRect& rect);
  // Between data values and coordinates of the last drawing; nothing before the chart was drawn.
  virtual void PixelToData(CChartCanvas* canvas, ChartPoint point, double out[2]);
  virtual void DataToPixel(CChartCanvas* canvas, const double value[2], ChartPoint* out);
  virtual bool RemoveData(int id);
  virtual void RemoveAll();
  // The settings hooks: this system has no settings dialogs, so each declines.
  virtual bool OnAxisSettings(int axisIndex);
  virtual bool OnAxisSettings();
  virtual bool OnDataSettings();
  virtual bool OnDataSettings(int dataIndex);
  virtual bool OnChartSettings();
  virtual int ShowMenu(CChartMenu* menu, CChartMenuHost* owner, int x, int y);
  virtual int ShowMenu(CChartMenuHost* owner, int x, int y);
  virtual bool RefreshDataRange(int id);

  // The new series' identifier, or -1 when 20 series exist or the values cannot be stored.
  int AddData(const double* values, int dimensions, const int* sizes);
  int GetDataCount() const { return dataCount_; }
  CChartData* GetDataAt(int index) const;
  int FindDataIndex(int id) const;
  CChartData* GetData(int id) const;
  void SetDataTitle(int id, const std::string& title);
  const std::string& GetDataTitleAt(int index) const { return dataTitles_.at(index); }
  int GetDataIdAt(int index) const { return dataIds_.at(index); }

  // Null when 4 axes exist; an axis at an occupied location is reset and handed back.
  CAxis* AddAxis(short location);
  CAxis* FindAxis(short location) const;
  int GetAxisCount() const { return axisCount_; }
  CAxis* GetAxisAt(int index) const;
  // Sets the range of the first bottom (horizontal) or left (vertical) axis, by hand.
  void SetAxisRange(bool horizontal, double minimum, double maximum);
  void SetXRange(double minimum, double maximum) { SetAxisRange(true, minimum, maximum); }
  void SetYRange(double minimum, double maximum) { SetAxisRange(false, minimum, maximum); }

  void SetTitle(const std::string& title) { title_ = title; }
  const std::string& GetTitle() const { return title_; }
  ChartLogFont& TitleFont() { return titleFont_; }
  const ChartRect& LastRect() const { return lastRect_; }

  ChartRect AdjustRectForAxes(CChartCanvas& canvas, ChartRect rect) const;
  ChartRect AdjustRectForTitle(CChartCanvas& canvas, ChartRect rect) const;
  void DrawBackground(CChartCanvas& canvas, const ChartRect& chartRect) const;
  void DrawGrids(CChartCanvas& canvas, const ChartRect& plotRect) const;
  void DrawFrame(CChartCanvas& canvas, const ChartRect& plotRect) const;
  void DrawTitle(CChartCanvas& canvas, const ChartRect& chartRect, const ChartRect& plotRect) const;

  // Ranges of the bottom and the left axis; a range without such an axis is left as it was.
  void GetAxisRanges(double x[2], double y[2]) const;
  void GetXRange(double out[2]) const;
  void GetYRange(double out[2]) const;
  void GetAutoRangeFlags(int* xAuto, int* yAuto) const;
  int IsXAutoRange() const;
  int IsYAutoRange() const;
  void SetAutoRange(bool horizontal);
  void SetXAutoRange() { SetAutoRange(true); }
  void SetYAutoRange() { SetAutoRange(false); }
  // Round bounds and tick counts around a value range. mode 1 leaves no margin.
  static void ComputeNiceRange(const double range[2], double bounds[2], int* majorCount, int* minorCount, int mode);
  // The range divided by its best divisor.
  static void ComputeEvenRange(const double range[2], double bounds[2], int* majorCount, int* minorCount);

  int majorHorzGrid = 0;  // horizontal lines at the left axis' interior major ticks
  int majorVertGrid = 0;  // vertical lines at the bottom axis' interior major ticks
  int minorHorzGrid = 0;
  int minorVertGrid = 0;
  ChartColor majorGridColor = ChartRgb(128, 128, 128);
  ChartColor minorGridColor = ChartRgb(128, 128, 128);
  int majorGridWidth = 1;
  int minorGridWidth = 1;
  int majorGridStyle = kPenSolid;
  int minorGridStyle = kPenDot;
  ChartColor titleColor = 0;
  ChartColor backgroundColor = ChartRgb(255, 255, 255);
  ChartColor frameColor = 0;
  int fillBackground = 1;

 private:
  // How the last drawn plot maps data to canvas units; none before a drawing or for an empty range.
  struct PlotScale {
    ChartRect plot;
    double originX = 0, originY = 0;
    double unitX = 0, unitY = 0;
  };
  std::optional<PlotScale> CurrentScale(CChartCanvas* canvas);

  // The first axis at location, else the first at fallback.
  CAxis* FindFirstAxis(short location, short fallback) const;

  std::array<std::unique_ptr<CChartData>, kMaxData> dataSets_;
  std::array<std::unique_ptr<CAxis>, kMaxAxes> axes_;
  std::array<int, kMaxData> dataIds_;
  int nextDataId_ = 1;
  std::array<std::string, kMaxData> dataTitles_;
  std::int16_t dataCount_ = 0;
  std::int16_t axisCount_ = 0;
  std::string title_;
  ChartLogFont titleFont_;
  ChartRect lastRect_;
};
