// Load-balance groups and the AP lists: each operation changes all it should or nothing, names travel
// bound, and the lists take their properties from ap_property.
#include <string>
#include <vector>

#include "LoadBalanceFixture.h"

namespace {

using Texts = std::vector<std::string>;
const std::string kAp1 = "02:44:71:00:01:01";
const std::string kAp2 = "02:44:71:00:01:02";
const std::string kAp3 = "02:44:71:00:01:03";

LoadBalanceGroupRecord Group(const std::string& name, std::vector<std::string> macs = {}) {
  LoadBalanceGroupRecord group;
  group.group_name = name;
  group.group_desc = name + " desc";
  group.type = "ssid-" + name;
  group.load_balance = 1;
  for (const std::string& mac : macs) {
    ApInfoRecord ap;
    ap.mac = mac;
    group.aps.push_back(ap);
  }
  return group;
}

class GroupsTest : public LoadBalanceTest {
 protected:
  void SetUp() override {
    AddAp("device_list_prev", "AP_1", "127.0.0.11", kAp1);
    AddAp("device_list_prev", "AP_2", "127.0.0.12", kAp2);
    AddAp("device_list_prev", "AP_3", "127.0.0.13", kAp3);
  }
  Texts Groups() {
    return Rows("SELECT \"index\", group_name, load_balance, group_desc, type FROM load_balance_group ORDER BY rowid");
  }
  Texts Members() { return Rows("SELECT mac, group_balance FROM device_list_prev ORDER BY rowid"); }
  LoadBalanceManager_DB& manager = *GetLoadBalanceManager();
};

TEST_F(GroupsTest, CreateNumbersGroupsFromZeroAndBindsTheirAps) {
  std::vector<LoadBalanceGroupRecord> none;
  EXPECT_TRUE(manager.CreateGroup(none));
  EXPECT_TRUE(manager.AddApsToGroup(none));
  EXPECT_TRUE(manager.RenameGroup(none, {}));
  EXPECT_TRUE(manager.DeleteGroup(none));
  EXPECT_TRUE(Groups().empty());

  EXPECT_TRUE(manager.SetGroupLoadBalance("hall", 1)) << "no group at all";
  std::vector<LoadBalanceGroupRecord> groups = {Group("O'Brien", {kAp1, "02:44:71:00:09:09"}), Group("hall", {kAp2})};
  ASSERT_TRUE(manager.CreateGroup(groups));
  EXPECT_EQ(groups[0].index, 0);
  EXPECT_EQ(groups[1].index, 1);
  std::vector<LoadBalanceGroupRecord> later = {Group("yard")};
  ASSERT_TRUE(manager.CreateGroup(later));
  EXPECT_EQ(later[0].index, 2);
  EXPECT_EQ(Groups(), (Texts{"0|O'Brien|1|O'Brien desc|ssid-O'Brien", "1|hall|1|hall desc|ssid-hall",
                             "2|yard|1|yard desc|ssid-yard"}));
  EXPECT_EQ(Members(), (Texts{kAp1 + "|O'Brien", kAp2 + "|hall", kAp3 + "|"}));
  EXPECT_FALSE(database.Value("SELECT found_time FROM load_balance_group").empty());
}

TEST_F(GroupsTest, GroupsByNameAndPeersFollowTheBoundAps) {
  std::vector<LoadBalanceGroupRecord> created = {Group("hall", {kAp1, kAp2}), Group("yard", {kAp3})};
  ASSERT_TRUE(manager.CreateGroup(created));
  std::vector<LoadBalanceGroupRecord> groups;
  EXPECT_TRUE(manager.LoadGroupsByName({"yard", "no such group", "hall"}, groups));
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].group_name, "yard");
  EXPECT_EQ(groups[0].index, 1);
  EXPECT_EQ(groups[0].type, "ssid-yard");
  ASSERT_EQ(groups[1].aps.size(), 2u);
  EXPECT_EQ(groups[1].aps[1].mac, kAp2);

  std::vector<ApInfoRecord> peers(1);
  EXPECT_TRUE(manager.GetGroupPeers("127.0.0.11", peers));
  ASSERT_EQ(peers.size(), 1u);
  EXPECT_EQ(peers[0].ip, "127.0.0.12");
  EXPECT_FALSE(manager.GetGroupPeers("127.0.0.13", peers)) << "alone in its group";
  EXPECT_TRUE(peers.empty());
  EXPECT_FALSE(manager.GetGroupPeers("", peers));
}

TEST_F(GroupsTest, AFailingBindingLeavesNoGroupBehind) {
  ASSERT_TRUE(database.BreakWrites("device_list_prev", "UPDATE", "NEW.mac = '" + kAp2 + "'"));
  std::vector<LoadBalanceGroupRecord> groups = {Group("hall", {kAp1, kAp2})};
  EXPECT_FALSE(manager.CreateGroup(groups));
  EXPECT_EQ(groups[0].index, -1);
  EXPECT_TRUE(Groups().empty());
  EXPECT_EQ(Members(), (Texts{kAp1 + "|", kAp2 + "|", kAp3 + "|"}));
  EXPECT_NE(database.ExceptionLog().find("LoadBalanceManager_DB CreateGroup RollBackTransact"), std::string::npos);
}

TEST_F(GroupsTest, JoinRenameSwitchRemoveAndDeleteReachEveryApOfTheGroup) {
  std::vector<LoadBalanceGroupRecord> groups = {Group("hall", {kAp1})};
  ASSERT_TRUE(manager.CreateGroup(groups));
  groups[0].aps = Group("", {kAp2, kAp3}).aps;
  groups[0].type = "new-ssid";
  ASSERT_TRUE(manager.AddApsToGroup(groups));
  EXPECT_EQ(Members(), (Texts{kAp1 + "|hall", kAp2 + "|hall", kAp3 + "|hall"}));
  EXPECT_EQ(Groups(), (Texts{"0|hall|1|hall desc|new-ssid"}));

  ASSERT_TRUE(manager.RenameGroup({Group("lobby")}, {"hall"}));
  EXPECT_EQ(Members(), (Texts{kAp1 + "|lobby", kAp2 + "|lobby", kAp3 + "|lobby"}));
  EXPECT_TRUE(manager.RenameGroup({Group("x")}, {"no such group"}));
  EXPECT_EQ(Groups(), (Texts{"0|lobby|1|hall desc|new-ssid"}));

  EXPECT_TRUE(manager.SetGroupLoadBalance("lobby", 0));
  EXPECT_FALSE(manager.SetGroupLoadBalance("no such group", 1));
  EXPECT_TRUE(manager.SetGroupLoadBalance("", 1));
  EXPECT_EQ(database.Value("SELECT load_balance FROM load_balance_group"), "0");

  EXPECT_TRUE(manager.RemoveApsFromGroup("", kAp1));
  EXPECT_TRUE(manager.RemoveApsFromGroup("lobby", ""));
  EXPECT_TRUE(manager.RemoveApsFromGroup("lobby", kAp1));
  EXPECT_EQ(Members(), (Texts{kAp1 + "|", kAp2 + "|lobby", kAp3 + "|lobby"}));

  EXPECT_TRUE(manager.DeleteGroup({Group("no such group")}));
  EXPECT_EQ(Groups().size(), 1u);
  EXPECT_TRUE(manager.DeleteGroup({Group("lobby")}));
  EXPECT_TRUE(Groups().empty());
  EXPECT_EQ(Members(), (Texts{kAp1 + "|", kAp2 + "|", kAp3 + "|"}));
}

TEST_F(GroupsTest, ApListsFillTheirPropertiesAndFallBackToNewApsOnlyWithoutManagedOnes) {
  ASSERT_TRUE(
      database.Exec("INSERT INTO ap_property (mac, crvAPssid, enterpriseAPSysSNMPTrapIP, location, "
                    "crvAPWaterLevelBalancing, crvAPSecurityType) VALUES (?, 'lab', '127.0.0.1', 'hall', "
                    "'1', '2')",
                    {kAp1}));
  ASSERT_TRUE(database.Exec("INSERT INTO ap_property (mac) VALUES (?)", {kAp2}));
  AddAp("device_list", "AP_9", "127.0.0.19", "02:44:71:00:01:09");
  std::vector<ApInfoRecord> aps(1);
  aps[0].mac = kAp1;  // a record the caller had put there gets its properties too
  EXPECT_EQ(manager.GetLoadBalanceApList(aps), 4);
  EXPECT_EQ(aps[0].ssid, "lab");
  EXPECT_EQ(aps[1].name, "AP_1");
  EXPECT_EQ(aps[1].write_community, "private");
  EXPECT_EQ(aps[1].saved_ssid, "lab");
  EXPECT_EQ(aps[1].enterpriseAPSysSNMPTrapIP, "127.0.0.1");
  EXPECT_EQ(aps[1].location, "hall");
  EXPECT_EQ(aps[1].crvAPWaterLevelBalancing, "1");
  EXPECT_EQ(aps[1].crvAPSecurityType, "2");
  EXPECT_EQ(aps[2].saved_ssid, "") << "a NULL SSID is not saved";

  std::vector<ApInfoRecord> current;
  EXPECT_EQ(manager.GetCurrentApList(current), 1);
  EXPECT_EQ(current[0].name, "AP_9");

  ASSERT_TRUE(database.Exec("DELETE FROM device_list_prev"));
  std::vector<ApInfoRecord> fallback;
  EXPECT_EQ(manager.GetLoadBalanceApList(fallback), 1);
  EXPECT_EQ(fallback[0].name, "AP_9");
}

TEST_F(GroupsTest, ApNodeTellsAMissingDeviceFromMissingProperties) {
  ASSERT_TRUE(database.Exec("INSERT INTO ap_property (mac, crvAPssid) VALUES (?, 'lab')", {kAp1}));
  ApInfoRecord ap;
  ap.name = "untouched";
  EXPECT_EQ(manager.GetApNode(ap, "02:44:71:00:09:09"), -1);
  EXPECT_EQ(ap.name, "untouched");
  EXPECT_EQ(manager.GetApNode(ap, kAp2), -2);
  EXPECT_EQ(ap.name, "AP_2");
  EXPECT_EQ(manager.GetApNode(ap, kAp1), 1);
  EXPECT_EQ(ap.ssid, "lab");
}

TEST_F(GroupsTest, GroupListTakesLoadBalancingTemplatesWhateverTheRowOrder) {
  const auto add = [&](const std::string& name, const db::SqlValue& templateIndex, const std::string& mac) {
    ASSERT_TRUE(
        database.Exec("INSERT INTO user_def_group (group_name, group_template_index, group_device_mac) "
                      "VALUES (?, ?, ?)",
                      {name, templateIndex, mac}));
  };
  for (int index : {7, 8, 9})
    ASSERT_TRUE(
        database.Exec("INSERT INTO user_def_group_main_template (group_template_index, loadbalance_group) "
                      "VALUES (?, ?)",
                      {index, index == 9 ? 0 : 1}));
  add("first", 7, "");
  add("second", 8, kAp2);  // a member before its group's own row
  add("first", 7, kAp1);
  add("second", 8, "02:44:71:00:09:09");  // no such AP
  add("second", 8, "");
  add("third", 9, kAp3);  // load balancing off
  add("stray", nullptr, kAp3);
  std::vector<LoadBalanceGroupRecord> groups;
  EXPECT_TRUE(manager.loadGroupList(groups));
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].group_name, "first");
  ASSERT_EQ(groups[0].aps.size(), 1u);
  EXPECT_EQ(groups[0].aps[0].mac, kAp1);
  EXPECT_EQ(groups[1].group_name, "second");
  ASSERT_EQ(groups[1].aps.size(), 1u);
  EXPECT_EQ(groups[1].aps[0].name, "AP_2");
  EXPECT_EQ(groups[1].load_balance, 1);
  EXPECT_EQ(groups[1].index, -1);
}

}  // namespace
