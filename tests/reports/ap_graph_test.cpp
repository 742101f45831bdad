// The report chart of one AP: titles, axes and ranges, the users' and the traffic's y values and axis top.
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "chartcore/Axis.h"
#include "chartcore/ChartData.h"
#include "chartcore/XYChart.h"
#include "reports/ApGraph.h"
#include "support/LocalTime.h"
#include "support/RecordingChartCanvas.h"

namespace {

using testing_support::LocalTm;

platform::TimePoint Moment(int day, int hour, int minute, int second) {
  std::tm local = LocalTm(2026, 3, day, hour, minute, second);
  return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

const ReportWindow kDay{Moment(10, 0, 0, 0), Moment(10, 23, 59, 59)};

std::vector<RecorderReportRecord> Rows(const std::vector<long long>& values) {
  std::vector<RecorderReportRecord> rows;
  int minute = 0;
  for (long long value : values) {
    RecorderReportRecord row;
    row.ap_name = "AP_1";
    row.ap_ip = "127.0.0.11";
    row.mac_ap = "02:44:71:00:01:01";
    row.time_polling = "20260310_10:" + std::string(minute < 10 ? "0" : "") + std::to_string(minute) + ":00";
    row.count_connected = static_cast<int>(value);
    row.traffic_ap = value;
    rows.push_back(row);
    minute += 5;
  }
  return rows;
}

std::vector<double> YValues(const CXYChart& chart) {
  const CChartData* data = chart.GetDataAt(0);
  const int n = data->GetSizes()[1];
  return std::vector<double>(data->GetValues() + n, data->GetValues() + 2 * n);
}

double Top(const CXYChart& chart) {
  double y[2];
  chart.GetYRange(y);
  return y[1];
}

TEST(ApGraphTest, UsersAxisTopsTheLargestCountToTheNextTen) {
  const struct {
    std::vector<long long> users;
    double top;
  } cases[] = {{{0}, 10}, {{3, 7, 12}, 20}, {{9}, 10}, {{10}, 20}};
  for (const auto& c : cases) {
    CXYChart chart;
    ASSERT_TRUE(BuildApGraph(Rows(c.users), chart, 1, kDay));
    EXPECT_EQ(Top(chart), c.top) << c.users.back();
    EXPECT_EQ(YValues(chart).size(), c.users.size());
  }
}

TEST(ApGraphTest, UsersChartIsTitledAndSpansTheWindowInSeconds) {
  CXYChart chart;
  BuildApGraph(Rows({3, 7, 12}), chart, 1, kDay);
  EXPECT_EQ(chart.GetTitle(), "AP:AP_1:(02:44:71:00:01:01):127.0.0.11 's Users Graph");
  EXPECT_EQ(YValues(chart), (std::vector<double>{3, 7, 12}));
  EXPECT_EQ(chart.GetDataAt(0)->GetValues()[1],
            static_cast<double>(std::chrono::system_clock::to_time_t(Moment(10, 10, 5, 0))));
  double x[2];
  chart.GetXRange(x);
  EXPECT_EQ(x[0], static_cast<double>(std::chrono::system_clock::to_time_t(kDay.begin)));
  EXPECT_EQ(x[1] - x[0], 86399);
  const CAxis* bottom = chart.FindAxis(1);
  ASSERT_NE(bottom, nullptr);
  EXPECT_EQ(bottom->GetTitle(), "System Datetime ");
  EXPECT_TRUE(bottom->timeMode);
  EXPECT_EQ(bottom->startTime, std::chrono::system_clock::to_time_t(kDay.begin));
  EXPECT_EQ(bottom->endTime, std::chrono::system_clock::to_time_t(kDay.end));
  EXPECT_EQ(chart.FindAxis(0)->GetTitle(), "Connection numbers     ");
  EXPECT_EQ(chart.GetAxisCount(), 4);
  EXPECT_EQ(chart.majorHorzGrid, 1);
  EXPECT_EQ(chart.majorVertGrid, 1);
  EXPECT_EQ(chart.Attributes(0).dataColor, 0xFF0000u);
  EXPECT_EQ(chart.GetChartType(chart.GetDataIdAt(0)), 1);
}

TEST(ApGraphTest, TheTimeAxisOfAReportNamesTrueDistinctHoursOrDates) {
  for (const int kind : {1, 2}) {
    CXYChart day;
    BuildApGraph(Rows({3, 7}), day, kind, kDay);
    std::vector<std::string> hours;
    for (int hour = 0; hour < 24; ++hour) hours.push_back((hour < 10 ? "0" : "") + std::to_string(hour));
    hours.push_back("00");
    EXPECT_EQ(DrawnAxisLabels(day, 1), hours) << kind;

    CXYChart week;
    BuildApGraph(Rows({3, 7}), week, kind, {Moment(10, 0, 0, 0), Moment(16, 23, 59, 59)});
    EXPECT_EQ(DrawnAxisLabels(week, 1), (std::vector<std::string>{"03/10", "03/11", "03/12", "03/13", "03/14",
                                                                    "03/15", "03/16", "03/17"}))
        << kind;
  }
}

TEST(ApGraphTest, TrafficPlotsTheGrowthBetweenRoundsAndResetsToTheCounter) {
  CXYChart chart;
  BuildApGraph(Rows({100, 150, 40, 90}), chart, 2, kDay);
  EXPECT_EQ(YValues(chart), (std::vector<double>{0, 50, 40, 50}));
  EXPECT_EQ(Top(chart), 60);
  EXPECT_EQ(chart.GetTitle(), "AP:AP_1:(02:44:71:00:01:01):127.0.0.11 's TRAFFIC Graph");
  EXPECT_EQ(chart.FindAxis(0)->GetTitle(), "AP's Traffic");
  EXPECT_EQ(chart.FindAxis(1)->GetTitle(), "System Datetime");

  CXYChart reset;
  BuildApGraph(Rows({100, -5}), reset, 2, kDay);
  EXPECT_EQ(YValues(reset), (std::vector<double>{0, 0})) << "a negative counter after a reset counts 0";

  // The sum of two 32-bit counters passes 2^31 and 2^32.
  CXYChart busy;
  BuildApGraph(Rows({3000000000LL, 6000000000LL, 8589934590LL}), busy, 2, kDay);
  EXPECT_EQ(YValues(busy), (std::vector<double>{0, 3000000000.0, 2589934590.0}));
}

TEST(ApGraphTest, TrafficAxisStepGrowsWithTheDecadeOfTheMaximum) {
  const struct {
    long long max, top;
  } cases[] = {{0, 10}, {50, 60}, {1009, 1010}, {1010, 1100}, {12345, 13000}, {100009, 101000},
               {1000010, 1100000}, {100000010, 110000000}};
  for (const auto& c : cases) EXPECT_EQ(TrafficAxisTop(c.max), c.top) << c.max;
  CXYChart chart;
  BuildApGraph(Rows({0, 12345}), chart, 2, kDay);
  EXPECT_EQ(Top(chart), 13000);
}

TEST(ApGraphTest, CsvOnlyKindsLeaveTheChartEmpty) {
  for (int kind : {4, 5}) {
    CXYChart chart;
    EXPECT_TRUE(BuildApGraph(Rows({3}), chart, kind, kDay));
    EXPECT_EQ(chart.GetDataCount(), 0);
    EXPECT_EQ(chart.GetAxisCount(), 0);
    EXPECT_EQ(chart.GetTitle(), "");
  }
  double range[2] = {-1, -1};
  EXPECT_FALSE(GetRecorderRange({}, 1, range));
  EXPECT_EQ(range[0], -1);
}

}  // namespace
