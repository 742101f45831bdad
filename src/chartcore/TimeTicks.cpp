#include "chartcore/TimeTicks.h"

#include <cstdlib>

namespace {

constexpr long long kMinute = 60;
constexpr long long kHour = 3600;
constexpr long long kDay = 86400;

struct Step {
  long long seconds;
  const char* format;
  int rounding;
  int mostIntervals;
  long long longestSpan;  // the labels stop being distinct past this span
};

// Finest first; a label of hours or minutes names one day only, a day of the month one month only.
constexpr Step kSteps[] = {
    {5 * kMinute, "%H:%M", 30, 12, kDay},   {10 * kMinute, "%H:%M", 30, 12, kDay},
    {15 * kMinute, "%H:%M", 30, 12, kDay},  {30 * kMinute, "%H:%M", 30, 12, kDay},
    {kHour, "%H", 1800, 24, kDay},          {2 * kHour, "%H", 1800, 24, kDay},
    {3 * kHour, "%H", 1800, 24, kDay},      {6 * kHour, "%H", 1800, 24, kDay},
    {kDay, "%m/%d", 43200, 12, 366 * kDay}, {2 * kDay, "%m/%d", 43200, 12, 366 * kDay},
    {7 * kDay, "%m/%d", 43200, 12, 366 * kDay}, {kDay, "%d", 43200, 31, 31 * kDay + kHour},
};
constexpr int kMostDateIntervals = 12;

// How far a window may miss a whole number of steps: a second short, or a daylight-saving hour for days.
long long Slack(long long step) { return step >= kDay ? kHour : 1; }

// The number of whole steps in span, or 0 when span is not one.
long long WholeSteps(long long span, long long step) {
  const long long count = (span + step / 2) / step;
  return count > 0 && std::llabs(span - count * step) <= Slack(step) ? count : 0;
}

}  // namespace

TimeTicks ChooseTimeTicks(std::time_t start, std::time_t end) {
  const long long span = static_cast<long long>(end) - static_cast<long long>(start);
  if (span <= 0) return {5, "%H:%M", 30};
  for (const Step& step : kSteps) {
    const long long count = WholeSteps(span, step.seconds);
    if (count > 1 && count <= step.mostIntervals && span <= step.longestSpan + Slack(step.seconds))
      return {static_cast<int>(count), step.format, step.rounding};
  }
  // A long window of whole days: the most intervals of equal whole days, dated.
  const long long days = WholeSteps(span, kDay);
  for (long long intervals = kMostDateIntervals; days > 0 && intervals > 1; --intervals)
    if (days % intervals == 0) return {static_cast<int>(intervals), "%m/%d", 43200};
  // Anything else: five equal intervals, each tick named to the minute.
  return {5, span <= kDay ? "%H:%M" : "%m/%d %H:%M", 30};
}
