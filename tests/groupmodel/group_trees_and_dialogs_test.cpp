// The group trees' texts and icons, the group dialogs' lists and refusals, and drops onto a group, over a
// database holding the reference network's APs.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "groupmodel/BindingWarning.h"
#include "groupmodel/DragScroll.h"
#include "groupmodel/GroupAddApModel.h"
#include "groupmodel/GroupApListModel.h"
#include "groupmodel/GroupChanges.h"
#include "groupmodel/GroupListRows.h"
#include "groupmodel/GroupNameRule.h"
#include "groupmodel/GroupTreeModel.h"
#include "groups/GroupStoreFixture.h"
#include "support/CompetingWriter.h"

namespace {

using T = CGroupTreeModel;

TEST(GroupTreeTextTest, LabelsAndIcons) {
  EXPECT_EQ(T::GroupLabel("default", 3), "default(3)");
  EXPECT_EQ(T::StripMemberCount("lab(1)(3)"), "lab(1)");
  EXPECT_EQ(T::StripMemberCount("no count"), "");
  EXPECT_EQ(T::GroupNameOfLabel("no count"), "no count");
  ApInfoRecord ap;
  ap.name = "AP_1";
  ap.mac = "02:44:71:00:01:01";
  ap.ip = "127.0.0.11";
  EXPECT_EQ(T::ApLabel(ap), " AP_1:(02:44:71:00:01:01):127.0.0.11");
  EXPECT_EQ(T::IpOfApLabel(T::ApLabel(ap)), "127.0.0.11");
  GroupTemplateRecord balance;
  for (auto [value, image] : {std::pair{1, 3}, {0, 4}, {-1, 0}, {7, 0}}) {
    balance.loadbalance_group = value;
    EXPECT_EQ(T::GroupImage(balance), image) << value;
  }
  // One mapping for rebuilds and icon refreshes: -1 shows no icon, states 2 and 3 their own.
  for (auto [state, image] : {std::pair{0, 1}, {1, 2}, {2, 3}, {3, 4}, {-1, -1}}) EXPECT_EQ(T::ApImage(state), image);
  for (auto [state, image] : {std::pair{0, 1}, {1, 2}, {-1, 3}, {2, -1}, {3, -1}}) EXPECT_EQ(T::TreeViewApImage(state), image);
}

TEST(GroupTreeTextTest, EmptyTemplates) {
  GroupTemplateRecord t;
  EXPECT_TRUE(T::IsTemplateEmpty(t));
  t.wep_64_key1_value = "0123456789";
  t.radius_server1_ip = "10.0.0.1";
  t.mac_control = {{"00:00:00:00:00:01", "", -1}};
  EXPECT_TRUE(T::IsTemplateEmpty(t)) << "keys, RADIUS and the MAC list alone apply nothing";
  for (auto set : {+[](GroupTemplateRecord& r) { r.ssid = "x"; }, +[](GroupTemplateRecord& r) { r.mac_filter_type = 0; },
                   +[](GroupTemplateRecord& r) { r.WLAN_Partition = "0"; }, +[](GroupTemplateRecord& r) { r.cts_mode = 0; }}) {
    GroupTemplateRecord one;
    set(one);
    EXPECT_FALSE(T::IsTemplateEmpty(one));
  }
}

TEST(GroupNameRuleTest, PresentAndAtMostThirtyCharacters) {
  EXPECT_FALSE(CGroupNameRule::Check(std::string(30, 'g'), "Please input group name"));
  EXPECT_FALSE(CGroupNameRule::Check("Gruppe ä" + std::string(22, 'g'), "x")) << "characters, not bytes";
  const auto tooLong = CGroupNameRule::Check(std::string(31, 'g'), "Please input group name");
  ASSERT_TRUE(tooLong);
  EXPECT_EQ(tooLong->message, "group name max length is 30 characters");
  EXPECT_EQ(tooLong->caption, "error");
  const auto empty = CGroupNameRule::Check("", "please input new group name");
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->message, "please input new group name");
  EXPECT_EQ(empty->caption, "info");
}

TEST(DragScrollTest, FasterFurtherOut) {
  EXPECT_EQ(DragAutoScroll(50, 0, 100).direction, 0);
  const auto near = DragAutoScroll(5, 0, 100);
  EXPECT_EQ(near.direction, -1);
  EXPECT_EQ(near.everyTicks, 6);
  EXPECT_EQ(DragAutoScroll(-130, 0, 100).everyTicks, 1);
  EXPECT_EQ(DragAutoScroll(-20, 0, 100).everyTicks, 5);
  const auto below = DragAutoScroll(95, 0, 100);
  EXPECT_EQ(below.direction, 1);
  EXPECT_EQ(below.everyTicks, 6);
}

class GroupModelsTest : public GroupStoreTest {
 protected:
  // lab holds AP 1 and 2 with an SSID template; ssid-elsewhere binds AP 3's SSID.
  void SetUp() override {
    GroupStoreTest::SetUp();
    GroupTemplateRecord ssid;
    ssid.ssid = "lab";
    ssid.loadbalance_group = 1;
    AddGroup("lab(1)", ssid, {net::kAp1, net::kAp2});
    GroupTemplateRecord other;
    other.ssid = "elsewhere";
    AddGroup("other", other, {net::kAp3});
  }
};

TEST_F(GroupModelsTest, TheGroupViewsTree) {
  CGroupTreeModel model;
  ASSERT_TRUE(model.BuildGroupView());
  std::vector<std::string> labels;
  for (const auto& group : model.Groups()) labels.push_back(group.label);
  EXPECT_EQ(labels, (std::vector<std::string>{"default(0)", "lab(1)(2)", "other(1)"}));
  const GroupTreeGroup& lab = model.Groups()[1];
  EXPECT_EQ(lab.name, "lab(1)");
  EXPECT_EQ(lab.image, T::kBalanceMatches);
  ASSERT_EQ(lab.aps.size(), 2u);
  EXPECT_EQ(lab.aps[0].label, " AP_1:(" + net::kAp1 + "):127.0.0.11");
  EXPECT_EQ(lab.aps[0].mac, net::kAp1);
  EXPECT_EQ(lab.aps[0].image, -1) << "nothing stored for the AP yet";
  ASSERT_TRUE(model.BuildTreeView());
  EXPECT_EQ(model.Groups()[1].label, "lab(1)");
  EXPECT_EQ(model.Groups()[1].aps[0].label, ":127.0.0.11");
  EXPECT_EQ(model.Groups()[1].aps[0].image, 3);
}

TEST_F(GroupModelsTest, ConfigGroupApList) {
  CGroupApListModel dialog("lab(1)");
  dialog.Load();
  ASSERT_EQ(dialog.Members().size(), 2u);
  ASSERT_EQ(dialog.Available().size(), 1u);
  EXPECT_EQ(dialog.Available()[0].mac, net::kAp3);
  EXPECT_FALSE(dialog.Add(0)) << "AP 3's SSID is bound by other";
  EXPECT_EQ(boxes_.Texts().back(), "Warning: couldn't add Ap '127.0.0.13' to group!\r\nReason: Ap '127.0.0.13' has bind ssid with group other");
  EXPECT_FALSE(dialog.Add(-1));
  EXPECT_EQ(boxes_.Texts().back(), "please select a item from available Ap list");
  EXPECT_FALSE(dialog.Remove(5));
  EXPECT_EQ(boxes_.Texts().back(), "please select a item from group Ap list");
  EXPECT_TRUE(dialog.Remove(0));
  EXPECT_TRUE(dialog.Save());
  EXPECT_EQ(boxes_.Texts().back(), "success");
  std::vector<ApInfoRecord> members;
  Store().GetGroupDevices("lab(1)", members);
  ASSERT_EQ(members.size(), 1u);
  EXPECT_EQ(members[0].mac, net::kAp2);
}

TEST_F(GroupModelsTest, AddGroupApAddsAllOrNothing) {
  GroupTemplateRecord channel;
  channel.channel = 3;
  AddGroup("radio", channel, {});
  CGroupAddApModel dialog("lab(1)");
  dialog.Load();
  ASSERT_EQ(dialog.Candidates().size(), 1u) << "members are left out by MAC";
  EXPECT_FALSE(dialog.Commit({0}));
  CGroupAddApModel radio("radio");
  radio.Load();
  ASSERT_EQ(radio.Candidates().size(), 3u);
  EXPECT_TRUE(radio.Commit({0, 2}));
  EXPECT_EQ(Store().IsApInGroup(net::kAp1, "radio"), 1);
  EXPECT_EQ(Store().IsApInGroup(net::kAp3, "radio"), 1);
  EXPECT_EQ(Store().IsApInGroup(net::kAp2, "radio"), 0);
}

// A drop onto the default group, of a new AP, or of a member changes nothing; a free AP joins.
TEST_F(GroupModelsTest, DroppingAnApOnAGroup) {
  GroupTemplateRecord channel;
  channel.channel = 3;
  AddGroup("radio", channel, {net::kAp1});
  EXPECT_EQ(CGroupListRows::DropApOnGroup(net::kAp2, "127.0.0.12", true, "default"), DropVerdict::kRefused);
  EXPECT_EQ(boxes_.Texts().back(), "can't add device to default group");
  EXPECT_EQ(CGroupListRows::DropApOnGroup(net::kAp2, "127.0.0.12", false, "radio"), DropVerdict::kRefused);
  EXPECT_EQ(boxes_.Texts().back(), "Warning: couldn't add un-managed device to group\r\nSolution: save it first!");
  const size_t shown = boxes_.Texts().size();
  EXPECT_EQ(CGroupListRows::DropApOnGroup(net::kAp1, "127.0.0.11", true, "radio"), DropVerdict::kAlreadyMember);
  EXPECT_EQ(boxes_.Texts().size(), shown);
  EXPECT_EQ(CGroupListRows::DropApOnGroup(net::kAp3, "127.0.0.13", true, "lab(1)"), DropVerdict::kRefused);
  EXPECT_EQ(CGroupListRows::DropApOnGroup(net::kAp2, "127.0.0.12", true, "radio"), DropVerdict::kAdded);
  std::vector<ApInfoRecord> members;
  Store().GetGroupDevices("radio", members);
  EXPECT_EQ(members.size(), 2u);

  CGroupListRows rows;
  rows.Load();
  ASSERT_GE(rows.Rows().size(), 3u);
  EXPECT_EQ(rows.Rows()[0].groups, "lab(1);radio");
  EXPECT_EQ(rows.Rows()[2].groups, "other");
  EXPECT_EQ(CGroupListRows::WithGroup("", "g"), "g");
}

// A held database takes no group change: each is refused with its box, and nothing is written.
TEST_F(GroupModelsTest, ChangesTheDatabaseDoesNotTakeAreReportedAsFailed) {
  AddGroup("plain", GroupTemplateRecord{}, {});
  GroupTemplateRecord ssid;
  ssid.ssid = "radio";
  GroupTemplateRecord storedLab;
  ASSERT_EQ(Store().GetGroupTemplate("lab(1)", &storedLab), 0);
  struct Case {
    const char* change;
    std::function<bool()> store;
    std::string box;
  };
  const Case cases[] = {
      {"new group", [&] { return StoreNewGroup("radio", ssid, {}); }, "add group radio fail"},
      {"add group AP", [] {
         CGroupAddApModel dialog("plain");
         dialog.Load();
         return dialog.Candidates().size() == 3 && dialog.Commit({1});
       }, "add AP 127.0.0.12 to group plain fail"},
      {"drop", [] { return CGroupListRows::DropApOnGroup(net::kAp2, "127.0.0.12", true, "plain") == DropVerdict::kAdded; },
       "add AP 127.0.0.12 to group plain fail"},
      {"template", [&] { return StoreGroupTemplate("lab(1)", ssid); }, "save group lab(1) template fail"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.change);
    {
      testing_support::CompetingWriter writer;
      EXPECT_FALSE(c.store());
    }
    ASSERT_FALSE(boxes_.Texts().empty());
    EXPECT_EQ(boxes_.Texts().back(), c.box);
  }
  EXPECT_EQ(Store().GroupExists("radio"), 0);
  EXPECT_EQ(Store().IsApInGroup(net::kAp2, "plain"), 0);
  GroupTemplateRecord lab;
  ASSERT_EQ(Store().GetGroupTemplate("lab(1)", &lab), 0);
  EXPECT_EQ(lab.ssid, storedLab.ssid);

  EXPECT_TRUE(StoreNewGroup("radio", ssid, {})) << "the same change goes through once the database is free";
}

// A database that refuses the second of two APs: the first is a member, the dialog offers the rest, and
// a second OK adds the refused one without adding the first again.
TEST_F(GroupModelsTest, AddGroupApRefusedPartWayOffersOnlyTheApsNotAdded) {
  AddGroup("plain", GroupTemplateRecord{}, {});
  CGroupAddApModel dialog("plain");
  dialog.Load();
  ASSERT_EQ(dialog.Candidates().size(), 3u);
  ASSERT_EQ(dialog.Candidates()[1].mac, net::kAp2);
  ASSERT_TRUE(database_.BreakWrites("user_def_group", "INSERT", "NEW.group_device_mac = '" + net::kAp2 + "'"));
  EXPECT_FALSE(dialog.Commit({0, 1}));
  EXPECT_EQ(boxes_.Texts().back(), "add AP 127.0.0.12 to group plain fail");
  ASSERT_EQ(dialog.Candidates().size(), 2u);
  EXPECT_EQ(dialog.Candidates()[0].mac, net::kAp2);

  ASSERT_TRUE(database_.Exec("DROP TRIGGER break_user_def_group_INSERT"));
  EXPECT_TRUE(dialog.Commit({0}));
  const auto count = [&](const std::string& mac) {
    return database_.Value("SELECT count(*) FROM user_def_group WHERE group_name='plain' AND group_device_mac=?", {mac});
  };
  EXPECT_EQ(count(net::kAp1), "1");
  EXPECT_EQ(count(net::kAp2), "1");
  EXPECT_EQ(count(net::kAp3), "0");
}

}  // namespace
