#include "reports/ApGraph.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "chartcore/Axis.h"
#include "chartcore/XYChart.h"
#include "db/LoadBalanceDb.h"

namespace {

constexpr int kUsersKind = 1;
constexpr int kTrafficKind = 2;
constexpr ChartColor kSeriesColor = 0xFF0000;

double Seconds(platform::TimePoint moment) {
  return static_cast<double>(std::chrono::system_clock::to_time_t(moment));
}

// A poll time that forms no date is plotted at the start of the window.
double PollSeconds(const RecorderReportRecord& row, const ReportWindow& window) {
  return Seconds(CLoadBalanceDb::ParseRecorderTime(row.time_polling).value_or(window.begin));
}

std::string ApLabel(const RecorderReportRecord& first) {
  return first.ap_name + ":(" + first.mac_ap + "):" + first.ap_ip;
}

// The y of each row; for traffic the growth of the counter since the previous round, and after a counter
// reset the counter itself.
std::vector<double> YValues(const std::vector<RecorderReportRecord>& rows, int kind) {
  std::vector<double> values;
  values.reserve(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (kind == kUsersKind) {
      values.push_back(rows[i].count_connected);
      continue;
    }
    const long long current = rows[i].traffic_ap;
    values.push_back(static_cast<double>(TrafficGrowth(current, i == 0 ? current : rows[i - 1].traffic_ap)));
  }
  return values;
}

int AddSeries(const std::vector<RecorderReportRecord>& rows, const std::vector<double>& yValues, CXYChart& chart,
              const ReportWindow& window) {
  const int n = static_cast<int>(rows.size());
  std::vector<double> block(2 * rows.size());
  for (int i = 0; i < n; ++i) {
    block[i] = PollSeconds(rows[i], window);
    block[n + i] = yValues[i];
  }
  const int sizes[2] = {2, n};
  return chart.AddData(block.data(), 2, sizes);
}

void SetTimeAxis(CXYChart& chart, const ReportWindow& window, const std::string& title) {
  CAxis* bottom = chart.AddAxis(1);
  // A day by hours, longer reports by days.
  bottom->SetTimeWindow(std::chrono::system_clock::to_time_t(window.begin),
                        std::chrono::system_clock::to_time_t(window.end));
  bottom->SetTitle(title);
}

void FinishChart(CXYChart& chart, int id, const ReportWindow& window, double top) {
  chart.AddAxis(2);
  chart.AddAxis(3);
  chart.SetDataStyle(id, 0);
  chart.SetChartType(id, 1);
  chart.SetDataColor(id, kSeriesColor);
  chart.SetXRange(Seconds(window.begin), Seconds(window.end));
  chart.majorHorzGrid = 1;
  chart.majorVertGrid = 1;
  chart.SetYRange(0, top);
}

void BuildUsersGraph(const std::vector<RecorderReportRecord>& rows, CXYChart& chart, const ReportWindow& window) {
  double range[2] = {0, 0};
  GetRecorderRange(rows, kUsersKind, range);
  const int id = AddSeries(rows, YValues(rows, kUsersKind), chart, window);
  chart.SetTitle("AP:" + ApLabel(rows.front()) + " 's Users Graph");
  SetTimeAxis(chart, window, "System Datetime ");
  chart.AddAxis(0)->SetTitle("Connection numbers     ");
  const double top = static_cast<long long>((range[1] + 10) / 10) * 10.0;
  FinishChart(chart, id, window, top);
}

void BuildTrafficGraph(const std::vector<RecorderReportRecord>& rows, CXYChart& chart, const ReportWindow& window) {
  const std::vector<double> yValues = YValues(rows, kTrafficKind);
  const double max = std::max(0.0, *std::max_element(yValues.begin(), yValues.end()));
  const double top = static_cast<double>(TrafficAxisTop(static_cast<long long>(max)));
  const int id = AddSeries(rows, yValues, chart, window);
  chart.SetTitle("AP:" + ApLabel(rows.front()) + " 's TRAFFIC Graph");
  SetTimeAxis(chart, window, "System Datetime");
  CAxis* left = chart.AddAxis(0);
  left->SetRange(0, top);
  left->SetTitle("AP's Traffic");
  FinishChart(chart, id, window, top);
}

}  // namespace

long long TrafficGrowth(long long current, long long previous) {
  return current >= previous ? current - previous : std::max(current, 0LL);
}

long long TrafficAxisTop(long long max) {
  const long long q = max / 10;
  long long step = 10000000;
  for (long long bound = 100, candidate = 10; bound <= 10000000; bound *= 10, candidate *= 10) {
    if (q <= bound) {
      step = candidate;
      break;
    }
  }
  return (max + step) / step * step;
}

bool GetRecorderRange(const std::vector<RecorderReportRecord>& rows, int /*kind*/, double range[2]) {
  if (rows.empty()) return false;
  const auto [lowest, highest] = std::minmax_element(
      rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a.count_connected < b.count_connected; });
  range[0] = lowest->count_connected;
  range[1] = highest->count_connected;
  return true;
}

bool BuildApGraph(const std::vector<RecorderReportRecord>& rows, CXYChart& chart, int kind,
                  const ReportWindow& window) {
  if (rows.empty()) return true;  // nothing to label or plot
  if (kind == kUsersKind) BuildUsersGraph(rows, chart, window);
  if (kind == kTrafficKind) BuildTrafficGraph(rows, chart, window);
  return true;
}
