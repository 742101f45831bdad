#pragma once
// What the group utilisation view charts: the APs of the selected load-balance group (or the one AP
// selected under it), each AP's users over the window as a line of its own, from the poll records.
#include <optional>
#include <string>
#include <vector>

#include "db/ApInfoRecord.h"
#include "db/LoadBalanceGroupRecord.h"
#include "usage/UtilizationTimeWindow.h"

class CLoadBalanceDb;
class CXYChart;

// The group whose name is "Unknown_group" charts only its first AP.
inline constexpr char kUnknownGroupName[] = "Unknown_group";

// How an AP shows in the group tree: "name : (MAC) : IP".
std::string GroupTreeApText(const ApInfoRecord& ap);

struct GroupChartSelection {
  bool isGroup = false;
  std::vector<ApInfoRecord> aps;
};

// The APs for a selection text: the group of that name, else the AP with that tree text in the group
// named parentGroup (the selected tree item's parent); none when neither matches.
GroupChartSelection SelectChartAps(const std::vector<LoadBalanceGroupRecord>& groups, const std::string& text,
                                   const std::optional<std::string>& parentGroup);

// Takes the earliest time among the APs' oldest records as the window's oldest time (now when no record
// has a time).
void GatherOldestRecords(CLoadBalanceDb& database, const std::vector<ApInfoRecord>& aps, CUtilizationTimeWindow& window,
                         platform::TimePoint now);

// Fills an empty chart: one users line per AP with records in the window (at most the chart's 20; blue,
// green, red, then black), named after its AP, and a title after the selection text.
void BuildGroupUsersChart(CLoadBalanceDb& database, const GroupChartSelection& selection,
                          const std::string& selectionText, const UsageWindow& window, CXYChart& chart);
