// The group store: groups made and read back through it with their action-log lines, the binding check
// between groups that share an AP, property labels and the one store per process.
#include <algorithm>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "GroupStoreFixture.h"

namespace {

TEST_F(GroupStoreTest, AGroupMadeThroughTheStoreIsReadBackAndItsChangesAreLogged) {
  GroupTemplateRecord t;
  t.ssid = "lab";
  t.radius_server1_port = 65535;
  t.mac_control = {{"00:11:22:33:44:55", "printer", 1}};
  AddGroup("lab", t, {net::kAp1, net::kAp2});
  EXPECT_EQ(Store().AddApToGroup("nowhere", net::kAp3), -1);

  GroupTemplateRecord read;
  ASSERT_EQ(Store().GetGroupTemplate("lab", &read), 0);
  EXPECT_EQ(read, t);
  ASSERT_EQ(Store().GetGroupTemplateRow("lab", &read), 0);
  EXPECT_TRUE(read.mac_control.empty());
  ASSERT_EQ(Store().GetGroupLoadBalance("lab", &read), 0);
  EXPECT_EQ(read, GroupTemplateRecord());
  EXPECT_EQ(Store().GetGroupTemplate("lab", nullptr), -1);
  std::vector<ApInfoRecord> members;
  ASSERT_EQ(Store().GetGroupDevices("lab", members), 0);
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[1].ip, "127.0.0.12");
  EXPECT_EQ(Store().IsDefaultTemplateGroup("default"), 1);
  EXPECT_EQ(Store().IsDefaultTemplateGroup("lab"), 0);

  ASSERT_EQ(Store().DeleteApFromGroup("lab", net::kAp2), 0);
  ASSERT_EQ(Store().RenameGroup("lab", "lab two"), 0);
  EXPECT_EQ(Store().RenameGroup("lab two", "default"), -1);
  EXPECT_EQ(Store().DeleteGroup("default"), 2);
  ASSERT_EQ(Store().DeleteGroup("lab two"), 0);
  EXPECT_EQ(database_.ActionLog(), (std::vector<std::string>{
                                       "Add group lab",
                                       "Add AP 127.0.0.11[02:44:71:00:01:01] to group lab success",
                                       "Add AP 127.0.0.12[02:44:71:00:01:02] to group lab success",
                                       "Add AP 127.0.0.13[02:44:71:00:01:03] to group nowhere fail",
                                       "Delete AP 127.0.0.12[02:44:71:00:01:02] from group lab",
                                       "Rename group lab to lab two",
                                       "Delete group lab two",
                                   }));
}

// The other group "other" holds AP 1 with its template; the given template is checked for AP 1.
TEST_F(GroupStoreTest, BindingCheckFiresOnTheFirstPropertyBothTemplatesSet) {
  struct Case {
    const char* name;
    void (*other)(GroupTemplateRecord&);
    void (*given)(GroupTemplateRecord&);
    int property;  // -1: no binding
  };
  const Case cases[] = {
      {"given sets nothing", [](GroupTemplateRecord& t) { t.ssid = "x"; }, [](GroupTemplateRecord&) {}, -1},
      {"bg mode against super G", [](GroupTemplateRecord& t) { t.super_g_mode = 1; },
       [](GroupTemplateRecord& t) { t.bg_mode = 2; }, 4},
      {"bg mode against bg mode", [](GroupTemplateRecord& t) { t.bg_mode = 1; },
       [](GroupTemplateRecord& t) { t.bg_mode = 2; }, 0},
      {"auto channel against channel", [](GroupTemplateRecord& t) { t.channel = 6; },
       [](GroupTemplateRecord& t) { t.auto_select_channel = 0; }, 3},
      {"channel against auto channel", [](GroupTemplateRecord& t) { t.auto_select_channel = 1; },
       [](GroupTemplateRecord& t) { t.channel = 11; }, 3},
      {"different properties", [](GroupTemplateRecord& t) { t.tx_rate = 3; },
       [](GroupTemplateRecord& t) { t.cts_mode = 1; }, -1},
      {"MAC filter against MAC filter", [](GroupTemplateRecord& t) { t.mac_control = {{"00:00:00:00:00:01", "", 1}}; },
       [](GroupTemplateRecord& t) { t.mac_control = {{"00:00:00:00:00:02", "", 1}}; }, 16},
      {"MAC filter against none", [](GroupTemplateRecord& t) { t.mac_filter_type = 1; },
       [](GroupTemplateRecord& t) { t.mac_control = {{"00:00:00:00:00:02", "", 1}}; }, -1},
      {"quoted SSID", [](GroupTemplateRecord& t) { t.ssid = "it's"; }, [](GroupTemplateRecord& t) { t.ssid = "'"; }, 2},
      {"management host", [](GroupTemplateRecord& t) { t.management_host = "10.0.0.1"; },
       [](GroupTemplateRecord& t) { t.management_host = "10.0.0.2"; }, 18},
      {"WLAN partition after the user limit", [](GroupTemplateRecord& t) { t.WLAN_Partition = "1"; },
       [](GroupTemplateRecord& t) {
         t.UserNumberLimit = "5";
         t.WLAN_Partition = "0";
       },
       20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GroupTemplateRecord other;
    c.other(other);
    AddGroup("other", other, {net::kAp1});
    AddGroup("mine", GroupTemplateRecord(), {net::kAp1});
    GroupTemplateRecord given;
    c.given(given);
    GroupBindRecord result;
    const bool bound = Store().CheckTemplateBinding(net::kAp1, &given, &result, "mine");
    EXPECT_EQ(bound, c.property >= 0);
    if (bound) {
      EXPECT_EQ(result.properties, std::set<int>{c.property});
      EXPECT_EQ(result.groupName, "other");
    }
    // AP 3 is in no other group.
    EXPECT_FALSE(Store().CheckTemplateBinding(net::kAp3, &given, &result, "mine"));
    ASSERT_EQ(Store().DeleteGroup("other"), 0);
    ASSERT_EQ(Store().DeleteGroup("mine"), 0);
  }
}

TEST_F(GroupStoreTest, TheDefaultGroupNeverBindsAndAGroupDoesNotBindItself) {
  GroupTemplateRecord sets;
  sets.ssid = "lab";
  ASSERT_TRUE(database_.Exec("update user_def_group_main_template set ssid='everywhere'"));
  ASSERT_EQ(Store().AddApToGroup("default", net::kAp1), 0);
  AddGroup("mine", sets, {net::kAp1});
  GroupBindRecord result;
  EXPECT_FALSE(Store().CheckGroupBinding(net::kAp1, "mine", &result));
  EXPECT_FALSE(Store().CheckTemplateBinding(net::kAp1, &sets, &result, "mine"));
  // With no group excluded, the AP's own group counts.
  EXPECT_TRUE(Store().CheckTemplateBinding(net::kAp1, &sets, &result, ""));
  EXPECT_EQ(result.groupName, "mine");
  AddGroup("second", sets, {net::kAp1});
  GroupBindRecord second;
  EXPECT_TRUE(Store().CheckGroupBinding(net::kAp1, "mine", &second));
  EXPECT_EQ(second.groupName, "second");
  EXPECT_EQ(second.properties, std::set<int>{2});
  EXPECT_FALSE(Store().CheckTemplateBinding(net::kAp1, nullptr, &second, ""));
}

TEST_F(GroupStoreTest, BindingsListEachOtherGroupOnceWithItsOwnProperties) {
  GroupTemplateRecord first;
  first.ssid = "one";
  first.auto_select_channel = 0;  // not "set" for the template sheet without a channel
  first.mac_control = {{"00:00:00:00:00:01", "", 1}};
  GroupTemplateRecord second;
  second.channel = 6;
  second.loadbalance_group = 0;
  second.management_host = "10.0.0.1";  // never listed
  AddGroup("mine", GroupTemplateRecord(), {net::kAp1, net::kAp2});
  AddGroup("first", first, {net::kAp1, net::kAp2});
  AddGroup("second", second, {net::kAp2});

  std::vector<GroupBindRecord> bindings;
  ASSERT_EQ(Store().GetGroupBindings("mine", bindings), 0);
  ASSERT_EQ(bindings.size(), 2u);
  std::sort(bindings.begin(), bindings.end(), [](auto& a, auto& b) { return a.groupName < b.groupName; });
  EXPECT_EQ(bindings[0].groupName, "first");
  EXPECT_EQ(bindings[0].properties, (std::set<int>{2, 16}));
  EXPECT_EQ(bindings[1].groupName, "second");
  EXPECT_EQ(bindings[1].properties, (std::set<int>{3, 17}));
  EXPECT_EQ(bindings[1].mac, net::kAp2);
  EXPECT_EQ(bindings[1].ip, "127.0.0.12");

  // A group whose APs are in no other group adds nothing; one without managed APs empties the list.
  AddGroup("alone", GroupTemplateRecord(), {net::kAp3});
  ASSERT_EQ(Store().GetGroupBindings("alone", bindings), 0);
  EXPECT_EQ(bindings.size(), 2u);
  AddGroup("empty", GroupTemplateRecord(), {});
  ASSERT_EQ(Store().GetGroupBindings("empty", bindings), 0);
  EXPECT_TRUE(bindings.empty());
}

TEST_F(GroupStoreTest, LabelsTxRatesAndTheSmallGroupQueries) {
  std::string label = "unchanged";
  EXPECT_EQ(Store().GetPropertyLabel(21, label), -1);
  EXPECT_EQ(Store().GetPropertyLabel(-1, label), -1);
  EXPECT_EQ(label, "unchanged");
  const std::pair<int, const char*> labels[] = {
      {0, "bgMode"}, {3, "channel"}, {16, "mac control"}, {17, "Load Balance status"}, {19, "User number limit"},
      {20, "WLAN Partition"}};
  for (const auto& [index, text] : labels) {
    ASSERT_EQ(Store().GetPropertyLabel(index, label), 0);
    EXPECT_EQ(label, text);
  }

  const std::pair<int, int> rates[] = {{0, 0}, {2, 1}, {11, 3}, {22, 6}, {108, 12}, {1, -1}, {110, -1}};
  for (const auto& [rate, index] : rates) EXPECT_EQ(Store().TxRateValueToIndex(rate), index) << rate;

  std::string name = "before";
  ASSERT_EQ(Store().GetDefaultGroupName(name), 0);
  EXPECT_EQ(name, "default");
  AddGroup("lab's", GroupTemplateRecord(), {net::kAp1});
  ASSERT_EQ(Store().GetGroupNameByTemplateIndex(2, name), 0);
  EXPECT_EQ(name, "lab's");
  EXPECT_EQ(Store().GetGroupNameByTemplateIndex(9, name), -1);
  EXPECT_EQ(Store().IsApInGroup(net::kAp1, "lab's"), 1);
  EXPECT_EQ(Store().IsApInGroup(net::kAp2, "lab's"), 0);

  ASSERT_TRUE(net::AddDevices(database_, "device_list"));
  std::vector<ApInfoRecord> aps(1);
  ASSERT_EQ(Store().GetNewApList(aps), 0);
  ASSERT_EQ(aps.size(), 3u);
  EXPECT_EQ(aps[2].ip, "127.0.0.13");
  EXPECT_EQ(aps[2].mac, net::kAp3);
  ASSERT_TRUE(database_.Exec("update device_list set ip=NULL where mac=?", {net::kAp2}));
  EXPECT_EQ(Store().GetNewApList(aps), -1);
  EXPECT_EQ(aps.size(), 1u);
}

TEST_F(GroupStoreTest, EightThreadsAskingAtOnceGetOneStore) {
  platform::RunShutdown();
  std::promise<void> go;
  std::shared_future<void> start = go.get_future().share();
  std::vector<std::future<CGroupStore*>> asked;
  for (int i = 0; i < 8; ++i)
    asked.push_back(std::async(std::launch::async, [start] {
      start.wait();
      return GetGroupStore();
    }));
  go.set_value();
  std::vector<CGroupStore*> stores;
  for (auto& f : asked) stores.push_back(f.get());
  ASSERT_NE(stores[0], nullptr);
  EXPECT_EQ(std::count(stores.begin(), stores.end(), stores[0]), 8);
  EXPECT_EQ(GetGroupStore(), stores[0]);
}

}  // namespace
