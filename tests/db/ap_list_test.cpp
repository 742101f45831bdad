// The AP list's database side on the reference network's rows: columns and the saved choice, rows as
// display texts under every kind of filter, filter values, the value texts both ways, the tooltip, and
// the sync results with their markers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PoolFixture.h"
#include "ReferenceApProperties.h"
#include "db/ApListDBManager.h"
#include "db/pollingdb.h"

namespace net = testing_support::reference_network;

namespace {

using Columns = std::vector<ApListColumn>;
using Texts = std::vector<std::string>;

class ApList : public PoolFixture {
 protected:
  // S, A1 and A2 managed, A3 and U found; a property row for each AP; A1 in the groups g1 and g2.
  void SetUp() override {
    previousWriter_ = CAccessDatabase::SetActionLogWriter([this](const std::string& text) { actions_.push_back(text); });
    ASSERT_TRUE(net::AddDevices(database_, "device_list"));
    Run("INSERT INTO device_list_prev SELECT * FROM device_list WHERE mac IN (?, ?, ?)",
        {net::kSwitch, net::kAp1, net::kAp2});
    Run("DELETE FROM device_list WHERE mac IN (?, ?, ?)", {net::kSwitch, net::kAp1, net::kAp2});
    for (int ap = 1; ap <= 3; ++ap) {
      const auto items = net::ApItems(ap);
      ASSERT_EQ(CPollingDb().insertAPProperty(items, items[items.size() - 2].value), 1);
    }
    Run("INSERT INTO user_def_group (group_name, group_template_index, group_device_mac) VALUES "
        "('g1', 1, ?), ('g2', 2, ?), ('g2', 2, ?)",
        {net::kAp1, net::kAp1, net::kAp3});
  }
  void TearDown() override { CAccessDatabase::SetActionLogWriter(previousWriter_); }

  std::vector<std::vector<std::string>> Rows(const std::string& sql) {
    std::vector<std::vector<std::string>> rows;
    for (const auto& row : database_.Rows(sql)) rows.push_back(row);
    return rows;
  }
  std::vector<std::string> Macs(const std::vector<ApListRow>& rows) {
    std::vector<std::string> macs;
    for (const ApListRow& row : rows) macs.push_back(row.mac);
    return macs;
  }

  std::vector<std::string> actions_;
  CAccessDatabase::ActionLogWriter previousWriter_;
  ApListDBManager manager_;
};

TEST_F(ApList, DisplayedColumnsStartWithTheDeviceFieldsAndNeedADisplayableProperty) {
  Columns columns;
  ASSERT_TRUE(manager_.GetDisplayedApColumns(columns));
  const Columns first = {{"APSysIP", "IP"}, {"mac", "MAC"}, {"group_name", "Group"}, {"name", "Name"},
                         {"model_name", "Model Name"}, {"enterpriseAPSysFWVersion", "Firmware"}};
  ASSERT_GT(columns.size(), first.size());
  for (std::size_t i = 0; i < first.size(); ++i) {
    EXPECT_EQ(columns[i].field_name, first[i].field_name);
    EXPECT_EQ(columns[i].display_name, first[i].display_name);
  }
  EXPECT_EQ(columns.size(), 5 + std::stoul(database_.Value("SELECT count(*) FROM ap_polling_data WHERE display")));

  // A property without a header is left out; without any displayable one there is no column at all.
  Run("UPDATE ap_polling_data SET displayname=NULL WHERE name='enterpriseAPSysFWVersion'");
  Columns fewer;
  ASSERT_TRUE(manager_.GetDisplayedApColumns(fewer));
  EXPECT_EQ(fewer.size(), columns.size() - 1);
  Run("UPDATE ap_polling_data SET display=FALSE");
  Columns none = {{"kept", "Kept"}};
  EXPECT_FALSE(manager_.GetDisplayedApColumns(none));
  EXPECT_EQ(none.size(), 1u);
}

TEST_F(ApList, TheChosenColumnsAreTheSavedChoiceElseTheDisplayedOnes) {
  Columns displayed, chosen;
  ASSERT_TRUE(manager_.GetDisplayedApColumns(displayed));
  ASSERT_TRUE(manager_.GetChosenApColumns(chosen));
  EXPECT_EQ(chosen.size(), displayed.size()) << "no choice saved yet";

  const Columns choice = {{"APSysIP", "IP"}, {"crvAPssid", "SSID"}};
  ASSERT_TRUE(manager_.SaveDisplayedApPropertyNames(choice));
  ASSERT_TRUE(manager_.GetChosenApColumns(chosen));
  ASSERT_EQ(chosen.size(), 2u);
  EXPECT_EQ(chosen[1].field_name, "crvAPssid");
  EXPECT_EQ(chosen[1].display_name, "SSID");
  EXPECT_EQ(actions_, (Texts{"Customize the header of the AP list view "}));

  // A failure half-way keeps the earlier choice whole.
  ASSERT_TRUE(database_.BreakWrites("ap_usr", "INSERT", "new.field_name='crvAPChannel'"));
  EXPECT_FALSE(manager_.SaveDisplayedApPropertyNames({{"mac", "MAC"}, {"crvAPChannel", "Channel"}}));
  EXPECT_EQ(Rows("SELECT field_name, display_name FROM ap_usr ORDER BY rowid"),
            (std::vector<std::vector<std::string>>{{"APSysIP", "IP"}, {"crvAPssid", "SSID"}}));
  EXPECT_NE(ReadLog().find("TopologyDBManager SaveDisplayedApPropertyNames RollBackTransact"), std::string::npos);
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_EQ(boxes_.Texts()[0].rfind("Exception__Desc: ", 0), 0u);

  // An empty choice empties the table without a log line, and the displayed columns come back.
  EXPECT_TRUE(manager_.SaveDisplayedApPropertyNames({}));
  EXPECT_EQ(database_.Value("SELECT count(*) FROM ap_usr"), "0");
  EXPECT_EQ(actions_.size(), 1u);
  ASSERT_TRUE(manager_.GetChosenApColumns(chosen));
  EXPECT_EQ(chosen.size(), displayed.size());
}

TEST_F(ApList, RowsCarryTheLookedUpFieldsAndTheTextsOfStoredValues) {
  Run("UPDATE ap_property SET crvAPTxRates='108', crvAPSecurityType='10' WHERE mac=?", {net::kAp2});
  // Only a leading dot is dropped: a stored identifier without one is looked up whole.
  Run("UPDATE device_list_prev SET sysobjid='1.3.6.1.4.1.44711.1', group_balance='lb1' WHERE mac=?", {net::kAp2});
  const Columns columns = {{"APSysIP", "IP"},          {"mac", "MAC"},          {"group_name", "Group"},
                           {"name", "Name"},           {"model_name", "Model"}, {"group_balance", "Balance"},
                           {"crvAPssid", "SSID"},      {"crvAPTxRates", "Rate"}, {"crvAPSecurityType", "Security"},
                           {"crvAPWirelessRadio", "Radio"}};
  std::vector<ApListRow> rows = {{"earlier", {}}};
  ASSERT_EQ(manager_.GetApListRows(rows, columns, "", "", 1, ""), 1);
  ASSERT_EQ(rows.size(), 3u) << "rows are appended";
  EXPECT_EQ(rows[1].mac, net::kAp1);
  EXPECT_EQ(rows[1].cells, (Texts{"127.0.0.11", net::kAp1, "g1,g2", "AP_1", "Velmora-A", "", "corvath", "Auto",
                                  "disable", "ON"}));
  EXPECT_EQ(rows[2].cells, (Texts{"127.0.0.12", net::kAp2, "", "AP_2", "Velmora-A", "lb1", "corvath", "54Mbps",
                                  "wpa2-psk", "ON"}));

  // The found AP too when not only the managed ones are asked for; it has no model name.
  rows.clear();
  ASSERT_EQ(manager_.GetApListRows(rows, columns, "", "", 0, ""), 1);
  ASSERT_EQ(Macs(rows), (Texts{net::kAp1, net::kAp2, net::kAp3}));
  EXPECT_EQ(rows[2].cells[3], "AP_3");
  EXPECT_EQ(rows[2].cells[4], "");

  EXPECT_EQ(manager_.GetApListRows(rows, {}, "", "", 0, ""), -1);
  EXPECT_EQ(manager_.GetApListRows(rows, {{"no_such_column", "X"}}, "", "", 0, ""), 0);
  EXPECT_EQ(rows.size(), 3u);
  for (auto lookup : {&ApListDBManager::GetDeviceGroupName, &ApListDBManager::GetDeviceGroupBalance,
                      &ApListDBManager::GetDeviceName, &ApListDBManager::GetDeviceModelName})
    EXPECT_EQ((manager_.*lookup)(""), "");
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(ApList, FilterTextsBecomeStoredValuesAndSelectTheirAps) {
  Run("UPDATE ap_property SET crvAPTxRates='108' WHERE mac=?", {net::kAp2});
  Run("UPDATE ap_property SET crvAPSecurityType='10' WHERE mac=?", {net::kAp3});
  Run("UPDATE device_list_prev SET group_balance='lb1' WHERE mac=?", {net::kAp2});
  struct Case {
    const char* column;
    const char* text;
    int managedOnly;
    const char* mac;
    Texts expected;
  };
  const Case cases[] = {
      {"crvAPTxRates", "54Mbps", 1, "", {net::kAp2}},
      {"crvAPSecurityType", "wpa2-psk", 0, "", {net::kAp3}},
      {"crvAPSecurityType", "wpa2-psk", 1, "", {}},
      {"crvAPChannel", "6", 1, "", {net::kAp2}},
      {"group_name", "g2", 0, "", {net::kAp1, net::kAp3}},
      {"group_name", "g2", 1, "", {net::kAp1}},
      {"group_balance", "lb1", 1, "", {net::kAp2}},
      {"name", "AP_3", 0, "", {net::kAp3}},
      {"name", "AP_3", 1, "", {}},
      {"APSysIP", "127.0.0.13", 0, "", {net::kAp3}},
      {"APSysIP", "127.0.0.13", 1, "", {}},
      // The MAC narrows every filter, also one that matches in either device table.
      {"name", "AP_1", 0, net::kAp2.c_str(), {}},
      {"name", "AP_1", 0, net::kAp1.c_str(), {net::kAp1}},
      // Filter texts are values, never SQL; an unknown filter column selects nothing.
      {"crvAPssid", "x' OR '1'='1", 0, "", {}},
      {"name", "x') OR ('1'='1", 0, "", {}},
      {"crvAPssid) OR (1", "x", 0, "", {}},
      // No filter text: no filter.
      {"crvAPssid", "", 1, "", {net::kAp1, net::kAp2}},
  };
  for (const Case& c : cases) {
    std::vector<ApListRow> rows;
    const int result = manager_.GetApListRows(rows, {{"crvAPssid", "SSID"}}, c.column, c.text, c.managedOnly, c.mac);
    EXPECT_EQ(result, c.expected.empty() ? 0 : 1) << c.column << "=" << c.text;
    EXPECT_EQ(Macs(rows), c.expected) << c.column << "=" << c.text << " managed " << c.managedOnly << " " << c.mac;
  }
  EXPECT_EQ(database_.Value("SELECT count(*) FROM ap_property"), "3");
}

TEST_F(ApList, FilterValuesAreTheDistinctTextsOfAColumn) {
  Run("UPDATE ap_property SET crvAPWirelessRadio='0' WHERE mac=?", {net::kAp2});
  Run("UPDATE ap_property SET crvAPWirelessRadio=NULL, crvAPssid=NULL WHERE mac=?", {net::kAp3});
  Run("INSERT INTO load_balance_group (\"index\", group_name) VALUES (1, 'lb1'), (2, 'lb1'), (3, 'lb2')");
  struct Case {
    const char* column;
    bool found;
    Texts values;
  };
  const Case cases[] = {
      {"crvAPWirelessRadio", true, {"ON", "OFF", "#ERROR#"}},  // a NULL has no text of the table
      {"crvAPssid", true, {"corvath"}},                        // a NULL without a table is dropped
      {"group_name", true, {"default", "g1", "g2"}},
      {"group_balance", true, {"lb1", "lb2"}},
      {"name", true, {"lab-switch", "AP_1", "AP_2"}},
      {"no_such_column", false, {}},
      {"", false, {}},
  };
  for (const Case& c : cases) {
    Texts values = {"earlier"};
    EXPECT_EQ(manager_.GetGroupFilterValues(c.column, values), c.found) << c.column;
    EXPECT_EQ(values, c.values) << c.column;
  }
}

TEST(ApPropertyValueTexts, StoredValuesAndTextsTurnIntoEachOther) {
  struct Case {
    const char* column;
    const char* stored;
    const char* shown;
  };
  // Pairs of the table, both ways.
  const Case pairs[] = {
      {"crvAPTxRates", "108", "54Mbps"},      {"crvAPTxRates", "0", "Auto"},
      {"crvAPSecurityType", "10", "wpa2-psk"}, {"crvAPSecurityType", "13", "wpa-auto-eap"},
      {"crvAPSSIDBroadcast", "0", "enable"},  {"APSysDHCP", "1", "Enable"},
      {"crvAPWMMFunc", "0", "disable"},       {"enterpriseAPSysTFTPServer", "1", "enable"},
      {"crvAPWEP152KeyType", "1", "ASCII"},   {"crvAPWEP64DefaultKeyValue", "3", "key4"},
      {"crvAPSuperG", "2", "dynamic-turbo"},  {"crvAPUserNumLimitLevel", "5", "level5"},
  };
  for (const Case& c : pairs) {
    std::string value = c.stored;
    ApListDBManager::ApPropertyValueToText(c.column, value);
    EXPECT_EQ(value, c.shown) << c.column;
    ApListDBManager::ApPropertyTextToValue(c.column, value);
    EXPECT_EQ(value, c.stored) << c.column;
  }
  // One way only.
  const Case toText[] = {
      {"crvAPTxRates", "1", "#ERROR#"},
      {"APSysDHCP", "", "#ERROR#"},
      {"crvAPssid", "corvath", "corvath"},
      {"crvAPAutoChannel", "", ""},
      {"crvapautochannel", "1", "Enable"},  // the column as the database spells it
      {"crvAPAutoChannel", "7", "7"},
      {"WLAN_Partition", "1", "Disable"},
  };
  for (const Case& c : toText) {
    std::string value = c.stored;
    ApListDBManager::ApPropertyValueToText(c.column, value);
    EXPECT_EQ(value, c.shown) << c.column << " " << c.stored;
  }
  const Case toValue[] = {
      {"crvAPSecurityType", "WPA2-PSK", "WPA2-PSK"},
      {"WLAN_Partition", "Enable", "Enable"},
      {"crvAPAutoChannel", "Enable", "Enable"},
      {"crvAPTxRates", "no such rate", "no such rate"},
  };
  for (const Case& c : toValue) {
    std::string text = c.shown;
    ApListDBManager::ApPropertyTextToValue(c.column, text);
    EXPECT_EQ(text, c.stored) << c.column << " " << c.shown;
  }

  const std::vector<ApListColumn> two = {{"crvAPTxRates", ""}, {"crvAPssid", ""}};
  std::vector<std::string> texts = {"kept"};
  ApListDBManager::ApPropertyFieldToText(two, {"108", "x", "y"}, texts);
  EXPECT_EQ(texts, (Texts{"kept"})) << "lengths differ";
  ApListDBManager::ApPropertyFieldToText(two, {"108", "x"}, texts);
  EXPECT_EQ(texts, (Texts{"kept", "54Mbps", "x"}));
}

TEST_F(ApList, TooltipListsTheApAndItsStatusWord) {
  EXPECT_EQ(manager_.GetApTooltipText(net::kAp1),
            "AP_1\\n127.0.0.11\\n" + net::kAp1 + "\\ncorvath\\n1\\ndisable\\nlab\\nOnline");
  EXPECT_EQ(manager_.GetApTooltipText(net::kAp3),
            "AP_3\\n127.0.0.13\\n" + net::kAp3 + "\\ncorvath\\n11\\ndisable\\nlab\\nNew");
  Run("UPDATE device_list_prev SET online=0 WHERE mac=?", {net::kAp2});
  EXPECT_TRUE(manager_.GetApTooltipText(net::kAp2).ends_with("\\nlab\\nOffline"));
  // Without a property row there is no tooltip, not even a status.
  EXPECT_EQ(manager_.GetApTooltipText(net::kSwitch), "");

  const Texts words = {"Online",  "New",        "Offline",       "Changed",       "Replace", "System-key Error",
                       "System-key Error", "DHCP Error", "Not Available", "Password Error"};
  for (int code = 0; code < 10; ++code) EXPECT_EQ(ApListDBManager::StatusText(code), words[code]);
  EXPECT_EQ(ApListDBManager::StatusText(-1), "");
  EXPECT_EQ(ApListDBManager::StatusText(10), "");
}

// ---- Sync results ----

class ApSyncResults : public ApList {
 protected:
  void AddDifference(const std::string& mac, const char* property, const char* current, const char* type,
                     const char* previous = "") {
    Run("INSERT INTO sync_result (mac, property, \"current\", previous, type) VALUES (?, ?, ?, ?, ?)",
        {mac, property, current, previous, type});
  }
  void SetStatus(const std::string& mac, int status, int online = 1) {
    Run("UPDATE device_list_prev SET status=?, online=? WHERE mac=?", {status, online, mac});
  }
  std::string Status(const std::string& mac) {
    return database_.Value("SELECT status FROM device_list_prev WHERE mac=?", {mac});
  }
  std::vector<std::vector<std::string>> SyncRows() {
    return Rows("SELECT mac, property, type FROM sync_result ORDER BY rowid");
  }
};

TEST_F(ApSyncResults, AChangedOnlineApFlagsTheColumnsThatDiffer) {
  AddDifference(net::kAp1, "crvAPChannel", "11", "ap_property");
  AddDifference(net::kAp1, "crvAPTxRates", "108", "ap_filter_mac");  // not a property difference
  const Columns columns = {{"crvAPssid", "SSID"}, {"crvAPChannel", "Channel"}, {"crvAPTxRates", "Rate"}};

  std::vector<int> flags = {9};
  Texts texts = {"earlier"};
  for (auto [status, online] : {std::pair{0, 1}, std::pair{6, 0}}) {
    SetStatus(net::kAp1, status, online);
    EXPECT_FALSE(manager_.GetApSyncResults(net::kAp1, columns, flags, texts)) << status << online;
    EXPECT_EQ(flags, (std::vector<int>{9}));
    EXPECT_EQ(texts, (Texts{"earlier"}));
  }
  SetStatus(net::kAp1, 6);
  EXPECT_FALSE(manager_.GetApSyncResults(net::kAp1, {}, flags, texts));
  ASSERT_TRUE(manager_.GetApSyncResults(net::kAp1, columns, flags, texts));
  EXPECT_EQ(flags, (std::vector<int>{0, 1, 0}));
  // Texts are appended; a column without a difference shows the text of the empty value.
  EXPECT_EQ(texts, (Texts{"earlier", "", "11", "#ERROR#"}));
  flags.clear();
  EXPECT_FALSE(manager_.GetApSyncResults(net::kAp1, {{"crvAPssid", "SSID"}}, flags, texts));
  EXPECT_EQ(flags, (std::vector<int>{0}));
}

TEST_F(ApSyncResults, ClearingAnApRemovesItsDifferencesWithItsStatusOrNothing) {
  SetStatus(net::kAp1, 6);
  AddDifference(net::kAp1, "crvAPChannel", "11", "ap_property");
  AddDifference(net::kAp1, "", "02:55:00:00:00:09", "ap_filter_mac");
  AddDifference(net::kAp1, "port_reload", "", "", "02:44:71:00:01:09");
  AddDifference(net::kAp2, "crvAPChannel", "1", "ap_property");

  ASSERT_TRUE(database_.BreakWrites("device_list_prev", "UPDATE"));
  EXPECT_FALSE(manager_.ClearApSyncResults(net::kAp1));
  EXPECT_EQ(SyncRows().size(), 4u) << "the differences stay with the status";
  EXPECT_EQ(Status(net::kAp1), "6");
  EXPECT_TRUE(actions_.empty());
  Run("DROP TRIGGER break_device_list_prev_UPDATE");

  EXPECT_TRUE(manager_.ClearApSyncResults(net::kAp1));
  EXPECT_EQ(SyncRows(), (std::vector<std::vector<std::string>>{{net::kAp1, "port_reload", ""},
                                                               {net::kAp2, "crvAPChannel", "ap_property"}}));
  EXPECT_EQ(Status(net::kAp1), "0");
  EXPECT_EQ(actions_, (Texts{"Save AP properties"}));
}

TEST_F(ApSyncResults, ClearingAllNeedsAChangedOnlineApAndThenTakesEveryDifference) {
  AddDifference(net::kAp2, "crvAPChannel", "1", "ap_property");
  SetStatus(net::kAp2, 6, 0);  // offline
  EXPECT_FALSE(manager_.ClearAllApSyncResults());
  EXPECT_EQ(SyncRows().size(), 1u);

  SetStatus(net::kAp1, 6);
  AddDifference(net::kAp1, "crvAPChannel", "11", "ap_property");
  AddDifference(net::kAp1, "crvAPssid", "x", "ap_property");
  AddDifference(net::kAp1, "system_key_error", "", "");
  ASSERT_TRUE(database_.BreakWrites("sync_result", "DELETE"));
  EXPECT_FALSE(manager_.ClearAllApSyncResults());
  EXPECT_EQ(Status(net::kAp1), "6") << "nothing of a failed clear stays done";
  EXPECT_EQ(SyncRows().size(), 4u);
  Run("DROP TRIGGER break_sync_result_DELETE");

  EXPECT_TRUE(manager_.ClearAllApSyncResults());
  EXPECT_EQ(SyncRows(), (std::vector<std::vector<std::string>>{{net::kAp1, "system_key_error", ""}}));
  EXPECT_EQ(Status(net::kAp1), "0");
  EXPECT_EQ(Status(net::kAp2), "6") << "an offline AP keeps its status";
  EXPECT_EQ(actions_, (Texts{"Save AP properties"}));
}

TEST_F(ApSyncResults, MarkersAreReadAndClearedOnlyInTheirState) {
  AddDifference(net::kAp3, "port_reload", "", "", "02:44:71:00:01:09");
  AddDifference(net::kAp1, "system_key_error", "", "");
  std::string previous = "kept";
  EXPECT_FALSE(manager_.GetPortReloadState(net::kAp3, previous)) << "A3 is new, not replacing";
  Run("UPDATE device_list SET status=5 WHERE mac=?", {net::kAp3});
  ASSERT_TRUE(manager_.GetPortReloadState(net::kAp3, previous));
  EXPECT_EQ(previous, "02:44:71:00:01:09");
  EXPECT_TRUE(manager_.ClearPortReload(net::kAp3));
  EXPECT_FALSE(manager_.GetPortReloadState(net::kAp3, previous));

  EXPECT_FALSE(manager_.ClearSystemKeyError(net::kAp1)) << "online and normal";
  EXPECT_EQ(SyncRows().size(), 1u);
  SetStatus(net::kAp1, 4);
  EXPECT_TRUE(manager_.ClearSystemKeyError(net::kAp1));
  EXPECT_TRUE(SyncRows().empty());
}

}  // namespace
