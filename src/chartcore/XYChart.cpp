#include "chartcore/XYChart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <type_traits>

#include "chartcore/ChartUtilities.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

constexpr double kNoMinimum = 1e30;
constexpr double kNoMaximum = -1e30;
// Device coordinates are kept within this bound, so values far outside the range still convert safely.
constexpr double kCoordinateLimit = 1e9;

int ToCoordinate(double value) {
  return static_cast<int>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

// An empty range (a single point, or one repeated value) is widened by one on each side so that it scales.
void WidenEmptyRange(double range[2]) {
  if (NearlyEqual(range[0], range[1])) {
    range[0] -= 1.0;
    range[1] += 1.0;
  }
}

template <typename T>
void TransferBlock(CChartArchive& archive, std::array<XYSeriesAttributes, CChart::kMaxData>& attributes,
                   T XYSeriesAttributes::*field) {
  for (XYSeriesAttributes& entry : attributes) {
    if constexpr (std::is_same_v<T, double>) {
      archive.Transfer(entry.*field);
    } else {
      auto value = static_cast<std::conditional_t<std::is_same_v<T, ChartColor>, std::uint32_t, std::int32_t>>(
          entry.*field);
      archive.Transfer(value);
      entry.*field = static_cast<T>(value);
    }
  }
}

}  // namespace

CXYChart::CXYChart() {
  for (int index = 0; index < kMaxData; ++index) ResetDataAttributes(index);
  const ChartColor firstColors[] = {ChartRgb(0, 0, 255), ChartRgb(0, 255, 0), ChartRgb(255, 0, 0), ChartRgb(0, 0, 0)};
  for (int index = 0; index < 4; ++index) attributes_[index].dataColor = firstColors[index];
}

void CXYChart::ResetDataAttributes(int index) {
  if (index < 0 || index >= kMaxData) return;
  XYSeriesAttributes& entry = attributes_[index];
  const XYSeriesAttributes fresh;
  const double extents[4] = {entry.minX, entry.maxX, entry.minY, entry.maxY};
  entry = fresh;
  // The extents are recomputed before they are read again; they keep their values until then.
  entry.minX = extents[0];
  entry.maxX = extents[1];
  entry.minY = extents[2];
  entry.maxY = extents[3];
}

XYSeriesAttributes* CXYChart::AttributesOf(int id) {
  const int index = FindDataIndex(id);
  return index >= 0 ? &attributes_[index] : nullptr;
}

const XYSeriesAttributes* CXYChart::AttributesOf(int id) const {
  const int index = FindDataIndex(id);
  return index >= 0 ? &attributes_[index] : nullptr;
}

int CXYChart::AddData(const double* values, int dimensions, const int* sizes) {
  const int id = CChart::AddData(values, dimensions, sizes);
  if (id == -1) return -1;
  ResetDataAttributes(FindDataIndex(id));
  ComputeAllDataExtents();
  return id;
}

std::string CXYChart::GetDataTitle(int id) const {
  const int index = FindDataIndex(id);
  return index >= 0 ? GetDataTitleAt(index) : std::string();
}

void CXYChart::SetChartType(int id, int value) {
  if (auto* entry = AttributesOf(id)) entry->chartType = value;
}
int CXYChart::GetChartType(int id) const {
  const auto* entry = AttributesOf(id);
  return entry ? entry->chartType : -1;
}
void CXYChart::SetDataColor(int id, ChartColor color) {
  if (auto* entry = AttributesOf(id)) entry->dataColor = color;
}
void CXYChart::SetDataStyle(int id, int markerType) {
  if (auto* entry = AttributesOf(id)) entry->markerType = markerType;
}
int CXYChart::GetDataStyle(int id) const {
  const auto* entry = AttributesOf(id);
  return entry ? entry->markerType : -1;
}
void CXYChart::SetMarkerSize(int id, int value) {
  if (auto* entry = AttributesOf(id)) entry->markerSize = value;
}
int CXYChart::GetMarkerSize(int id) const {
  const auto* entry = AttributesOf(id);
  return entry ? entry->markerSize : -1;
}
void CXYChart::SetMarkFrequency(int id, int value) {
  if (auto* entry = AttributesOf(id)) entry->markFrequency = value;
}
int CXYChart::GetMarkFrequency(int id) const {
  const auto* entry = AttributesOf(id);
  return entry ? entry->markFrequency : 0;
}
void CXYChart::SetMarkerFill(int id, int value) {
  if (auto* entry = AttributesOf(id)) entry->markerFill = value;
}
int CXYChart::GetMarkerFill(int id) const {
  const auto* entry = AttributesOf(id);
  return entry ? entry->markerFill : 0;
}
void CXYChart::SetLineSize(int id, int value) {
  if (auto* entry = AttributesOf(id)) entry->lineSize = value;
}
int CXYChart::GetLineSize(int id) const {
  const auto* entry = AttributesOf(id);
  return entry ? entry->lineSize : 1;
}
void CXYChart::SetLineStyle(int id, int value) {
  if (auto* entry = AttributesOf(id)) entry->lineStyle = value;
}
int CXYChart::GetLineStyle(int id) const {
  const auto* entry = AttributesOf(id);
  return entry ? entry->lineStyle : 1;
}

void CXYChart::ComputeDataExtents(int id) {
  XYSeriesAttributes* entry = AttributesOf(id);
  if (!entry || entry->extentValid) return;
  entry->extentValid = 1;
  double minX = kNoMinimum, maxX = kNoMaximum, minY = kNoMinimum, maxY = kNoMaximum;
  const CChartData& series = *GetData(id);
  const double* values = series.GetValues();
  // Only a 2 x N series holds N x values and N y values; reading another shape so would overrun it.
  const int count = series.IsXYSeries() ? series.GetSizes()[1] : 0;
  for (int k = 0; k < count; ++k) {
    const double x = values[k];
    const double y = values[count + k];
    if (x < minX) minX = x;
    if (x > maxX) maxX = x;
    if (y < minY) minY = y;
    if (y > maxY) maxY = y;
  }
  entry->minX = minX;
  entry->maxX = maxX;
  entry->minY = minY;
  entry->maxY = maxY;
}

void CXYChart::ComputeAllDataExtents() {
  for (int index = 0; index < GetDataCount(); ++index) ComputeDataExtents(GetDataIdAt(index));
}

bool CXYChart::RefreshDataRange(int id) {
  if (id < 0) {
    ComputeAllDataExtents();
  } else {
    ComputeDataExtents(id);
  }
  return true;
}

void CXYChart::GetDataRanges(double x[2], double y[2]) const {
  x[0] = y[0] = kNoMinimum;
  x[1] = y[1] = kNoMaximum;
  bool xSeen = false, xFixed = false, ySeen = false, yFixed = false;
  for (int i = 0; i < GetAxisCount(); ++i) {
    const CAxis& axis = *GetAxisAt(i);
    const bool horizontal = !axis.IsVertical();
    bool& seen = horizontal ? xSeen : ySeen;
    bool& fixed = horizontal ? xFixed : yFixed;
    const short primary = horizontal ? kAxisBottom : kAxisLeft;
    const short secondary = horizontal ? kAxisTop : kAxisRight;
    if (axis.GetLocation() == primary || (axis.GetLocation() == secondary && !seen)) {
      seen = true;
      if (axis.IsRangeManual()) {
        axis.GetRange(horizontal ? x : y);
        fixed = true;
      }
    }
  }
  for (int index = 0; index < GetDataCount(); ++index) {
    const XYSeriesAttributes& entry = attributes_[index];
    if (!xFixed) {
      if (entry.minX <= x[0]) x[0] = entry.minX;
      if (entry.maxX >= x[1]) x[1] = entry.maxX;
    }
    if (!yFixed) {
      if (entry.minY <= y[0]) y[0] = entry.minY;
      if (entry.maxY >= y[1]) y[1] = entry.maxY;
    }
  }
}

ChartRect CXYChart::GetPlotRect(CChartCanvas* canvas, const ChartRect& rect) {
  if (!canvas) return rect;
  ChartRect plot = AdjustRectForTitle(*canvas, AdjustRectForAxes(*canvas, rect));
  plot.left += 20;
  plot.right -= 20;
  plot.top -= 20;
  plot.bottom += 20;
  return plot;
}

void CXYChart::Draw(CChartCanvas& canvas, const ChartRect& rect, const ChartRect&) {
  double x[2], y[2];
  GetDataRanges(x, y);
  WidenEmptyRange(x);
  WidenEmptyRange(y);
  const ChartRect plot = GetPlotRect(&canvas, rect);
  DrawPlotArea(canvas, rect, plot);
  DrawTitle(canvas, rect, plot);
  DrawData(canvas, plot, x, y);
  for (int i = 0; i < GetAxisCount(); ++i) GetAxisAt(i)->Draw(canvas, rect, plot);
  CChart::Draw(canvas, rect);
}

void CXYChart::Draw(CChartCanvas& canvas, const ChartRect& rect) { Draw(canvas, rect, rect); }

void CXYChart::DrawPlotArea(CChartCanvas& canvas, const ChartRect& chartRect, const ChartRect& plotRect) const {
  DrawBackground(canvas, chartRect);
  DrawGrids(canvas, plotRect);
  DrawFrame(canvas, plotRect);
}

void CXYChart::DrawData(CChartCanvas& canvas, const ChartRect& plot, const double xRange[2],
                        const double yRange[2]) const {
  canvas.SaveState();
  if (!canvas.IsPrinting()) canvas.ClipTo({plot.left - 1, plot.top + 1, plot.right - 1, plot.bottom + 1});
  const double scaleX = plot.Width() / (xRange[1] - xRange[0]);
  const double scaleY = plot.Height() / (yRange[1] - yRange[0]);
  for (int index = 0; index < GetDataCount(); ++index) {
    const CChartData& series = *GetDataAt(index);
    if (!series.IsXYSeries()) continue;
    const XYSeriesAttributes& entry = attributes_[index];
    canvas.SelectPen({entry.lineStyle, entry.lineSize, entry.dataColor});
    const int count = series.GetSizes()[1];
    const double* xs = series.GetValues();
    const double* ys = xs + count;
    const auto point = [&](int k) {
      ChartPoint p{ToCoordinate((xs[k] - xRange[0]) * scaleX + plot.left),
                   ToCoordinate(plot.bottom - (ys[k] - yRange[0]) * scaleY)};
      if (k == 0) {
        p.x = std::clamp(p.x, std::min(plot.left, plot.right), std::max(plot.left, plot.right));
        p.y = std::clamp(p.y, std::min(plot.bottom, plot.top), std::max(plot.bottom, plot.top));
      }
      return p;
    };
    switch (entry.chartType) {
      case kXYScatter:
        for (int k = 0; k < count; ++k) {
          const ChartPoint p = point(k);
          DrawMarker(canvas, p.x, p.y, index, k);
        }
        break;
      case kXYLine: {
        ChartPoint previous = point(0);
        canvas.MoveTo(previous);
        DrawMarker(canvas, previous.x, previous.y, index, 0);
        for (int k = 1; k < count; ++k) {
          const ChartPoint p = point(k);
          if (!(p == previous)) canvas.LineTo(p);
          DrawMarker(canvas, p.x, p.y, index, k);
          previous = p;
        }
        canvas.MoveTo({0, 0});
        break;
      }
      case kXYHistogram: {
        ChartPoint p = point(0);
        canvas.MoveTo({plot.left, p.y});
        for (int k = 0; k < count; ++k) {
          if (k + 1 < count) {
            const ChartPoint next = point(k + 1);
            const int middle = p.x + (next.x - p.x) / 2;
            canvas.LineTo({middle, p.y});
            canvas.LineTo({middle, next.y});
            DrawMarker(canvas, p.x, p.y, index, k);
            p = next;
          } else {
            canvas.LineTo({plot.right, p.y});
            DrawMarker(canvas, p.x, p.y, index, k);
          }
        }
        break;
      }
      default:
        break;
    }
  }
  DrawLineTitles(canvas, plot);
  canvas.RestoreState();
}

void CXYChart::DrawLineTitles(CChartCanvas& canvas, const ChartRect& plot) const {
  const auto titled = [&](int index) {
    return GetDataAt(index)->IsXYSeries() && attributes_[index].chartType == kXYLine;
  };
  const auto position = [&](int index) { return ChartPoint{plot.left + 300, plot.top - 40 - 40 * index}; };
  // Every ground first, so that one title's ground never covers the title above it.
  for (int index = 0; index < GetDataCount(); ++index) {
    const std::string title = GetDataTitleAt(index);
    if (!titled(index) || title.empty()) continue;
    const ChartPoint at = position(index);
    const ChartSize extent = canvas.TextExtent(title);
    canvas.FillRect({at.x - 10, at.y, at.x + extent.cx + 10, at.y - extent.cy}, backgroundColor);
  }
  for (int index = 0; index < GetDataCount(); ++index) {
    if (!titled(index)) continue;
    canvas.SetTextColor(ReadableOnLight(attributes_[index].dataColor));
    canvas.TextOut(position(index), GetDataTitleAt(index));
  }
}

void CXYChart::DrawMarker(CChartCanvas& canvas, int x, int y, int dataIndex, int pointIndex) const {
  const XYSeriesAttributes& entry = attributes_.at(dataIndex);
  const long long frequency = entry.markFrequency;
  if (entry.markerType == kMarkerNone || frequency == 0) return;
  if (frequency > 0 && pointIndex % frequency != 0) return;
  if (frequency < 0) {
    const CChartData* series = GetDataAt(dataIndex);
    const long long count = series && series->GetDimensions() >= 2 ? series->GetSizes()[1] : 0;
    // At least 1: fewer points than markers asked for marks every point.
    const long long step = std::max(1LL, count / -frequency);
    if ((pointIndex + step / 2 + 1) % step != 0) return;
  }
  const int s = entry.markerSize;
  const ChartPoint remembered = canvas.CurrentPosition();
  const ChartPen previousPen = canvas.SelectPen({kPenSolid, 1, entry.dataColor});
  const ChartColor previousBrush = canvas.SelectBrush(entry.dataColor);
  canvas.BeginPath();
  switch (entry.markerType) {
    case kMarkerCircle:
      canvas.AddEllipse({x - s, y - s, x + s, y + s});
      break;
    case kMarkerSquare:
      DrawRectOutline(&canvas, x - s, y - s, x + s, y + s);
      break;
    case kMarkerTriangle:
      canvas.MoveTo({x, y - s});
      canvas.LineTo({x + s, y + s});
      canvas.LineTo({x - s, y + s});
      canvas.LineTo({x, y - s});
      canvas.MoveTo({x, y});
      break;
    case kMarkerX:
      canvas.MoveTo({x - s, y - s});
      canvas.LineTo({x + s, y + s});
      canvas.MoveTo({x - s, y + s});
      canvas.LineTo({x + s, y - s});
      canvas.MoveTo({x, y});
      break;
    default:
      break;
  }
  canvas.EndPath();
  if (entry.markerFill) {
    canvas.StrokeAndFillPath();
  } else {
    canvas.StrokePath();
  }
  canvas.MoveTo(remembered);
  canvas.SelectPen(previousPen);
  canvas.SelectBrush(previousBrush);
}

bool CXYChart::SaveData(const std::string& path) {
  if (GetDataCount() == 0) return false;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  for (int index = 0; index < GetDataCount(); ++index) {
    const CChartData& series = *GetDataAt(index);
    if (series.IsXYSeries()) {
      const int count = series.GetSizes()[1];
      const double* values = series.GetValues();
      for (int k = 0; k < count; ++k) std::fprintf(file.get(), "%g %g\r\n", values[k], values[count + k]);
    }
    if (index + 1 < GetDataCount()) std::fputs("\r\n", file.get());
  }
  return std::fflush(file.get()) == 0;
}

bool CXYChart::RemoveData(int id) {
  const int index = FindDataIndex(id);
  if (index < 0) return false;
  std::move(attributes_.begin() + index + 1, attributes_.end(), attributes_.begin() + index);
  return CChart::RemoveData(id);
}

void CXYChart::RemoveAll() { CChart::RemoveAll(); }
bool CXYChart::OnDataSettings() { return OnDataSettings(0); }
bool CXYChart::OnDataSettings(int) { return false; }
bool CXYChart::OnChartSettings() { return false; }

void CXYChart::CopyDataAttributes(const CXYChart& other) {
  const int count = std::min(GetDataCount(), other.GetDataCount());
  for (int index = 0; index < count; ++index) {
    XYSeriesAttributes copied = other.attributes_[index];
    const XYSeriesAttributes& own = attributes_[index];
    copied.minX = own.minX;
    copied.maxX = own.maxX;
    copied.minY = own.minY;
    copied.maxY = own.maxY;
    copied.extentValid = own.extentValid;
    attributes_[index] = copied;
    SetDataTitle(GetDataIdAt(index), other.GetDataTitleAt(index));
  }
}

void CXYChart::GetDataRowEnds(const CChartData& series, int row, double out[2]) {
  if (!series.IsXYSeries() || row < 0 || row > 1) return;
  const int count = series.GetSizes()[1];
  out[0] = series.GetValues()[row * count];
  out[1] = series.GetValues()[row * count + count - 1];
}

void CXYChart::FindNearestPoint(CChartCanvas* canvas, ChartPoint point, double out[2], int id) {
  double position[2] = {0, 0};
  PixelToData(canvas, point, position);
  const CChartData* series = id < 0 ? GetDataAt(0) : GetData(id);
  if (!series || !series->IsXYSeries() || !out) return;
  const int count = series->GetSizes()[1];
  const double* values = series->GetValues();
  int nearest = 0;
  for (int k = 1; k < count; ++k) {
    if (std::fabs(values[k] - position[0]) < std::fabs(values[nearest] - position[0])) nearest = k;
  }
  out[0] = values[nearest];
  out[1] = values[count + nearest];
}

void CXYChart::Serialize(CChartArchive& archive) {
  // Loaded into a copy, so that a short archive leaves the chart as it was.
  auto attributes = attributes_;
  TransferBlock(archive, attributes, &XYSeriesAttributes::dataColor);
  TransferBlock(archive, attributes, &XYSeriesAttributes::markerSize);
  TransferBlock(archive, attributes, &XYSeriesAttributes::markerType);
  TransferBlock(archive, attributes, &XYSeriesAttributes::markFrequency);
  TransferBlock(archive, attributes, &XYSeriesAttributes::chartType);
  TransferBlock(archive, attributes, &XYSeriesAttributes::minX);
  TransferBlock(archive, attributes, &XYSeriesAttributes::maxX);
  TransferBlock(archive, attributes, &XYSeriesAttributes::minY);
  TransferBlock(archive, attributes, &XYSeriesAttributes::maxY);
  TransferBlock(archive, attributes, &XYSeriesAttributes::extentValid);
  TransferBlock(archive, attributes, &XYSeriesAttributes::lineSize);
  TransferBlock(archive, attributes, &XYSeriesAttributes::markerFill);
  TransferBlock(archive, attributes, &XYSeriesAttributes::lineStyle);
  if (!archive.IsStoring() && !archive.Failed()) attributes_ = attributes;
}
