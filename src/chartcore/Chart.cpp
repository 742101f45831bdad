#include "chartcore/Chart.h"

#include <optional>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "chartcore/ChartUtilities.h"
#include "platform/MessageBox.h"

namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

double RoundWhole(double value) { return RoundToMultiple(value, 1.0); }

// Widens a range of no length by one on each side, so that it can be divided.
void WidenEmpty(double& lo, double& hi) {
  if (NearlyEqual(lo, hi)) {
    lo -= 1.0;
    hi += 1.0;
  }
}

// The divisor of a length that splits it most evenly.
double BestDivisor(double length) {
  static constexpr int kByLogarithm[] = {7, 6, 8, 5, 9, 4, 10, 3, 2};
  static constexpr int kByQuotient[] = {4, 5, 3, 8, 6, 7, 2, 9, 10};
  double best = 1e30;
  double divisor = 1;
  for (int i = 0; i < 9; ++i) {
    const double f = std::log(length) / std::log(static_cast<double>(kByLogarithm[i]));
    const double logScore = std::fabs(f - std::trunc(f));
    if (logScore < best) {
      best = logScore;
      divisor = kByLogarithm[i];
    }
    const double q = length / kByQuotient[i];
    const double quotientScore = std::fabs(q - RoundWhole(q));
    if (quotientScore < best) {
      best = quotientScore;
      divisor = kByQuotient[i];
    }
  }
  return divisor;
}

}  // namespace

CChart::CChart() : titleFont_(DefaultChartFont(12)) { dataIds_.fill(-1); }

CChart::~CChart() = default;

bool CChart::SaveData(const std::string& path) {
  if (dataCount_ == 0) return false;
  File file(std::fopen(path.c_str(), "wb"));
  if (!file) return false;
  for (int index = 0; index < dataCount_; ++index) {
    const CChartData& series = *dataSets_[index];
    const int dimensions = series.GetDimensions();
    if ((dimensions == 1 || dimensions == 2) && series.GetValues()) {
      for (int i = 0; i < series.GetCount(); ++i) std::fprintf(file.get(), "%g\r\n", series.GetValues()[i]);
    } else if (dimensions != 1 && dimensions != 2) {
      char text[64];
      std::snprintf(text, sizeof text, "Cannot save files of %d dimensions.", dimensions);
      platform::MessageBox(text);
    }
    if (index + 1 < dataCount_) std::fputs("\r\n", file.get());
  }
  return std::fflush(file.get()) == 0;
}

void CChart::Draw(CChartCanvas&, const ChartRect& rect, const ChartRect&) { lastRect_ = rect; }
void CChart::Draw(CChartCanvas&, const ChartRect& rect) { lastRect_ = rect; }
ChartRect CChart::GetPlotRect(CChartCanvas*, const ChartRect& rect) { return rect; }

std::optional<CChart::PlotScale> CChart::CurrentScale(CChartCanvas* canvas) {
  if (!canvas || lastRect_.IsEmptyNormalized()) return std::nullopt;
  PlotScale scale;
  scale.plot = GetPlotRect(canvas, lastRect_);
  double x[2] = {0, 0};
  double y[2] = {0, 0};
  GetAxisRanges(x, y);
  scale.originX = x[0];
  scale.originY = y[0];
  scale.unitX = (x[1] - x[0]) / std::abs(scale.plot.Width());
  scale.unitY = (y[1] - y[0]) / std::abs(scale.plot.Height());
  if (scale.unitX == 0 || scale.unitY == 0 || !std::isfinite(scale.unitX) || !std::isfinite(scale.unitY))
    return std::nullopt;
  return scale;
}

void CChart::PixelToData(CChartCanvas* canvas, ChartPoint point, double out[2]) {
  const auto scale = out ? CurrentScale(canvas) : std::nullopt;
  if (!scale) return;
  out[0] = scale->unitX * (point.x - scale->plot.left) + scale->originX;
  out[1] = (point.y - scale->plot.bottom) * scale->unitY + scale->originY;
}

void CChart::DataToPixel(CChartCanvas* canvas, const double value[2], ChartPoint* out) {
  const auto scale = out ? CurrentScale(canvas) : std::nullopt;
  if (!scale) return;
  out->x = static_cast<int>((value[0] - scale->originX) / scale->unitX) + scale->plot.left;
  out->y = static_cast<int>((value[1] - scale->originY) / scale->unitY) + scale->plot.bottom;
}

bool CChart::RemoveData(int id) {
  const int index = FindDataIndex(id);
  if (index < 0) return false;
  for (int i = index; i + 1 < dataCount_; ++i) {
    dataSets_[i] = std::move(dataSets_[i + 1]);
    dataIds_[i] = dataIds_[i + 1];
    dataTitles_[i] = std::move(dataTitles_[i + 1]);
  }
  const int last = dataCount_ - 1;
  dataSets_[last].reset();
  dataIds_[last] = -1;
  dataTitles_[last].clear();
  --dataCount_;
  return true;
}

void CChart::RemoveAll() {
  while (dataCount_ > 0 && RemoveData(dataIds_[0])) {
  }
  for (auto& axis : axes_) axis.reset();
  axisCount_ = 0;
  dataCount_ = 0;
  nextDataId_ = 1;
  dataIds_.fill(0);
}

bool CChart::OnAxisSettings(int) { return false; }
bool CChart::OnAxisSettings() { return OnAxisSettings(0); }
bool CChart::OnDataSettings() { return false; }
bool CChart::OnDataSettings(int) { return false; }
bool CChart::OnChartSettings() { return false; }
int CChart::ShowMenu(CChartMenu*, CChartMenuHost*, int, int) { return kMenuDeclined; }
int CChart::ShowMenu(CChartMenuHost*, int, int) { return kMenuDeclined; }
bool CChart::RefreshDataRange(int) { return true; }

int CChart::AddData(const double* values, int dimensions, const int* sizes) {
  if (dataCount_ >= kMaxData) return -1;
  auto series = std::make_unique<CChartData>();
  if (!series->SetData(values, dimensions, sizes)) return -1;
  dataSets_[dataCount_] = std::move(series);
  dataIds_[dataCount_] = nextDataId_;
  ++dataCount_;
  return nextDataId_++;
}

CChartData* CChart::GetDataAt(int index) const {
  return index >= 0 && index < dataCount_ ? dataSets_[index].get() : nullptr;
}

int CChart::FindDataIndex(int id) const {
  for (int index = 0; index < dataCount_; ++index) {
    if (dataIds_[index] == id) return index;
  }
  return -1;
}

CChartData* CChart::GetData(int id) const { return GetDataAt(FindDataIndex(id)); }

void CChart::SetDataTitle(int id, const std::string& title) {
  const int index = FindDataIndex(id);
  if (index >= 0) dataTitles_[index] = title;
}

CAxis* CChart::AddAxis(short location) {
  if (axisCount_ >= kMaxAxes) return nullptr;
  if (CAxis* existing = FindAxis(location)) {
    existing->Reset();
    existing->SetLocation(location);
    return existing;
  }
  axes_[axisCount_] = std::make_unique<CAxis>();
  axes_[axisCount_]->SetLocation(location);
  return axes_[axisCount_++].get();
}

CAxis* CChart::FindAxis(short location) const {
  for (int i = 0; i < axisCount_; ++i) {
    if (axes_[i]->GetLocation() == location) return axes_[i].get();
  }
  return nullptr;
}

CAxis* CChart::GetAxisAt(int index) const {
  return index >= 0 && index < axisCount_ ? axes_[index].get() : nullptr;
}

CAxis* CChart::FindFirstAxis(short location, short fallback) const {
  if (CAxis* axis = FindAxis(location)) return axis;
  return FindAxis(fallback);
}

void CChart::SetAxisRange(bool horizontal, double minimum, double maximum) {
  if (CAxis* axis = FindAxis(horizontal ? kAxisBottom : kAxisLeft)) axis->SetRangeWithMode(1, minimum, maximum);
}

ChartRect CChart::AdjustRectForAxes(CChartCanvas& canvas, ChartRect rect) const {
  for (int i = 0; i < axisCount_; ++i) {
    const CAxis& axis = *axes_[i];
    const ChartSize size = axis.GetSize(canvas);
    const ChartSize overhang = axis.GetLabelOverhang(canvas);
    switch (axis.GetLocation()) {
      case kAxisLeft:
        rect.left += size.cx;
        rect.bottom += overhang.cx;
        rect.top -= overhang.cy;
        break;
      case kAxisBottom:
        rect.bottom += size.cy;
        rect.left += overhang.cx;
        rect.right -= overhang.cy;
        break;
      case kAxisRight:
        rect.right -= size.cx;
        rect.bottom += overhang.cx;
        rect.top -= overhang.cy;
        break;
      case kAxisTop:
        rect.top -= size.cy;
        rect.left += overhang.cx;
        rect.right -= overhang.cy;
        break;
      default:
        break;
    }
  }
  return rect;
}

ChartRect CChart::AdjustRectForTitle(CChartCanvas& canvas, ChartRect rect) const {
  if (title_.empty()) return rect;
  ChartLogFont font = titleFont_;
  const ChartLogFont previous = *SelectPointFont(&canvas, font);
  rect.top -= canvas.TextExtent(title_).cy;
  canvas.SelectFont(previous);
  return rect;
}

void CChart::DrawBackground(CChartCanvas& canvas, const ChartRect& chartRect) const {
  if (fillBackground == 1) canvas.FillRect(chartRect, backgroundColor);
}

void CChart::DrawGrids(CChartCanvas& canvas, const ChartRect& plotRect) const {
  const ChartPen majorPen{majorGridStyle, majorGridWidth, majorGridColor};
  const ChartPen minorPen{minorGridStyle, minorGridWidth, minorGridColor};
  for (int a = 0; a < axisCount_; ++a) {
    const CAxis& axis = *axes_[a];
    const bool left = axis.GetLocation() == kAxisLeft;
    const bool bottom = axis.GetLocation() == kAxisBottom;
    const bool major = left ? majorHorzGrid : majorVertGrid;
    const bool minor = left ? minorHorzGrid : minorVertGrid;
    double range[2];
    axis.GetRange(range);
    // An axis without a range has no ticks to draw lines at.
    if (!(left || bottom) || !(major || minor) || NearlyEqual(range[0], range[1])) continue;
    const double scale = (left ? plotRect.Height() : plotRect.Width()) / (range[1] - range[0]);
    const double minorStep = axis.GetMinorStep();
    const auto line = [&](double offset) {
      if (left) {
        const int y = plotRect.bottom - static_cast<int>(offset * scale);
        canvas.MoveTo({plotRect.left, y});
        canvas.LineTo({plotRect.right, y});
      } else {
        const int x = static_cast<int>(offset * scale) + plotRect.left;
        canvas.MoveTo({x, plotRect.bottom});
        canvas.LineTo({x, plotRect.top});
      }
    };
    const ChartPen previous = canvas.SelectPen(majorPen);
    for (int i = 0; i < axis.GetIntervalCount(); ++i) {
      const double offset = axis.GetTickValue(i) - range[0];
      if (major && i > 0) {
        canvas.SelectPen(majorPen);
        line(offset);
      }
      if (minor) {
        canvas.SelectPen(minorPen);
        for (int j = 1; j < axis.GetMinorTickCount(); ++j) line(offset + j * minorStep);
      }
    }
    canvas.SelectPen(previous);
  }
}

void CChart::DrawFrame(CChartCanvas& canvas, const ChartRect& plotRect) const {
  const ChartPen previous = canvas.SelectPen({kPenSolid, 1, frameColor});
  DrawRectOutline(&canvas, plotRect.left, plotRect.top, plotRect.right, plotRect.bottom);
  canvas.SelectPen(previous);
}

void CChart::DrawTitle(CChartCanvas& canvas, const ChartRect& chartRect, const ChartRect& plotRect) const {
  if (title_.empty()) return;
  ChartRect rect{plotRect.left, chartRect.top, plotRect.right, plotRect.top};
  if (const CAxis* top = FindAxis(kAxisTop)) rect.bottom += top->GetSize(canvas).cy;
  if (rect.bottom == plotRect.top) rect.bottom += 10;
  ChartLogFont font = titleFont_;
  FitFontToWidth(canvas, font, title_, std::abs(plotRect.Width()));
  canvas.SetTextColor(titleColor);
  const ChartLogFont previous = *SelectPointFont(&canvas, font);
  canvas.DrawText(title_, rect, kTextCenter | kTextBottom | kTextSingleLine);
  canvas.SelectFont(previous);
}

void CChart::GetAxisRanges(double x[2], double y[2]) const {
  if (const CAxis* bottom = FindAxis(kAxisBottom)) bottom->GetRange(x);
  if (const CAxis* left = FindAxis(kAxisLeft)) left->GetRange(y);
}

void CChart::GetXRange(double out[2]) const {
  double unused[2];
  GetAxisRanges(out, unused);
}

void CChart::GetYRange(double out[2]) const {
  double unused[2];
  GetAxisRanges(unused, out);
}

void CChart::GetAutoRangeFlags(int* xAuto, int* yAuto) const {
  int x = 1;
  int y = 1;
  bool bottomSeen = false;
  bool leftSeen = false;
  for (int i = 0; i < axisCount_; ++i) {
    const CAxis& axis = *axes_[i];
    const bool manual = axis.IsRangeManual() != 0;
    switch (axis.GetLocation()) {
      case kAxisBottom:
        bottomSeen = true;
        if (manual) x = 0;
        break;
      case kAxisTop:
        if (!bottomSeen && manual) x = 0;
        break;
      case kAxisLeft:
        leftSeen = true;
        if (manual) y = 0;
        break;
      case kAxisRight:
        if (!leftSeen && manual) y = 0;
        break;
      default:
        break;
    }
  }
  if (xAuto) *xAuto = x;
  if (yAuto) *yAuto = y;
}

int CChart::IsXAutoRange() const {
  int x = 1;
  GetAutoRangeFlags(&x, nullptr);
  return x;
}

int CChart::IsYAutoRange() const {
  int y = 1;
  GetAutoRangeFlags(nullptr, &y);
  return y;
}

void CChart::SetAutoRange(bool horizontal) {
  CAxis* axis = horizontal ? FindFirstAxis(kAxisBottom, kAxisTop) : FindFirstAxis(kAxisLeft, kAxisRight);
  if (axis) axis->SetRangeManual(0);
}

void CChart::ComputeNiceRange(const double range[2], double bounds[2], int* majorCount, int* minorCount,
                              int mode) {
  double lo = range[0];
  double hi = range[1];
  WidenEmpty(lo, hi);
  const double margin = mode == 1 ? 0.0 : 0.01;
  const double fillRatio = mode == 1 ? 0.9 : 0.8;
  const double magnitude = std::log10(std::fabs(hi - lo));
  const double power = std::trunc(magnitude);
  const double mantissa = std::pow(10.0, magnitude - power);
  double unit;
  int minorParts;
  if (mantissa >= std::sqrt(10.0)) {
    unit = std::pow(10.0, power);
    minorParts = 9;
  } else if (mantissa >= 1.25) {
    unit = std::pow(10.0, power) * 0.5;
    minorParts = 4;
  } else {
    unit = std::pow(10.0, power - 1);
    minorParts = 9;
  }
  double top = RoundToMultiple(hi + (margin + 0.5) * unit, unit);
  double bottom = RoundToMultiple(lo - (margin + 0.5) * unit, unit);
  if ((hi - lo) / (top - bottom) < fillRatio && RoundWhole((top - bottom - unit) / (0.5 * unit) + 1.0) <= 11 &&
      margin <= 0.01 && top - unit / 2 > hi && bottom + unit / 2 < lo) {
    top -= unit / 2;
    bottom += unit / 2;
    unit /= 2;
    if (minorParts == 9) minorParts = 4;
  } else {
    const auto steps = [&] { return static_cast<long long>(RoundWhole((top - bottom) / unit)); };
    for (long long k = steps(); k >= 11; k = steps()) {
      if (k % 2 != 0) top += unit;
      unit *= 2;
      if (minorParts == 4) minorParts = 9;
    }
    for (long long k = steps(); k <= 3; k = steps()) {
      unit /= 2;
      if (minorParts == 9) minorParts = 4;
    }
  }
  bounds[0] = bottom;
  bounds[1] = top;
  *majorCount = static_cast<int>(std::fabs(RoundWhole((top - bottom) / unit))) - 1;
  *minorCount = minorParts + 1;
}

void CChart::ComputeEvenRange(const double range[2], double bounds[2], int* majorCount, int* minorCount) {
  double lo = range[0];
  double hi = range[1];
  WidenEmpty(lo, hi);
  const double step = (hi - lo) / BestDivisor(hi - lo);
  const double minorStep = step / BestDivisor(step);
  *majorCount = static_cast<int>(std::fabs(RoundWhole((hi - lo) / step))) - 1;
  *minorCount = static_cast<int>(std::fabs(RoundWhole(step / minorStep)));
  bounds[0] = range[0];
  bounds[1] = range[1];
}

void CChart::Serialize(CChartArchive& archive) {
  std::int32_t grids[4] = {majorHorzGrid, majorVertGrid, minorHorzGrid, minorVertGrid};
  std::uint32_t gridColors[2] = {majorGridColor, minorGridColor};
  std::int32_t nextId = nextDataId_;
  std::int16_t dataCount = dataCount_;
  std::int16_t axisCount = axisCount_;
  std::uint32_t colors[3] = {titleColor, backgroundColor, frameColor};
  std::int32_t widths[2] = {majorGridWidth, minorGridWidth};
  for (auto& value : grids) archive.Transfer(value);
  for (auto& value : gridColors) archive.Transfer(value);
  archive.Transfer(nextId);
  archive.Transfer(dataCount);
  archive.Transfer(axisCount);
  archive.Transfer(title_);
  for (auto& value : colors) archive.Transfer(value);
  for (auto& value : widths) archive.Transfer(value);
  // Loading restores into a chart of the same shape: series and axes load into the ones it holds.
  if (!archive.IsStoring() && (dataCount != dataCount_ || axisCount != axisCount_)) {
    archive.SetFailed();
    return;
  }
  for (int i = 0; i < dataCount_; ++i) dataSets_[i]->Serialize(archive);
  for (int i = 0; i < axisCount_; ++i) axes_[i]->Serialize(archive);
  for (int& id : dataIds_) {
    std::int32_t value = id;
    archive.Transfer(value);
    id = value;
  }
  archive.Transfer(titleFont_);
  for (std::string& title : dataTitles_) archive.Transfer(title);
  if (archive.IsStoring() || archive.Failed()) return;
  majorHorzGrid = grids[0];
  majorVertGrid = grids[1];
  minorHorzGrid = grids[2];
  minorVertGrid = grids[3];
  majorGridColor = gridColors[0];
  minorGridColor = gridColors[1];
  nextDataId_ = nextId;
  titleColor = colors[0];
  backgroundColor = colors[1];
  frameColor = colors[2];
  majorGridWidth = widths[0];
  minorGridWidth = widths[1];
}
