// Synchronisation with the AP: its configuration as the device now has it, how it stands against its
// group's template, storing what was set on it in one transaction, and leaving every group.
#include <string>
#include <vector>

#include "ApConfigFixture.h"
#include "log/LogLevelMask.h"

namespace {

using Rows = CAccessDatabase::TextRows;

TEST_F(ApConfigTest, SyncResultGivesTheDeviceValuesAndListsEveryDifference) {
  StoreRow(net::kAp1, {{"APSysDHCP", "0"}, {"crvAPssid", "stored"}, {"crvapautochannel", "0"}, {"crvAPChannel", "6"}});
  Filter(net::kAp1, "AA:AA:AA:AA:AA:01");
  Difference(net::kAp1, "crvAPssid", "stored", "O'Brien");
  Difference(net::kAp1, "APSysDHCP", "0", "1");
  Difference(net::kAp1, "crvAPAutoChannel", "0", "1");
  Difference(net::kAp1, "filter_entry", "", "BB:BB:BB:BB:BB:02");
  Difference(net::kAp1, "filter_entry", "AA:AA:AA:AA:AA:01", "");
  Difference(net::kAp1, "port_reload", "1", "2");

  ApConfigRecord stored;
  std::vector<ApSyncMarker> none;
  ASSERT_EQ(Store().LoadApSyncResult(net::kAp1, &stored, &none), 0);  // not "Changed": the stored values
  EXPECT_EQ(stored.crvAPssid, "stored");
  EXPECT_TRUE(none.empty());

  MarkChanged(net::kAp1);
  ApConfigRecord device;
  std::vector<ApSyncMarker> markers;
  ASSERT_EQ(Store().LoadApSyncResult(net::kAp1, &device, &markers), 0);
  EXPECT_EQ(device.crvAPssid, "O'Brien");
  EXPECT_TRUE(device.APSysDHCP);
  EXPECT_EQ(device.ip, "127.0.0.11");
  EXPECT_EQ(device.crvapautochannel, 1);
  EXPECT_EQ(device.crvAPChannel, 6);
  EXPECT_EQ(Macs(device), std::vector<std::string>{"BB:BB:BB:BB:BB:02"});
  ASSERT_EQ(markers.size(), 6u);
  EXPECT_EQ(markers[0].property, "crvAPssid");
  EXPECT_EQ(markers[0].previous, "stored");
  EXPECT_EQ(markers[0].current, "O'Brien");
  EXPECT_EQ(markers[5].property, "port_reload");

  std::vector<ApSyncMarker> nothing;
  EXPECT_EQ(Store().LoadApSyncResult(net::kAp2, &device, &nothing), -1);  // nothing stored
}

// The AP spells its filter MACs in lower case; a removal recorded in upper case still takes the MAC out.
TEST_F(ApConfigTest, SyncResultRemovesAFilterMacSpelledInAnotherCase) {
  StoreRow(net::kAp1, {{"crvAPssid", "stored"}});
  Filter(net::kAp1, "cc:cc:cc:cc:cc:03");
  Filter(net::kAp1, "dd:dd:dd:dd:dd:04");
  Difference(net::kAp1, "filter_entry", "CC:CC:CC:CC:CC:03", "");
  MarkChanged(net::kAp1);
  ApConfigRecord device;
  std::vector<ApSyncMarker> markers;
  ASSERT_EQ(Store().LoadApSyncResult(net::kAp1, &device, &markers), 0);
  EXPECT_EQ(Macs(device), std::vector<std::string>{"dd:dd:dd:dd:dd:04"});
}

TEST_F(ApConfigTest, TemplateStateComparesTheIncludedProperties) {
  const std::string a = "AA:AA:AA:AA:AA:01", b = "BB:BB:BB:BB:BB:02", c = "CC:CC:CC:CC:CC:03";
  struct Case {
    const char* what;
    GroupTemplateRecord groupTemplate;
    std::string balanceStatus;
    std::vector<std::string> apFilter;
    int state;
  };
  const auto with = [](auto change) {
    GroupTemplateRecord t;
    t.ssid = "net";
    change(t);
    return t;
  };
  const auto filter = [&](std::vector<std::string> macs) {
    return with([macs](GroupTemplateRecord& t) {
      t.mac_filter_type = 1;
      for (const auto& mac : macs) t.mac_control.push_back({mac, "", 1});
    });
  };
  const auto balance = [&](int group, const char* ssid) {
    return with([=](GroupTemplateRecord& t) {
      t.loadbalance_group = group;
      t.ssid = ssid;
    });
  };
  const Case cases[] = {
      {"not a balance template, AP balances", balance(0, "other"), "1", {}, 1},
      {"balance template, AP does not", balance(1, "net"), "0", {}, 3},
      {"balance template, all match", balance(1, "net"), "1", {}, 2},
      {"balance template, SSID differs", balance(1, "other"), "1", {}, 3},
      {"no balance setting, all match", balance(-1, "net"), "1", {}, 0},
      {"SSID differs", balance(-1, "other"), "", {}, 1},
      {"filter {A,B} against {B,A}", filter({a, b}), "", {b, a}, 0},
      {"filter {A,B} against {b,a} as the AP spells them", filter({a, b}), "", {"bb:bb:bb:bb:bb:02", "aa:aa:aa:aa:aa:01"},
       0},
      {"filter {A,B} against {A,C}", filter({a, b}), "", {a, c}, 1},
      {"filter {A,B} against {A}", filter({a, b}), "", {a}, 1},
      {"WEP-64 key type left out, plain", with([](auto& t) { t.security_type = 2; }), "", {}, 1},
      {"WEP-64 key type left out, balance", with([](auto& t) {
         t.security_type = 2;
         t.loadbalance_group = 1;
       }), "1", {}, 2},
      {"rate index against rate code", with([](auto& t) { t.tx_rate = 12; }), "", {}, 0},
      {"rate differs", with([](auto& t) { t.tx_rate = 11; }), "", {}, 1},
      {"partition as text", with([](auto& t) { t.WLAN_Partition = "1"; }), "", {}, 0},
  };
  int index = 0;
  for (const Case& c : cases) {
    database_.Exec("delete from ap_property");
    database_.Exec("delete from filter_entry");
    StoreRow(net::kAp1, {{"crvAPssid", "net"},
                         {"crvAPSecurityType", "2"},
                         {"crvAPWEP64KeyType", "1"},
                         {"crvAPTxRates", "108"},
                         {"WLAN_Partition", "1"},
                         {"filterType", "1"},
                         {"LoadBalanceStatus", c.balanceStatus.empty() ? db::SqlValue() : db::SqlValue(c.balanceStatus)}});
    for (const auto& mac : c.apFilter) Filter(net::kAp1, mac);
    const std::string group = "g" + std::to_string(index++);
    AddGroup(group, c.groupTemplate, {});
    EXPECT_EQ(Store().GetApTemplateState(net::kAp1, group), c.state) << c.what;
  }
  EXPECT_EQ(Store().GetApTemplateState(net::kAp2, "g0"), -1);  // nothing stored for the AP
}

TEST_F(ApConfigTest, SyncStoresTheAcceptedValuesAndKeepsChangedWhileADifferenceRemains) {
  StoreRow(net::kAp1, {{"crvAPssid", "old"}, {"crvAPChannel", "6"}});
  MarkChanged(net::kAp1);
  Filter(net::kAp1, "DD:DD:DD:DD:DD:04");
  Difference(net::kAp1, "crvAPssid", "old", "x");
  Difference(net::kAp1, "crvAPChannel", "6", "11");
  Difference(net::kAp1, "ip", "127.0.0.11", "127.0.0.99");

  const std::vector<ApPropertyUpdate> updates = {
      {"crvAPssid", "O'Brien", true},
      {"crvAPChannel", "1", false},  // refused by the AP
      {"auto_select_channel", "1", true},
      {"crvAPName", "O'Brien AP", true},
      {"crvAPWEP128DefaultKeyValue", "2", true},
      {"APSysDHCP", "1", true},
      {"ap_mac_control", "001122334455", true, ApPropertyUpdate::kAddFilterMac},
      {"ap_mac_control", "00:11:22:33:44:66", true, ApPropertyUpdate::kAddFilterMac},
      {"ap_mac_control", "DDDDDDDDDD04", true, ApPropertyUpdate::kDeleteFilterMac},
      {"location", "", true},  // empty: nothing stored
  };
  g_nLogLevelMask = 0xF;
  ASSERT_EQ(Store().SyncApConfiguration(net::kAp1, updates), 0);
  EXPECT_EQ(database_.Rows("select crvAPssid, crvAPChannel, name, APSysDHCP, crvAPWEP64DefaultKeyValue, "
                           "crvAPWEP128DefaultKeyValue, crvAPWEP152DefaultKeyValue, location from ap_property"),
            (Rows{{"O'Brien", "6", "O'Brien AP", "1", "2", "2", "2", ""}}));
  EXPECT_EQ(database_.Value("select name from device_list_prev where mac = ?", {net::kAp1}), "O'Brien AP");
  EXPECT_EQ(database_.Rows("select filterMAC from filter_entry order by filterMAC"),
            (Rows{{"00:11:22:33:44:55"}, {"00:11:22:33:44:66"}}));
  EXPECT_EQ(database_.Rows("select property from sync_result"), (Rows{{"crvAPChannel"}}));
  EXPECT_EQ(database_.Value("select status from device_list_prev where mac = ?", {net::kAp1}), "6");
  EXPECT_EQ(database_.Value("select count(*) from system_log where description = ?",
                            {"AP " + net::kAp1 + " name stored as O'Brien AP"}),
            "1");
  g_nLogLevelMask = 0;

  // The last difference answered: the AP is no longer "Changed". An empty list touches nothing.
  ASSERT_TRUE(database_.Exec("update device_list_prev set status = 6 where mac = ?", {net::kAp2}));
  EXPECT_EQ(Store().SyncApConfiguration(net::kAp2, {}), 0);
  EXPECT_EQ(database_.Value("select status from device_list_prev where mac = ?", {net::kAp2}), "6");
  ASSERT_EQ(Store().SyncApConfiguration(net::kAp1, {{"crvAPChannel", "11", true}}), 0);
  EXPECT_EQ(database_.Value("select status from device_list_prev where mac = ?", {net::kAp1}), "0");
  EXPECT_FALSE(g_ApRowAddedFlag.IsSet(net::kAp1));
}

TEST_F(ApConfigTest, AFirstSyncAddsTheRowAndMarksOnlyThatAp) {
  ASSERT_EQ(Store().SyncApConfiguration(net::kAp2, {{"crvAPssid", "net", true}, {"crvAPChannel", "1", false}}), 0);
  EXPECT_EQ(database_.Rows("select mac, crvAPssid, crvAPChannel from ap_property"), (Rows{{net::kAp2, "net", ""}}));
  EXPECT_TRUE(g_ApRowAddedFlag.IsSet(net::kAp2));
  EXPECT_FALSE(g_ApRowAddedFlag.IsSet(net::kAp3));
}

// A sync that fails half-way leaves every table as it was.
TEST_F(ApConfigTest, AFailedSyncWritesNothing) {
  StoreRow(net::kAp1, {{"crvAPssid", "old"}});
  MarkChanged(net::kAp1);
  Difference(net::kAp1, "crvAPssid", "old", "x");
  const std::vector<ApPropertyUpdate> updates = {{"crvAPssid", "new", true},
                                                 {"ap_mac_control", "001122334455", true, 1}};
  const auto snapshot = [&] {
    return std::vector<Rows>{database_.Rows("select crvAPssid from ap_property"),
                             database_.Rows("select * from filter_entry"), database_.Rows("select * from sync_result"),
                             database_.Rows("select status from device_list_prev where mac = ?", {net::kAp1})};
  };
  const auto before = snapshot();
  ASSERT_TRUE(database_.BreakWrites("device_list_prev", "UPDATE"));
  EXPECT_EQ(Store().SyncApConfiguration(net::kAp1, updates), -1);
  EXPECT_EQ(snapshot(), before);

  // A column the table does not have is an error too, not a statement built from it.
  ASSERT_TRUE(database_.Exec("DROP TRIGGER break_device_list_prev_UPDATE"));
  EXPECT_EQ(Store().SyncApConfiguration(net::kAp1, {{"crvAPssid", "new", true}, {"crvAPssid = 'x' --", "1", true}}),
            -1);
  EXPECT_EQ(snapshot(), before);
}

TEST_F(ApConfigTest, RemovingADeviceFromGroupsLeavesEveryGroup) {
  AddGroup("first", GroupTemplateRecord{}, {net::kAp1, net::kAp2});
  AddGroup("O'Brien", GroupTemplateRecord{}, {net::kAp1});
  EXPECT_TRUE(Store().RemoveDevFromGroups(net::kAp1));
  EXPECT_EQ(database_.Value("select count(*) from user_def_group where group_device_mac = ?", {net::kAp1}), "0");
  EXPECT_EQ(database_.Value("select count(*) from user_def_group where group_device_mac = ?", {net::kAp2}), "1");
  EXPECT_FALSE(Store().RemoveDevFromGroups(net::kAp1));
}

}  // namespace
