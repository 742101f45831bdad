// The group utilisation chart over stored poll rounds: which APs a selection charts, one coloured and
// named line per AP with records in the window, the title and the Y range, and the oldest time.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UsageFixture.h"
#include "chartcore/XYChart.h"
#include "support/LocalTime.h"
#include "support/RecordingChartCanvas.h"
#include "usage/GroupUsageChart.h"

namespace {

ApInfoRecord Member(const std::string& name, const std::string& mac, const std::string& ip) {
  ApInfoRecord ap;
  ap.name = name;
  ap.mac = mac;
  ap.ip = ip;
  return ap;
}

LoadBalanceGroupRecord Group(const std::string& name, std::vector<ApInfoRecord> aps) {
  LoadBalanceGroupRecord group;
  group.group_name = name;
  group.aps = std::move(aps);
  return group;
}

class GroupChartTest : public UsageTest {
 protected:
  void SetUp() override {
    UsageTest::SetUp();
    testing_support::PinLocalTime(2006, 3, 3, 10, 5);
    StoreRound({Ap(net::kAp1, 2), Ap(net::kAp2, 1)});
    testing_support::PinLocalTime(2006, 3, 3, 10, 25);
    StoreRound({Ap(net::kAp1, 4), Ap(net::kAp2, 1), Ap("02:44:71:00:09:09", 7)});
    testing_support::PinLocalTime(2006, 3, 3, 10, 50);
  }
  UsageWindow Hour() {
    CUtilizationTimeWindow window(kGroupViewUnits, platform::Now());
    window.GetFilterType(kFilterHour);
    NavButtonStates buttons;
    return window.FinishWindow(window.ComputeTimeWindow(kPageLast, platform::Now()), kPageLast, platform::Now(),
                               buttons);
  }

  const ApInfoRecord a1 = Member("AP_1", net::kAp1, "127.0.0.11");
  const ApInfoRecord a2 = Member("AP_2", net::kAp2, "127.0.0.12");
  const ApInfoRecord a3 = Member("AP_3", net::kAp3, "127.0.0.13");
};

TEST_F(GroupChartTest, ASelectionIsAGroupOrOneApOfTheSelectedItemsGroup) {
  const std::vector<LoadBalanceGroupRecord> groups = {Group("lab", {a1, a2, a3}), Group(kUnknownGroupName, {a2, a3})};
  GroupChartSelection selection = SelectChartAps(groups, "lab", std::nullopt);
  EXPECT_TRUE(selection.isGroup);
  EXPECT_EQ(selection.aps.size(), 3u);
  EXPECT_EQ(SelectChartAps(groups, kUnknownGroupName, std::nullopt).aps.size(), 1u);

  selection = SelectChartAps(groups, "AP_2 : (" + net::kAp2 + ") : 127.0.0.12", "lab");
  EXPECT_FALSE(selection.isGroup);
  ASSERT_EQ(selection.aps.size(), 1u);
  EXPECT_EQ(selection.aps[0].mac, net::kAp2);
  EXPECT_TRUE(SelectChartAps(groups, GroupTreeApText(a2), std::nullopt).aps.empty());  // nothing remembered
}

TEST_F(GroupChartTest, EachApWithRecordsGetsALineOfItsOwnColourAndName) {
  const ApInfoRecord stranger = Member("gone", "02:44:71:00:09:09", "");
  const GroupChartSelection selection{true, {a1, a3, a2, stranger}};
  CXYChart chart;
  BuildGroupUsersChart(*GetLoadBalanceManager(), selection, "lab", Hour(), chart);
  ASSERT_EQ(chart.GetDataCount(), 3);  // AP_3 has no records
  EXPECT_EQ(chart.Attributes(0).dataColor, 0xFF0000u);
  EXPECT_EQ(chart.Attributes(1).dataColor, 0x00FF00u);
  EXPECT_EQ(chart.Attributes(2).dataColor, 0x0000FFu);
  EXPECT_EQ(chart.GetDataTitleAt(0), "AP: AP_1:(" + net::kAp1 + "):127.0.0.11 ");
  EXPECT_EQ(chart.GetDataTitleAt(2), "AP:02:44:71:00:09:09: users");  // not in the AP list, no address
  EXPECT_EQ(chart.GetTitle(), "lab 's Users Graph");
  double y[2];
  chart.GetYRange(y);
  EXPECT_EQ(y[1], 10);  // (7 + 10 - 0) / 10 * 10
  EXPECT_EQ(chart.GetAxisCount(), 4);
  EXPECT_EQ(chart.FindAxis(kAxisBottom)->GetTitle(), "System Datetime");
}

TEST_F(GroupChartTest, TheTimeAxisNamesTrueDistinctTimesForEachFilter) {
  const auto labelsOf = [&](int filter) {
    CUtilizationTimeWindow window(kGroupViewUnits, platform::Now());
    window.GetFilterType(filter);
    NavButtonStates buttons;
    const UsageWindow shown = window.FinishWindow(window.ComputeTimeWindow(kPageLast, platform::Now()), kPageLast,
                                                  platform::Now(), buttons);
    CXYChart chart;
    BuildGroupUsersChart(*GetLoadBalanceManager(), {true, {a1, a2}}, "lab", shown, chart);
    return DrawnAxisLabels(chart, kAxisBottom);
  };
  EXPECT_EQ(labelsOf(kFilterHour), (std::vector<std::string>{"10:00", "10:05", "10:10", "10:15", "10:20", "10:25",
                                                              "10:30", "10:35", "10:40", "10:45", "10:50", "10:55",
                                                              "11:00"}));
  std::vector<std::string> hours;
  for (int hour = 0; hour < 24; ++hour) hours.push_back((hour < 10 ? "0" : "") + std::to_string(hour));
  hours.push_back("00");
  EXPECT_EQ(labelsOf(kFilterDay), hours);
  EXPECT_EQ(labelsOf(kFilterWeek),
            (std::vector<std::string>{"02/26", "02/27", "02/28", "03/01", "03/02", "03/03", "03/04", "03/05"}));
  std::vector<std::string> days;
  for (int day = 1; day <= 31; ++day) days.push_back((day < 10 ? "0" : "") + std::to_string(day));
  days.push_back("01");
  EXPECT_EQ(labelsOf(kFilterMonth), days) << "March by its days";
}

TEST_F(GroupChartTest, AnApSelectionIsTitledAfterItsLineAndNothingSelectedAfterNoAp) {
  CXYChart chart;
  BuildGroupUsersChart(*GetLoadBalanceManager(), {false, {a1}}, GroupTreeApText(a1), Hour(), chart);
  EXPECT_EQ(chart.GetTitle(), "AP: AP_1:(" + net::kAp1 + "):127.0.0.11  's Users Graph");

  CXYChart empty;
  BuildGroupUsersChart(*GetLoadBalanceManager(), {false, {}}, "", Hour(), empty);
  EXPECT_EQ(empty.GetTitle(), "Unknown AP Users Graph");
  EXPECT_EQ(empty.GetDataCount(), 0);
  double y[2];
  empty.GetYRange(y);
  EXPECT_EQ(y[1], 10);
}

TEST_F(GroupChartTest, OldestTimeIsTheEarliestRecordOfTheGroupsAps) {
  CUtilizationTimeWindow window(kGroupViewUnits, platform::Now());
  GatherOldestRecords(*GetLoadBalanceManager(), {a3, a2}, window, platform::Now());
  EXPECT_EQ(platform::FormatLocalTime(window.Oldest(), "%H:%M"), "10:05");
  EXPECT_TRUE(window.HasOldestRecords());

  CUtilizationTimeWindow none(kGroupViewUnits, platform::Now() - std::chrono::hours(1));
  GatherOldestRecords(*GetLoadBalanceManager(), {a3}, none, platform::Now());
  EXPECT_EQ(none.Oldest(), platform::Now());
  EXPECT_FALSE(none.HasOldestRecords());
}

}  // namespace
