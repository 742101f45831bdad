#pragma once
// The time window of a utilisation chart: a filter (Hour, Day, Week, Month) picks the window's size and
// the period its edges snap to, and the page commands First, Prev, Next and Last move it through the
// recorded history. The anchor is always the start of the shown window. Every operation takes "now" from
// its caller, so the arithmetic is the same in the views and in tests.
#include <optional>
#include <string>
#include <vector>

#include "db/RecorderPollingRecord.h"
#include "platform/Clock.h"

enum UsageFilter : int { kFilterNone = -1, kFilterHour = 0, kFilterDay = 1, kFilterWeek = 2, kFilterMonth = 3 };
enum PageCommand : int { kPageFirst = 0, kPagePrev = 1, kPageNext = 2, kPageLast = 3 };

// A window size in local calendar days and hours.
struct WindowSpan {
  int days = 0;
  int hours = 0;
};

// The window size of each filter but Month, which is always one calendar month.
struct WindowUnits {
  WindowSpan hour;
  WindowSpan day;
  WindowSpan week;
};

// The group view shows the period that contains a moment; the AP view shows more of the history at once.
inline constexpr WindowUnits kGroupViewUnits{{0, 1}, {1, 0}, {7, 0}};
inline constexpr WindowUnits kApViewUnits{{1, 0}, {8, 0}, {42, 0}};

// Whether each navigation button is enabled.
struct NavButtonStates {
  bool first = true;
  bool prev = true;
  bool next = true;
  bool last = true;
  bool operator==(const NavButtonStates&) const = default;
};

// A finished window: its edges, the minute stamps the record queries take (both ends included) and the
// range label.
struct UsageWindow {
  platform::TimePoint start{};
  platform::TimePoint end{};
  int startMinutes = 0;
  int endMinutes = 0;
  std::string label;
};

class CUtilizationTimeWindow {
 public:
  // Anchor and oldest time start at now.
  CUtilizationTimeWindow(WindowUnits units, platform::TimePoint now);

  // The filter of the checked radio; with none checked the last one read stays (kFilterNone before any).
  int GetFilterType(std::optional<int> checkedFilter);
  int FilterType() const { return filter_; }

  // The oldest records known for what is shown: only whether there are any matters here.
  void SetOldest(platform::TimePoint oldest, bool hasOldestRecords);
  // The oldest time from an AP's oldest records, oldest first: the first one's time, now when there is
  // none or its time text names no date.
  void TakeOldestRecords(const std::vector<RecorderPollingRecord>& records, platform::TimePoint now);
  platform::TimePoint Oldest() const { return oldest_; }
  bool HasOldestRecords() const { return hasOldestRecords_; }
  platform::TimePoint Anchor() const { return anchor_; }
  void SetAnchor(platform::TimePoint anchor) { anchor_ = anchor; }

  // Moves the window for the page command under the current filter (kFilterHour..kFilterMonth): snaps the
  // anchor to the filter's period, may move it, and returns the window's other edge.
  platform::TimePoint ComputeTimeWindow(int page, platform::TimePoint now);
  // The first window of the AP view, whatever the filter: 7 days before today 00:00 (the anchor) to
  // tomorrow 00:00 (returned).
  platform::TimePoint InitialApWindow(platform::TimePoint now);
  // Orders the anchor and the other edge into the window, and sets the buttons by where it lies: at its
  // end now is reached, at its start the oldest record. After First and Prev the anchor becomes the edge.
  UsageWindow FinishWindow(platform::TimePoint otherEdge, int page, platform::TimePoint now, NavButtonStates& buttons);

 private:
  platform::TimePoint Align(platform::TimePoint moment) const;
  // One window size forward (+1) or back (-1) from an aligned moment.
  platform::TimePoint Step(platform::TimePoint aligned, int direction) const;
  // The start of the period after the one an aligned moment starts.
  platform::TimePoint NextPeriod(platform::TimePoint aligned) const;

  WindowUnits units_;
  int filter_ = kFilterNone;
  platform::TimePoint anchor_;
  platform::TimePoint oldest_;
  bool hasOldestRecords_ = false;
};

// What a navigation command does to the buttons besides the window's own rules: Next and Prev before the
// refresh, First and Last after it.
void ButtonsBeforePage(int page, NavButtonStates& buttons);
void ButtonsAfterPage(int page, NavButtonStates& buttons);

// Seconds since 1970, the charts' x measure.
double ChartSeconds(platform::TimePoint moment);
// A record's poll time in chart seconds; a time text that names no date gives the fallback.
double RecordSeconds(const RecorderPollingRecord& record, platform::TimePoint fallback);
