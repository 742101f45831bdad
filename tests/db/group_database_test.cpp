// The stored groups and templates: a group's life from creation to deletion, the built-in group
// "default", templates at full width, names that would break a statement, and changes that fail
// half-way leaving the group as it was.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "db/GroupDatabase.h"
#include "support/CompetingWriter.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::MessageBoxRecorder;
using testing_support::TempDatabase;
namespace net = testing_support::reference_network;

// A template that sets some of everything: integers at the edges of what the pages accept, texts,
// and two MAC-filter entries.
GroupTemplateRecord SampleTemplate() {
  GroupTemplateRecord t;
  t.wireless_radio = 1;
  t.ssid = "lab-net";
  t.channel = 6;
  t.radius_server1_port = 65535;
  t.radius_server2_port = 40000;
  t.radius_server1_secret = "s'cret";
  t.beacon_interval = INT_MAX;
  t.tx_rate = 0;
  t.loadbalance_group = 1;
  t.UserNumberLimit = "32";
  t.mac_control = {{"00:11:22:33:44:55", "printer \"A\"", 1}, {"00:11:22:33:44:66", "", 0}};
  return t;
}

std::vector<std::string> Macs(const std::vector<ApInfoRecord>& devices) {
  std::vector<std::string> macs;
  for (const auto& d : devices) macs.push_back(d.mac);
  return macs;
}

class GroupDatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(net::AddDevices(database_, "device_list_prev")); }

  // Adds a group with the sample template and the first two reference APs; its template number.
  int AddLabGroup(const std::string& name = "lab") {
    GroupTemplateRecord t = SampleTemplate();
    EXPECT_EQ(groups_.AddGroup(name, &t), 0);
    EXPECT_EQ(groups_.AddApToGroup(name, net::kAp1), 0);
    EXPECT_EQ(groups_.AddApToGroup(name, net::kAp2), 0);
    return t.group_template_index;
  }
  // Every row of the three group tables, in storage order.
  std::vector<CAccessDatabase::TextRows> Snapshot() {
    return {database_.Rows("select * from user_def_group order by rowid"),
            database_.Rows("select * from user_def_group_main_template order by rowid"),
            database_.Rows("select * from user_def_group_mac_control order by rowid")};
  }
  std::vector<std::string> MemberColumn(const std::string& group) {
    std::vector<std::string> macs;
    for (const auto& row :
         database_.Rows("select group_device_mac from user_def_group where group_name=? order by rowid", {group}))
      macs.push_back(row[0]);
    return macs;
  }

  MessageBoxRecorder boxes_;
  TempDatabase database_;
  CGroupDatabase groups_;
};

TEST_F(GroupDatabaseTest, NewGroupIsStoredWithItsTemplateMembersAndFilterAndReadBack) {
  const int index = AddLabGroup();
  EXPECT_EQ(index, 2);  // numbers 0 and 1 are never given to a new group
  EXPECT_EQ(groups_.GetMaxGroupTemplateIndex(), 2);

  GroupTemplateRecord read;
  ASSERT_EQ(groups_.GetGroupTemplate("lab", read), 0);
  GroupTemplateRecord expected = SampleTemplate();
  EXPECT_EQ(read, expected);  // group_template_index stays -1 in what is read
  EXPECT_EQ(read.radius_server1_port, 65535);

  std::vector<ApInfoRecord> devices;
  ASSERT_EQ(groups_.GetGroupDevices("lab", devices), 0);
  EXPECT_EQ(Macs(devices), (std::vector<std::string>{net::kAp1, net::kAp2}));
  EXPECT_EQ(devices[0].ip, "127.0.0.11");
  EXPECT_EQ(devices[0].name, "AP_1");

  std::vector<GroupMemberList> list;
  ASSERT_EQ(groups_.GetGroupList(list), 0);
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].group_name, "default");
  EXPECT_TRUE(list[0].members.empty());
  EXPECT_EQ(list[1].group_name, "lab");
  EXPECT_EQ(list[1].members.size(), 2u);

  EXPECT_EQ(groups_.GroupExists("lab"), 1);
  EXPECT_EQ(groups_.IsDefaultGroup("lab"), 0);
  EXPECT_EQ(groups_.IsDefaultGroup("default"), 1);
  EXPECT_EQ(groups_.IsDefaultGroup("nowhere"), 0);
  EXPECT_EQ(AddLabGroup("second"), 3);
}

TEST_F(GroupDatabaseTest, FreshTemplateIsStoredAsNotSetAndEveryWidthSurvives) {
  AddLabGroup();
  const GroupTemplateRecord fresh;
  ASSERT_EQ(groups_.ModifyGroupTemplate("lab", fresh), 0);
  GroupTemplateRecord read = SampleTemplate();
  ASSERT_EQ(groups_.GetGroupTemplate("lab", read), 0);
  EXPECT_EQ(read, fresh);
  EXPECT_EQ(database_.Value("select count(*) from user_def_group_mac_control where group_template_index=2"), "0");

  for (int value : {65535, 32768, -32769, INT_MAX, INT_MIN, -1, 0}) {
    GroupTemplateRecord t;
    t.radius_server1_port = value;
    t.radius_server2_port = value;
    ASSERT_EQ(groups_.ModifyGroupTemplate("lab", t), 0);
    ASSERT_EQ(groups_.GetGroupTemplateRow("lab", read), 0);
    EXPECT_EQ(read.radius_server1_port, value);
    EXPECT_EQ(read.radius_server2_port, value);
  }
}

TEST_F(GroupDatabaseTest, NamesWithQuotesAndNonAsciiCharactersAreValuesNotSql) {
  const std::string name = "O'Brien's \"Räume\" 東京'; DROP TABLE user_def_group; --";
  const std::string renamed = "Zoë's ' OR '1'='1";
  AddLabGroup(name);
  EXPECT_EQ(groups_.GroupExists(name), 1);
  EXPECT_EQ(groups_.GroupExists("O'Brien"), 0);
  GroupTemplateRecord read;
  ASSERT_EQ(groups_.GetGroupTemplate(name, read), 0);
  EXPECT_EQ(read.radius_server1_secret, "s'cret");
  EXPECT_EQ(read.mac_control.front().alias_name, "printer \"A\"");

  ASSERT_EQ(groups_.RenameGroup(name, renamed), 0);
  EXPECT_EQ(groups_.GroupExists(name), 0);
  std::vector<ApInfoRecord> devices;
  ASSERT_EQ(groups_.GetGroupDevices(renamed, devices), 0);
  EXPECT_EQ(devices.size(), 2u);
  ASSERT_EQ(groups_.DeleteGroup(renamed), 0);
  EXPECT_EQ(database_.Value("select count(*) from user_def_group"), "1");  // "default" alone
  EXPECT_EQ(database_.Value("select count(*) from user_def_group_main_template"), "1");
}

TEST_F(GroupDatabaseTest, MembersComeAndGoWhileTheGroupLivesOnInItsAnchorRow) {
  AddLabGroup();
  // A member that is not a managed device is stored but never listed.
  ASSERT_EQ(groups_.AddApToGroup("lab", "02:00:00:00:00:99"), 0);
  std::vector<ApInfoRecord> devices;
  ASSERT_EQ(groups_.GetGroupDevices("lab", devices), 0);
  EXPECT_EQ(devices.size(), 2u);
  EXPECT_EQ(groups_.AddApToGroup("nowhere", net::kAp1), -1);
  EXPECT_EQ(groups_.AddApToGroup("", net::kAp1), -1);

  // Leaving a group takes the AP's MAC-filter entry of the group's template with it.
  GroupTemplateRecord t = SampleTemplate();
  t.mac_control = {{net::kAp1, "self", 1}, {net::kAp3, "other", 1}};
  ASSERT_EQ(groups_.ModifyGroupTemplate("lab", t), 0);
  ASSERT_EQ(groups_.DeleteApFromGroup("lab", net::kAp1), 0);
  ASSERT_EQ(groups_.GetGroupTemplate("lab", t), 0);
  ASSERT_EQ(t.mac_control.size(), 1u);
  EXPECT_EQ(t.mac_control[0].mac_address, net::kAp3);

  for (const std::string& mac : {std::string(), net::kAp2, std::string("02:00:00:00:00:99")})
    ASSERT_EQ(groups_.DeleteApFromGroup("lab", mac), 0);
  EXPECT_EQ(MemberColumn("lab"), (std::vector<std::string>{""}));
  EXPECT_EQ(groups_.GroupExists("lab"), 1);
  EXPECT_EQ(groups_.GetGroupDevices("lab", devices), -1);
  EXPECT_EQ(devices.size(), 2u);  // untouched
  EXPECT_EQ(groups_.DeleteApFromGroup("nowhere", net::kAp1), -1);
}

TEST_F(GroupDatabaseTest, SetGroupDevicesReplacesTheMembersAndEndsWithTheAnchor) {
  AddLabGroup();
  std::vector<ApInfoRecord> aps(3);
  aps[0].mac = net::kAp3;
  aps[1].mac = net::kAp2;
  aps[2].mac = net::kAp1;
  ASSERT_EQ(groups_.SetGroupDevices("lab", aps), 0);
  EXPECT_EQ(MemberColumn("lab"), (std::vector<std::string>{net::kAp3, net::kAp2, net::kAp1, ""}));
  ASSERT_EQ(groups_.SetGroupDevices("lab", {}), 0);
  EXPECT_EQ(MemberColumn("lab"), (std::vector<std::string>{" "}));
  EXPECT_EQ(database_.Value("select distinct group_template_index from user_def_group where group_name='lab'"), "2");
  EXPECT_EQ(groups_.SetGroupDevices("nowhere", aps), -1);
}

TEST_F(GroupDatabaseTest, TheDefaultGroupAndItsTemplateStay) {
  const auto before = Snapshot();
  EXPECT_EQ(groups_.DeleteGroup("default"), 2);
  EXPECT_EQ(Snapshot(), before);

  // Another group bound to template 0 goes; template 0 and its filter entries stay.
  ASSERT_TRUE(database_.Exec("insert into user_def_group values ('alias', 0, '')"));
  ASSERT_TRUE(database_.Exec("insert into user_def_group_mac_control values (0, '00:11:22:33:44:55', 'x', 1)"));
  const auto withAlias = Snapshot();
  EXPECT_EQ(groups_.IsDefaultGroup("alias"), 1);
  ASSERT_EQ(groups_.DeleteGroup("alias"), 0);
  const auto after = Snapshot();
  EXPECT_EQ(after[0], before[0]);
  EXPECT_EQ(after[1], withAlias[1]);
  EXPECT_EQ(after[2], withAlias[2]);

  GroupTemplateRecord t;
  t.ssid = "everywhere";
  ASSERT_EQ(groups_.SetDefaultGroupTemplate(t), 0);
  GroupTemplateRecord read;
  ASSERT_EQ(groups_.GetDefaultGroupTemplate(read), 0);
  EXPECT_EQ(read.ssid, "everywhere");
  EXPECT_EQ(read.group_template_index, -1);
}

TEST_F(GroupDatabaseTest, RenameRefusesTheDefaultGroupAMissingOldOrATakenNewName) {
  AddLabGroup("a");
  AddLabGroup("b");
  const auto before = Snapshot();
  EXPECT_EQ(groups_.RenameGroup("a", "b"), -1);
  EXPECT_EQ(groups_.RenameGroup("a", "a"), -1);
  EXPECT_EQ(groups_.RenameGroup("nowhere", "c"), -1);
  EXPECT_EQ(groups_.RenameGroup("default", "c"), -1);  // the built-in group is found by its name
  EXPECT_EQ(Snapshot(), before);
  GroupTemplateRecord t;
  EXPECT_EQ(groups_.AddGroup("", &t), -1);
  EXPECT_EQ(groups_.AddGroup("c", nullptr), -1);
  EXPECT_EQ(t.group_template_index, -1);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(GroupDatabaseTest, MissingGroupsOrTemplatesLeaveTheRecordAsItWas) {
  AddLabGroup();
  ASSERT_TRUE(database_.Exec("insert into user_def_group values ('orphan', 77, '')"));
  ASSERT_TRUE(database_.Exec("insert into user_def_group values ('nullindex', NULL, '')"));
  const GroupTemplateRecord sample = SampleTemplate();
  for (const char* group : {"nowhere", "orphan", "nullindex"}) {
    GroupTemplateRecord read = sample;
    EXPECT_EQ(groups_.GetGroupTemplate(group, read), -1) << group;
    EXPECT_EQ(groups_.GetGroupTemplateRow(group, read), -1) << group;
    EXPECT_EQ(groups_.GetGroupLoadBalance(group, read), -1) << group;
    EXPECT_EQ(read, sample) << group;
    EXPECT_EQ(groups_.ModifyGroupTemplate(group, sample), -1) << group;
  }
  // A NULL cell reads as 0 or "".
  ASSERT_TRUE(database_.Exec("update user_def_group_main_template set channel=NULL, ssid=NULL "
                             "where group_template_index=2"));
  GroupTemplateRecord read;
  ASSERT_EQ(groups_.GetGroupTemplate("lab", read), 0);
  EXPECT_EQ(read.channel, 0);
  EXPECT_EQ(read.ssid, "");
}

TEST_F(GroupDatabaseTest, CopyAndLoadBalanceReadOnlyWhatTheyShould) {
  AddLabGroup("source");
  AddLabGroup("target");
  EXPECT_EQ(groups_.CopyGroupTemplate("source", "source"), -1);
  EXPECT_EQ(groups_.CopyGroupTemplate("nowhere", "target"), -1);
  GroupTemplateRecord changed = SampleTemplate();
  changed.ssid = "copied";
  changed.mac_control.clear();
  ASSERT_EQ(groups_.ModifyGroupTemplate("source", SampleTemplate()), 0);
  ASSERT_TRUE(database_.Exec("update user_def_group_main_template set ssid='copied' where group_template_index=2"));
  ASSERT_EQ(groups_.CopyGroupTemplate("source", "target"), 0);
  GroupTemplateRecord read;
  ASSERT_EQ(groups_.GetGroupTemplate("target", read), 0);
  EXPECT_EQ(read, changed);
  ASSERT_EQ(groups_.GetGroupTemplate("source", read), 0);
  EXPECT_EQ(read.mac_control.size(), 2u);

  GroupTemplateRecord balance = SampleTemplate();
  ASSERT_EQ(groups_.GetGroupLoadBalance("source", balance), 0);
  GroupTemplateRecord expected;
  expected.loadbalance_group = 1;
  EXPECT_EQ(balance, expected);
}

TEST_F(GroupDatabaseTest, AnApsTemplatesAreLaidOverEachOther) {
  GroupTemplateRecord first;
  first.channel = 6;
  first.ssid = "first";
  first.tx_rate = 3;
  first.bg_mode = 2;  // not among the settings taken
  first.mac_control = {{"00:00:00:00:00:01", "a", 1}};
  GroupTemplateRecord second;
  second.ssid = "";
  second.tx_rate = 5;
  second.mac_control = {{"00:00:00:00:00:02", "b", -1}};
  ASSERT_EQ(groups_.AddGroup("first", &first), 0);
  ASSERT_EQ(groups_.AddGroup("second", &second), 0);
  ASSERT_EQ(groups_.AddApToGroup("first", net::kAp1), 0);
  ASSERT_EQ(groups_.AddApToGroup("second", net::kAp1), 0);

  GroupTemplateRecord read;
  read.wmm_function = 1;  // kept: no template sets it
  ASSERT_EQ(groups_.GetApGroupTemplate(net::kAp1, read), 0);
  EXPECT_EQ(read.group_template_index, 3);
  EXPECT_EQ(read.channel, 6);
  EXPECT_EQ(read.tx_rate, 5);
  EXPECT_EQ(read.ssid, "");  // a text is always taken
  EXPECT_EQ(read.bg_mode, -1);
  EXPECT_EQ(read.wmm_function, 1);
  ASSERT_EQ(read.mac_control.size(), 2u);
  EXPECT_EQ(read.mac_control[1].mac_address, "00:00:00:00:00:02");

  GroupTemplateRecord untouched;
  EXPECT_EQ(groups_.GetApGroupTemplate(net::kAp3, untouched), -1);
  EXPECT_EQ(groups_.GetApGroupTemplate("", untouched), -1);
  EXPECT_EQ(untouched, GroupTemplateRecord());
}

// Each change made to fail at its last statement: the group tables stay exactly as they were.
TEST_F(GroupDatabaseTest, AChangeThatFailsHalfWayLeavesTheGroupAsItWas) {
  struct Case {
    const char* name;
    const char* table;
    const char* event;
    const char* when;
    std::function<int(CGroupDatabase&)> change;
  };
  std::vector<ApInfoRecord> newMembers(1);
  newMembers[0].mac = net::kAp3;
  const std::vector<Case> cases = {
      {"AddGroup", "user_def_group_main_template", "INSERT", "1",
       [](CGroupDatabase& g) {
         GroupTemplateRecord t = SampleTemplate();
         const int result = g.AddGroup("new", &t);
         EXPECT_EQ(t.group_template_index, -1);
         return result;
       }},
      {"AddApToGroup", "user_def_group", "INSERT", "1", [](CGroupDatabase& g) { return g.AddApToGroup("lab", net::kAp3); }},
      {"DeleteApFromGroup", "user_def_group_mac_control", "DELETE", "1",
       [](CGroupDatabase& g) { return g.DeleteApFromGroup("lab", net::kAp1); }},
      {"DeleteGroup", "user_def_group", "DELETE", "1", [](CGroupDatabase& g) { return g.DeleteGroup("lab"); }},
      {"RenameGroup", "user_def_group", "UPDATE", "NEW.group_device_mac = ''",
       [](CGroupDatabase& g) { return g.RenameGroup("lab", "renamed"); }},
      {"SetGroupDevices", "user_def_group", "INSERT", "NEW.group_device_mac = ''",
       [&](CGroupDatabase& g) { return g.SetGroupDevices("lab", newMembers); }},
      {"ModifyGroupTemplate", "user_def_group_mac_control", "INSERT", "NEW.alias_name = 'last'",
       [](CGroupDatabase& g) {
         GroupTemplateRecord t;
         t.ssid = "changed";
         t.mac_control = {{"00:00:00:00:00:01", "first", 1}, {"00:00:00:00:00:02", "last", 1}};
         return g.ModifyGroupTemplate("lab", t);
       }},
  };
  AddLabGroup();
  ASSERT_TRUE(database_.Exec("insert into user_def_group_mac_control values (2, ?, 'ap1', 1)", {net::kAp1}));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto before = Snapshot();
    const std::string trigger = std::string("break_") + c.table + "_" + c.event;
    ASSERT_TRUE(database_.BreakWrites(c.table, c.event, c.when));
    EXPECT_EQ(c.change(groups_), -1);
    ASSERT_TRUE(database_.Exec("DROP TRIGGER " + trigger));
    EXPECT_EQ(Snapshot(), before);
    EXPECT_NE(database_.ExceptionLog().find(std::string(c.name) + " RollBackTransact"), std::string::npos);
  }
}

TEST_F(GroupDatabaseTest, AChangeWhoseTransactionCannotBeginChangesNothing) {
  AddLabGroup();
  const auto before = Snapshot();
  {
    testing_support::CompetingWriter writer;
    GroupTemplateRecord t = SampleTemplate();
    EXPECT_EQ(groups_.AddGroup("new", &t), -1);
    EXPECT_EQ(groups_.SetGroupDevices("lab", {}), -1);
    EXPECT_EQ(groups_.ModifyGroupTemplate("lab", GroupTemplateRecord()), -1);
  }
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(GroupDatabaseTest, ManagedApListHoldsTheManagedApsOnly) {
  std::vector<ApInfoRecord> aps;
  ASSERT_EQ(groups_.GetManagedApList(aps), 0);
  EXPECT_EQ(Macs(aps), (std::vector<std::string>{net::kAp1, net::kAp2, net::kAp3}));
  ASSERT_TRUE(database_.Exec("delete from device_list_prev where type=2"));
  EXPECT_EQ(groups_.GetManagedApList(aps), -1);
  EXPECT_EQ(aps.size(), 3u);
}

}  // namespace
