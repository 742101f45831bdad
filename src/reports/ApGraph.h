#pragma once
// The chart of one AP's history in a report: its connected users (kind 1) or its traffic between poll
// rounds (kind 2), plotted over the report window.
#include <vector>

#include "db/RecorderReportRecord.h"
#include "platform/Clock.h"

class CXYChart;

struct ReportWindow {
  platform::TimePoint begin{};  // the first day at 00:00:00
  platform::TimePoint end{};    // the last day at 23:59:59
};

// Smallest and largest users count of the rows (kind 1); false without touching range for no rows.
bool GetRecorderRange(const std::vector<RecorderReportRecord>& rows, int kind, double range[2]);
// Fills an empty chart with the rows (one AP's, in poll order). Other kinds leave the chart empty. True.
bool BuildApGraph(const std::vector<RecorderReportRecord>& rows, CXYChart& chart, int kind,
                  const ReportWindow& window);
// The traffic of a poll round from the AP's counter and the one before: the growth, or after a counter
// reset the counter itself (never below 0).
long long TrafficGrowth(long long current, long long previous);
// The top of the traffic axis for the largest difference: the next step above it, the step growing tenfold
// with each decade of max / 10.
long long TrafficAxisTop(long long max);
