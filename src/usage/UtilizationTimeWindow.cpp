#include "usage/UtilizationTimeWindow.h"

#include <algorithm>
#include <chrono>
#include <ctime>

#include "db/LoadBalanceDb.h"
#include "platform/MinuteStamp.h"

namespace {

platform::TimePoint FromLocal(std::tm local) {
  local.tm_isdst = -1;  // the zone decides, so a local 00:00 stays 00:00 across a change of daylight saving
  return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

// Calendar arithmetic in local time: the fields carry over through mktime.
platform::TimePoint AddLocal(platform::TimePoint moment, int months, int days, int hours) {
  std::tm local = platform::LocalTime(moment);
  local.tm_mon += months;
  local.tm_mday += days;
  local.tm_hour += hours;
  return FromLocal(local);
}

}  // namespace

CUtilizationTimeWindow::CUtilizationTimeWindow(WindowUnits units, platform::TimePoint now)
    : units_(units), anchor_(now), oldest_(now) {}

int CUtilizationTimeWindow::GetFilterType(std::optional<int> checkedFilter) {
  if (checkedFilter) filter_ = *checkedFilter;
  return filter_;
}

void CUtilizationTimeWindow::SetOldest(platform::TimePoint oldest, bool hasOldestRecords) {
  oldest_ = oldest;
  hasOldestRecords_ = hasOldestRecords;
}

void CUtilizationTimeWindow::TakeOldestRecords(const std::vector<RecorderPollingRecord>& records,
                                               platform::TimePoint now) {
  const std::optional<platform::TimePoint> first =
      records.empty() ? std::nullopt : CLoadBalanceDb::ParseRecorderTime(records.front().strCurrent);
  SetOldest(first.value_or(now), !records.empty());
}

platform::TimePoint CUtilizationTimeWindow::Align(platform::TimePoint moment) const {
  std::tm local = platform::LocalTime(moment);
  local.tm_sec = 0;
  local.tm_min = 0;
  if (filter_ == kFilterHour) return FromLocal(local);
  local.tm_hour = 0;
  if (filter_ == kFilterWeek) local.tm_mday -= local.tm_wday;  // back to Sunday
  if (filter_ == kFilterMonth) local.tm_mday = 1;
  return FromLocal(local);
}

platform::TimePoint CUtilizationTimeWindow::Step(platform::TimePoint aligned, int direction) const {
  switch (filter_) {
    case kFilterHour:
      return AddLocal(aligned, 0, direction * units_.hour.days, direction * units_.hour.hours);
    case kFilterDay:
      return AddLocal(aligned, 0, direction * units_.day.days, direction * units_.day.hours);
    case kFilterWeek:
      return AddLocal(aligned, 0, direction * units_.week.days, direction * units_.week.hours);
    default:
      return AddLocal(aligned, direction, 0, 0);  // from the 1st to the 1st: each month its own length
  }
}

platform::TimePoint CUtilizationTimeWindow::NextPeriod(platform::TimePoint aligned) const {
  switch (filter_) {
    case kFilterHour:
      return AddLocal(aligned, 0, 0, 1);
    case kFilterDay:
      return AddLocal(aligned, 0, 1, 0);
    case kFilterWeek:
      return AddLocal(aligned, 0, 7, 0);
    default:
      return AddLocal(aligned, 1, 0, 0);
  }
}

platform::TimePoint CUtilizationTimeWindow::ComputeTimeWindow(int page, platform::TimePoint now) {
  anchor_ = Align(anchor_);
  switch (page) {
    case kPageFirst: {
      const platform::TimePoint start = Align(oldest_);
      anchor_ = Step(start, 1);
      return start;
    }
    case kPagePrev:
      return Step(anchor_, -1);
    case kPageNext:
      anchor_ = Step(anchor_, 1);
      return Step(anchor_, 1);
    default: {
      const platform::TimePoint end = NextPeriod(Align(now));
      anchor_ = Step(end, -1);
      return end;
    }
  }
}

platform::TimePoint CUtilizationTimeWindow::InitialApWindow(platform::TimePoint now) {
  std::tm today = platform::LocalTime(now);
  today.tm_hour = 0;
  today.tm_min = 0;
  today.tm_sec = 0;
  const platform::TimePoint midnight = FromLocal(today);
  anchor_ = AddLocal(midnight, 0, -7, 0);
  return AddLocal(midnight, 0, 1, 0);
}

UsageWindow CUtilizationTimeWindow::FinishWindow(platform::TimePoint otherEdge, int page, platform::TimePoint now,
                                                 NavButtonStates& buttons) {
  UsageWindow window;
  window.start = std::min(otherEdge, anchor_);
  window.end = std::max(otherEdge, anchor_);
  window.startMinutes = platform::MinuteStampOf(window.start);
  window.endMinutes = platform::MinuteStampOf(window.end);
  window.label = platform::FormatLocalTime(window.start, "%Y-%m-%d %H:%M:%S ~ ") +
                 platform::FormatLocalTime(window.end, "%Y-%m-%d %H:%M:%S");
  if (window.end >= now) {
    buttons.first = buttons.prev = true;
    buttons.next = buttons.last = false;
  }
  if (page == kPageFirst || page == kPagePrev) anchor_ = otherEdge;
  if (otherEdge <= oldest_) {
    buttons.first = buttons.prev = false;
    if (hasOldestRecords_) buttons.next = buttons.last = true;
  }
  return window;
}

void ButtonsBeforePage(int page, NavButtonStates& buttons) {
  if (page == kPageNext) buttons.first = buttons.prev = buttons.last = true;
  if (page == kPagePrev) buttons.first = buttons.next = buttons.last = true;
}

void ButtonsAfterPage(int page, NavButtonStates& buttons) {
  if (page == kPageFirst) {
    buttons.first = buttons.prev = false;
    buttons.next = buttons.last = true;
  }
  if (page == kPageLast) {
    buttons.first = buttons.prev = true;
    buttons.next = buttons.last = false;
  }
}

double ChartSeconds(platform::TimePoint moment) {
  return static_cast<double>(std::chrono::system_clock::to_time_t(moment));
}

double RecordSeconds(const RecorderPollingRecord& record, platform::TimePoint fallback) {
  return ChartSeconds(CLoadBalanceDb::ParseRecorderTime(record.strCurrent).value_or(fallback));
}
