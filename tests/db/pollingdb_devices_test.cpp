// The device rows of the polling database: a device stored, updated and tested for companion rows, and
// the device lists of the engine and the client monitor.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/pollingdb.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::MessageBoxRecorder;
using testing_support::TempDatabase;
namespace net = testing_support::reference_network;
using Rows = CAccessDatabase::TextRows;

constexpr char kStoredColumns[] = "name, ip, mac, type, port_num, online, write_community, isnew, status, sysobjid";

DeviceListRow Row(const std::string& name, const std::string& mac, int newDeviceMark) {
  DeviceListRow row;
  row.ip = "127.0.0.11";
  row.mac = mac;
  row.name = name;
  row.port_num = "2";
  row.type = "2";
  row.online = "1";
  row.status = "0";
  row.write_community = "private";
  row.sysobjid = ".1.3.6.1.4.1.44711.1";
  row.newDeviceMark = newDeviceMark;
  return row;
}

class PollingDbDevicesTest : public ::testing::Test {
 protected:
  Rows Stored(const std::string& table) {
    return database_.Rows(std::string("select ") + kStoredColumns + " from " + table + " order by rowid");
  }

  TempDatabase database_;
  MessageBoxRecorder boxes_;
  CPollingDb polling_;
};

TEST_F(PollingDbDevicesTest, ADeviceIsAddedOnceAndThenOverwrittenInTheTableItsMarkChooses) {
  // A name as a device reports it: quotes and non-ASCII characters are data.
  DeviceListRow row = Row("Büro's \"AP\"", net::kAp1, 1);
  EXPECT_EQ(polling_.insertNewDevTable(row), 1);
  EXPECT_EQ(
      Stored("device_list"),
      (Rows{{"Büro's \"AP\"", "127.0.0.11", net::kAp1, "2", "2", "1", "private", "1", "0", ".1.3.6.1.4.1.44711.1"}}));

  ASSERT_TRUE(database_.Exec("update device_list set isnew=0, location='lab'"));
  row = {"127.0.0.21", net::kAp1, "AP_7", "3", "1", "0", "2", "", "", "public", "1.3"};
  row.newDeviceMark = 1;
  EXPECT_EQ(polling_.insertNewDevTable(row), -1);
  EXPECT_EQ(Stored("device_list"), (Rows{{"AP_7", "127.0.0.21", net::kAp1, "1", "3", "0", "public", "1", "2", "1.3"}}));
  EXPECT_EQ(database_.Value("select location from device_list"), "lab");  // other columns stay

  EXPECT_EQ(polling_.insertNewDevTable(Row("AP_1", net::kAp2, 0)), 1);
  EXPECT_EQ(database_.Value("select count(*) from device_list"), "1");
  EXPECT_EQ(Stored("device_list_prev"),
            (Rows{{"AP_1", "127.0.0.11", net::kAp2, "2", "2", "1", "private", "1", "0", ".1.3.6.1.4.1.44711.1"}}));
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(PollingDbDevicesTest, AFailedAddIsReportedAndStoresNothing) {
  ASSERT_TRUE(database_.BreakWrites("device_list", "INSERT"));
  EXPECT_EQ(polling_.insertNewDevTable(Row("AP_1", net::kAp1, 1)), -1);
  EXPECT_TRUE(Stored("device_list").empty());
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"insertNewDevTable()"});
  EXPECT_NE(database_.ExceptionLog().find("pollingdb insertNewDevTable RollBackTransact"), std::string::npos);
}

TEST_F(PollingDbDevicesTest, SingleColumnCommandsChangeOnlyTheChosenTablesRow) {
  ASSERT_TRUE(net::AddDevices(database_, "device_list"));
  ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
  const auto column = [&](const std::string& column, const std::string& table, const std::string& mac) {
    return database_.Value("select " + column + " from " + table + " where mac=?", {mac});
  };

  EXPECT_EQ(polling_.UpdateDeviceIp("10.1.1.9", 1, 1, net::kAp1), 0);
  EXPECT_EQ(polling_.UpdateDeviceIp("10.1.1.8", 1, 0, net::kAp2), 0);
  EXPECT_EQ(polling_.UpdateDeviceIp("10.1.1.7", 1, 2, net::kAp3), 0);  // only 1 chooses the new devices
  EXPECT_EQ(column("ip", "device_list", net::kAp1), "10.1.1.9");
  EXPECT_EQ(column("ip", "device_list_prev", net::kAp1), "127.0.0.11");
  EXPECT_EQ(column("ip", "device_list_prev", net::kAp2), "10.1.1.8");
  EXPECT_EQ(column("ip", "device_list_prev", net::kAp3), "10.1.1.7");
  EXPECT_EQ(column("ip", "device_list", net::kAp3), "127.0.0.13");

  polling_.SetDeviceStatus(2, net::kSwitch, 5);  // any mark but 0 chooses the new devices
  polling_.SetDeviceStatus(0, net::kUnknown, 2);
  EXPECT_EQ(column("status", "device_list", net::kSwitch), "5");
  EXPECT_EQ(column("status", "device_list_prev", net::kSwitch), "0");
  EXPECT_EQ(column("status", "device_list_prev", net::kUnknown), "2");

  EXPECT_EQ(polling_.UpdatePrevWriteCommunity("o'neil", net::kSwitch), 0);
  EXPECT_EQ(column("write_community", "device_list_prev", net::kSwitch), "o'neil");
  EXPECT_EQ(column("write_community", "device_list", net::kSwitch), "private");

  polling_.DeleteNewDevice(net::kUnknown);
  EXPECT_EQ(column("count(*)", "device_list", net::kUnknown), "0");
  EXPECT_EQ(column("count(*)", "device_list_prev", net::kUnknown), "1");
}

TEST_F(PollingDbDevicesTest, CompanionRowsAreTestedByMac) {
  ASSERT_TRUE(database_.Exec("insert into ap_property (mac) values (?)", {net::kAp1}));
  ASSERT_TRUE(database_.Exec("insert into switch_property (mac) values (?)", {net::kSwitch}));
  ASSERT_TRUE(database_.Exec("insert into sync_result (mac, property) values (?, 'ssid')", {net::kAp2}));

  EXPECT_EQ(polling_.HasApProperty(net::kAp1), 1);
  EXPECT_EQ(polling_.HasApProperty(net::kSwitch), 0);
  EXPECT_EQ(polling_.HasSwitchProperty(net::kSwitch), 1);
  EXPECT_EQ(polling_.HasSwitchProperty(net::kAp1), 0);
  EXPECT_EQ(polling_.HasSyncResult(net::kAp2), 1);
  EXPECT_EQ(polling_.HasSyncResult(net::kAp1), -1);
  EXPECT_EQ(polling_.HasApProperty("' or '1'='1"), 0);
}

TEST_F(PollingDbDevicesTest, DeviceListsOfTheReferenceNetwork) {
  ASSERT_TRUE(net::AddDevices(database_, "device_list"));
  ASSERT_TRUE(database_.Exec("insert into device_list (name, mac, type) values ('AP_9', '02:00:00:00:00:09', 2)"));

  std::vector<PollingDeviceRecord> polled;
  EXPECT_EQ(polling_.GetPollingDevList(polled), 5);

  std::vector<PollingDeviceRecord> addresses;
  EXPECT_EQ(polling_.GetNewDeviceAddresses(addresses), 5);  // the row without ip is left out
  ASSERT_EQ(addresses.size(), 5u);
  EXPECT_EQ(addresses[4].ip, "127.0.0.14");
  EXPECT_EQ(addresses[4].mac, net::kUnknown);
  EXPECT_EQ(addresses[4].name, "");

  std::vector<PollingDeviceRecord> aps;
  EXPECT_EQ(polling_.GetNewAPDevList(aps), 3);
  ASSERT_EQ(aps.size(), 3u);
  EXPECT_EQ(aps[0].mac, net::kAp1);
  EXPECT_EQ(aps[2].ip, "127.0.0.13");

  std::vector<ManagedDeviceRow> managed;
  EXPECT_EQ(polling_.GetManagementDevList(managed), 0);
  ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
  ASSERT_TRUE(database_.Exec("update device_list_prev set write_community=NULL where mac=?", {net::kAp3}));
  ASSERT_TRUE(database_.Exec("update device_list_prev set sysobjid=NULL where mac=?", {net::kAp2}));
  EXPECT_EQ(polling_.GetManagementDevList(managed), 4);
  ASSERT_EQ(managed.size(), 4u);
  EXPECT_EQ(managed[0].name, "lab-switch");
  EXPECT_EQ(managed[0].type, "1");
  EXPECT_EQ(managed[0].sysobjid, "1.3.6.1.4.1.44711.10.76.2");
  EXPECT_EQ(managed[2].mac, net::kAp2);
  EXPECT_EQ(managed[2].sysobjid, "");
  EXPECT_EQ(managed[3].mac, net::kUnknown);
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(PollingDbDevicesTest, AManagedDeviceWithoutNameIsADatabaseError) {
  ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
  ASSERT_TRUE(database_.Exec("update device_list_prev set name=NULL where mac=?", {net::kAp2}));
  std::vector<ManagedDeviceRow> managed;
  EXPECT_EQ(polling_.GetManagementDevList(managed), -1);
  EXPECT_EQ(managed.size(), 2u);  // the rows before it stay
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"GetManagementDevList()"});
}

}  // namespace
