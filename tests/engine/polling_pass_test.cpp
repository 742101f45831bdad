// One polling pass against the simulated reference network: the discovery pass leaves the rows and sends
// the messages the reference network promises, a second pass changes nothing, and then one change at a
// time on the devices: a moved AP, a silent AP, a replaced AP, a silent switch, a configuration change
// and a stop request in the middle of a pass.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "db/DiscoveryDb.h"
#include "db/TopologyDBManager.h"
#include "device/DeviceNameIndex.h"
#include "engine/NetworkEngine.h"
#include "log/LogLevelMask.h"
#include "log/LogLevels.h"
#include "platform/MessageIds.h"
#include "platform/Shutdown.h"
#include "platform/StatusText.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/SnmpDefaults.h"
#include "support/TempDatabase.h"

namespace {

namespace net = testing_support::reference_network;
using testing_support::DevSimReference;
using Texts = std::vector<std::string>;

const std::string kApRoot = ".1.3.6.1.4.1.44711.1";
const std::string kApRootBare = "1.3.6.1.4.1.44711.1";
const std::string kLldpRemote = "1.0.8802.1.1.2.1.4.1.1.";
const std::string kLldpManAddr = "1.0.8802.1.1.2.1.4.2.1.4.0.";

class PollingPassTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_nLogLevelMask = 0xF;
    SetSnmpDefaults("public", "private", 100);
    g_RuntimeSettings.nPollingThreads = 5;
    g_DeviceNameIndex.Clear();
    ASSERT_EQ(CDiscoveryDb().setManagementSegment({{DevSimReference::kSwitch, DevSimReference::kSwitch}}), 0);
    engine_.SetNotifyWnd(recorder_.Id());
  }
  void TearDown() override {
    platform::RunShutdown();
    g_nLogLevelMask = 0;
  }

  void Discover() {
    engine_.EnableScanIP(true);
    ASSERT_EQ(engine_.PollOnce(), 1);
  }
  // The discovery pass, the switch and the APs saved into the managed list (the unknown device stays a
  // new one), and one pass that remembers the links.
  void DiscoverAndManage() {
    Discover();
    ASSERT_TRUE(TopologyDBManager().SetAllNewDeviceToManaged());
    ASSERT_EQ(engine_.PollOnce(), 1);
    recorder_.Clear();
  }

  // The engine's messages without the status-bar and event-log traffic, as "id wParam lParam".
  Texts PassMessages() {
    Texts texts;
    for (const auto& m : recorder_.Messages()) {
      if (m.id == msg::WM_NMS_STATUS_TEXT || m.id == msg::WM_NMS_SYSLOG_LINE || m.id == msg::WM_NMS_ACTION_LINE)
        continue;
      char text[64];
      std::snprintf(text, sizeof text, "%x %lu %ld", m.id, static_cast<unsigned long>(m.wParam),
                    static_cast<long>(m.lParam));
      texts.push_back(text);
    }
    return texts;
  }
  Texts Lines(int level) {
    Texts lines;
    for (const auto& row : database_.Rows("SELECT description FROM system_log WHERE type=1 AND level=? ORDER BY rowid",
                                          {level}))
      lines.push_back(row[0]);
    return lines;
  }
  long CountLines(int level, const std::string& text) {
    const Texts lines = Lines(level);
    return std::count(lines.begin(), lines.end(), text);
  }
  // One device row as "name/type/port_num/status/isnew/sysobjid".
  std::string Row(const std::string& table, const std::string& mac) {
    const auto rows =
        database_.Rows("SELECT name, type, port_num, status, isnew, sysobjid FROM " + table + " WHERE mac=?", {mac});
    if (rows.size() != 1) return "rows: " + std::to_string(rows.size());
    const auto& r = rows[0];
    return r[0] + "/" + r[1] + "/" + r[2] + "/" + r[3] + "/" + r[4] + "/" + r[5];
  }
  std::string Column(const std::string& table, const std::string& column, const std::string& mac) {
    return database_.Value("SELECT " + column + " FROM " + table + " WHERE mac=?", {mac});
  }
  // "[name]_[mac]_[ip]" of a stored device.
  std::string Tag(const std::string& table, const std::string& mac) {
    return "[" + Column(table, "name", mac) + "]_[" + mac + "]_[" + Column(table, "ip", mac) + "]";
  }
  // Moves the switch's LLDP row of one neighbour from index l to index newL (ports are index + 1).
  void MoveLldpRow(int l, int newL, const std::string& ip) {
    for (const char* column : {"5", "7", "12"}) {
      const std::string from = kLldpRemote + column + ".0." + std::to_string(l) + ".1";
      const std::string line = simulator_.Get(DevSimReference::kSwitch, from);
      simulator_.Unset(DevSimReference::kSwitch, from);
      const std::string tail = line.substr(line.find('|'));
      simulator_.Set(DevSimReference::kSwitch, kLldpRemote + column + ".0." + std::to_string(newL) + ".1" + tail);
    }
    simulator_.Unset(DevSimReference::kSwitch, kLldpManAddr + std::to_string(l) + ".1.1.4." + ip);
    simulator_.Set(DevSimReference::kSwitch, kLldpManAddr + std::to_string(newL) + ".1.1.4." + ip + "|2|0");
  }
  // The management address the switch shows for the neighbour in row l.
  void ChangeLldpAddress(int l, const std::string& ip, const std::string& newIp) {
    simulator_.Unset(DevSimReference::kSwitch, kLldpManAddr + std::to_string(l) + ".1.1.4." + ip);
    simulator_.Set(DevSimReference::kSwitch, kLldpManAddr + std::to_string(l) + ".1.1.4." + newIp + "|2|0");
  }
  // A further LLDP row l (port l + 1) for the neighbour with the MAC (12 hex digits) and address.
  void AddLldpRow(int l, const std::string& macHex, const std::string& ip, const std::string& capabilities) {
    const std::string index = ".0." + std::to_string(l) + ".1";
    simulator_.Set(DevSimReference::kSwitch, kLldpRemote + "5" + index + "|4x|" + macHex);
    simulator_.Set(DevSimReference::kSwitch, kLldpRemote + "7" + index + "|4|eth0");
    simulator_.Set(DevSimReference::kSwitch, kLldpRemote + "12" + index + "|4x|" + capabilities);
    simulator_.Set(DevSimReference::kSwitch, kLldpManAddr + std::to_string(l) + ".1.1.4." + ip + "|2|0");
  }
  // How many device objects of the pass carry the MAC.
  long Objects(const std::string& mac) {
    const auto& devices = engine_.Devices();
    return std::count_if(devices.begin(), devices.end(), [&](const auto& device) { return device->mac == mac; });
  }
  void RemoveLldpRow(int l, const std::string& ip) {
    for (const char* column : {"5", "7", "12"})
      simulator_.Unset(DevSimReference::kSwitch, kLldpRemote + column + ".0." + std::to_string(l) + ".1");
    simulator_.Unset(DevSimReference::kSwitch, kLldpManAddr + std::to_string(l) + ".1.1.4." + ip);
  }

  testing_support::TempDatabase database_;
  testing_support::DevSimProcess simulator_;
  testing_support::MessageRecorder recorder_;
  CNetworkEngine engine_;
};

TEST_F(PollingPassTest, DiscoveryPassLeavesTheReferenceRowsAndMessagesAndASecondPassChangesNothing) {
  Discover();

  EXPECT_EQ(Row("device_list", net::kSwitch), "lab-switch/1/24/0/1/1.3.6.1.4.1.44711.10.76.2");
  Texts apNames;
  for (const std::string& ap : {net::kAp1, net::kAp2, net::kAp3}) {
    const std::string row = Row("device_list", ap);
    apNames.push_back(row.substr(0, row.find('/')));
    EXPECT_EQ(row.substr(row.find('/')), "/2/2/0/1/" + kApRoot) << ap;
  }
  std::sort(apNames.begin(), apNames.end());
  EXPECT_EQ(apNames, (Texts{"AP_1", "AP_2", "AP_3"}));
  EXPECT_EQ(Row("device_list", net::kUnknown), "UNKNOWN_1/0/0/0/1/");
  EXPECT_EQ(database_.Value("SELECT count(*) FROM device_list"), "5");
  EXPECT_EQ(database_.Value("SELECT count(*) FROM device_list_prev"), "0");

  const auto switchRows = database_.Rows(
      "SELECT ip_address, subnet_mask, gateway, password, ipmode, LLDPonoff, anti_rogue FROM switch_property "
      "WHERE mac=?",
      {net::kSwitch});
  ASSERT_EQ(switchRows.size(), 1u);
  EXPECT_EQ(switchRows[0], (Texts{"127.0.0.10", "255.0.0.0", "127.0.0.1", "private", "1", "1", "00 00 00"}));

  EXPECT_EQ(database_.Value("SELECT count(*) FROM ap_property"), "3");
  const auto apRows = database_.Rows("SELECT * FROM ap_property");
  for (const auto& row : apRows)
    for (const std::string& value : row) EXPECT_NE(value, "GETFAIL");
  EXPECT_EQ(Column("ap_property", "autoAssignChannel", net::kAp1), "1");
  EXPECT_EQ(Column("ap_property", "autoAssignChannel", net::kAp2), "4");
  EXPECT_EQ(Column("ap_property", "autoAssignChannel", net::kAp3), "9");
  const auto filters = database_.Rows("SELECT mac, filterMAC FROM filter_entry");
  ASSERT_EQ(filters.size(), 1u);
  EXPECT_EQ(filters[0], (Texts{net::kAp1, "02:55:00:00:00:01"}));

  EXPECT_EQ(net::StoredLinks(database_, "device_map_polling"),
            (Texts{net::kSwitch + " 1>" + net::kAp1 + " 1", net::kSwitch + " 2>" + net::kAp2 + " 1",
                   net::kSwitch + " 3>" + net::kAp3 + " 1", net::kSwitch + " 4>" + net::kUnknown + " 1"}));

  EXPECT_EQ(PassMessages(), (Texts{"4b6 0 0", "4f1 127000 10", "4b9 1 1", "4b6 0 1", "4f2 0 0", "4b7 0 0"}));
  Texts expectedWarnings;
  for (const std::string& mac : {net::kSwitch, net::kAp1, net::kAp2, net::kAp3, net::kUnknown})
    expectedWarnings.push_back("Discovered a new device " + Tag("device_list", mac));
  Texts warnings = Lines(LOG_LEVEL_WARNING);
  std::sort(warnings.begin(), warnings.end());
  std::sort(expectedWarnings.begin(), expectedWarnings.end());
  EXPECT_EQ(warnings, expectedWarnings);

  // The second pass.
  const auto devicesBefore = database_.Rows("SELECT name, ip, mac, type, port_num, status, isnew FROM device_list "
                                            "ORDER BY mac");
  const Texts linksBefore = net::StoredLinks(database_, "device_map_polling");
  const size_t warningCount = warnings.size();
  const size_t criticalCount = Lines(LOG_LEVEL_CRITICAL).size();
  recorder_.Clear();
  ASSERT_EQ(engine_.PollOnce(), 1);
  EXPECT_EQ(database_.Rows("SELECT name, ip, mac, type, port_num, status, isnew FROM device_list ORDER BY mac"),
            devicesBefore);
  EXPECT_EQ(database_.Value("SELECT count(*) FROM sync_result"), "0");
  EXPECT_EQ(net::StoredLinks(database_, "device_map_polling"), linksBefore);
  EXPECT_EQ(Lines(LOG_LEVEL_WARNING).size(), warningCount);
  EXPECT_EQ(Lines(LOG_LEVEL_CRITICAL).size(), criticalCount);
  EXPECT_EQ(PassMessages(), (Texts{"4f2 0 0"}));
}

TEST_F(PollingPassTest, AnApMovedToAnotherPortKeepsItsRowAndGetsTheNewLink) {
  DiscoverAndManage();
  const size_t criticalCount = Lines(LOG_LEVEL_CRITICAL).size();
  MoveLldpRow(0, 6, DevSimReference::kAp1);

  ASSERT_EQ(engine_.PollOnce(), 1);
  EXPECT_EQ(net::StoredLinks(database_, "device_map_polling"),
            (Texts{net::kSwitch + " 2>" + net::kAp2 + " 1", net::kSwitch + " 3>" + net::kAp3 + " 1",
                   net::kSwitch + " 4>" + net::kUnknown + " 1", net::kSwitch + " 7>" + net::kAp1 + " 1"}));
  EXPECT_EQ(Column("device_list_prev", "status", net::kAp1), "0");
  EXPECT_EQ(Column("device_list_prev", "online", net::kAp1), "1");
  EXPECT_EQ(Lines(LOG_LEVEL_CRITICAL).size(), criticalCount) << "neither offline nor online";
  EXPECT_EQ(database_.Value("SELECT count(*) FROM device_list WHERE mac<>?", {net::kUnknown}), "0") << "no new device";
  EXPECT_EQ(PassMessages(), (Texts{"4f2 0 0"}));
}

TEST_F(PollingPassTest, AnApGoneSilentIsNotAvailableOnceAndOfflineOnceWhenItLeavesThePort) {
  DiscoverAndManage();
  const std::string notAvailable = net::kAp3 + "(0) Status is set to \"not available\"";
  const std::string tag = Tag("device_list_prev", net::kAp3);
  const std::string statusLine = tag + " Status is set to \"not available\"";
  simulator_.Configure(DevSimReference::kAp3, "silent on");

  ASSERT_EQ(engine_.PollOnce(), 1);
  ASSERT_EQ(engine_.PollOnce(), 1);
  EXPECT_EQ(Column("device_list_prev", "status", net::kAp3), "2");
  EXPECT_EQ(CountLines(LOG_LEVEL_DEBUG, statusLine), 1);

  RemoveLldpRow(2, DevSimReference::kAp3);
  ASSERT_EQ(engine_.PollOnce(), 1);
  ASSERT_EQ(engine_.PollOnce(), 1);
  EXPECT_EQ(Column("device_list_prev", "online", net::kAp3), "0");
  EXPECT_EQ(CountLines(LOG_LEVEL_CRITICAL, tag + " offline"), 1);
  EXPECT_EQ(Column("device_list_prev", "status", net::kAp1), "0") << "the others stay as they were";
  EXPECT_EQ(CountLines(LOG_LEVEL_CRITICAL, Tag("device_list_prev", net::kAp1) + " offline"), 0);
}

// An AP shown at another address that does not answer there: an ordinary change while it keeps its
// address by DHCP, an unexpected one (Critical, previous address stored) once its stored mode is static,
// and "DHCP fail" at a link-local address.
TEST_F(PollingPassTest, AnApAtAnotherAddressIsLoggedAsItsStoredAddressModeSays) {
  DiscoverAndManage();
  const std::string name = Column("device_list_prev", "name", net::kAp1);
  const std::string tag = "[" + name + "]_[" + net::kAp1 + "]_[";

  ChangeLldpAddress(0, DevSimReference::kAp1, "127.0.0.15");
  ASSERT_EQ(engine_.PollOnce(), 1);
  EXPECT_EQ(Column("device_list_prev", "ip", net::kAp1), "127.0.0.15");
  EXPECT_EQ(Column("device_list_prev", "status", net::kAp1), "2");
  EXPECT_EQ(CountLines(LOG_LEVEL_DEBUG, tag + "127.0.0.11] IP was changed to 127.0.0.15"), 1);

  ASSERT_TRUE(database_.Exec("UPDATE ap_property SET APSysDHCP='0' WHERE mac=?", {net::kAp1}));
  ChangeLldpAddress(0, "127.0.0.15", "127.0.0.16");
  ASSERT_EQ(engine_.PollOnce(), 1);
  EXPECT_EQ(CountLines(LOG_LEVEL_CRITICAL, tag + "127.0.0.15] IP was changed to 127.0.0.16"), 1);
  EXPECT_EQ(Column("ap_property", "KipAPIP", net::kAp1), "127.0.0.15");

  ChangeLldpAddress(0, "127.0.0.16", "169.254.1.5");
  ASSERT_EQ(engine_.PollOnce(), 1);
  EXPECT_EQ(Column("device_list_prev", "status", net::kAp1), "1");
  EXPECT_EQ(Column("device_list_prev", "ip", net::kAp1), "169.254.1.5");
}

TEST_F(PollingPassTest, AnApReplacedOnTheSamePortIsReportedWithStatusReplaced) {
  DiscoverAndManage();
  const std::string newAp = "02:44:71:00:01:09";
  const std::string oldTag = "127.0.0.12 [" + net::kAp2 + "]";
  simulator_.Set(DevSimReference::kSwitch, kLldpRemote + "5.0.1.1|4x|024471000109");

  ASSERT_EQ(engine_.PollOnce(), 1);
  EXPECT_EQ(Row("device_list", newAp), "AP_4/2/2/5/1/" + kApRoot);
  EXPECT_EQ(CountLines(LOG_LEVEL_WARNING, "127.0.0.12 [" + newAp + "] replaced " + oldTag), 1);
  EXPECT_EQ(CountLines(LOG_LEVEL_WARNING, "Discovered a new device [AP_4]_[" + newAp + "]_[127.0.0.12]"), 1);
  EXPECT_EQ(CountLines(LOG_LEVEL_CRITICAL, Tag("device_list_prev", net::kAp2) + " offline"), 1);
  EXPECT_EQ(Column("device_list_prev", "online", net::kAp2), "0");
  const auto replaced = database_.Rows("SELECT property, \"current\", previous FROM sync_result WHERE mac=?", {newAp});
  ASSERT_EQ(replaced.size(), 1u);
  EXPECT_EQ(replaced[0], (Texts{"port_reload", newAp, net::kAp2}));
  EXPECT_EQ(PassMessages(), (Texts{"4f2 0 0", "4b7 0 0"}));
}

TEST_F(PollingPassTest, ASilentSwitchIsNotAvailableAndTakesItsPortsOffline) {
  DiscoverAndManage();
  simulator_.Configure(DevSimReference::kSwitch, "silent on");
  const std::string unknownTag = Tag("device_list", net::kUnknown);

  ASSERT_EQ(engine_.PollOnce(), 1);
  EXPECT_EQ(Column("device_list_prev", "status", net::kSwitch), "2");
  for (const std::string& mac : {net::kSwitch, net::kAp1, net::kAp2, net::kAp3}) {
    EXPECT_EQ(CountLines(LOG_LEVEL_CRITICAL, Tag("device_list_prev", mac) + " offline"), 1) << mac;
    EXPECT_EQ(Column("device_list_prev", "online", mac), "0") << mac;
  }
  // A new device gone from every port is forgotten.
  EXPECT_EQ(CountLines(LOG_LEVEL_CRITICAL, unknownTag + " offline"), 1);
  EXPECT_EQ(database_.Value("SELECT count(*) FROM device_list"), "0");
  EXPECT_TRUE(net::StoredLinks(database_, "device_map_polling").empty());

  ASSERT_EQ(engine_.PollOnce(), 1);
  EXPECT_EQ(CountLines(LOG_LEVEL_CRITICAL, Tag("device_list_prev", net::kSwitch) + " offline"), 1) << "once";
  EXPECT_EQ(CountLines(LOG_LEVEL_DEBUG, Tag("device_list_prev", net::kSwitch) + " Status is set to \"not available\""),
            1);
}

TEST_F(PollingPassTest, AConfigurationChangedOnAnApMarksItAndStoresTheDifferences) {
  DiscoverAndManage();
  simulator_.Set(DevSimReference::kAp1, kApRootBare + ".1.11.0|2|2");
  simulator_.Set(DevSimReference::kAp1, kApRootBare + ".4.3.0|4|elsewhere");

  ASSERT_EQ(engine_.PollOnce(), 1);
  EXPECT_EQ(Column("device_list_prev", "status", net::kAp1), "6");
  EXPECT_EQ(Column("device_list_prev", "status", net::kAp2), "0");
  const auto ssid = database_.Rows(
      "SELECT \"current\", previous FROM sync_result WHERE mac=? AND property='crvAPssid'", {net::kAp1});
  ASSERT_EQ(ssid.size(), 1u);
  EXPECT_EQ(ssid[0], (Texts{"elsewhere", "corvath"}));
  EXPECT_EQ(database_.Value("SELECT count(*) FROM sync_result WHERE mac<>?", {net::kAp1}), "0");
}

TEST_F(PollingPassTest, AStopRequestInThePassEndsItWithoutTheDoneMessage) {
  DiscoverAndManage();
  for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2, DevSimReference::kAp3})
    simulator_.Configure(ap, "delay-ms 400");

  auto pass = std::async(std::launch::async, [this] { return engine_.PollOnce(); });
  ASSERT_TRUE(recorder_.WaitFor(msg::WM_NMS_STATUS_TEXT, 3));  // the switch is done, the tasks run
  engine_.RequestStop();
  EXPECT_EQ(pass.get(), kDiscoveryStopped);
  EXPECT_EQ(PassMessages(), Texts{});
  EXPECT_EQ(engine_.PollOnce(), 1) << "the next pass runs again";
}

// A switch keeps a moved neighbour's LLDP row until it ages out, so one MAC shows on two ports: the device
// is still one device, updated by one task, and goes offline once.
TEST_F(PollingPassTest, AnApShownOnTwoPortsIsUpdatedOnceAndGoesOfflineOnce) {
  DiscoverAndManage();
  const std::string tag = Tag("device_list_prev", net::kAp1);
  const std::string normal = tag + " Status is set to \"normal\"";
  const long normalBefore = CountLines(LOG_LEVEL_DEBUG, normal);
  AddLldpRow(6, "024471000101", DevSimReference::kAp1, "0008");

  ASSERT_EQ(engine_.PollOnce(), 1);
  ASSERT_EQ(engine_.PollOnce(), 1);  // both rows are now the last pass's links
  EXPECT_EQ(CountLines(LOG_LEVEL_DEBUG, normal), normalBefore + 2) << "one status line a pass";
  EXPECT_EQ(CountLines(LOG_LEVEL_CRITICAL, tag + " online"), 0);
  EXPECT_EQ(Objects(net::kAp1), 1);
  EXPECT_EQ(Column("device_list_prev", "status", net::kAp1), "0");

  simulator_.Configure(DevSimReference::kSwitch, "silent on");
  ASSERT_EQ(engine_.PollOnce(), 1);
  EXPECT_EQ(CountLines(LOG_LEVEL_CRITICAL, tag + " offline"), 1);
  EXPECT_EQ(Column("device_list_prev", "online", net::kAp1), "0");
}

// The device object of a device judged again is replaced while its task runs: a second row of its MAC
// must not give it a second task.
TEST_F(PollingPassTest, ADeviceJudgedAgainWhileShownOnTwoPortsBecomesOneObjectOfTheNewKind) {
  DiscoverAndManage();
  // Stored as an unknown device that did not answer; it answers as an AP now.
  ASSERT_TRUE(database_.Exec("UPDATE device_list_prev SET type=0, sysobjid='', status=2 WHERE mac=?", {net::kAp1}));
  AddLldpRow(6, "024471000101", DevSimReference::kAp1, "0008");

  ASSERT_EQ(engine_.PollOnce(), 1);
  ASSERT_EQ(Objects(net::kAp1), 1);
  for (const auto& device : engine_.Devices())
    if (device->mac == net::kAp1) EXPECT_EQ(device->type, kDeviceAP);
  EXPECT_EQ(Column("device_list_prev", "type", net::kAp1), "2");
  EXPECT_EQ(Column("device_list_prev", "status", net::kAp1), "0");
}

TEST_F(PollingPassTest, AnUnknownDeviceShownOnTwoPortsIsDiscoveredOnce) {
  DiscoverAndManage();
  const std::string mac = "02:90:00:00:04:02";
  AddLldpRow(6, "029000000402", "0.0.0.0", "0080");
  AddLldpRow(7, "029000000402", "0.0.0.0", "0080");

  ASSERT_EQ(engine_.PollOnce(), 1);
  EXPECT_EQ(Objects(mac), 1);
  EXPECT_EQ(database_.Value("SELECT count(*) FROM device_list WHERE mac=?", {mac}), "1");
  EXPECT_EQ(CountLines(LOG_LEVEL_WARNING, "Discovered a new device " + Tag("device_list", mac)), 1);
  const std::string tag = Tag("device_list", mac);

  ASSERT_EQ(engine_.PollOnce(), 1);
  EXPECT_EQ(Objects(mac), 1);
  EXPECT_EQ(CountLines(LOG_LEVEL_CRITICAL, tag + " online"), 0);
}

TEST_F(PollingPassTest, ANewDeviceGoneFromEveryPortIsForgottenWhileTheSavedLinkToItStays) {
  DiscoverAndManage();
  ASSERT_TRUE(database_.Exec("INSERT INTO device_map (src_mac, src_port, dest_mac, dest_port) VALUES (?, 4, ?, 1)",
                             {net::kSwitch, net::kUnknown}));
  const std::string tag = Tag("device_list", net::kUnknown);
  RemoveLldpRow(3, DevSimReference::kUnknown);

  ASSERT_EQ(engine_.PollOnce(), 1);
  EXPECT_EQ(CountLines(LOG_LEVEL_CRITICAL, tag + " offline"), 1);
  EXPECT_EQ(database_.Value("SELECT count(*) FROM device_list WHERE mac=?", {net::kUnknown}), "0");
  EXPECT_EQ(net::StoredLinks(database_, "device_map"), Texts{net::kSwitch + " 4>" + net::kUnknown + " 1"});
  const Texts actions = database_.ActionLog();
  EXPECT_EQ(std::count(actions.begin(), actions.end(), "Delete a device"), 1);
}

// The switches are asked at once, but each one's text goes up when the pass turns to it: a silent switch
// is named while the pass waits out its time-out and retry, before its missing answer is applied.
TEST_F(PollingPassTest, TheStatusBarNamesASilentSwitchWhileThePassWaitsForIt) {
  DiscoverAndManage();
  simulator_.Configure(DevSimReference::kSwitch, "silent on");
  // The switch row's status as each text goes up, read on the pass's thread as it posts.
  Texts statusAtText;
  recorder_.OnArrival([&](const platform::Message& message) {
    if (message.id == msg::WM_NMS_STATUS_TEXT && message.wParam == 0 && GetStatusText() == "Scanning wireless switch 1/1")
      statusAtText.push_back(Column("device_list_prev", "status", net::kSwitch));
  });

  EXPECT_EQ(engine_.PollOnce(), 1);
  recorder_.OnArrival(nullptr);
  EXPECT_EQ(statusAtText, Texts{"0"}) << "the text came only with the answer";
  const auto first = recorder_.MessagesWithId(msg::WM_NMS_STATUS_TEXT).at(0);
  EXPECT_EQ(std::bit_cast<float>(static_cast<std::uint32_t>(first.wParam)), 0.0f) << "the text, then the step";
  EXPECT_EQ(Column("device_list_prev", "status", net::kSwitch), "2");
}

}  // namespace
