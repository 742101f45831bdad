// The device commands over the reference network's database: saving by status (and stopping at an AP
// whose properties are not ready), deleting from the list with the group update, replacing, deleting a
// switch with what hangs on it, the map's selection rules, and the switch settings read from the
// simulated switch.
#include <gtest/gtest.h>

#include "DevViewsFixture.h"
#include "devmodel/DeviceCommands.h"
#include "devmodel/DeviceViewsHost.h"
#include "support/DevSimProcess.h"

namespace {

class RecordingHost : public IDeviceViewsHost {
 public:
  int ShowApConfiguration(const std::string& ip, const std::string& mac, const std::string& caption) override {
    calls.push_back("config " + ip + " " + mac + " " + caption);
    return answer;
  }
  int ShowApPreviousConfiguration(const std::string& ip, const std::string& mac,
                                  const std::string& caption) override {
    calls.push_back("previous " + ip + " " + mac + " " + caption);
    return answer;
  }
  int ReplaceApConfiguration(const std::string& ip, const std::string& mac, const std::string& replaced) override {
    calls.push_back("replace " + ip + " " + mac + " " + replaced);
    return answer;
  }
  int ShowSwitchConfiguration(const std::string& mac, int page) override {
    calls.push_back("switch " + mac + " " + std::to_string(page));
    return answer;
  }
  void UpdateEventCounters() override { calls.push_back("counters"); }
  void ReloadDocument() override { calls.push_back("reload"); }
  void RefreshAllViews(bool reload) override { calls.push_back(reload ? "refresh reload" : "refresh"); }
  void GroupsChanged() override { calls.push_back("groups"); }
  void OpenWebPage(const std::string& url) override { calls.push_back("web " + url); }

  std::vector<std::string> calls;
  int answer = 1;
};

using Calls = std::vector<std::string>;

class DeviceCommandsTest : public DevViewsFixture {
 protected:
  void SetUp() override {
    DevViewsFixture::SetUp();
    Run("UPDATE device_list_prev SET IsPropertySave='1' WHERE type=2");
  }
  std::string Where(const std::string& mac) {
    if (database_.Value("SELECT count(*) FROM device_list_prev WHERE mac=?", {mac}) == "1") return "managed";
    if (database_.Value("SELECT count(*) FROM device_list WHERE mac=?", {mac}) == "1") return "found";
    return "gone";
  }
  // A3 gets its properties, so it can be saved.
  void ReadyAp3() {
    const auto items = net::ApItems(3);
    ASSERT_EQ(CPollingDb().insertAPProperty(items, items[items.size() - 2].value), 1);
    Run("UPDATE device_list SET IsPropertySave='1' WHERE mac=?", {net::kAp3});
  }
  RecordingHost host_;
  CDeviceCommands commands_{host_};
};

TEST_F(DeviceCommandsTest, ListSaveMovesANewApAcceptsAChangedOneAndRedrawsBoth) {
  ReadyAp3();
  SetManaged(net::kAp1, 6);
  Run("INSERT INTO sync_result (mac, property, \"current\", previous, type) VALUES (?, 'crvAPssid', 'x', 'y', "
      "'ap_property')",
      {net::kAp1});
  boxes_.ScriptAnswers({platform::IDOK});
  std::vector<size_t> redrawn;
  commands_.ListSave({net::kAp3, net::kAp1}, [&](size_t i) { redrawn.push_back(i); });
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"Save to database?"}));
  EXPECT_EQ(Where(net::kAp3), "managed");
  EXPECT_EQ(database_.Value("SELECT count(*) FROM sync_result WHERE mac=?", {net::kAp1}), "0");
  EXPECT_EQ(database_.Value("SELECT status FROM device_list_prev WHERE mac=?", {net::kAp1}), "0");
  EXPECT_EQ(redrawn, (std::vector<size_t>{0, 1}));
  EXPECT_EQ(host_.calls, (Calls{"counters", "reload"}));
}

TEST_F(DeviceCommandsTest, SavingStopsAtTheFirstApWhosePropertiesAreNotReady) {
  SetManaged(net::kAp1, 6);
  boxes_.ScriptAnswers({platform::IDOK});
  std::vector<size_t> redrawn;
  commands_.ListSave({net::kAp1, net::kAp3, net::kAp2}, [&](size_t i) { redrawn.push_back(i); });
  EXPECT_EQ(boxes_.Texts(),
            (std::vector<std::string>{"Save to database?", "Property haven't ready, please try later!"}));
  EXPECT_EQ(redrawn, (std::vector<size_t>{0}));
  EXPECT_TRUE(host_.calls.empty()) << "no reload and no counters after the stop";

  // The map's switches: the message, then the reload all the same.
  Run("INSERT INTO device_list (name, ip, mac, type, online, status) VALUES ('S2', '127.0.0.20', ?, 1, 1, 0)",
      {"02:44:71:00:00:02"});
  boxes_.ScriptAnswers({platform::IDOK});
  commands_.MapSaveSwitches({{"02:44:71:00:00:02", "", 1}, {net::kAp3, "", 1}, {net::kUnknown, "", 1}});
  EXPECT_EQ(Where("02:44:71:00:00:02"), "managed");
  EXPECT_EQ(boxes_.Texts().back(), "Property haven't ready, please try later!");
  EXPECT_EQ(host_.calls, (Calls{"reload"}));
}

TEST_F(DeviceCommandsTest, CancelledQuestionsAndEmptySelectionsDoNothing) {
  boxes_.ScriptAnswers({platform::IDCANCEL, platform::IDCANCEL});
  commands_.ListDelete({net::kAp1}, nullptr);
  commands_.MapDelete({{net::kSwitch, "", 1}}, 1);
  commands_.ListSave({}, nullptr);
  commands_.ListConfiguration({}, false);
  commands_.ListConfiguration({net::kAp1, net::kAp2}, false);
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"Delete from database?", "Delete from database?",
                                                      "Please select ap!", "Please select an AP!",
                                                      "Please select a device"}));
  EXPECT_EQ(Where(net::kAp1), "managed");
  EXPECT_EQ(Where(net::kSwitch), "managed");
  EXPECT_EQ(host_.calls, (Calls{"counters"}));
}

TEST_F(DeviceCommandsTest, ListDeleteTakesTheApOutOfItsGroupsAndRemovesItsRow) {
  Run("INSERT INTO user_def_group (group_name, group_template_index, group_device_mac) VALUES ('g1', 1, ?)",
      {net::kAp2});
  boxes_.ScriptAnswers({platform::IDOK});
  std::vector<size_t> removed;
  commands_.ListDelete({net::kAp1, net::kAp2}, [&](const std::vector<size_t>& rows) { removed = rows; });
  EXPECT_EQ(Where(net::kAp1), "gone");
  EXPECT_EQ(Where(net::kAp2), "gone");
  EXPECT_EQ(removed, (std::vector<size_t>{0, 1}));
  EXPECT_EQ(host_.calls, (Calls{"groups", "reload", "counters"}));
}

TEST_F(DeviceCommandsTest, ListConfigurationOpensTheSheetWithSsidAndAddress) {
  commands_.ListConfiguration({net::kAp1}, false);
  commands_.ListConfiguration({net::kAp2}, true);
  EXPECT_EQ(host_.calls, (Calls{"config 127.0.0.11 " + net::kAp1 + " AP 'corvath:127.0.0.11' configuration", "counters",
                                "previous 127.0.0.12 " + net::kAp2 + " Reload AP 'corvath:127.0.0.12' configuration",
                                "counters"}));
}

TEST_F(DeviceCommandsTest, ReplaceAsksOnlyForAReplacingApAndDropsTheReplacedOne) {
  commands_.ListReplace({net::kAp1});
  EXPECT_TRUE(boxes_.Texts().empty()) << "not replacing: no question";
  EXPECT_TRUE(host_.calls.empty());

  // A3 took A1's place on port 1.
  ReadyAp3();
  Run("UPDATE device_list SET status=5 WHERE mac=?", {net::kAp3});
  Run("INSERT INTO sync_result (mac, property, \"current\", previous, type) VALUES (?, 'port_reload', '', ?, '')",
      {net::kAp3, net::kAp1});
  Run("DELETE FROM device_map_prev WHERE dest_mac=?", {net::kAp1});
  boxes_.ScriptAnswers({platform::IDOK});
  commands_.ListReplace({net::kAp3});
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"Replace Ap configuration?"}));
  EXPECT_EQ(host_.calls, (Calls{"replace 127.0.0.13 " + net::kAp3 + " " + net::kAp1}));
  EXPECT_EQ(Where(net::kAp1), "gone");
}

TEST_F(DeviceCommandsTest, DeletingASwitchTakesItsApsAndIsRefusedWithoutLinks) {
  boxes_.ScriptAnswers({platform::IDOK, platform::IDOK});
  commands_.TreeDelete({net::kSwitch, "127.0.0.10", 1}, nullptr);
  EXPECT_EQ(boxes_.Texts().size(), 2u);
  EXPECT_EQ(Where(net::kSwitch), "gone");
  EXPECT_EQ(Where(net::kAp1), "gone");
  EXPECT_EQ(Where(net::kAp2), "gone");
  EXPECT_EQ(host_.calls, (Calls{"counters", "refresh reload"}));

  host_.calls.clear();
  Run("INSERT INTO device_list_prev (name, ip, mac, type, online, status) VALUES ('S2', '127.0.0.20', ?, 1, 1, 0)",
      {"02:44:71:00:00:02"});
  boxes_.ScriptAnswers({platform::IDOK, platform::IDOK});
  commands_.TreeDelete({"02:44:71:00:00:02", "127.0.0.20", 1}, nullptr);
  EXPECT_EQ(boxes_.Texts().back(), "The Switch is on discovering, cannot delete");
  EXPECT_EQ(Where("02:44:71:00:00:02"), "managed");
  EXPECT_TRUE(host_.calls.empty());
}

TEST_F(DeviceCommandsTest, MapConfigurationWantsOneDeviceAndOpensOthersInTheBrowser) {
  bool cleared = false;
  commands_.MapConfiguration({{net::kAp1, "127.0.0.11", 2}, {net::kAp2, "127.0.0.12", 2}}, [&] { cleared = true; });
  EXPECT_TRUE(cleared);
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"Please select a device"}));
  commands_.MapConfiguration({{net::kAp1, "127.0.0.11", 2}}, nullptr);
  commands_.MapConfiguration({{net::kUnknown, "127.0.0.14", 0}}, nullptr);
  commands_.MapLinkToWeb({{net::kAp1, "127.0.0.11", 2}, {net::kSwitch, "127.0.0.10", 1}});
  EXPECT_EQ(host_.calls, (Calls{"config 127.0.0.11 " + net::kAp1 + " AP '127.0.0.11' configuration", "counters",
                                "web http://127.0.0.14", "web http://127.0.0.10"}));
}

TEST_F(DeviceCommandsTest, SwitchSettingsAreReadFromTheSwitchBeforeItsSheetAndAFailedReadStillOpensIt) {
  Run("INSERT INTO switch_property (mac, ip_address, sys_name) VALUES (?, '127.0.0.10', 'old')", {net::kSwitch});
  {
    testing_support::DevSimProcess devsim;
    commands_.MapSwitchConfiguration({{net::kAp1, "", 2}, {net::kSwitch, "127.0.0.10", 1}});
  }
  EXPECT_NE(database_.Value("SELECT sys_name FROM switch_property WHERE mac=?", {net::kSwitch}), "old");
  EXPECT_EQ(host_.calls, (Calls{"switch " + net::kSwitch + " 0", "refresh"}));

  Run("UPDATE switch_property SET sys_name='old'");
  host_.calls.clear();
  host_.answer = 0;
  commands_.TreeConfiguration({net::kSwitch, "127.0.0.10", 1});  // nothing answers now
  EXPECT_EQ(database_.Value("SELECT sys_name FROM switch_property WHERE mac=?", {net::kSwitch}), "old");
  EXPECT_EQ(host_.calls, (Calls{"switch " + net::kSwitch + " 0"}));
}

}  // namespace
