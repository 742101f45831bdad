// The AP utilisation chart: gap and step points, traffic between rounds, axis tops, and what the chart
// shows for an AP with and without records.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "chartcore/XYChart.h"
#include "db/LoadBalanceDb.h"
#include "usage/ApUsageChart.h"

namespace {

RecorderPollingRecord Round(int index, int users, long long traffic = 0) {
  RecorderPollingRecord record;
  record.Mac_ap = "02:44:71:00:01:01";
  record.nIndex_polling = index;
  record.count_conn_client = users;
  record.traffic_ap = traffic;
  record.strCurrent = "20060303_10:" + std::to_string(10 + index) + ":00";
  return record;
}

double T(int index) {
  return static_cast<double>(std::chrono::system_clock::to_time_t(
      *CLoadBalanceDb::ParseRecorderTime("20060303_10:" + std::to_string(10 + index) + ":00")));
}

UsageWindow Window() {
  UsageWindow window;
  window.start = *CLoadBalanceDb::ParseRecorderTime("20060303_00:00:00");
  window.end = *CLoadBalanceDb::ParseRecorderTime("20060304_00:00:00");
  return window;
}

ApInfoRecord Ap() {
  ApInfoRecord ap;
  ap.name = "AP_1";
  ap.mac = "02:44:71:00:01:01";
  ap.ip = "127.0.0.11";
  return ap;
}

std::vector<PlotPoint> Series(const CXYChart& chart) {
  std::vector<PlotPoint> points;
  const CChartData* data = chart.GetDataAt(0);
  if (data == nullptr) return points;
  const int n = data->GetSizes()[1];
  const double* values = data->GetValues();
  for (int i = 0; i < n; ++i) points.push_back({values[i], values[n + i]});
  return points;
}

TEST(ApUsageChartTest, UsersStepDownToMinusOneAcrossAMissingRound) {
  const std::vector<RecorderPollingRecord> records = {Round(7, 3), Round(8, 3), Round(10, 5)};
  EXPECT_EQ(UsersPoints(WithGapPoints(records, true), Window()),
            (std::vector<PlotPoint>{{T(7), 0.02}, {T(7), 3}, {T(8), 3}, {T(8), -1}, {T(10), -1}, {T(10), 5}}));
}

TEST(ApUsageChartTest, TrafficIsTheGrowthOfTheCounterAndTheWholeCounterAfterAGapOrReset) {
  EXPECT_EQ(TrafficPoints(WithGapPoints({Round(1, 0, 100), Round(2, 0, 150), Round(3, 0, 40)}, false), Window()),
            (std::vector<PlotPoint>{{T(1), 0}, {T(2), 50}, {T(3), 40}}));
  EXPECT_EQ(TrafficPoints(WithGapPoints({Round(1, 0, 100), Round(2, 0, 150), Round(4, 0, 170)}, false), Window()),
            (std::vector<PlotPoint>{{T(1), 0}, {T(2), 50}, {T(2), 0}, {T(4), 0}, {T(4), 170}}));
  // The sum of two 32-bit counters passes 2^31 and 2^32.
  EXPECT_EQ(TrafficPoints({Round(1, 0, 3000000000LL), Round(2, 0, 6000000000LL), Round(3, 0, 8589934590LL)}, Window()),
            (std::vector<PlotPoint>{{T(1), 0}, {T(2), 3000000000.0}, {T(3), 2589934590.0}}));
}

TEST(ApUsageChartTest, UsersAxisTopIsTheNextTenPastTheLargestCount) {
  EXPECT_EQ(UsersAxisTop(5), 10);
  EXPECT_EQ(UsersAxisTop(10), 20);
}

TEST(ApUsageChartTest, UsersChartOfAnApTitlesAndScalesIt) {
  CXYChart chart;
  BuildChart({Round(7, 3), Round(8, 12)}, chart, kPlotUsers, kFilterHour, Ap(), Window());
  EXPECT_EQ(chart.GetTitle(), "AP:AP_1:(02:44:71:00:01:01):127.0.0.11 's Users Graph");
  double y[2];
  chart.GetYRange(y);
  EXPECT_EQ(y[1], 20);
  double x[2];
  chart.GetXRange(x);
  EXPECT_EQ(x[0], ChartSeconds(Window().start));
  CAxis* bottom = chart.FindAxis(kAxisBottom);
  ASSERT_NE(bottom, nullptr);
  EXPECT_EQ(bottom->GetMajorTickCount(), 23);
  EXPECT_EQ(bottom->GetMinorTickCount(), 2);
  EXPECT_TRUE(bottom->timeMode);
  EXPECT_EQ(chart.FindAxis(kAxisLeft)->GetTitle(), "Connection numbers     ");
  EXPECT_EQ(chart.Attributes(0).dataColor, 0xFF0000u);
}

TEST(ApUsageChartTest, TrafficChartTopsItsLeftAxisAndAnApWithoutRecordsShowsOnlyAxes) {
  CXYChart chart;
  BuildChart({Round(1, 0, 1000), Round(2, 0, 1543)}, chart, kPlotTraffic, kFilterDay, Ap(), Window());
  EXPECT_EQ(chart.GetTitle(), "AP:AP_1:(02:44:71:00:01:01):127.0.0.11 's TRAFFIC Graph");
  double range[2];
  chart.FindAxis(kAxisLeft)->GetRange(range);
  EXPECT_EQ(range[1], 550);
  EXPECT_EQ(chart.FindAxis(kAxisLeft)->GetTitle(), "AP's Traffic (Byte)    ");
  EXPECT_EQ(chart.FindAxis(kAxisBottom)->GetMajorTickCount(), 7);

  CXYChart empty;
  BuildChart({}, empty, kPlotUsers, kFilterWeek, Ap(), Window());
  EXPECT_TRUE(Series(empty).empty());
  double y[2];
  empty.GetYRange(y);
  EXPECT_EQ(y[1], 10);
  EXPECT_EQ(empty.GetAxisCount(), 4);
}

}  // namespace
