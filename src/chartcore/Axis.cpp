#include "chartcore/Axis.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "chartcore/ChartUtilities.h"
#include "chartcore/TimeTicks.h"

namespace {

constexpr ChartColor kResetColor = ChartRgb(0, 100, 0);
constexpr int kMinutesPerYear = 525600;
constexpr int kMinutesPerMonth = 43200;
constexpr int kMinutesPerDay = 1440;
constexpr int kSecondsPerDay = 86400;

// Menu items, relative to the popup's base id.
enum AxisMenuItem : int {
  kItemAutoRange = 0,
  kItemTitleSize = 1,    // .. 7
  kItemLabelSize = 8,    // .. 14
  kItemMajorAuto = 15,
  kItemMajorCount = 16,  // .. 24: counts 2 .. 10
  kItemMinorAuto = 25,
  kItemMinorCount = 26,  // .. 34: counts 2 .. 10
  kItemCount = 35,
};

std::string Format(const char* format, auto... values) {
  char text[64];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

// A whole tick value as an integer, any other with its significant digits.
std::string FormatValue(double value) {
  if (std::fabs(value) < 1e15 && value == std::trunc(value)) return Format("%2lld", static_cast<long long>(value));
  return Format("%g", value);
}

}  // namespace

CAxis::CAxis() {
  Reset();
  color_ = 0;
  timeMode = false;
}

CAxis& CAxis::operator=(const CAxis& other) {
  majorTicks_ = other.majorTicks_;
  minorTicks_ = other.minorTicks_;
  majorTickLength_ = other.majorTickLength_;
  minorTickLength_ = other.minorTickLength_;
  minimum_ = other.minimum_;
  maximum_ = other.maximum_;
  reserved_ = other.reserved_;
  title_ = other.title_;
  axisLocation_ = other.axisLocation_;
  titleFont_ = other.titleFont_;
  labelFont_ = other.labelFont_;
  color_ = other.color_;
  titleColor_ = other.titleColor_;
  rangeIsManual_ = other.rangeIsManual_;
  return *this;
}

void CAxis::Reset() {
  majorTicks_ = 9;
  minorTicks_ = 4;
  majorTickLength_ = 20;
  minorTickLength_ = 10;
  lineWidth_ = 1;
  minimum_ = 0;
  maximum_ = 0;
  labelBase_ = 0;
  reserved_ = 1;
  title_.clear();
  axisLocation_ = kAxisBottom;
  titleFont_ = DefaultChartFont(16);
  labelFont_ = DefaultChartFont(12);
  color_ = kResetColor;
  titleColor_ = 0;
  rangeIsManual_ = 0;
}

CAxis& CAxis::SetLocation(short location) {
  axisLocation_ = location;
  return *this;
}

std::string CAxis::LocationName(short location) {
  switch (location) {
    case kAxisLeft: return "Left Axis";
    case kAxisBottom: return "Bottom Axis";
    case kAxisRight: return "Right Axis";
    case kAxisTop: return "Top Axis";
    default: return "Error";
  }
}

void CAxis::SetRange(double minimum, double maximum) { SetRangeWithMode(1, minimum, maximum); }

CAxis& CAxis::SetRangeWithMode(int manual, double minimum, double maximum) {
  minimum_ = minimum;
  maximum_ = maximum;
  rangeIsManual_ = manual;
  return *this;
}

void CAxis::GetRange(double out[2]) const {
  out[0] = minimum_;
  out[1] = maximum_;
}

void CAxis::SetMajorTicks(int count) {
  if (count < 0 && majorTicks_ > 0) return;
  majorTicks_ = count;
}

void CAxis::SetMinorTicks(int count) {
  if (count < 0 && minorTicks_ > 0) return;
  minorTicks_ = count;
}

int CAxis::GetMajorTickCount() const { return std::abs(majorTicks_); }
int CAxis::GetMinorTickCount() const { return std::abs(minorTicks_); }
int CAxis::GetIntervalCount() const { return GetMajorTickCount() > 0 ? GetMajorTickCount() + 1 : 5; }

double CAxis::GetTickValue(int i) const {
  const int n = GetMajorTickCount();
  if (i < 0 || (n > 0 && i > n + 1)) return 0.0;
  return minimum_ + i * (maximum_ - minimum_) / static_cast<double>(GetIntervalCount());
}

std::string CAxis::GetTickLabel(int i) const { return Format("%g", GetTickValue(i)); }

double CAxis::GetMinorStep() const {
  const int m = GetMinorTickCount();
  return m > 0 ? (GetTickValue(1) - GetTickValue(0)) / m : 0.0;
}

std::string CAxis::GetDrawnLabel(int i) const {
  if (IsVertical()) return FormatValue(GetTickValue(i));
  return timeMode ? TimeLabel(i) : MinuteCountLabel(i);
}

void CAxis::SetTimeWindow(std::time_t start, std::time_t end) {
  const TimeTicks ticks = ChooseTimeTicks(start, end);
  startTime = start;
  endTime = end;
  timeMode = true;
  timeFormat_ = ticks.format;
  timeRounding_ = ticks.rounding;
  majorTicks_ = ticks.intervals - 1;
}

std::string CAxis::TimeLabel(int i) const {
  if (timeFormat_) {
    // The tick's own moment, rounded to the label's unit so that a window a second short of a whole day,
    // or an hour off for daylight saving time, still names its midnights and hours.
    const double step = static_cast<double>(endTime - startTime) / GetIntervalCount();
    const std::time_t instant = startTime + static_cast<std::time_t>(std::llround(i * step)) + timeRounding_;
    std::tm local{};
    localtime_r(&instant, &local);
    char text[32];
    std::strftime(text, sizeof text, timeFormat_, &local);
    return text;
  }
  const long long span = static_cast<long long>(maximum_ - minimum_);
  const long long step = (static_cast<long long>(endTime - startTime) + 10) / GetIntervalCount();
  const std::time_t instant = startTime + static_cast<std::time_t>(i * step);
  std::tm local{};
  localtime_r(&instant, &local);
  char text[32];
  std::strftime(text, sizeof text, span <= kSecondsPerDay ? "%H" : "%m/%d", &local);
  return text;
}

std::string CAxis::MinuteCountLabel(int i) const {
  const long long span = static_cast<long long>(maximum_ - minimum_);
  long long minutes = static_cast<long long>(GetTickValue(i)) % kMinutesPerYear;
  const long long month = minutes / kMinutesPerMonth;
  minutes %= kMinutesPerMonth;
  const long long day = minutes / kMinutesPerDay;
  minutes %= kMinutesPerDay;
  const long long hour = minutes / 60;
  minutes %= 60;
  if (span <= kSecondsPerDay) return Format("%02lld-%02lld:%02lld", day, hour, minutes);
  return Format("%02lld/%02lld-%02lld", month, day, hour);
}

ChartSize CAxis::GetSize(CChartCanvas& canvas) const {
  ChartSize size;
  if (!title_.empty()) {
    ChartLogFont font = titleFont_;
    const ChartLogFont previous = *SelectPointFont(&canvas, font);
    size = canvas.TextExtent(title_);
    canvas.SelectFont(previous);
  }
  if (GetMajorTickCount() > 0) {
    // The texts Draw puts at the ticks, in the unshrunk label font: Draw places the title beyond the widest
    // of them, so the room taken here holds the title whatever the labels' width.
    ChartLogFont font = labelFont_;
    const ChartLogFont previous = *SelectPointFont(&canvas, font);
    int widest = 0;
    int tallest = 0;
    for (int i = 0; i <= GetIntervalCount(); ++i) {
      const ChartSize extent = canvas.TextExtent(GetDrawnLabel(i));
      widest = std::max(widest, extent.cx);
      tallest = std::max(tallest, extent.cy);
    }
    canvas.SelectFont(previous);
    if (IsVertical()) {
      size.cx += tallest + 15;
      size.cy += widest + 15;
    } else {
      size.cx += widest + 10;
      size.cy += tallest + 10;
    }
  }
  size.cy += std::max(majorTickLength_, minorTickLength_) / 2;
  if (IsVertical()) std::swap(size.cx, size.cy);
  return size;
}

ChartSize CAxis::GetLabelOverhang(CChartCanvas& canvas) const {
  const int n = GetMajorTickCount();
  if (n == 0) return {};
  ChartLogFont font = labelFont_;
  const ChartLogFont previous = *SelectPointFont(&canvas, font);
  const int height = canvas.TextMetrics().height;
  ChartSize overhang;
  if (IsVertical()) {
    overhang = {height, height};
  } else {
    int last = 0;
    for (int i = n; i <= n + 1; i += n) last = i;
    overhang = {canvas.TextExtent(GetTickLabel(0)).cx / 2, canvas.TextExtent(GetTickLabel(last)).cx / 2};
  }
  canvas.SelectFont(previous);
  return overhang;
}

ChartLogFont CAxis::FitLabelFont(CChartCanvas& canvas, const ChartRect& plotRect) const {
  // Room per label: the plot's length over the major count (over 5 intervals when that count is 0).
  const int slots = GetMajorTickCount() > 0 ? GetMajorTickCount() : GetIntervalCount();
  const int room = (IsVertical() ? std::abs(plotRect.Height()) : std::abs(plotRect.Width())) / slots;
  ChartLogFont font = labelFont_;
  for (;;) {
    const ChartLogFont previous = *SelectPointFont(&canvas, font);
    const ChartTextMetrics metrics = canvas.TextMetrics();
    canvas.SelectFont(previous);
    const int needed = IsVertical() ? metrics.height : 3 * metrics.averageCharWidth;
    if (needed <= room || font.height <= 4) return font;
    --font.height;
  }
}

void CAxis::Draw(CChartCanvas& canvas, const ChartRect& chartRect, const ChartRect& plotRect) const {
  const ChartPen previousPen = canvas.SelectPen({kPenSolid, lineWidth_, color_});
  canvas.SetTextColor(color_);
  ChartLogFont labelFont = FitLabelFont(canvas, plotRect);
  const ChartLogFont previousFont = *SelectPointFont(&canvas, labelFont);

  unsigned format = kTextSingleLine | kTextNoClip;
  int labelExtent = 0;
  if (IsVertical()) {
    format |= kTextVCenter | (axisLocation_ == kAxisLeft ? kTextRight : 0u);
  } else {
    format |= kTextCenter | (axisLocation_ == kAxisTop ? kTextBottom : 0u);
    labelExtent = canvas.TextMetrics().height;
  }
  const int labelSide = axisLocation_ == kAxisBottom || axisLocation_ == kAxisRight ? -1 : 1;
  if (!NearlyEqual(maximum_, minimum_)) {
    labelExtent = DrawTicksAndLabels(canvas, plotRect, format, labelSide, labelExtent);
  }
  canvas.SelectFont(previousFont);
  canvas.SelectPen(previousPen);
  DrawTitle(canvas, chartRect, plotRect, labelExtent, std::max(majorTickLength_, minorTickLength_) / 2);
}

int CAxis::DrawTicksAndLabels(CChartCanvas& canvas, const ChartRect& plotRect, unsigned format, int labelSide,
                              int labelExtent) const {
  const double range = maximum_ - minimum_;
  const double minorStep = GetMinorStep();
  const int m = GetMinorTickCount();
  const int intervals = GetIntervalCount();
  for (int i = 0; i <= intervals; ++i) {
    const double value = GetTickValue(i);
    const std::string label = GetDrawnLabel(i);
    if (!IsVertical()) {
      const int width = plotRect.Width();
      const int y0 = axisLocation_ == kAxisTop ? plotRect.top : plotRect.bottom;
      const int x = plotRect.left + static_cast<int>((value - minimum_) * width / range);
      canvas.MoveTo({x, y0 - majorTickLength_ / 2});
      canvas.LineTo({x, y0 - majorTickLength_ / 2 + majorTickLength_});
      for (int j = 1; i < intervals && j < m; ++j) {
        const int minorX = plotRect.left + static_cast<int>((value - minimum_ + j * minorStep) * width / range);
        canvas.MoveTo({minorX, y0 + minorTickLength_ / 2});
        canvas.LineTo({minorX, y0 + minorTickLength_ / 2 - minorTickLength_});
      }
      const ChartPoint anchor{x, y0 + labelSide * majorTickLength_ / 2};
      canvas.DrawText(label, {anchor.x, anchor.y, anchor.x, anchor.y}, format);
    } else {
      const int height = plotRect.Height();
      const int x0 = axisLocation_ == kAxisRight ? plotRect.right : plotRect.left;
      const int y = plotRect.bottom - static_cast<int>((value - minimum_) * height / range);
      canvas.MoveTo({x0 - majorTickLength_ / 2, y});
      canvas.LineTo({x0 - majorTickLength_ / 2 + majorTickLength_, y});
      for (int j = 1; i < intervals && j < m; ++j) {
        const int minorY = plotRect.bottom - static_cast<int>((value - minimum_ + j * minorStep) * height / range);
        canvas.MoveTo({x0 - minorTickLength_ / 2, minorY});
        canvas.LineTo({x0 - minorTickLength_ / 2 + minorTickLength_, minorY});
      }
      const ChartPoint anchor{x0 - labelSide * majorTickLength_ / 2, y};
      canvas.DrawText(label, {anchor.x, anchor.y, anchor.x, anchor.y}, format);
      labelExtent = std::max(labelExtent, canvas.TextExtent(label).cx);
    }
  }
  return labelExtent;
}

void CAxis::DrawTitle(CChartCanvas& canvas, const ChartRect& chartRect, const ChartRect& plotRect, int labelExtent,
                      int halfTickExtent) const {
  if (title_.empty()) return;
  const int plotHeight = plotRect.Height();
  ChartLogFont font = titleFont_;
  ChartSize extent =
      FitFontToWidth(canvas, font, title_, IsVertical() ? std::abs(plotHeight) : std::abs(plotRect.Width()));
  if (IsVertical()) {
    font.escapement = font.orientation = axisLocation_ == kAxisLeft ? 2700 : 900;
    const ChartLogFont previous = *SelectPointFont(&canvas, font);
    extent = canvas.TextExtent(title_);
    canvas.SelectFont(previous);
  }
  const int cx = extent.cx;
  const int cy = extent.cy;
  ChartRect rect;
  unsigned format = kTextSingleLine;
  switch (axisLocation_) {
    case kAxisLeft: {
      rect.right = plotRect.left - 10 - labelExtent - halfTickExtent;
      rect.left = rect.right - cy;
      const int base = plotRect.top + plotHeight / 2 - cx / 2 - cy / 2;
      rect.top = base + cx + cy / 2;
      rect.bottom = base - cy / 2;
      format |= kTextBottom;
      break;
    }
    case kAxisRight:
      rect.left = plotRect.right + labelExtent + cy + halfTickExtent;
      rect.right = rect.left - cy;
      rect.top = plotRect.top + plotHeight / 2 + cx / 2;
      rect.bottom = rect.top - cx;
      break;
    case kAxisTop:
      rect = {plotRect.left, 0, plotRect.right, plotRect.top + labelExtent + 5 + halfTickExtent};
      rect.top = rect.bottom + cy;
      format |= kTextCenter | kTextBottom;
      break;
    case kAxisBottom:
      rect = {plotRect.left, plotRect.bottom - 5 - labelExtent - halfTickExtent, plotRect.right, 0};
      rect.bottom = rect.top - cy;
      format |= kTextCenter;
      break;
    default:
      return;
  }
  if (IsVertical()) {
    rect.bottom = std::max(rect.bottom, chartRect.bottom);
    rect.top = std::min(rect.top, chartRect.top);
  }
  canvas.SetTextColor(titleColor_);
  const ChartLogFont previous = *SelectPointFont(&canvas, font);
  canvas.DrawText(title_, rect, format);
  canvas.SelectFont(previous);
}

void CAxis::BuildTickMenu(CChartMenu& parent, const std::string& caption, int current, int baseId) {
  CChartMenu popup;
  popup.AppendCommand(baseId, "Auto", MenuCheckFlag(current <= 0));
  for (int count = 2; count <= 10; ++count) {
    popup.AppendCommand(baseId + count - 1, std::to_string(count), MenuCheckFlag(count == current));
  }
  parent.AppendPopup(caption, std::move(popup));
}

void CAxis::BuildMenu(CChartMenu& parent, int baseId) const {
  CChartMenu popup;
  popup.AppendCommand(baseId + kItemAutoRange, "Auto range", MenuCheckFlag(rangeIsManual_ == 0));
  BuildFontSizeMenu(popup, "Title size", titleFont_.height, baseId + kItemTitleSize);
  BuildFontSizeMenu(popup, "Label size", labelFont_.height, baseId + kItemLabelSize);
  popup.AppendSeparator();
  BuildTickMenu(popup, "Major ticks", majorTicks_ + 1, baseId + kItemMajorAuto);
  BuildTickMenu(popup, "Minor ticks", minorTicks_, baseId + kItemMinorAuto);
  popup.AppendSeparator();
  popup.AppendCommand(baseId + kSettingsItem, "Settings...");
  parent.AppendPopup(LocationName(axisLocation_), std::move(popup));
}

int CAxis::InterpretMenuCommand(int item) {
  if (item < 0 || item >= kItemCount) return kMenuNothing;
  if (item == kItemAutoRange) {
    rangeIsManual_ = rangeIsManual_ == 0 ? 1 : 0;
  } else if (item < kItemLabelSize) {
    titleFont_.height = FontSizeOfEntry(item - kItemTitleSize);
  } else if (item < kItemMajorAuto) {
    labelFont_.height = FontSizeOfEntry(item - kItemLabelSize);
  } else if (item == kItemMajorAuto) {
    majorTicks_ = -std::abs(majorTicks_);
  } else if (item < kItemMinorAuto) {
    majorTicks_ = item - kItemMajorCount + 2 - 1;
  } else if (item == kItemMinorAuto) {
    minorTicks_ = -std::abs(minorTicks_);
  } else {
    minorTicks_ = item - kItemMinorCount + 2;
  }
  return kMenuHandled;
}

void CAxis::SetLabelRange(double first, double last) {
  labelBase_ = static_cast<int>(first);
  labelLast_ = static_cast<int>(last);
}

void CAxis::SetTickSpan(int first, int second) {
  tickSpan_[0] = first;
  tickSpan_[1] = second;
}

void CAxis::Serialize(CChartArchive& archive) {
  std::int32_t major = majorTicks_, minor = minorTicks_, majorLength = majorTickLength_,
               minorLength = minorTickLength_, reserved = reserved_, manual = rangeIsManual_, width = lineWidth_;
  std::uint32_t color = color_, titleColor = titleColor_;
  archive.Transfer(major);
  archive.Transfer(minor);
  archive.Transfer(majorLength);
  archive.Transfer(minorLength);
  archive.Transfer(minimum_);
  archive.Transfer(maximum_);
  archive.Transfer(reserved);
  archive.Transfer(title_);
  archive.Transfer(axisLocation_);
  archive.Transfer(color);
  archive.Transfer(titleColor);
  archive.Transfer(manual);
  archive.Transfer(width);
  archive.Transfer(titleFont_);
  archive.Transfer(labelFont_);
  if (archive.IsStoring()) return;
  majorTicks_ = major;
  minorTicks_ = minor;
  majorTickLength_ = majorLength;
  minorTickLength_ = minorLength;
  reserved_ = reserved;
  color_ = color;
  titleColor_ = titleColor;
  rangeIsManual_ = manual;
  lineWidth_ = width;
}
