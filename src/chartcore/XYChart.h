#pragma once
// The XY chart: each 2 x N series drawn as a scatter of markers, a polyline or a step histogram of y over
// x, with its own colour, line and markers; a settings menu that changes grids, title size, axes and
// series; and a text export of the points.
#include <array>
#include <string>

#include "chartcore/Chart.h"

enum XYChartType : int { kXYScatter = 0, kXYLine = 1, kXYHistogram = 2 };
enum XYMarkerType : int { kMarkerNone = 0, kMarkerCircle = 1, kMarkerSquare = 2, kMarkerTriangle = 3, kMarkerX = 4 };

// The drawing attributes of the series at one index.
struct XYSeriesAttributes {
  int chartType = kXYLine;
  ChartColor dataColor = ChartRgb(0, 255, 0);
  int markerType = kMarkerNone;
  int markerSize = 1;       // half a marker's width, logical units
  int markFrequency = -10;  // N > 0: every N-th point; N < 0: |N| points spread over the series; 0: none
  int markerFill = 0;
  double minX = 0, maxX = 0, minY = 0, maxY = 0;
  int extentValid = 0;
  int lineSize = 1;
  int lineStyle = kPenSolid;
};

class CXYChart : public CChart {
 public:
  static constexpr int kSchema = 3;

  CXYChart();

  // Only the per-series attributes: 13 blocks of 20 entries.
  void Serialize(CChartArchive& archive) override;
  // One "x y" line per point of each 2 x N series, an empty line between series.
  bool SaveData(const std::string& path) override;
  // The update rectangle does not limit the drawing.
  void Draw(CChartCanvas& canvas, const ChartRect& rect, const ChartRect& updateRect) override;
  void Draw(CChartCanvas& canvas, const ChartRect& rect) override;
  ChartRect GetPlotRect(CChartCanvas* canvas, const ChartRect& rect) override;
  bool RemoveData(int id) override;
  void RemoveAll() override;
  bool OnDataSettings() override;
  bool OnDataSettings(int dataIndex) override;
  bool OnChartSettings() override;
  int ShowMenu(CChartMenu* menu, CChartMenuHost* owner, int x, int y) override;
  int ShowMenu(CChartMenuHost* owner, int x, int y) override;
  bool RefreshDataRange(int id) override;

  // A new series starts as a green line without markers.
  int AddData(const double* values, int dimensions, const int* sizes);
  std::string GetDataTitle(int id) const;
  void ResetDataAttributes(int index);
  const XYSeriesAttributes& Attributes(int index) const { return attributes_.at(index); }

  // Setters change nothing for an unknown identifier; getters then give their stated default.
  void SetChartType(int id, int value);
  int GetChartType(int id) const;
  void SetDataColor(int id, ChartColor color);
  void SetDataStyle(int id, int markerType);
  int GetDataStyle(int id) const;
  void SetMarkerSize(int id, int value);
  int GetMarkerSize(int id) const;
  void SetMarkFrequency(int id, int value);
  int GetMarkFrequency(int id) const;
  void SetMarkerFill(int id, int value);
  int GetMarkerFill(int id) const;
  void SetLineSize(int id, int value);
  int GetLineSize(int id) const;
  void SetLineStyle(int id, int value);
  int GetLineStyle(int id) const;

  void ComputeDataExtents(int id);
  void ComputeAllDataExtents();
  // Hand-set axis ranges fix a direction; otherwise the series' extents fill it.
  void GetDataRanges(double x[2], double y[2]) const;
  void DrawPlotArea(CChartCanvas& canvas, const ChartRect& chartRect, const ChartRect& plotRect) const;
  void DrawData(CChartCanvas& canvas, const ChartRect& plotRect, const double xRange[2], const double yRange[2]) const;
  void DrawMarker(CChartCanvas& canvas, int x, int y, int dataIndex, int pointIndex) const;
  // The line series' titles at the plot's top left, after every line, each on the chart's background
  // colour so that no line runs through it, in its line's colour made dark enough to read.
  void DrawLineTitles(CChartCanvas& canvas, const ChartRect& plot) const;
  // Takes over the attributes (not the extents) and titles of the series both charts have.
  void CopyDataAttributes(const CXYChart& other);
  static void GetDataRowEnds(const CChartData& series, int row, double out[2]);
  // The point of the series (the first one when id < 0) whose x is nearest the data position of point.
  void FindNearestPoint(CChartCanvas* canvas, ChartPoint point, double out[2], int id);

  // The settings menu.
  int InterpretMenuCommand(int commandId);
  void BuildDataMenu(int dataIndex, CChartMenu& parent, int baseId) const;
  static void BuildChartTypeItems(CChartMenu& menu, int currentType, int baseId);
  void BuildLineSizeMenu(CChartMenu& parent, const std::string& caption, int id, int baseId) const;
  void BuildLineStyleMenu(CChartMenu& parent, const std::string& caption, int id, int baseId) const;
  void BuildMarkerItems(CChartMenu& menu, int id, int baseId) const;
  int InterpretDataMenuCommand(int dataIndex, int item);

 private:
  XYSeriesAttributes* AttributesOf(int id);
  const XYSeriesAttributes* AttributesOf(int id) const;

  std::array<XYSeriesAttributes, kMaxData> attributes_;
};
