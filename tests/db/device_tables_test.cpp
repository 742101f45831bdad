// The device and link tables: the topology the map is built from, and the table operations beside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "BoxLockProbe.h"
#include "db/AccessDatabase.h"
#include "db/ConnectionRecord.h"
#include "db/DeviceRecord.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"
#include "topology/TopologyData.h"

namespace {

using Link = std::tuple<std::string, std::string, int, int>;  // source MAC, destination MAC, ports

const std::string kSwitch = "02:44:71:00:00:01";
const std::string kSwitch2 = "02:44:71:00:00:02";
const std::string kAp1 = "02:44:71:00:01:01";
const std::string kAp2 = "02:44:71:00:01:02";
const std::string kAp3 = "02:44:71:00:01:03";

class DeviceTablesTest : public ::testing::Test {
 protected:
  void TearDown() override {
    CAccessDatabase::SetDeviceStatusLookup(nullptr);
    EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{});
  }

  void Exec(const std::string& sql, const db::SqlParams& params = {}) { ASSERT_TRUE(file_.Exec(sql, params)) << sql; }

  // A device row with the positions the readers use; the placement columns as given.
  void AddDevice(const std::string& table, const std::string& name, const std::string& mac, int type,
                 const std::string& location = "lab", std::vector<int> placement = {1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0}) {
    db::SqlParams params = {name, "10.0.0." + std::to_string(++address_), mac, type, 8, "1", "0", "1",
                            "2024-05-01 10:00:00", location};
    for (int value : placement) params.emplace_back(value);
    Exec("INSERT INTO " + table +
             " (name, ip, mac, type, port_num, online, status, isnew, lastchangetime, location,"
             " auto, x_p, y_p, auto_position, x_position, y_position,"
             " auto_pos_all, x_pos_all, y_pos_all, auto_pos_all_location, x_pos_all_location, y_pos_all_location)"
             " VALUES (?,?,?,?,?,?,?,?,?,?, ?,?,?,?,?,?, ?,?,?,?,?,?)",
         params);
  }

  void AddLinks(const std::string& table, const std::vector<Link>& links) {
    for (const auto& [src, dest, srcPort, destPort] : links) {
      Exec("INSERT INTO " + table + " (src_mac, dest_mac, src_port, dest_port) VALUES (?,?,?,?)",
           {src, dest, srcPort, destPort});
    }
  }

  CAccessDatabase::TextRows Rows(const std::string& sql, const db::SqlParams& params = {}) {
    return database_.QueryRows(sql, params);
  }

  static std::vector<Link> Links(const std::vector<CConnectionRecord>& records) {
    std::vector<Link> links;
    for (const auto& record : records) {
      EXPECT_EQ(record.linkType, 0);
      links.emplace_back(record.srcMac, record.destMac, record.srcPort, record.destPort);
    }
    return links;
  }

  static std::vector<CConnectionRecord> Records(const std::vector<Link>& links) {
    std::vector<CConnectionRecord> records;
    for (const auto& [src, dest, srcPort, destPort] : links) {
      CConnectionRecord& record = records.emplace_back();
      record.srcMac = src;
      record.destMac = dest;
      record.srcPort = srcPort;
      record.destPort = destPort;
    }
    return records;
  }

  static std::vector<std::string> Macs(const std::vector<CDeviceRecord>& devices) {
    std::vector<std::string> macs;
    for (const auto& device : devices) macs.push_back(device.mac);
    return macs;
  }

  testing_support::TempDatabase file_;
  testing_support::MessageBoxRecorder boxes_;
  CAccessDatabase database_;
  int address_ = 0;
};

struct LinkCase {
  const char* name;
  std::vector<Link> previous;
  std::vector<Link> current;
  std::vector<Link> reportedFromPrevious;  // vanished first, then port changed
  // What the current pass reports, when that is not current itself (a link stored from both ends).
  std::optional<std::vector<Link>> reportedCurrent = std::nullopt;
};

TEST_F(DeviceTablesTest, PreviousLinksAreReportedOnceWhenVanishedOrMovedToOtherPorts) {
  const std::vector<LinkCase> cases = {
      {"unchanged", {{kSwitch, kAp1, 1, 1}, {kSwitch, kAp2, 2, 1}}, {{kSwitch, kAp1, 1, 1}, {kSwitch, kAp2, 2, 1}}, {}},
      {"vanished", {{kSwitch, kAp1, 1, 1}, {kSwitch, kAp2, 2, 1}}, {{kSwitch, kAp1, 1, 1}}, {{kSwitch, kAp2, 2, 1}}},
      // Both ends still have other links of the current pass, but not with each other.
      {"vanished while both ends keep other links",
       {{kSwitch, kAp1, 1, 1}},
       {{kSwitch, kAp2, 2, 1}, {kSwitch2, kAp1, 3, 1}},
       {{kSwitch, kAp1, 1, 1}}},
      {"port changed", {{kSwitch, kAp1, 1, 1}}, {{kSwitch, kAp1, 3, 1}}, {{kSwitch, kAp1, 1, 1}}},
      // Several sources and destinations in the current pass must not hide a port change.
      {"port changed among other links",
       {{kSwitch, kAp1, 1, 1}, {kSwitch, kAp2, 2, 1}},
       {{kSwitch, kAp1, 3, 1}, {kSwitch, kAp2, 2, 1}, {kSwitch2, kAp3, 5, 1}},
       {{kSwitch, kAp1, 1, 1}}},
      {"reversed direction", {{kAp1, kSwitch, 1, 4}}, {{kSwitch, kAp1, 4, 1}}, {}},
      {"reversed direction with another port", {{kAp1, kSwitch, 1, 4}}, {{kSwitch, kAp1, 6, 1}}, {{kAp1, kSwitch, 1, 4}}},
      {"other case of the MAC text", {{"02:ab:cd:00:00:01", kAp1, 1, 1}}, {{"02:AB:CD:00:00:01", kAp1, 1, 1}}, {}},
      {"no current links",
       {{kSwitch, kAp1, 1, 1}, {kSwitch, kAp2, 2, 1}},
       {},
       {{kSwitch, kAp1, 1, 1}, {kSwitch, kAp2, 2, 1}}},
      {"the same previous link stored twice", {{kSwitch, kAp1, 1, 1}, {kSwitch, kAp1, 1, 1}}, {}, {{kSwitch, kAp1, 1, 1}}},
      // One link stored from both ends: the ends swap places and so do the ports.
      {"vanished link stored from both ends",
       {{kSwitch, kAp1, 1, 2}, {kAp1, kSwitch, 2, 1}},
       {{kSwitch, kAp2, 3, 1}},
       {{kSwitch, kAp1, 1, 2}}},
      {"vanished link stored from both ends in other cases",
       {{"02:ab:cd:00:00:01", kAp1, 1, 2}, {kAp1, "02:AB:CD:00:00:01", 2, 1}},
       {},
       {{"02:ab:cd:00:00:01", kAp1, 1, 2}}},
      {"port-changed link stored from both ends",
       {{kSwitch, kAp1, 1, 2}, {kAp1, kSwitch, 2, 1}},
       {{kSwitch, kAp1, 5, 2}},
       {{kSwitch, kAp1, 1, 2}}},
      {"current link stored from both ends",
       {{kSwitch, kAp1, 1, 2}},
       {{kSwitch, kAp1, 1, 2}, {kAp1, kSwitch, 2, 1}},
       {},
       std::vector<Link>{{kSwitch, kAp1, 1, 2}}},
      {"current link stored from both ends, previous one vanished from both ends",
       {{kSwitch2, kAp2, 4, 1}, {kAp2, kSwitch2, 1, 4}},
       {{kAp1, kSwitch, 2, 1}, {kSwitch, kAp1, 1, 2}},
       {{kSwitch2, kAp2, 4, 1}},
       std::vector<Link>{{kAp1, kSwitch, 2, 1}}},
      // The same two devices joined twice, each end on the other's port number: two links.
      {"two links between the same devices",
       {{kSwitch, kAp1, 1, 2}, {kAp1, kSwitch, 1, 2}},
       {},
       {{kSwitch, kAp1, 1, 2}, {kAp1, kSwitch, 1, 2}}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.name);
    Exec("DELETE FROM device_map_prev");
    Exec("DELETE FROM device_map_polling");
    AddLinks("device_map_prev", test.previous);
    AddLinks("device_map_polling", test.current);

    std::vector<CConnectionRecord> records;
    EXPECT_EQ(database_.LoadTopologyLinks(records), 0);
    const auto links = Links(records);
    auto expectedCurrent = test.reportedCurrent.value_or(test.current);
    ASSERT_GE(links.size(), expectedCurrent.size());
    // The current pass comes first, then what the previous pass adds; nothing twice.
    auto current = std::vector<Link>(links.begin(), links.begin() + expectedCurrent.size());
    auto added = std::vector<Link>(links.begin() + expectedCurrent.size(), links.end());
    std::sort(current.begin(), current.end());
    std::sort(expectedCurrent.begin(), expectedCurrent.end());
    EXPECT_EQ(current, expectedCurrent);
    EXPECT_EQ(added, test.reportedFromPrevious);
  }
}

TEST_F(DeviceTablesTest, CopyShowsAFailedDeleteOnlyAfterGivingTheLocksBack) {
  AddDevice("device_list", "AP_1", kAp1, 2);
  AddDevice("device_list_prev", "AP_2", kAp2, 2);
  ASSERT_TRUE(file_.BreakWrites("device_list_prev", "DELETE"));
  {
    BoxLockProbe probe;
    database_.CopyDevicesToManaged();
    const auto boxes = probe.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].locksWereFree);
    EXPECT_NE(boxes[0].text.find("FileName: AccessDatabase"), std::string::npos) << boxes[0].text;
  }
  EXPECT_EQ(Rows("SELECT mac FROM device_list_prev"), (CAccessDatabase::TextRows{{kAp2}}));
}

TEST_F(DeviceTablesTest, VanishedLinksComeBeforePortChanges) {
  AddLinks("device_map_prev", {{kSwitch, kAp2, 2, 1}, {kSwitch, kAp1, 1, 1}});
  AddLinks("device_map_polling", {{kSwitch, kAp1, 5, 1}});
  std::vector<CConnectionRecord> records;
  database_.LoadTopologyLinks(records);
  EXPECT_EQ(Links(records), (std::vector<Link>{{kSwitch, kAp1, 5, 1}, {kSwitch, kAp2, 2, 1}, {kSwitch, kAp1, 1, 1}}));
}

TEST_F(DeviceTablesTest, TopologyHoldsManagedDevicesFirstThenFoundOnesEachOnce) {
  AddDevice("device_list_prev", "lab-switch", kSwitch, 1, "lab", {0, 1, 2, 0, 3, 4, 0, 170, 180, 1, 200, 210});
  AddDevice("device_list_prev", "AP_1", kAp1, 2);
  AddDevice("device_list", "stale copy", kSwitch, 1);  // also managed: the managed values win
  AddDevice("device_list", "AP_2", kAp2, 2);
  Exec("INSERT INTO device_list_prev (name) VALUES ('row without a MAC')");
  Exec("INSERT INTO device_map_polling VALUES (?,?,?,?)", {kSwitch, kAp1, 1, 1});

  std::vector<std::string> asked;
  CAccessDatabase::SetDeviceStatusLookup([&](const std::string& mac) {
    asked.push_back(mac);
    return mac == kAp2 ? 1 : 0;
  });
  CTopologyData topology;
  topology.m_Devices.emplace_back();  // what the topology held stays
  database_.GetTopologyDifferences(topology);

  ASSERT_EQ(topology.m_Devices.size(), 5u);
  EXPECT_EQ(Macs(topology.m_Devices), (std::vector<std::string>{"", kSwitch, kAp1, "", kAp2}));
  EXPECT_EQ(asked, (std::vector<std::string>{kSwitch, kAp1, "", kAp2}));
  const CDeviceRecord& sw = topology.m_Devices[1];
  EXPECT_EQ(sw.name, "lab-switch");
  EXPECT_EQ(sw.ip, "10.0.0.1");
  EXPECT_EQ(sw.kind, 1);
  EXPECT_EQ(sw.portCount, 8);
  EXPECT_EQ(sw.online, 1);
  EXPECT_EQ(sw.newDevice, 1);
  EXPECT_EQ(sw.location, "lab");
  // The current placement columns, not the older pair.
  EXPECT_EQ(std::tie(sw.autoPosition, sw.xPosition, sw.yPosition), std::make_tuple(0, 170, 180));
  EXPECT_EQ(std::tie(sw.autoP, sw.xP, sw.yP), std::make_tuple(1, 200, 210));
  EXPECT_EQ(topology.m_Devices[4].displayStatus, 1);
  EXPECT_EQ(Links(topology.m_Connections), (std::vector<Link>{{kSwitch, kAp1, 1, 1}}));

  CDeviceRecord found;
  EXPECT_EQ(topology.FindDevice("10.0.0.4", found, 0), 4);
  EXPECT_EQ(found.mac, kAp2);
}

TEST_F(DeviceTablesTest, EmptyTablesLeaveTheTopologyAsItWas) {
  CTopologyData topology;
  database_.GetTopologyDifferences(topology);
  EXPECT_TRUE(topology.m_Devices.empty());
  EXPECT_TRUE(topology.m_Connections.empty());
  std::vector<CDeviceRecord> devices;
  EXPECT_EQ(database_.ReadDeviceList(devices), -1);
  std::vector<CConnectionRecord> links;
  EXPECT_EQ(database_.ReadManagedDeviceMap(links), -1);
  EXPECT_FALSE(database_.LoadDeviceRows().has_value());
}

TEST_F(DeviceTablesTest, ReadersByLocationTakeTheOlderPlacementAndAnyLocationName) {
  AddDevice("device_list_prev", "SW_1", kSwitch, 1, "O'Brien's lab", {0, 11, 12, 0, 14, 15, 1, 0, 0, 1, 0, 0});
  AddDevice("device_list_prev", "AP_1", kAp1, 2, "hall");
  Exec("INSERT INTO device_map VALUES ('10.0.0.1', '10.0.0.2', 1, 1, ?, ?)", {kSwitch, kAp1});

  CTopologyData topology;
  database_.LoadManagedTopologyAtLocation(topology, "O'Brien's lab");
  ASSERT_EQ(Macs(topology.m_Devices), std::vector<std::string>{kSwitch});
  const CDeviceRecord& sw = topology.m_Devices[0];
  EXPECT_EQ(std::tie(sw.autoP, sw.xP, sw.yP), std::make_tuple(0, 11, 12));
  EXPECT_EQ(std::tie(sw.autoPosition, sw.xPosition, sw.yPosition), std::make_tuple(0, 14, 15));
  EXPECT_EQ(sw.newDevice, 0);
  EXPECT_EQ(sw.displayStatus, 0);
  EXPECT_EQ(Links(topology.m_Connections), (std::vector<Link>{{kSwitch, kAp1, 1, 1}}));
  EXPECT_EQ(Rows("SELECT COUNT(*) FROM device_list_prev"), (CAccessDatabase::TextRows{{"2"}}));
}

TEST_F(DeviceTablesTest, SavingPositionsStopsAtADeviceWithoutARow) {
  AddDevice("device_list_prev", "SW_1", kSwitch, 1);
  CDeviceRecord moved;
  moved.mac = kSwitch;
  moved.location = "hall";
  moved.autoP = 0;
  moved.xP = 30;
  moved.yP = 40;
  moved.autoPosition = 0;
  moved.xPosition = 50;
  moved.yPosition = 60;
  CDeviceRecord missing = moved;
  missing.mac = kAp3;
  EXPECT_EQ(database_.SaveManagedDevicePositions({moved, missing}), -1);
  EXPECT_EQ(Rows("SELECT location, auto, x_p, y_p, auto_position, x_position, y_position FROM device_list_prev"),
            (CAccessDatabase::TextRows{{"hall", "0", "30", "40", "0", "50", "60"}}));
  EXPECT_EQ(database_.SaveManagedDevicePositions({moved}), 0);
}

TEST_F(DeviceTablesTest, StaleDevicesAreThoseOfNoRecordWhateverTheCountsAndCase) {
  AddDevice("device_list", "a", kSwitch, 1);
  AddDevice("device_list", "b", "02:AB:00:00:00:01", 2);
  AddDevice("device_list", "c", kAp2, 2);
  // As many records as rows, one of them with the MAC in lower case.
  std::vector<CDeviceRecord> devices(3);
  devices[0].mac = "02:ab:00:00:00:01";
  devices[1].mac = "02:aa:00:00:00:09";
  devices[2].mac = "02:aa:00:00:00:0a";
  std::vector<std::string> stale;
  database_.GetStaleDeviceMacs(stale, devices);
  EXPECT_EQ(stale, (std::vector<std::string>{kSwitch, kAp2}));
  EXPECT_EQ(database_.DeleteStaleDevices(devices), 1);
  EXPECT_EQ(Rows("SELECT mac FROM device_list"), (CAccessDatabase::TextRows{{"02:AB:00:00:00:01"}}));
}

TEST_F(DeviceTablesTest, DeviceRowsReadAndAppendByPosition) {
  EXPECT_FALSE(database_.GetDeviceRowByMac(kAp1).has_value());
  DeviceListRow row;
  row.name = "AP_1";
  row.ip = "10.0.0.2";
  row.mac = kAp1;
  row.type = "2";
  row.port_num = "2";
  row.online = "1";
  row.status = "6";
  row.isnew = "1";
  row.lastchangetime = "2024-05-01 10:00:00";
  DeviceListRow again = row;
  again.name = "second of the same MAC";
  EXPECT_EQ(database_.AppendDeviceRows({row, again}), 0);
  EXPECT_EQ(Rows("SELECT name, ip, mac, type, port_num, online, status, isnew, lastchangetime FROM device_list"),
            (CAccessDatabase::TextRows{{"AP_1", "10.0.0.2", kAp1, "2", "2", "1", "6", "1", "2024-05-01 10:00:00"}}));

  Exec("INSERT INTO device_list (name, mac, status) VALUES ('later row', ?, '0')", {kAp1});
  const auto last = database_.GetDeviceRowByMac(kAp1);
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ(last->name, "later row");
  const auto first = database_.LoadDeviceRows();
  ASSERT_TRUE(first.has_value());
  ASSERT_EQ(first->size(), 2u);
  const DeviceListRow& read = first->front();
  EXPECT_EQ(std::tie(read.ip, read.mac, read.name, read.port_num, read.type, read.online, read.status,
                     read.lastchangetime, read.isnew),
            std::tie(row.ip, row.mac, row.name, row.port_num, row.type, row.online, row.status, row.lastchangetime,
                     row.isnew));

  EXPECT_EQ(database_.AppendManagedDeviceRows({row}), 0);
  EXPECT_TRUE(database_.GetManagedDeviceRowByMac(kAp1).has_value());
}

TEST_F(DeviceTablesTest, LinkWritersKeepMacsInTheMacColumns) {
  database_.ReplaceDeviceMap(Records({{kSwitch, kAp1, 1, 1}, {kSwitch, kAp1, 1, 1}, {kSwitch, kAp2, 2, 1}}));
  EXPECT_EQ(Rows("SELECT src_ip, dest_ip, src_mac, dest_mac, src_port, dest_port FROM device_map"),
            (CAccessDatabase::TextRows{{"", "", kSwitch, kAp1, "1", "1"}, {"", "", kSwitch, kAp2, "2", "1"}}));
  database_.ReplaceDeviceMap(Records({{kSwitch, kAp2, 2, 1}}));
  EXPECT_EQ(Rows("SELECT src_mac, dest_mac FROM device_map"), (CAccessDatabase::TextRows{{kSwitch, kAp2}}));

  AddLinks("device_map_prev", {{kSwitch, kAp1, 1, 1}, {kSwitch, kAp1, 2, 1}});
  database_.DeleteManagedMapLinks(Records({{kSwitch, kAp1, 1, 1}}));
  EXPECT_EQ(Rows("SELECT src_port FROM device_map_prev"), (CAccessDatabase::TextRows{{"2"}}));
  database_.ReplaceManagedDeviceMap({});
  EXPECT_TRUE(Rows("SELECT * FROM device_map_prev").empty());
}

TEST_F(DeviceTablesTest, CopiesReplaceTheManagedAndPreviousTables) {
  AddDevice("device_list_prev", "old managed", kAp3, 2);
  AddDevice("device_list", "SW_1", kSwitch, 1);
  AddDevice("device_list", "AP_1", kAp1, 2);
  AddLinks("device_map_prev", {{kSwitch, kAp3, 3, 1}});
  AddLinks("device_map", {{kSwitch, kAp1, 1, 1}});
  database_.CopyDevicesToManaged();
  database_.CopyLinksToPrevious();
  EXPECT_EQ(Rows("SELECT * FROM device_list_prev"), Rows("SELECT * FROM device_list"));
  EXPECT_EQ(Rows("SELECT * FROM device_map_prev"), Rows("SELECT * FROM device_map"));

  CTopologyData topology;
  database_.LoadManagedTopology(topology);
  database_.DeleteManagedTopology(topology);
  EXPECT_TRUE(Rows("SELECT * FROM device_list_prev").empty());
  EXPECT_TRUE(Rows("SELECT * FROM device_map_prev").empty());
  database_.DeleteAllDeviceRows();
  database_.DeleteAllLinkRows();
  EXPECT_TRUE(Rows("SELECT * FROM device_list").empty());
  EXPECT_TRUE(Rows("SELECT * FROM device_map").empty());
}

}  // namespace
