// The discovery tables: segments, new devices, links and a found switch's properties, and how a database
// error is reported.
#include "db/DiscoveryDb.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/CompetingWriter.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::CompetingWriter;
using testing_support::MessageBoxRecorder;
using testing_support::TempDatabase;
using Rows = CAccessDatabase::TextRows;

class DiscoveryDbTest : public ::testing::Test {
 protected:
  void AddDevice(const db::SqlParams& nameTypeMacStatus) {
    ASSERT_TRUE(database_.Exec("insert into device_list (name, type, mac, status) values (?, ?, ?, ?)",
                               nameTypeMacStatus));
  }
  static SwitchPropertyRecord Switch(const std::string& mac) {
    return {"lab-switch", "lab", mac, "127.0.0.10", "255.0.0.0", "private", "127.0.0.1", "00 00 00",
            "1.3.6.1.4.1.44711.10.76.2", "1"};
  }

  TempDatabase database_;
  MessageBoxRecorder boxes_;
  CDiscoveryDb discovery_;
};

TEST_F(DiscoveryDbTest, SegmentsAreReplacedAndReadBack) {
  std::vector<CManagementSegment> read;
  EXPECT_EQ(discovery_.getManagementSegment(read), 0);
  EXPECT_TRUE(read.empty());

  EXPECT_EQ(discovery_.setManagementSegment({{"10.0.0.1", "10.0.0.9"}, {"127.0.0.10", "127.0.0.10"}}), 0);
  EXPECT_EQ(discovery_.setManagementSegment({{"127.0.0.10", "127.0.0.10"}, {"192.168.0.1", ""}}), 0);
  ASSERT_TRUE(database_.Exec("insert into management_segment (from_ip, to_ip) values ('1.1.1.1', NULL)"));

  read.push_back({"kept", "kept"});
  EXPECT_EQ(discovery_.getManagementSegment(read), 2);
  ASSERT_EQ(read.size(), 3u);
  EXPECT_EQ(read[1].from_ip, "127.0.0.10");
  EXPECT_EQ(read[2].from_ip, "192.168.0.1");
  EXPECT_EQ(read[2].to_ip, "");  // empty, not NULL: returned

  EXPECT_EQ(discovery_.setManagementSegment({}), 0);
  EXPECT_EQ(database_.Value("select count(*) from management_segment"), "0");
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(DiscoveryDbTest, AFailedSegmentInsertKeepsTheOldSegments) {
  ASSERT_EQ(discovery_.setManagementSegment({{"10.0.0.1", "10.0.0.9"}}), 0);
  ASSERT_TRUE(database_.BreakWrites("management_segment", "INSERT", "NEW.from_ip = 'bad'"));

  EXPECT_EQ(discovery_.setManagementSegment({{"127.0.0.10", "127.0.0.10"}, {"bad", "bad"}}), -1);
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"setManagementSegment()"});
  EXPECT_EQ(database_.Rows("select from_ip, to_ip from management_segment"), (Rows{{"10.0.0.1", "10.0.0.9"}}));
}

// Another holder keeps the file busy past the time-out and lets go right after: a change that went on
// outside its transaction would delete the old segments and keep only the new ones before the broken one.
TEST_F(DiscoveryDbTest, AChangeWhoseTransactionCannotBeginWritesNothing) {
  ASSERT_EQ(discovery_.setManagementSegment({{"10.0.0.1", "10.0.0.9"}}), 0);
  ASSERT_TRUE(database_.BreakWrites("management_segment", "INSERT", "NEW.from_ip = 'bad'"));
  CompetingWriter writer(CompetingWriter::OnGiveUp::LetGo);

  EXPECT_EQ(discovery_.setManagementSegment({{"127.0.0.10", "127.0.0.10"}, {"bad", "bad"}}), -1);
  EXPECT_EQ(writer.GiveUps(), 1);
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"setManagementSegment()"});
  EXPECT_EQ(database_.Rows("select from_ip, to_ip from management_segment"), (Rows{{"10.0.0.1", "10.0.0.9"}}));
  EXPECT_NE(database_.ExceptionLog().find("BeginTransact faild"), std::string::npos);
}

TEST_F(DiscoveryDbTest, ClearingATableTheDatabaseRefusesReportsTheFailure) {
  AddDevice({"SW_1", "1", "02:44:71:00:00:01", "0"});
  ASSERT_EQ(discovery_.setDevRelationship({{"02:44:71:00:00:01", "02:44:71:00:01:01", "1", "1"}}), 0);
  {
    CompetingWriter writer;
    EXPECT_EQ(discovery_.ClearDeviceMap(), -1);
    EXPECT_EQ(discovery_.ClearDeviceList(), -1);
  }
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"ClearDeviceMap()", "ClearDeviceList()"}));
  EXPECT_EQ(database_.Value("select count(*) from device_map"), "1");
  EXPECT_EQ(database_.Value("select count(*) from device_list"), "1");
}

TEST_F(DiscoveryDbTest, SwitchPropertyIsAddedOnceAndNeverOverwritten) {
  const std::string mac = "02:44:71:00:00:01";
  EXPECT_EQ(discovery_.writeSwitchProperty(Switch(mac)), 0);
  EXPECT_EQ(database_.Rows("select mac, sys_name, location, ip_address, subnet_mask, gateway, password, anti_rogue, "
                           "ipmode, LLDPonoff, objid from switch_property"),
            (Rows{{mac, "lab-switch", "lab", "127.0.0.10", "255.0.0.0", "127.0.0.1", "private", "00 00 00", "1", "",
                   ""}}));

  SwitchPropertyRecord changed = Switch(mac);
  changed.sys_name = "other";
  EXPECT_EQ(discovery_.writeSwitchProperty(changed), -1);
  EXPECT_EQ(database_.Value("select count(*) from switch_property"), "1");
  EXPECT_EQ(database_.Value("select sys_name from switch_property"), "lab-switch");
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(DiscoveryDbTest, DatabaseErrorsOfTheWritersShowTheMethodAndChangeNothing) {
  ASSERT_TRUE(database_.BreakWrites("switch_property", "INSERT"));
  EXPECT_EQ(discovery_.writeSwitchProperty(Switch("02:44:71:00:00:01")), kDiscoveryDbError);

  AddDevice({"SW_1", "1", "02:44:71:00:00:01", "0"});
  ASSERT_TRUE(database_.BreakWrites("device_list", "UPDATE"));
  EXPECT_EQ(discovery_.UpdateNewDeviceName(Switch("02:44:71:00:00:01")), kDiscoveryDbError);

  ASSERT_TRUE(database_.BreakWrites("device_map", "INSERT", "NEW.dest_mac = 'bad'"));
  EXPECT_EQ(discovery_.setDevRelationship({{"02:44:71:00:00:01", "02:44:71:00:01:01", "1", "1"},
                                           {"02:44:71:00:00:01", "bad", "2", "1"}}),
            -1);

  EXPECT_EQ(boxes_.Texts(),
            (std::vector<std::string>{"writeSwitchProperty()", "UpdateNewDeviceName()", "setDevRelationship()"}));
  EXPECT_EQ(database_.Value("select count(*) from switch_property"), "0");
  EXPECT_EQ(database_.Value("select name from device_list"), "SW_1");
  EXPECT_EQ(database_.Value("select count(*) from device_map"), "0");
}

TEST_F(DiscoveryDbTest, NewDeviceNameGoesToTheRowOfTheMac) {
  AddDevice({"SW_1", "1", "02:44:71:00:00:01", "0"});
  AddDevice({"AP_1", "2", "02:44:71:00:01:01", "0"});

  EXPECT_EQ(discovery_.UpdateNewDeviceName(Switch("02:44:71:00:00:01")), 0);
  EXPECT_EQ(database_.Rows("select name from device_list order by rowid"), (Rows{{"lab-switch"}, {"AP_1"}}));
  EXPECT_EQ(discovery_.UpdateNewDeviceName(Switch("02:44:71:00:00:09")), -1);
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(DiscoveryDbTest, NewDevicesAreSwitchesAndApsThatReplaceNothing) {
  AddDevice({"UNKNOWN_1", "0", "02:90:00:00:04:01", "0"});
  AddDevice({"AP_9", "2", "02:44:71:00:01:09", "5"});
  std::vector<NewDeviceEntry> devices;
  EXPECT_EQ(discovery_.HasNewDevices(), -1);
  EXPECT_EQ(discovery_.getNewDevice(devices), -1);

  AddDevice({"SW_1", "1", "02:44:71:00:00:01", "0"});
  AddDevice({nullptr, "2", "02:44:71:00:01:02", "0"});
  AddDevice({"AP_1", "2", "02:44:71:00:01:01", "2"});
  EXPECT_EQ(discovery_.HasNewDevices(), 1);
  EXPECT_EQ(discovery_.getNewDevice(devices), 1);
  ASSERT_EQ(devices.size(), 2u);
  EXPECT_EQ(devices[0].name, "SW_1");
  EXPECT_EQ(devices[0].type, "1");
  EXPECT_EQ(devices[1].mac, "02:44:71:00:01:01");

  EXPECT_EQ(discovery_.IsMacInDeviceList("02:44:71:00:00:01"), 1);
  EXPECT_EQ(discovery_.IsMacInDeviceList("02:44:71:00:00:09"), -1);
  EXPECT_EQ(discovery_.ClearDeviceList(), 0);
  EXPECT_EQ(discovery_.HasNewDevices(), -1);
}

TEST_F(DiscoveryDbTest, LinksAreAppendedToTheirTable) {
  const std::vector<DeviceMapRow> links = {{"02:44:71:00:00:01", "02:44:71:00:01:01", "1", "1"},
                                           {"02:44:71:00:00:01", "02:90:00:00:04:01", "4", "1"}};
  EXPECT_EQ(discovery_.setDevRelationship(links), 0);
  EXPECT_EQ(discovery_.setDevRelationship({links[0]}), 0);
  EXPECT_EQ(discovery_.setManagementDevRelationship(links), 0);

  EXPECT_EQ(database_.Rows("select src_mac, dest_mac, src_port, dest_port from device_map order by rowid"),
            (Rows{{"02:44:71:00:00:01", "02:44:71:00:01:01", "1", "1"},
                  {"02:44:71:00:00:01", "02:90:00:00:04:01", "4", "1"},
                  {"02:44:71:00:00:01", "02:44:71:00:01:01", "1", "1"}}));
  EXPECT_EQ(database_.Value("select count(*) from device_map_prev"), "2");

  EXPECT_EQ(discovery_.ClearDeviceMap(), 0);
  EXPECT_EQ(database_.Value("select count(*) from device_map"), "0");
  EXPECT_EQ(database_.Value("select count(*) from device_map_prev"), "2");
}

TEST_F(DiscoveryDbTest, DiscoveredDevicesReplaceTheListAllOrNothing) {
  AddDevice({"OLD_1", "1", "02:00:00:00:00:01", "0"});
  DeviceListRow sw;
  sw.ip = "127.0.0.10";
  sw.mac = "02:44:71:00:00:01";
  sw.name = "lab-switch";
  sw.port_num = "24";
  sw.type = "1";
  sw.write_community = "it's";
  DeviceListRow bad = sw;
  bad.name = "bad";

  ASSERT_TRUE(database_.BreakWrites("device_list", "INSERT", "NEW.name = 'bad'"));
  EXPECT_EQ(discovery_.setDiscoverDevInfo({sw, bad}), -1);
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"setDiscoverDevInfo()"});
  EXPECT_EQ(database_.Rows("select name from device_list"), (Rows{{"OLD_1"}}));

  EXPECT_EQ(discovery_.setDiscoverDevInfo({sw}), 0);
  EXPECT_EQ(database_.Rows("select name, ip, mac, type, port_num, write_community from device_list"),
            (Rows{{"lab-switch", "127.0.0.10", "02:44:71:00:00:01", "1", "24", "it's"}}));
}

}  // namespace
