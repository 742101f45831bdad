// The topology manager's device lookups, display status, counters, delete, position save, device rows
// with positions and the move into the managed list, on the reference network's rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <optional>
#include <set>
#include <thread>

#include "PoolFixture.h"
#include "db/DeviceEventCounters.h"
#include "db/TopologyDBManager.h"
#include "support/ReferenceNetworkRows.h"
#include "topology/TopologyData.h"

namespace net = testing_support::reference_network;

namespace {

class TopologyManager : public PoolFixture {
 protected:
  void SetUp() override {
    previousWriter_ = CAccessDatabase::SetActionLogWriter([this](const std::string& text) { actions_.push_back(text); });
  }
  void TearDown() override { CAccessDatabase::SetActionLogWriter(previousWriter_); }

  // The switch and A1 managed; A2, A3 and U found; the pass's links in both link tables.
  void AddReferenceNetwork() {
    ASSERT_TRUE(net::AddDevices(database_, "device_list"));
    Run("INSERT INTO device_list_prev SELECT * FROM device_list WHERE mac IN (?, ?)", {net::kSwitch, net::kAp1});
    Run("DELETE FROM device_list WHERE mac IN (?, ?)", {net::kSwitch, net::kAp1});
    ASSERT_TRUE(net::AddLinks(database_, "device_map_polling"));
    ASSERT_TRUE(net::AddLinks(database_, "device_map_prev"));
  }

  // Every row of every table the changes touch, to compare before and after a failure.
  std::vector<std::vector<std::string>> Snapshot() {
    std::vector<std::vector<std::string>> tables;
    for (const char* table : {"device_list", "device_list_prev", "device_map", "device_map_prev",
                              "device_map_polling", "ap_property", "switch_property", "sync_result"}) {
      std::vector<std::string> rows;
      for (const auto& row : database_.Rows(std::string("SELECT * FROM ") + table + " ORDER BY rowid")) {
        std::string text;
        for (const std::string& cell : row) text += cell + "|";
        rows.push_back(text);
      }
      tables.push_back(rows);
    }
    return tables;
  }

  std::string Cell(const std::string& sql, const db::SqlParams& params = {}) { return database_.Value(sql, params); }

  std::vector<std::string> actions_;
  CAccessDatabase::ActionLogWriter previousWriter_;
  TopologyDBManager manager_;
};

TEST_F(TopologyManager, LookupsSearchTheManagedTableFirstAndBindTheirKeys) {
  AddReferenceNetwork();
  Run("UPDATE device_list_prev SET read_community='pub-ap' WHERE mac=?", {net::kAp1});
  Run("INSERT INTO switch_property (mac, sys_name, location, subnet_mask, gateway) VALUES (?, 'S', 'lab', "
      "'255.0.0.0', '127.0.0.1'), ('02:00:00:00:00:99', 'gone', '', '', '')",
      {net::kSwitch});

  std::string ip = "unchanged";
  EXPECT_TRUE(manager_.GetDeviceIpByMac(net::kAp2, ip));  // found-device table
  EXPECT_EQ(ip, "127.0.0.12");
  EXPECT_FALSE(manager_.GetDeviceIpByMac("x' OR '1'='1", ip));
  EXPECT_EQ(ip, "127.0.0.12");
  std::string mac;
  EXPECT_TRUE(manager_.GetDeviceMacByIp("127.0.0.10", mac));
  EXPECT_EQ(mac, net::kSwitch);

  EXPECT_EQ(manager_.GetDeviceType(net::kSwitch), 1);
  EXPECT_EQ(manager_.GetDeviceType(net::kAp3), 2);
  EXPECT_EQ(manager_.GetDeviceType("none"), 0);
  EXPECT_EQ(manager_.GetSwitchPortCount(net::kSwitch), 24);
  EXPECT_EQ(manager_.GetSwitchPortCount(net::kAp1), 0);

  // Communities: the managed device's own, else the discovery password.
  EXPECT_EQ(manager_.GetDeviceReadCommunity(net::kAp1), "pub-ap");
  EXPECT_EQ(manager_.GetDeviceReadCommunity(net::kSwitch), "private");  // NULL read community
  EXPECT_EQ(manager_.GetDeviceWriteCommunity(net::kAp2), "private");    // not managed
  Run("UPDATE global_setting SET w_community='discovery'");
  Run("UPDATE device_list_prev SET write_community='' WHERE mac=?", {net::kAp1});
  EXPECT_EQ(manager_.GetDeviceWriteCommunity(net::kAp1), "discovery");

  const std::string apModel = "QR7V-TOLNA           -00";
  EXPECT_EQ(apModel.size(), 24u);
  EXPECT_EQ(manager_.GetDeviceModelId(net::kAp1), apModel);
  EXPECT_EQ(manager_.GetDeviceModelId("none"), apModel);
  EXPECT_EQ(manager_.GetDeviceModelId(net::kSwitch), "1.3.6.1.4.1.44711.10.76.2");

  std::vector<std::string> switches{"kept"}, aps;
  manager_.GetManagedSwitchMacs(switches);
  manager_.GetManagedApMacs(aps);
  EXPECT_EQ(switches, (std::vector<std::string>{"kept", net::kSwitch}));
  EXPECT_EQ(aps, (std::vector<std::string>{net::kAp1}));

  std::vector<SwitchPropertyList> properties;
  manager_.GetSwitchProperties("", properties);
  ASSERT_EQ(properties.size(), 1u) << "a switch that is not managed is not listed";
  EXPECT_EQ(properties[0].texts,
            (std::vector<std::string>{net::kSwitch, "S", "lab", "127.0.0.10", "255.0.0.0", "127.0.0.1"}));
  manager_.GetSwitchProperties(net::kAp1, properties);
  EXPECT_EQ(properties.size(), 1u);

  Run("UPDATE device_list_prev SET status=4 WHERE mac=?", {net::kAp1});
  std::vector<std::string> keyErrors;
  std::vector<std::optional<std::string>> upstream;
  EXPECT_TRUE(manager_.GetSystemKeyErrorLinks(keyErrors, upstream));
  EXPECT_EQ(keyErrors, (std::vector<std::string>{net::kAp1}));
  EXPECT_EQ(upstream, (std::vector<std::optional<std::string>>{net::kSwitch}));
  EXPECT_EQ(manager_.GetLinkSourceOf(net::kSwitch), std::nullopt);
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(TopologyManager, PropertySavedNeedsASwitchOrAStoredAp) {
  AddReferenceNetwork();
  EXPECT_TRUE(manager_.IsDevicePropertySaved(""));  // a switch row is enough
  EXPECT_TRUE(manager_.IsDevicePropertySaved(net::kSwitch));
  EXPECT_FALSE(manager_.IsDevicePropertySaved(net::kAp2));
  EXPECT_FALSE(manager_.IsDevicePropertySaved(net::kUnknown));
  Run("UPDATE device_list SET IsPropertySave=1 WHERE mac=?", {net::kAp2});
  EXPECT_TRUE(manager_.IsDevicePropertySaved(net::kAp2));
  Run("DELETE FROM device_list_prev WHERE type=1");
  Run("DELETE FROM device_list WHERE type<>0");
  EXPECT_FALSE(manager_.IsDevicePropertySaved(""));
}

TEST_F(TopologyManager, DisplayStatusFollowsTableOnlineAndStoredStatus) {
  struct Case {
    const char* table;
    int type;
    const char* online;
    const char* status;
    int expected;
  };
  const Case cases[] = {
      {"device_list_prev", 2, "0", "6", 2}, {"device_list_prev", 2, "1", "0", 0}, {"device_list_prev", 2, "1", "1", 7},
      {"device_list_prev", 2, "1", "2", 8}, {"device_list_prev", 2, "1", "3", 0}, {"device_list_prev", 1, "1", "4", 6},
      {"device_list_prev", 2, "1", "5", 4}, {"device_list_prev", 2, "1", "6", 3}, {"device_list", 2, "1", "0", 1},
      {"device_list", 1, "0", "2", 1},      {"device_list", 0, "1", "0", -1},     {"device_list", 0, "1", "5", 4},
      {"device_list", 2, "1", "5", 4},      {"device_list_prev", 2, nullptr, "0", 2},
  };
  for (const Case& c : cases) {
    Run("DELETE FROM device_list");
    Run("DELETE FROM device_list_prev");
    Run(std::string("INSERT INTO ") + c.table + " (ip, mac, type, online, status) VALUES ('10.0.0.1', 'm', ?, ?, ?)",
        {c.type, c.online ? db::SqlValue(c.online) : db::SqlValue(nullptr), c.status});
    EXPECT_EQ(manager_.GetDeviceStatus("m", false), c.expected) << c.table << " online " << (c.online ? c.online : "NULL")
                                                                << " status " << c.status;
    EXPECT_EQ(manager_.GetDeviceStatus("10.0.0.1", true), c.expected);
  }
  // A device in both tables is judged by its managed row.
  Run("INSERT INTO device_list (ip, mac, type, online, status) VALUES ('10.0.0.1', 'm', 2, 1, 0)");
  EXPECT_EQ(manager_.GetDeviceStatus("m", false), 2);
  EXPECT_EQ(manager_.GetDeviceStatus("10.9.9.9", true), -1);
  EXPECT_EQ(manager_.GetDeviceStatus("none", false), -1);
}

TEST_F(TopologyManager, CountersCountEachKindOfEvent) {
  struct Row {
    const char* table;
    const char* mac;
    int type;
    int online;
    int status;
  };
  const Row rows[] = {
      {"device_list", "newap", 2, 1, 0},       {"device_list", "offline-newap", 2, 0, 0},
      {"device_list", "replaced", 2, 1, 5},    {"device_list", "newswitch", 1, 1, 0},
      {"device_list", "unknown1", 0, 1, 0},    {"device_list", "unknown2", 0, 0, 3},
      {"device_list_prev", "changedap", 2, 1, 6}, {"device_list_prev", "changedsw", 1, 1, 6},
      {"device_list_prev", "lostap", 2, 1, 2}, {"device_list_prev", "lostsw", 1, 0, 2},
      {"device_list_prev", "okap", 2, 1, 0},
  };
  for (const Row& r : rows)
    Run(std::string("INSERT INTO ") + r.table + " (mac, type, online, status) VALUES (?, ?, ?, ?)",
        {r.mac, r.type, r.online, r.status});
  manager_.GetDeviceCounts();
  EXPECT_EQ(DeviceEventCounters.nNewAp, 1);
  EXPECT_EQ(DeviceEventCounters.nChangedAp, 2) << "switches count as changed too";
  EXPECT_EQ(DeviceEventCounters.nReplacedAp, 1);
  EXPECT_EQ(DeviceEventCounters.nNewSwitch, 1);
  EXPECT_EQ(DeviceEventCounters.nUnknownDevice, 4) << "two unknown devices and two managed ones not available";
  EXPECT_EQ(DeviceEventCounters.nManagedSwitch, 2);
  EXPECT_EQ(DeviceEventCounters.nManagedAp, 2);
}

TEST_F(TopologyManager, DeleteRemovesEveryRowOfTheDeviceAndOnlyThose) {
  AddReferenceNetwork();
  Run("INSERT INTO ap_property (mac, ip) VALUES (?, '127.0.0.11'), (?, '127.0.0.12')", {net::kAp1, net::kAp2});
  Run("INSERT INTO sync_result (mac, property) VALUES (?, 'crvAPssid'), (?, 'crvAPssid')", {net::kAp1, net::kAp2});
  Run("INSERT INTO device_map_prev (src_mac, dest_mac, src_port, dest_port) VALUES (?, ?, 1, 5)",
      {net::kAp1, net::kSwitch});
  ASSERT_TRUE(net::AddLinks(database_, "device_map"));
  Run("INSERT INTO device_map (src_mac, dest_mac) VALUES (?, ?)", {net::kAp1, net::kAp2});

  EXPECT_TRUE(manager_.DeleteDevice("127.0.0.11", true));
  const std::string where = "WHERE mac='" + net::kAp1 + "'";
  for (const char* table : {"device_list", "device_list_prev", "ap_property", "sync_result", "switch_property"})
    EXPECT_EQ(Cell(std::string("SELECT count(*) FROM ") + table + " " + where), "0") << table;
  for (const char* table : {"device_map_prev", "device_map_polling"})
    EXPECT_EQ(Cell(std::string("SELECT count(*) FROM ") + table + " WHERE src_mac=? OR dest_mac=?", {net::kAp1, net::kAp1}),
              "0")
        << table;
  EXPECT_EQ(Cell("SELECT count(*) FROM device_map WHERE dest_mac=?", {net::kAp1}), "0");
  EXPECT_EQ(Cell("SELECT count(*) FROM device_map WHERE src_mac=?", {net::kAp1}), "1") << "only links to it go";
  EXPECT_EQ(Cell("SELECT count(*) FROM device_map_polling"), "3");
  EXPECT_EQ(Cell("SELECT count(*) FROM sync_result"), "1");
  EXPECT_EQ(actions_, (std::vector<std::string>{"Delete a device"}));

  // A found device's polled links go too; an unknown IP deletes and logs nothing.
  EXPECT_TRUE(manager_.DeleteDevice(net::kUnknown, false));
  EXPECT_EQ(Cell("SELECT count(*) FROM device_map_polling"), "2");
  const auto before = Snapshot();
  EXPECT_FALSE(manager_.DeleteDevice("10.9.9.9", true));
  EXPECT_EQ(Snapshot(), before);
  EXPECT_EQ(actions_.size(), 2u);
}

TEST_F(TopologyManager, FailuresInTheMiddleLeaveTheDatabaseAsItWas) {
  AddReferenceNetwork();
  Run("INSERT INTO ap_property (mac) VALUES (?)", {net::kAp1});
  Run("INSERT INTO sync_result (mac) VALUES (?)", {net::kAp1});
  Run("INSERT INTO device_map (src_mac, dest_mac) VALUES (?, ?)", {net::kSwitch, net::kAp2});
  struct Case {
    const char* table;
    const char* event;
    const char* when;
    std::function<bool(TopologyDBManager&)> change;
  };
  CTopologyData topology;
  CAccessDatabase().LoadTopologyDevices(topology.m_Devices);
  const Case cases[] = {
      {"sync_result", "DELETE", "1", [](TopologyDBManager& m) { return m.DeleteDevice(net::kAp1, false); }},
      {"device_list", "UPDATE", "old.mac='02:44:71:00:01:03'",
       [&](TopologyDBManager& m) { return m.SaveCompareTopologyPosition(topology); }},
      {"device_list_prev", "INSERT", "new.mac='02:44:71:00:01:03'",
       [](TopologyDBManager& m) { return m.SetAllNewDeviceToManaged(); }},
      {"device_map", "DELETE", "1", [](TopologyDBManager& m) { return m.SetAllNewDeviceToManaged(); }},
      {"device_list", "DELETE", "1", [](TopologyDBManager& m) { return m.SetNewDeviceToManaged(net::kAp2, false); }},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(database_.BreakWrites(c.table, c.event, c.when));
    const auto before = Snapshot();
    EXPECT_FALSE(c.change(manager_)) << c.table << " " << c.event;
    EXPECT_EQ(Snapshot(), before) << c.table << " " << c.event;
    Run(std::string("DROP TRIGGER break_") + c.table + "_" + c.event);
  }
  EXPECT_TRUE(actions_.empty());
  EXPECT_NE(ReadLog().find("TopologyDBManager DeleteDevice RollBackTransact"), std::string::npos);
  EXPECT_NE(ReadLog().find("TopologyDBManager SaveCompareTopologyPosition RollBackTransact--1"), std::string::npos);
  EXPECT_NE(ReadLog().find("TopologyDBManager SetAllNewDeviceToManaged RollBackTransact"), std::string::npos);
  EXPECT_NE(ReadLog().find("TopologyDBManager SetNewDeviceToManaged RollBackTransact"), std::string::npos);
  EXPECT_EQ(boxes_.Texts().size(), 4u) << "the position save and each move show the exception text";
}

TEST_F(TopologyManager, AFailedPositionSaveNamesTheStatementThatFailed) {
  AddReferenceNetwork();
  CDeviceRecord device;
  device.location = "floor 2";
  device.xP = -15;
  device.yP = 7;
  device.xPosition = 300;
  device.yPosition = 400;
  const std::string written =
      " (location, auto_pos_all_location, x_pos_all_location, y_pos_all_location, auto_pos_all, x_pos_all, y_pos_all)"
      " value (floor 2, 0, -15, 7, 0, 300, 400) of ";
  const struct {
    std::string table;
    std::string mac;
  } cases[] = {{"device_list_prev", net::kAp1}, {"device_list", net::kAp2}};
  for (const auto& c : cases) {
    device.mac = c.mac;
    CTopologyData topology;
    topology.m_Devices.push_back(device);
    ASSERT_TRUE(database_.BreakWrites(c.table, "UPDATE"));
    EXPECT_FALSE(manager_.SaveCompareTopologyPosition(topology));
    Run("DROP TRIGGER break_" + c.table + "_UPDATE");
    EXPECT_NE(ReadLog().find("Field " + c.table + written + c.mac), std::string::npos) << c.table;
  }
}

TEST_F(TopologyManager, DeleteWhileAnotherThreadPolls) {
  AddReferenceNetwork();
  std::atomic<bool> stop{false};
  std::atomic<int> failures{0};
  std::thread polling([&] {
    CAccessDatabase access;
    for (int pass = 0; !stop; ++pass) {
      if (!access.ExecuteCommand("UPDATE device_list_prev SET online=? WHERE mac=?", {pass % 2, net::kSwitch}) ||
          !access.ExecuteCommand("UPDATE device_list SET online=? WHERE mac=?", {pass % 2, net::kAp3}))
        ++failures;
    }
  });
  EXPECT_TRUE(manager_.DeleteDevice(net::kAp2, false));
  EXPECT_TRUE(manager_.DeleteDevice(net::kAp1, false));
  stop = true;
  polling.join();
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(Cell("SELECT count(*) FROM device_list WHERE mac IN (?, ?)", {net::kAp1, net::kAp2}), "0");
  EXPECT_EQ(Cell("SELECT count(*) FROM device_list_prev"), "1");
  EXPECT_EQ(Cell("SELECT count(*) FROM device_list"), "2");
}

TEST_F(TopologyManager, PositionsAreSavedIntoTheManagedRowFirstAndReadBack) {
  AddReferenceNetwork();
  Run("INSERT INTO device_list (ip, mac, type) VALUES ('127.0.0.11', ?, 2)", {net::kAp1});  // in both tables
  CTopologyData topology;
  for (const std::string& mac : {net::kAp1, net::kAp2, std::string("not-stored")}) {
    CDeviceRecord device;
    device.mac = mac;
    device.location = "floor 2";
    device.xP = -15;
    device.yP = 7;
    device.xPosition = 300;
    device.yPosition = 400;
    device.autoP = device.autoPosition = 1;
    topology.m_Devices.push_back(device);
  }
  EXPECT_TRUE(manager_.SaveCompareTopologyPosition(topology));
  const char* columns = "location, auto_pos_all_location, x_pos_all_location, y_pos_all_location, auto_pos_all, "
                        "x_pos_all, y_pos_all";
  const std::vector<std::string> saved{"floor 2", "0", "-15", "7", "0", "300", "400"};
  EXPECT_EQ(database_.Rows(std::string("SELECT ") + columns + " FROM device_list_prev WHERE mac=?", {net::kAp1})[0], saved);
  EXPECT_EQ(database_.Rows(std::string("SELECT ") + columns + " FROM device_list WHERE mac=?", {net::kAp2})[0], saved);
  EXPECT_EQ(Cell("SELECT location IS NULL FROM device_list WHERE mac=?", {net::kAp1}), "1");
  EXPECT_EQ(Cell("SELECT count(*) FROM device_list WHERE location='floor 2'"), "1");

  Run("UPDATE device_list SET isnew=1");
  std::vector<CDeviceRecord> read;
  manager_.LoadNewDevicePositions(read);
  auto ap2 = std::find_if(read.begin(), read.end(), [](const CDeviceRecord& d) { return d.mac == net::kAp2; });
  ASSERT_NE(ap2, read.end());
  EXPECT_EQ(std::vector<int>({ap2->autoP, ap2->xP, ap2->yP, ap2->autoPosition, ap2->xPosition, ap2->yPosition}),
            std::vector<int>({0, -15, 7, 0, 300, 400}));
  EXPECT_EQ(ap2->location, "floor 2");
  EXPECT_TRUE(manager_.SaveCompareTopologyPosition(CTopologyData()));
}

TEST_F(TopologyManager, DevicesWithoutApPropertyComeAsNewWithTheOlderPositions) {
  AddReferenceNetwork();
  Run("INSERT INTO ap_property (mac) VALUES (?)", {net::kAp3});
  Run("UPDATE device_list SET online=0, status=6, auto=0, x_p=12, y_p=NULL, auto_position=NULL, x_position='40abc' "
      "WHERE mac=?",
      {net::kAp2});
  std::vector<CDeviceRecord> devices(1);
  ASSERT_TRUE(manager_.GetDevicesWithoutApProperty(devices));
  ASSERT_EQ(devices.size(), 3u) << "A2 and U are added; A3 has stored properties";
  const CDeviceRecord& ap2 = devices[1];
  EXPECT_EQ(ap2.mac, net::kAp2);
  EXPECT_EQ(ap2.name, "AP_2");
  EXPECT_EQ(ap2.kind, 2);
  EXPECT_EQ(std::vector<int>({ap2.online, ap2.displayStatus, ap2.furtherStatus}), std::vector<int>({1, 1, 1}));
  EXPECT_EQ(std::vector<int>({ap2.autoP, ap2.xP, ap2.yP, ap2.autoPosition, ap2.xPosition}),
            std::vector<int>({0, 12, 0, 1, 40}));
  EXPECT_EQ(devices[2].autoP, 1) << "a NULL auto flag reads as placed automatically";

  Run("DELETE FROM device_list");
  std::vector<CDeviceRecord> none;
  EXPECT_FALSE(manager_.GetDevicesWithoutApProperty(none));
  EXPECT_TRUE(none.empty());

  std::vector<CDeviceRecord> managed;
  Run("UPDATE device_list_prev SET online=0 WHERE mac=?", {net::kAp1});
  manager_.LoadManagedDevicePositions(managed);
  ASSERT_EQ(managed.size(), 2u);
  EXPECT_EQ(managed[1].furtherStatus, 1) << "its row is still marked new";
  Run("UPDATE device_list_prev SET isnew=0");
  managed.clear();
  manager_.LoadManagedDevicePositions(managed);
  EXPECT_EQ(std::vector<int>({managed[0].furtherStatus, managed[1].furtherStatus, managed[1].online}),
            std::vector<int>({0, 2, 0}));
}

TEST_F(TopologyManager, MovingOneDeviceCopiesItsColumnsWithTheirDefaults) {
  Run("INSERT INTO device_list (ip, mac, name, type, port_num, online, status, isnew, location, auto, x_p, y_p, "
      "auto_position, x_position, y_position, write_community, sysobjid) VALUES "
      "('10.0.0.5', 'replaced', 'R', 2, 2, NULL, 5, 1, 'lab', 0, NULL, 9, 0, 3, 4, 'w', '.1.3'),"
      "('10.0.0.6', 'keyerror', 'K', 1, 8, 0, 4, 1, NULL, NULL, 1, 2, NULL, NULL, NULL, NULL, NULL),"
      "('10.0.0.7', 'nullstatus', 'N', 2, NULL, 1, NULL, 1, '', 1, 1, 1, 1, 1, 1, '', ''),"
      "('10.0.0.8', 'unknown', 'U', 0, 0, 1, 0, 1, '', 1, 1, 1, 1, 1, 1, '', '')");
  EXPECT_TRUE(manager_.SetNewDeviceToManaged("replaced", false));
  EXPECT_TRUE(manager_.SetNewDeviceToManaged("10.0.0.6", true));
  EXPECT_TRUE(manager_.SetNewDeviceToManaged("nullstatus", false));
  EXPECT_FALSE(manager_.SetNewDeviceToManaged("unknown", false)) << "unknown devices are never moved";
  EXPECT_FALSE(manager_.SetNewDeviceToManaged("absent", false));

  const auto rows = database_.Rows(
      "SELECT mac, name, type, port_num, online, isnew, status, location, auto, x_p, y_p, auto_position, "
      "x_position, y_position, write_community, sysobjid FROM device_list_prev ORDER BY rowid");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0], (std::vector<std::string>{"replaced", "R", "2", "2", "1", "0", "0", "lab", "1", "0", "9", "1",
                                               "3", "4", "w", ".1.3"}));
  EXPECT_EQ(rows[1], (std::vector<std::string>{"keyerror", "K", "1", "8", "0", "0", "4", "", "1", "1", "2", "1", "0",
                                               "0", "", ""}));
  EXPECT_EQ(rows[2][3], "0");
  EXPECT_EQ(rows[2][6], "0");
  EXPECT_EQ(Cell("SELECT group_concat(mac) FROM device_list"), "unknown");

  // Already managed: the found row stays where it is.
  Run("INSERT INTO device_list (ip, mac, type) VALUES ('10.0.0.5', 'replaced', 2)");
  EXPECT_FALSE(manager_.SetNewDeviceToManaged("replaced", false));
  EXPECT_EQ(Cell("SELECT count(*) FROM device_list WHERE mac='replaced'"), "1");
  EXPECT_TRUE(actions_.empty());
}

TEST_F(TopologyManager, MovingAllReportsTheApsAndEmptiesTheSavedLinks) {
  ASSERT_TRUE(net::AddDevices(database_, "device_list"));
  ASSERT_TRUE(net::AddLinks(database_, "device_map"));
  Run("INSERT INTO device_list (ip, mac, type) VALUES (NULL, 'no-ip', 2)");
  std::vector<TopologyDBManager::MovedAp> moved;
  EXPECT_TRUE(manager_.SetAllNewDeviceToManaged(&moved));
  std::set<std::string> movedMacs;
  for (const auto& ap : moved) movedMacs.insert(ap.mac + "@" + ap.ip);
  EXPECT_EQ(movedMacs, (std::set<std::string>{net::kAp1 + "@127.0.0.11", net::kAp2 + "@127.0.0.12",
                                              net::kAp3 + "@127.0.0.13"}));
  EXPECT_EQ(Cell("SELECT count(*) FROM device_list_prev"), "4");
  EXPECT_EQ(Cell("SELECT group_concat(mac) FROM (SELECT mac FROM device_list ORDER BY mac)"),
            net::kUnknown + ",no-ip")
      << "a row that could not be copied is not deleted";
  EXPECT_EQ(Cell("SELECT count(*) FROM device_map"), "0");
  EXPECT_EQ(actions_, (std::vector<std::string>{"Save all new device "}));

  // Nothing left to move (a row without an address cannot be): false, and the saved links stay.
  ASSERT_TRUE(net::AddLinks(database_, "device_map"));
  EXPECT_FALSE(manager_.SetAllNewDeviceToManaged());
  EXPECT_EQ(Cell("SELECT count(*) FROM device_map"), "4");
}

TEST_F(TopologyManager, ADeviceFoundDuringTheMoveStaysNew) {
  ASSERT_TRUE(net::AddDevices(database_, "device_list"));
  std::atomic<bool> stop{false};
  std::vector<std::string> inserted;
  std::thread polling([&] {
    CAccessDatabase access;
    for (int n = 0; !stop || n < 20; ++n) {
      const std::string mac = "02:77:00:00:00:" + std::to_string(n);
      if (access.ExecuteCommand("INSERT INTO device_list (ip, mac, type, status) VALUES ('10.1.0.1', ?, 2, 0)", {mac}))
        inserted.push_back(mac);
    }
  });
  bool movedOnce = false;
  for (int round = 0; round < 5; ++round) movedOnce = manager_.SetAllNewDeviceToManaged() || movedOnce;
  stop = true;
  polling.join();
  EXPECT_TRUE(movedOnce);
  ASSERT_FALSE(inserted.empty());
  for (const std::string& mac : inserted) {
    const std::string found = Cell("SELECT count(*) FROM device_list WHERE mac=?", {mac});
    const std::string managed = Cell("SELECT count(*) FROM device_list_prev WHERE mac=?", {mac});
    EXPECT_EQ(found + managed, found == "1" ? "10" : "01") << mac << " is in exactly one table";
  }
}


TEST_F(TopologyManager, LinkQueriesAnswerFromTheLinkTables) {
  AddReferenceNetwork();
  // A second managed switch on port 9 of S; A2 (only found) on port 2 stays out of the attached devices.
  Run("INSERT INTO device_list_prev (mac, type, online, status) VALUES ('02:44:71:00:00:02', 1, 0, 4), (NULL, 2, 1, 4)");
  Run("INSERT INTO device_map_prev (src_mac, dest_mac, src_port, dest_port) VALUES (?, '02:44:71:00:00:02', 9, 1)",
      {net::kSwitch});

  std::vector<std::string> macs = {"earlier"};
  EXPECT_TRUE(manager_.GetAttachedDevices(macs, net::kSwitch));
  EXPECT_EQ(macs, (std::vector<std::string>{"earlier", net::kAp1}));
  EXPECT_FALSE(manager_.GetAttachedDevices(macs, net::kAp1));

  macs.clear();
  EXPECT_TRUE(manager_.GetSystemKeyErrorDevices(macs));
  EXPECT_EQ(macs, (std::vector<std::string>{"02:44:71:00:00:02", ""})) << "a NULL MAC reads as the empty text";
  std::vector<std::string> keyErrors;
  std::vector<std::optional<std::string>> upstream;
  EXPECT_TRUE(manager_.GetSystemKeyErrorLinks(keyErrors, upstream));
  // Neither has a polled link: "no upstream" is no MAC, so it can never match the empty one either.
  EXPECT_EQ(upstream, (std::vector<std::optional<std::string>>{std::nullopt, std::nullopt}));
  EXPECT_EQ(manager_.GetLinkSourceOf(net::kAp2), net::kSwitch);

  EXPECT_EQ(manager_.GetUplinkPort(net::kAp3), "3");
  EXPECT_EQ(manager_.GetUplinkPort(net::kSwitch), "");
  EXPECT_EQ(manager_.GetManagedDeviceType(net::kSwitch), 1);
  EXPECT_EQ(manager_.GetManagedDeviceType(net::kAp1), 2);
  EXPECT_EQ(manager_.GetManagedDeviceType(net::kAp2), -1);
  Run("UPDATE device_list_prev SET type=0 WHERE mac=?", {net::kAp1});
  EXPECT_EQ(manager_.GetManagedDeviceType(net::kAp1), 0);
  EXPECT_TRUE(manager_.IsDeviceOnline(net::kSwitch));
  EXPECT_FALSE(manager_.IsDeviceOnline("02:44:71:00:00:02"));
  EXPECT_FALSE(manager_.IsDeviceOnline(net::kAp2));

  // Polled links count only where the device is their source, managed links either way.
  EXPECT_FALSE(manager_.HasNoDeviceLinks(net::kSwitch));
  EXPECT_FALSE(manager_.HasNoDeviceLinks("02:44:71:00:00:02"));
  Run("DELETE FROM device_map_prev");
  Run("INSERT INTO device_map_polling (src_mac, dest_mac) VALUES (?, '02:44:71:00:00:02')", {net::kAp1});
  EXPECT_TRUE(manager_.HasNoDeviceLinks("02:44:71:00:00:02"));
  EXPECT_FALSE(manager_.HasNoDeviceLinks(net::kAp1));
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(TopologyManager, DeviceAndSwitchDeletesTakeTheirRows) {
  AddReferenceNetwork();
  Run("INSERT INTO device_list_prev SELECT * FROM device_list WHERE mac=?", {net::kAp2});
  Run("INSERT INTO ap_property (mac) VALUES (?), (?)", {net::kAp1, net::kAp2});
  Run("INSERT INTO sync_result (mac, property) VALUES (?, 'crvAPssid'), (?, 'crvAPssid')", {net::kAp1, net::kAp2});
  Run("INSERT INTO switch_property (mac) VALUES (?)", {net::kSwitch});
  // A managed link that ends at the switch, from a second switch.
  Run("INSERT INTO device_map_prev (src_mac, dest_mac, src_port, dest_port) VALUES ('02:44:71:00:00:02', ?, 1, 9)",
      {net::kSwitch});

  EXPECT_TRUE(manager_.DeleteDeviceRecords(net::kAp2));
  for (const char* table : {"device_list", "device_list_prev", "ap_property", "sync_result"})
    EXPECT_EQ(Cell(std::string("SELECT count(*) FROM ") + table + " WHERE mac=?", {net::kAp2}), "0") << table;
  for (const char* table : {"device_map_prev", "device_map_polling"})
    EXPECT_EQ(Cell(std::string("SELECT count(*) FROM ") + table + " WHERE dest_mac=?", {net::kAp2}), "0") << table;
  EXPECT_EQ(Cell("SELECT count(*) FROM sync_result"), "1");
  EXPECT_EQ(actions_, (std::vector<std::string>{"Delete a device"}));

  EXPECT_TRUE(manager_.DeleteSwitchRecords(net::kSwitch));
  EXPECT_EQ(Cell("SELECT count(*) FROM device_list_prev WHERE mac=?", {net::kSwitch}), "0");
  EXPECT_EQ(Cell("SELECT count(*) FROM switch_property"), "0");
  EXPECT_EQ(Cell("SELECT count(*) FROM device_map_polling WHERE src_mac=?", {net::kSwitch}), "0");
  EXPECT_EQ(Cell("SELECT count(*) FROM device_map_prev WHERE src_mac=?", {net::kSwitch}), "0");
  EXPECT_EQ(Cell("SELECT count(*) FROM device_map_prev WHERE dest_mac=?", {net::kSwitch}), "1")
      << "links that end at the switch stay";
  EXPECT_EQ(Cell("SELECT count(*) FROM device_list_prev WHERE mac=?", {net::kAp1}), "1") << "its APs go one by one";
  EXPECT_EQ(actions_.size(), 2u);
}

TEST_F(TopologyManager, EveryDeleteFailingHalfWayLeavesItsRows) {
  AddReferenceNetwork();
  Run("INSERT INTO ap_property (mac) VALUES (?), (?)", {net::kAp1, net::kSwitch});
  Run("INSERT INTO sync_result (mac) VALUES (?), (?)", {net::kAp1, net::kSwitch});
  Run("INSERT INTO switch_property (mac) VALUES (?)", {net::kSwitch});
  Run("INSERT INTO device_list (mac, type) VALUES (?, 1)", {net::kSwitch});
  struct Case {
    const char* table;
    const char* event;
    bool (TopologyDBManager::*remove)(const std::string&);
    const std::string& mac;
  };
  // The last statement of each delete and some in the middle, each on a row the device has.
  const Case cases[] = {
      {"device_list", "DELETE", &TopologyDBManager::DeleteSwitchRecords, net::kSwitch},
      {"sync_result", "DELETE", &TopologyDBManager::DeleteSwitchRecords, net::kSwitch},
      {"device_list", "UPDATE", &TopologyDBManager::DeleteSwitchRecords, net::kSwitch},
      {"sync_result", "DELETE", &TopologyDBManager::DeleteDeviceRecords, net::kAp1},
      {"device_list_prev", "DELETE", &TopologyDBManager::DeleteDeviceRecords, net::kAp1},
      {"ap_property", "DELETE", &TopologyDBManager::DeleteDeviceRecords, net::kAp1},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(database_.BreakWrites(c.table, c.event));
    const auto before = Snapshot();
    EXPECT_FALSE((manager_.*c.remove)(c.mac)) << c.table << " " << c.event;
    EXPECT_EQ(Snapshot(), before) << c.table << " " << c.event;
    Run(std::string("DROP TRIGGER break_") + c.table + "_" + c.event);
  }
  EXPECT_TRUE(actions_.empty());
  EXPECT_NE(ReadLog().find("TopologyDBManager DeleteSwitchRecords RollBackTransact"), std::string::npos);
  EXPECT_NE(ReadLog().find("TopologyDBManager DeleteDeviceRecords RollBackTransact"), std::string::npos);
}

}  // namespace
