#include "usage/GroupUsageChart.h"

#include <strings.h>

#include <algorithm>
#include <chrono>

#include "chartcore/Axis.h"
#include "chartcore/XYChart.h"
#include "db/LoadBalanceDb.h"

namespace {

// Blue, green and red for the first three lines, black for the others.
ChartColor LineColor(int number) {
  switch (number) {
    case 1:
      return 0xFF0000;
    case 2:
      return 0x00FF00;
    case 3:
      return 0x0000FF;
    default:
      return 0;
  }
}

bool SameMac(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

// "AP: name:(MAC):IP " for an AP of the AP list, else "AP:MAC:IP users" with the address by MAC.
std::string LineName(CLoadBalanceDb& database, const std::vector<ApInfoRecord>& apList, const std::string& mac) {
  const auto ap =
      std::find_if(apList.begin(), apList.end(), [&](const ApInfoRecord& a) { return SameMac(a.mac, mac); });
  if (ap != apList.end()) return "AP: " + ap->name + ":(" + ap->mac + "):" + ap->ip + " ";
  return "AP:" + mac + ":" + database.GetApIpByMac(mac) + " users";
}

int AddUsersLine(CXYChart& chart, const std::vector<RecorderPollingRecord>& records, const UsageWindow& window) {
  const int n = static_cast<int>(records.size());
  std::vector<double> block(2 * records.size());
  for (int i = 0; i < n; ++i) {
    block[i] = RecordSeconds(records[i], window.start);
    block[n + i] = records[i].count_conn_client;
  }
  const int sizes[2] = {2, n};
  return chart.AddData(block.data(), 2, sizes);
}

void AddAxes(CXYChart& chart, const UsageWindow& window) {
  CAxis* bottom = chart.AddAxis(kAxisBottom);
  // An hour by five minutes, a day by hours, a week or a month by days.
  bottom->SetTimeWindow(std::chrono::system_clock::to_time_t(window.start),
                        std::chrono::system_clock::to_time_t(window.end));
  bottom->SetTitle("System Datetime");
  chart.AddAxis(kAxisLeft)->SetTitle("Connection numbers     ");
  chart.AddAxis(kAxisRight);
  chart.AddAxis(kAxisTop);
}

}  // namespace

std::string GroupTreeApText(const ApInfoRecord& ap) { return ap.name + " : (" + ap.mac + ") : " + ap.ip; }

GroupChartSelection SelectChartAps(const std::vector<LoadBalanceGroupRecord>& groups, const std::string& text,
                                   const std::optional<std::string>& parentGroup) {
  GroupChartSelection selection;
  const auto named = [&](const std::string& name) {
    return std::find_if(groups.begin(), groups.end(),
                        [&](const LoadBalanceGroupRecord& g) { return g.group_name == name; });
  };
  if (const auto group = named(text); group != groups.end()) {
    selection.isGroup = true;
    selection.aps = group->aps;
    if (group->group_name == kUnknownGroupName && selection.aps.size() > 1) selection.aps.resize(1);
    return selection;
  }
  if (!parentGroup) return selection;
  const auto group = named(*parentGroup);
  if (group == groups.end()) return selection;
  for (const ApInfoRecord& ap : group->aps) {
    if (GroupTreeApText(ap) != text) continue;
    selection.aps.push_back(ap);
    break;
  }
  return selection;
}

void GatherOldestRecords(CLoadBalanceDb& database, const std::vector<ApInfoRecord>& aps, CUtilizationTimeWindow& window,
                         platform::TimePoint now) {
  bool anyTime = false;
  for (const ApInfoRecord& ap : aps) {
    std::vector<RecorderPollingRecord> records;
    database.GetOldestRecorders(records, ap.mac);
    for (const RecorderPollingRecord& record : records) {
      if (record.strCurrent.empty()) continue;
      anyTime = true;
      const auto moment = CLoadBalanceDb::ParseRecorderTime(record.strCurrent);
      if (moment && *moment < window.Oldest()) window.SetOldest(*moment, true);
    }
  }
  if (!anyTime) window.SetOldest(now, window.HasOldestRecords());
}

void BuildGroupUsersChart(CLoadBalanceDb& database, const GroupChartSelection& selection,
                          const std::string& selectionText, const UsageWindow& window, CXYChart& chart) {
  std::vector<std::vector<RecorderPollingRecord>> lines;
  for (const ApInfoRecord& ap : selection.aps) {
    std::vector<RecorderPollingRecord> records;
    database.GetRecordersByApAndDate(ap.mac, records, window.startMinutes, window.endMinutes);
    if (!records.empty()) lines.push_back(std::move(records));
  }
  std::vector<ApInfoRecord> apList;
  if (!lines.empty()) database.GetLoadBalanceApList(apList);

  std::string name = selectionText;
  int largest = 0;
  int smallest = 0;
  int number = 0;
  for (const std::vector<RecorderPollingRecord>& records : lines) {
    ++number;
    for (const RecorderPollingRecord& record : records) {
      largest = std::max(largest, record.count_conn_client);
      smallest = std::min(smallest, record.count_conn_client);
    }
    const int id = AddUsersLine(chart, records, window);
    if (id == -1) continue;  // the chart holds all the lines it can
    chart.SetDataColor(id, LineColor(number));
    name = LineName(database, apList, records.front().Mac_ap);
    chart.SetDataTitle(id, name);
    chart.SetDataStyle(id, kMarkerNone);
    chart.SetChartType(id, kXYLine);
  }

  if (selection.isGroup)
    chart.SetTitle(selectionText + " 's Users Graph");
  else
    chart.SetTitle(name.empty() ? "Unknown AP Users Graph" : name + " 's Users Graph");
  AddAxes(chart, window);
  chart.majorHorzGrid = 1;
  chart.majorVertGrid = 1;
  chart.SetYRange(0, (largest + 10 - smallest) / 10 * 10);
  chart.SetXRange(ChartSeconds(window.start), ChartSeconds(window.end));
}
