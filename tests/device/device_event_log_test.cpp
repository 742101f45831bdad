// The device event log: each change of a device updates its row and writes its line at its level.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/AccessDatabase.h"
#include "db/pollingdb.h"
#include "device/AP.h"
#include "device/DeviceEventLog.h"
#include "device/Switch.h"
#include "log/LogLevelMask.h"
#include "platform/Shutdown.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

namespace net = testing_support::reference_network;
using Texts = std::vector<std::string>;

class DeviceEventLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_nLogLevelMask = 0xF;
    ASSERT_TRUE(net::AddDevices(database_, "device_list"));
    ap_.name = "AP_1";
    ap_.mac = net::kAp1;
    ap_.ip = "127.0.0.11";
    ap_.isNew = 1;
    ap_.online = 1;
    ap_.portCount = 2;
    ap_.community = "private";
    ap_.rootOid = ".1.3.6.1.4.1.44711.1";
  }
  void TearDown() override {
    platform::RunShutdown();
    g_nLogLevelMask = 0;
  }

  // The event-log rows as "level|description", in order.
  Texts Lines() {
    Texts lines;
    for (const auto& row : database_.Rows("select level, description from system_log order by \"index\""))
      lines.push_back(row[0] + "|" + row[1]);
    return lines;
  }
  std::string Column(const std::string& column, const std::string& table, const std::string& mac) {
    return database_.Value("select " + column + " from " + table + " where mac=?", {mac});
  }

  testing_support::MessageRecorder mainWindow_;
  testing_support::MessageBoxRecorder boxes_;
  testing_support::TempDatabase database_;
  CAP ap_;
  CDeviceEventLog log_;
};

TEST_F(DeviceEventLogTest, OnlineAndOfflineSetTheFlagAndWriteCriticalLines) {
  ASSERT_TRUE(database_.Exec("update device_list set online=0, status=2 where mac=?", {net::kAp1}));
  log_.LogOnline(ap_);
  EXPECT_EQ(Column("online || '/' || status", "device_list", net::kAp1), "1/0");
  log_.LogOffline(ap_);
  EXPECT_EQ(Column("online || '/' || status", "device_list", net::kAp1), "0/0");
  EXPECT_EQ(Lines(), (Texts{"1|[AP_1]_[02:44:71:00:01:01]_[127.0.0.11] online",
                            "1|[AP_1]_[02:44:71:00:01:01]_[127.0.0.11] offline"}));
}

TEST_F(DeviceEventLogTest, ANewDeviceIsStoredAsNewWhateverItsMark) {
  CSwitch device;
  device.name = "Büro's \"core\"";  // sysName as the device reports it
  device.mac = "02:44:71:00:00:02";
  device.ip = "127.0.0.20";
  device.portCount = 24;
  device.online = 1;
  device.status = 4;
  device.community = "private";
  device.rootOid = "1.3.6.1.4.1.44711.10.76.2";
  device.isNew = 0;
  log_.LogNewDevice(device);
  EXPECT_EQ(database_.Rows("select name, ip, port_num, type, online, status, isnew, write_community, sysobjid "
                           "from device_list where mac=?",
                           {device.mac}),
            (CAccessDatabase::TextRows{
                {device.name, "127.0.0.20", "24", "1", "1", "4", "1", "private", "1.3.6.1.4.1.44711.10.76.2"}}));
  EXPECT_EQ(Column("count(*)", "device_list_prev", device.mac), "0");
  EXPECT_EQ(Lines(), Texts{"2|Discovered a new device [Büro's \"core\"]_[02:44:71:00:00:02]_[127.0.0.20]"});

  // Saving follows the device's mark and writes no line.
  log_.SaveDevice(device);
  EXPECT_EQ(Column("name", "device_list_prev", device.mac), device.name);
  EXPECT_EQ(Lines().size(), 1u);
}

TEST_F(DeviceEventLogTest, AnIpChangeIsStoredAndLoggedOnlyForAUsableAddress) {
  log_.LogIpChanged(ap_, "169.254.10.1", "127.0.0.11");
  EXPECT_EQ(Column("ip", "device_list", net::kAp1), "169.254.10.1");
  EXPECT_TRUE(Lines().empty());

  log_.LogIpChanged(ap_, "10.1.1.9", "169.254.10.1");
  EXPECT_EQ(Column("ip", "device_list", net::kAp1), "10.1.1.9");
  EXPECT_EQ(Lines(), Texts{"4|[AP_1]_[02:44:71:00:01:01]_[169.254.10.1] IP was changed to 10.1.1.9"});
}

TEST_F(DeviceEventLogTest, AnApsIpChangeKeepsItsPreviousAddressAndRecordsTheDifference) {
  ASSERT_TRUE(database_.Exec("insert into ap_property (mac, ip) values (?, '127.0.0.11')", {net::kAp1}));
  log_.LogApIpChanged(ap_, "10.1.1.9", "127.0.0.11");
  EXPECT_EQ(Column("ip", "device_list", net::kAp1), "10.1.1.9");
  EXPECT_EQ(Column("KipAPIP", "ap_property", net::kAp1), "127.0.0.11");
  ASSERT_EQ(ap_.differences.size(), 1u);
  const CDeviceProperty& difference = ap_.differences[0];
  EXPECT_EQ(difference.mac + "|" + difference.property + "|" + difference.type + "|" + difference.current + "|" +
                difference.previous,
            "02:44:71:00:01:01|ip|ap_property|10.1.1.9|127.0.0.11");
  EXPECT_EQ(Lines(), Texts{"1|[AP_1]_[02:44:71:00:01:01]_[127.0.0.11] IP was changed to 10.1.1.9"});

  // A switch has no previous AP address and no difference to record.
  CSwitch device;
  device.mac = net::kSwitch;
  device.isNew = 1;
  log_.LogApIpChanged(device, "10.1.1.10", "127.0.0.10");
  EXPECT_EQ(Column("ip", "device_list", net::kSwitch), "10.1.1.10");
  EXPECT_TRUE(device.differences.empty());
}

TEST_F(DeviceEventLogTest, AReplacementMarksTheNewDeviceReplaced) {
  CAP old;
  old.mac = "02:44:71:00:01:09";
  old.ip = "127.0.0.19";
  log_.LogReplaced(ap_, old);
  EXPECT_EQ(Column("status", "device_list", net::kAp1), "5");
  ASSERT_EQ(ap_.differences.size(), 1u);
  EXPECT_EQ(ap_.differences[0].property + "|" + ap_.differences[0].type + "|" + ap_.differences[0].current + "|" +
                ap_.differences[0].previous,
            "port_reload|string|02:44:71:00:01:01|02:44:71:00:01:09");
  EXPECT_EQ(Lines(), (Texts{"4|02:44:71:00:01:01(1) Status is set to \"replace\"",
                            "2|127.0.0.11 [02:44:71:00:01:01] replaced 127.0.0.19 [02:44:71:00:01:09]"}));
}

TEST_F(DeviceEventLogTest, StatusLinesNameTheStatus) {
  ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
  ASSERT_TRUE(database_.Exec("insert into sync_result (mac, property) values (?, 'ssid')", {net::kAp2}));

  log_.SetStatus(ap_, 3);
  log_.SetStatusByMac(0, net::kAp2, 0);  // synchronisation results outstanding
  log_.SetStatusByMac(0, net::kAp3, 0);
  log_.SetStatusByMac(1, net::kAp3, 1);
  EXPECT_EQ(Column("status", "device_list", net::kAp1), "3");
  EXPECT_EQ(Column("status", "device_list_prev", net::kAp2), "6");
  EXPECT_EQ(Column("status", "device_list", net::kAp3), "1");
  EXPECT_EQ(Lines(), (Texts{"4|[AP_1]_[02:44:71:00:01:01]_[127.0.0.11] Status is set to \"3\"",
                            "4|02:44:71:00:01:02(0) Status is set to \"configuration changed\"",
                            "4|02:44:71:00:01:03(0) Status is set to \"normal\"",
                            "4|02:44:71:00:01:03(1) Status is set to \"DHCP fail\""}));

  const std::pair<int, const char*> names[] = {
      {0, "normal"},           {1, "DHCP fail"}, {2, "not available"},         {3, "3"},
      {4, "system key error"}, {5, "replace"},   {6, "configuration changed"}, {-1, "-1"}};
  for (const auto& [status, name] : names) EXPECT_EQ(CDeviceEventLog::StatusText(status), name);
}

// The settings row's log levels, once copied into the process-wide mask, decide which lines are kept;
// the rows change in any case.
TEST_F(DeviceEventLogTest, TheSettingsRowsLogLevelsDecideWhichLinesAreKept) {
  CPollingDb polling;
  ASSERT_EQ(polling.saveGlobalSetting(60, 1, 600, 1, 109, 840u, 5), 0);  // Critical only
  int interval = 0, timeout = 0, monitorTime = 0, logLevel = 0, countryIndex = 0, threadNo = 0;
  ASSERT_EQ(polling.getGlobalSetting(interval, timeout, monitorTime, logLevel, countryIndex, threadNo), 1);
  g_nLogLevelMask = logLevel;

  log_.SetStatus(ap_, 2);
  log_.LogOffline(ap_);
  EXPECT_EQ(Column("online || '/' || status", "device_list", net::kAp1), "0/2");
  EXPECT_EQ(Lines(), Texts{"1|[AP_1]_[02:44:71:00:01:01]_[127.0.0.11] offline"});
}

TEST_F(DeviceEventLogTest, TheOtherLinesAndTheAutomaticDelete) {
  log_.LogManagementHostInconsistent(ap_);
  log_.LogPollingDevice(ap_);
  DeviceListRow before = CDeviceEventLog::RowOf(ap_, 1);
  ap_.ip = "127.0.0.21";
  ap_.status = 6;
  log_.LogDeviceUpdate(before, ap_);
  EXPECT_EQ(Column("ip || '/' || status", "device_list", net::kAp1), "127.0.0.21/6");
  log_.LogAutoDelete(ap_);
  EXPECT_EQ(Column("count(*)", "device_list", net::kAp1), "0");
  EXPECT_EQ(Lines(), (Texts{"1|[AP_1]_[02:44:71:00:01:01]_[127.0.0.11] Management host IP is inconsistent",
                            "3|polling device 127.0.0.11 [02:44:71:00:01:01]",
                            "4|update device(AP_1)\nip 127.0.0.21 - 127.0.0.11\ntype 2 - 2\nonline 1 - 1\n"
                            "status set configuration changed\n",
                            "4|auto delete device AP_1[02:44:71:00:01:01_127.0.0.21]"}));
  EXPECT_TRUE(boxes_.Texts().empty());
}

}  // namespace
