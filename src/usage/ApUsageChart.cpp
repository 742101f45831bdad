#include "usage/ApUsageChart.h"

#include <algorithm>
#include <chrono>
#include <string>

#include "chartcore/Axis.h"
#include "chartcore/XYChart.h"
#include "reports/ApGraph.h"

namespace {

constexpr ChartColor kLineColor = 0xFF0000;
constexpr double kZeroUsersY = 0.02;

RecorderPollingRecord GapPoint(const std::string& time) {
  RecorderPollingRecord point;
  point.count_conn_client = -1;
  point.traffic_ap = 0;
  point.strCurrent = time;
  return point;
}

std::string ApText(const ApInfoRecord& ap) { return ap.name + ":(" + ap.mac + "):" + ap.ip; }

int AddPoints(CXYChart& chart, const std::vector<PlotPoint>& points) {
  const int n = static_cast<int>(points.size());
  std::vector<double> block(2 * points.size());
  for (int i = 0; i < n; ++i) {
    block[i] = points[i].x;
    block[n + i] = points[i].y;
  }
  const int sizes[2] = {2, n};
  return chart.AddData(block.data(), 2, sizes);
}

void AddTimeAxis(CXYChart& chart, int filter, const UsageWindow& window) {
  CAxis* bottom = chart.AddAxis(kAxisBottom);
  if (filter == kFilterHour) {
    bottom->SetMajorTicks(23);
    bottom->SetMinorTicks(2);
  }
  if (filter == kFilterDay) bottom->SetMajorTicks(7);
  if (filter == kFilterWeek) bottom->SetMajorTicks(5);
  bottom->startTime = std::chrono::system_clock::to_time_t(window.start);
  bottom->endTime = std::chrono::system_clock::to_time_t(window.end);
  bottom->timeMode = true;
  bottom->SetTitle("System Datetime");
}

void FinishChart(CXYChart& chart, int id, const UsageWindow& window, double top) {
  chart.AddAxis(kAxisRight);
  chart.AddAxis(kAxisTop);
  chart.SetDataStyle(id, kMarkerNone);
  chart.SetChartType(id, kXYLine);
  chart.SetDataColor(id, kLineColor);
  chart.SetXRange(ChartSeconds(window.start), ChartSeconds(window.end));
  chart.majorHorzGrid = 1;
  chart.majorVertGrid = 1;
  chart.SetYRange(0, top);
}

}  // namespace

std::vector<RecorderPollingRecord> WithGapPoints(const std::vector<RecorderPollingRecord>& records, bool withSteps) {
  std::vector<RecorderPollingRecord> points;
  if (records.empty()) return points;
  int expected = records.front().nIndex_polling;
  int lastCount = 0;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const RecorderPollingRecord& record = records[i];
    if (record.nIndex_polling != expected) {
      points.push_back(GapPoint(records[i - 1].strCurrent));  // the first record is never a gap
      points.push_back(GapPoint(record.strCurrent));
      expected = record.nIndex_polling;
    } else if (withSteps && record.count_conn_client != lastCount) {
      RecorderPollingRecord step = record;
      step.count_conn_client = lastCount;
      points.push_back(step);
      lastCount = record.count_conn_client;
    }
    points.push_back(record);
    ++expected;
  }
  return points;
}

void GetValueRange(const std::vector<RecorderPollingRecord>& records, int kind, std::int64_t range[2]) {
  range[0] = range[1] = 0;
  if (records.empty()) return;
  const auto value = [kind](const RecorderPollingRecord& r) -> std::int64_t {
    return kind == kValueTraffic ? r.traffic_ap : r.count_conn_client;
  };
  range[0] = range[1] = value(records.front());
  for (const RecorderPollingRecord& record : records) {
    range[0] = std::min(range[0], value(record));
    range[1] = std::max(range[1], value(record));
  }
}

std::vector<PlotPoint> UsersPoints(const std::vector<RecorderPollingRecord>& records, const UsageWindow& window) {
  std::vector<PlotPoint> points;
  for (const RecorderPollingRecord& record : records) {
    const double users = record.count_conn_client == 0 ? kZeroUsersY : record.count_conn_client;
    points.push_back({RecordSeconds(record, window.start), users});
  }
  return points;
}

std::vector<PlotPoint> TrafficPoints(const std::vector<RecorderPollingRecord>& records, const UsageWindow& window) {
  std::vector<PlotPoint> points;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const long long current = records[i].traffic_ap;
    const long long previous = i == 0 ? current : records[i - 1].traffic_ap;
    points.push_back({RecordSeconds(records[i], window.start), static_cast<double>(TrafficGrowth(current, previous))});
  }
  return points;
}

int UsersAxisTop(int largest) { return (largest + 10) / 10 * 10; }

void BuildChart(const std::vector<RecorderPollingRecord>& records, CXYChart& chart, int mode, int filter,
                const ApInfoRecord& ap, const UsageWindow& window) {
  const bool users = mode == kPlotUsers;
  const std::vector<RecorderPollingRecord> withGaps = WithGapPoints(records, users);
  double top = 0;
  int id = 0;
  if (users) {
    std::int64_t range[2];
    GetValueRange(withGaps, kValueUsers, range);
    top = UsersAxisTop(static_cast<int>(range[1]));
    id = AddPoints(chart, UsersPoints(withGaps, window));
    chart.SetTitle("AP:" + ApText(ap) + " 's Users Graph");
  } else {
    const std::vector<PlotPoint> points = TrafficPoints(withGaps, window);
    double largest = 0;
    for (const PlotPoint& point : points) largest = std::max(largest, point.y);
    top = static_cast<double>(TrafficAxisTop(static_cast<long long>(largest)));
    id = AddPoints(chart, points);
    chart.SetTitle("AP:" + ApText(ap) + " 's TRAFFIC Graph");
  }
  AddTimeAxis(chart, filter, window);
  CAxis* left = chart.AddAxis(kAxisLeft);
  if (users) {
    left->SetTitle("Connection numbers     ");
  } else {
    left->SetRange(0, top);
    left->SetTitle("AP's Traffic (Byte)    ");
  }
  FinishChart(chart, id, window, top);
}
