#pragma once
// The chart of one AP's poll history over a utilisation window: its connected users as a step line, or
// its traffic between poll rounds. A missing poll round shows as a drop to -1 users (or 0 traffic) across
// the gap.
#include <cstdint>
#include <vector>

#include "db/ApInfoRecord.h"
#include "db/RecorderPollingRecord.h"
#include "usage/UtilizationTimeWindow.h"

class CXYChart;

enum ApPlotMode : int { kPlotNone = -1, kPlotUsers = 1, kPlotTraffic = 2 };
enum ApValueKind : int { kValueUsers = 1, kValueTraffic = 2 };

struct PlotPoint {
  double x = 0;
  double y = 0;
  bool operator==(const PlotPoint&) const = default;
};

// The records, in poll order, with two points of count -1 and traffic 0 across every missing poll round
// (stamped with the times of the records on both sides), and with withSteps a point at the previous count
// before each change of count, so that a line through them is a step line.
std::vector<RecorderPollingRecord> WithGapPoints(const std::vector<RecorderPollingRecord>& records, bool withSteps);
// Smallest and largest users count (kind 1) or traffic counter (kind 2), starting from the first record;
// 0 and 0 for none.
void GetValueRange(const std::vector<RecorderPollingRecord>& records, int kind, std::int64_t range[2]);
// The points of each chart: users with a count of 0 lifted to 0.02 so it shows above the axis; traffic as
// each round's growth of the counter. A time text that names no date is plotted at the window's start.
std::vector<PlotPoint> UsersPoints(const std::vector<RecorderPollingRecord>& records, const UsageWindow& window);
std::vector<PlotPoint> TrafficPoints(const std::vector<RecorderPollingRecord>& records, const UsageWindow& window);
// The top of the users axis: the next multiple of 10 above the largest count.
int UsersAxisTop(int largest);

// Fills an empty chart with the AP's records (mode kPlotUsers or kPlotTraffic) for the window; the bottom
// axis' ticks follow the filter. ap names the AP in the title.
void BuildChart(const std::vector<RecorderPollingRecord>& records, CXYChart& chart, int mode, int filter,
                const ApInfoRecord& ap, const UsageWindow& window);
