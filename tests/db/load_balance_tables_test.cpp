// CAccessDatabase on the load-balance groups and their AP-configuration rows.
#include <gtest/gtest.h>

#include "PoolFixture.h"
#include "db/AccessDatabase.h"
#include "db/LoadBalanceGroupRecord.h"

namespace {

class LoadBalanceTablesTest : public PoolFixture {
 protected:
  static ApInfoRecord Ap(const std::string& mac, const std::string& ip, const std::string& name) {
    ApInfoRecord ap;
    ap.mac = mac;
    ap.ip = ip;
    ap.name = name;
    return ap;
  }
  static LoadBalanceGroupRecord Group(const std::string& name, std::vector<ApInfoRecord> aps) {
    LoadBalanceGroupRecord group;
    group.group_name = name;
    group.group_desc = name + " desc";
    group.founder_name = "default";
    group.found_time = "2009-03-05 14:07:09";
    group.type = "1";
    group.load_balance = 1;
    group.aps = std::move(aps);
    return group;
  }

  CAccessDatabase access_;
};

TEST_F(LoadBalanceTablesTest, NewRecordStartsWithoutIndexAndWithMemberBalancing) {
  const LoadBalanceGroupRecord record;
  EXPECT_EQ(record.index, -1);
  EXPECT_EQ(record.member_balance, 1);
  EXPECT_TRUE(record.group_name.empty() && record.group_desc.empty() && record.founder_name.empty() &&
              record.type.empty() && record.aps.empty());
}

TEST_F(LoadBalanceTablesTest, SavedGroupsGetConsecutiveIndexesAndAreReadBackWithTheirAps) {
  Run("INSERT INTO load_balance_group (\"index\", group_name) VALUES (5, 'older')");
  Run("INSERT INTO ap_property (mac, crvAPssid) VALUES ('00:11:22:33:44:55', 'office')");
  std::vector<LoadBalanceGroupRecord> groups = {
      Group("lobby's", {Ap("00:11:22:33:44:55", "10.0.0.5", "AP_1"), Ap("00:11:22:33:44:66", "10.0.0.6", "AP_2")}),
      Group("empty", {})};
  ASSERT_TRUE(access_.SaveLoadBalanceGroups(groups));
  EXPECT_EQ(groups[0].index, 6);
  EXPECT_EQ(groups[1].index, 7);
  EXPECT_EQ(access_.GetMaxLoadBalanceGroupIndex(), 7);

  std::vector<LoadBalanceGroupRecord> read;
  ASSERT_TRUE(access_.GetLoadBalanceGroups(read));
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[0].group_name, "older");
  EXPECT_EQ(read[0].group_desc, "") << "a NULL cell reads as empty";
  EXPECT_TRUE(read[0].aps.empty());
  const LoadBalanceGroupRecord& lobby = read[1];
  EXPECT_EQ(lobby.group_name, "lobby's");
  EXPECT_EQ(lobby.group_desc, "lobby's desc");
  EXPECT_EQ(lobby.founder_name, "default");
  EXPECT_EQ(lobby.found_time, "2009-03-05 14:07:09");
  EXPECT_EQ(lobby.type, "1");
  EXPECT_EQ(lobby.index, 6);
  EXPECT_EQ(lobby.load_balance, 1);
  ASSERT_EQ(lobby.aps.size(), 2u);
  EXPECT_EQ(lobby.aps[0].mac, "00:11:22:33:44:55");
  EXPECT_EQ(lobby.aps[0].ip, "10.0.0.5");
  EXPECT_EQ(lobby.aps[0].name, "AP_1");
  EXPECT_EQ(lobby.aps[0].group_balance, "lobby's");
  EXPECT_EQ(lobby.aps[0].ssid, "office");
  EXPECT_EQ(lobby.aps[1].ssid, "") << "an AP without a property row";
  EXPECT_TRUE(read[2].aps.empty());

  std::vector<ApInfoRecord> aps(5);
  ASSERT_EQ(access_.GetApConfigList(aps), 0);
  ASSERT_EQ(aps.size(), 2u);
  EXPECT_EQ(aps[1].mac, "00:11:22:33:44:66");
  EXPECT_EQ(aps[1].name, "AP_2");
  std::vector<std::string> names = {"stale"};
  std::vector<int> indexes;
  ASSERT_EQ(access_.GetLoadBalanceGroupNames(names, indexes), 0);
  EXPECT_EQ(names, (std::vector<std::string>{"older", "lobby's", "empty"}));
  EXPECT_EQ(indexes, (std::vector<int>{5, 6, 7}));
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(LoadBalanceTablesTest, EmptyTablesLeaveTheCallersListsAsTheyWere) {
  std::vector<LoadBalanceGroupRecord> groups(2);
  EXPECT_FALSE(access_.GetLoadBalanceGroups(groups));
  EXPECT_EQ(groups.size(), 2u);
  std::vector<ApInfoRecord> aps(1);
  EXPECT_EQ(access_.GetApConfigList(aps), -1);
  EXPECT_EQ(aps.size(), 1u);
  std::vector<std::string> names = {"stale"};
  std::vector<int> indexes = {9};
  EXPECT_EQ(access_.GetLoadBalanceGroupNames(names, indexes), -1);
  EXPECT_TRUE(names.empty());
  EXPECT_EQ(indexes, std::vector<int>{9});
  EXPECT_EQ(access_.GetMaxLoadBalanceGroupIndex(), -1);
  std::vector<LoadBalanceGroupRecord> none;
  EXPECT_FALSE(access_.SaveLoadBalanceGroups(none));
  // The first group saved into an empty table gets index 0.
  std::vector<LoadBalanceGroupRecord> first = {Group("first", {})};
  ASSERT_TRUE(access_.SaveLoadBalanceGroups(first));
  EXPECT_EQ(first[0].index, 0);
}

TEST_F(LoadBalanceTablesTest, SaveThatFailsHalfWayStoresNothingAndReportsIt) {
  ASSERT_TRUE(database_.BreakWrites("ap_config", "INSERT", "NEW.mac = 'bad'"));
  std::vector<LoadBalanceGroupRecord> groups = {Group("good", {Ap("00:11:22:33:44:55", "10.0.0.5", "AP_1")}),
                                                Group("broken", {Ap("bad", "10.0.0.6", "AP_2")})};
  EXPECT_FALSE(access_.SaveLoadBalanceGroups(groups));
  EXPECT_EQ(groups[0].index, -1);
  EXPECT_EQ(database_.Value("SELECT COUNT(*) FROM load_balance_group"), "0");
  EXPECT_EQ(database_.Value("SELECT COUNT(*) FROM ap_config"), "0");
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_TRUE(boxes_.Texts()[0].starts_with("Exception__Desc: "));
}

}  // namespace
