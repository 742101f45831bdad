// The AP property record read from the database, the balancing states, the hardware ids and firmware
// versions of the managed APs, and the chosen AP list columns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ReferenceApProperties.h"
#include "db/AccessDatabase.h"
#include "db/pollingdb.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::MessageBoxRecorder;
using testing_support::TempDatabase;
namespace net = testing_support::reference_network;

class ApPropertiesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(net::AddDevices(database_, "device_list_prev")); }
  void StoreReferenceAp(int ap) {
    const auto items = net::ApItems(ap);
    ASSERT_EQ(CPollingDb().insertAPProperty(items, items[items.size() - 2].value), 1);
  }

  TempDatabase database_;
  MessageBoxRecorder boxes_;
  CAccessDatabase access_;
};

TEST_F(ApPropertiesTest, AStoredReferenceApIsReadIntoEveryField) {
  StoreReferenceAp(2);
  ASSERT_TRUE(database_.Exec("update ap_property set LoadBalanceStatus='1'"));
  CApProperties record;
  record.LoadBalanceStatus = 7;
  ASSERT_EQ(access_.GetApProperty(record, net::kAp2), 0);
  EXPECT_EQ(record.ip, "127.0.0.12");
  EXPECT_EQ(record.mac, net::kAp2);
  EXPECT_EQ(record.name, "ap-2");
  EXPECT_EQ(record.enterpriseAPSysHWid, "QR7V-TOLNA           -00");
  EXPECT_EQ(record.enterpriseAPSysFWVersion, "2.0.1");
  EXPECT_EQ(record.enterpriseAPSysSNMPTrapIP, "127.0.0.1");
  EXPECT_EQ(record.APSysDHCP, 1);
  EXPECT_EQ(record.APSysSubnetMask, "255.0.0.0");
  EXPECT_EQ(record.crvAPChannel, 6);
  EXPECT_EQ(record.crvAPssid, "corvath");
  EXPECT_EQ(record.crvAPRTSThreshold, 2346);
  EXPECT_EQ(record.crvAPBeaconInterval, 100);
  EXPECT_EQ(record.crvAPUserNumLimit, 60);
  EXPECT_EQ(record.crvAPWirelessRadio, 1);
  EXPECT_EQ(record.crvAPWMMFunc, 1);
  EXPECT_EQ(record.crvAPSSIDBroadcast, 0);
  EXPECT_EQ(record.crvAPSecurityType, 1);
  EXPECT_EQ(record.radiusIP2, "0.0.0.0");
  EXPECT_EQ(record.radiusPort2, 1812);
  EXPECT_EQ(record.WLAN_Partition, 1);
  EXPECT_EQ(record.LoadBalanceStatus, 0) << "not read here: the whole record is replaced";
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(ApPropertiesTest, ColumnsConvertToTextsNumbersAndFlags) {
  struct Case {
    const char* text;  // nullptr: NULL
    int number;
    int flag;
  };
  const Case cases[] = {{"11", 11, 1},   {" 6x", 6, 1}, {"abc", 0, 0},
                        {nullptr, 0, 0}, {"-1", -1, 1}, {"5", 5, 1},
                        {"0", 0, 0},     {"+7", 7, 1},  {"99999999999", INT32_MAX, 1}};
  ASSERT_TRUE(database_.Exec("insert into ap_property (mac) values (?)", {net::kAp1}));
  for (const Case& c : cases) {
    const db::SqlValue value = c.text ? db::SqlValue(c.text) : db::SqlValue();
    ASSERT_TRUE(database_.Exec("update ap_property set crvAPChannel=?, crvAPSSIDBroadcast=?, crvAPssid=?",
                               {value, value, value}));
    CApProperties record;
    ASSERT_EQ(access_.GetApProperty(record, net::kAp1), 0);
    EXPECT_EQ(record.crvAPChannel, c.number) << (c.text ? c.text : "NULL");
    EXPECT_EQ(record.crvAPSSIDBroadcast, c.flag) << (c.text ? c.text : "NULL");
    EXPECT_EQ(record.crvAPssid, c.text ? c.text : "");
  }
}

TEST_F(ApPropertiesTest, AnApWithoutAPropertyRowGivesOnlyItsAddressAndName) {
  CApProperties record;
  record.crvAPssid = "before";
  record.crvAPChannel = 3;
  ASSERT_EQ(access_.GetApProperty(record, net::kAp1), 0);
  EXPECT_EQ(record.ip, "127.0.0.11");
  EXPECT_EQ(record.name, "AP_1");
  EXPECT_EQ(record.mac, net::kAp1);
  EXPECT_EQ(record.crvAPssid, "before");
  EXPECT_EQ(record.crvAPChannel, 3);

  // A property row whose MAC no device table knows still reads, without an address.
  ASSERT_TRUE(database_.Exec("insert into ap_property (mac, crvAPName) values ('02:00:00:00:00:09', 'lone')"));
  ASSERT_EQ(access_.GetApProperty(record, "02:00:00:00:00:09"), 0);
  EXPECT_EQ(record.ip, "");
  EXPECT_EQ(record.name, "lone");

  // A switch, an unknown MAC and a lookup by address leave the record as it was.
  for (const std::string& mac : {net::kSwitch, std::string("02:00:00:00:00:08"), std::string("x' or '1'='1")}) {
    EXPECT_EQ(access_.GetApProperty(record, mac), -1) << mac;
    EXPECT_EQ(record.name, "lone");
  }
  EXPECT_EQ(access_.GetApProperty(record, net::kAp1, 1), -1);
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(ApPropertiesTest, ADatabaseErrorShowsItsTextAndLeavesTheRecord) {
  StoreReferenceAp(1);
  ASSERT_TRUE(database_.Exec("alter table ap_property drop column crvAPssid"));
  CApProperties record;
  record.name = "before";
  EXPECT_EQ(access_.GetApProperty(record, net::kAp1), -1);
  EXPECT_EQ(record.name, "before");
  ASSERT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_EQ(boxes_.Texts()[0].rfind("Exception__Desc: ", 0), 0u);

  ASSERT_TRUE(database_.Exec("drop table ap_property"));
  EXPECT_EQ(access_.GetApLoadBalanceStatus(net::kAp1), -1);
  EXPECT_EQ(boxes_.Texts().size(), 2u);
}

TEST_F(ApPropertiesTest, BalancingStates) {
  ASSERT_TRUE(database_.Exec("insert into ap_property (mac) values (?)", {net::kAp1}));
  struct Case {
    const char* stored;
    int result;
  };
  for (const Case& c : {Case{"1", 1}, Case{"2", 1}, Case{"0", 0}, Case{nullptr, 0}}) {
    const db::SqlValue value = c.stored ? db::SqlValue(c.stored) : db::SqlValue();
    ASSERT_TRUE(
        database_.Exec("update ap_property set LoadBalanceStatus=?, crvAPWaterLevelBalancing=?", {value, value}));
    EXPECT_EQ(access_.GetApLoadBalanceStatus(net::kAp1), c.result);
    EXPECT_EQ(access_.GetApWaterLevelBalancing(net::kAp1), c.result);
  }
  ASSERT_TRUE(database_.Exec("insert into device_list (mac, type) values ('02:00:00:00:00:05', 2)"));
  EXPECT_EQ(access_.GetApLoadBalanceStatus("02:00:00:00:00:05"), 0) << "known only from the latest discovery";
  EXPECT_EQ(access_.GetApLoadBalanceStatus(net::kAp2), 0);
  EXPECT_EQ(access_.GetApLoadBalanceStatus(net::kSwitch), -1);
  EXPECT_EQ(access_.GetApWaterLevelBalancing("02:00:00:00:00:08"), -1);
}

TEST_F(ApPropertiesTest, HardwareIdsAndFirmwareVersionsOfTheManagedAps) {
  std::vector<std::string> ids{"kept"};
  EXPECT_FALSE(access_.GetApHardwareIds(ids));
  EXPECT_EQ(ids, std::vector<std::string>{"kept"});

  StoreReferenceAp(1);
  StoreReferenceAp(2);
  ASSERT_TRUE(
      database_.Exec("insert into ap_property (mac, enterpriseAPSysHWid, enterpriseAPSysFWVersion) "
                     "values ('02:00:00:00:00:09', 'unmanaged', '9.9')"));
  ASSERT_TRUE(
      database_.Exec("insert into ap_property (mac, enterpriseAPSysHWid, enterpriseAPSysFWVersion) "
                     "values (?, 'it''s', '3.0')",
                     {net::kAp3}));
  EXPECT_TRUE(access_.GetApHardwareIds(ids));
  EXPECT_EQ(ids, (std::vector<std::string>{"QR7V-TOLNA           -00", "it's"}));

  std::vector<std::string> versions;
  EXPECT_TRUE(access_.GetApFirmwareVersions(versions, "QR7V-TOLNA           -00"));
  EXPECT_EQ(versions, (std::vector<std::string>{"2.0.1", "2.0.1"})) << "once per AP";
  EXPECT_TRUE(access_.GetApFirmwareVersions(versions, "it's"));
  EXPECT_EQ(versions, std::vector<std::string>{"3.0"});
  EXPECT_FALSE(access_.GetApFirmwareVersions(versions, "unmanaged"));
  EXPECT_EQ(versions, std::vector<std::string>{"3.0"});
}

TEST_F(ApPropertiesTest, ListColumnsReplaceTheCallersListInTableOrder) {
  std::vector<ApListColumn> columns{{"old", "Old"}};
  EXPECT_EQ(access_.GetApListColumns(columns), -1);
  ASSERT_EQ(columns.size(), 1u);

  ASSERT_TRUE(
      database_.Exec("insert into ap_usr (field_name, display_name) values "
                     "('crvAPssid', 'SSID'), ('crvAPChannel', NULL), ('location', 'Location')"));
  EXPECT_EQ(access_.GetApListColumns(columns), 0);
  ASSERT_EQ(columns.size(), 3u);
  EXPECT_EQ(columns[0].field_name, "crvAPssid");
  EXPECT_EQ(columns[0].display_name, "SSID");
  EXPECT_EQ(columns[1].display_name, "") << "NULL reads as empty";
  EXPECT_EQ(columns[2].field_name, "location");

  ASSERT_TRUE(database_.Exec("drop table ap_usr"));
  EXPECT_EQ(access_.GetApListColumns(columns), -1);
  EXPECT_EQ(columns.size(), 3u);
  EXPECT_EQ(boxes_.Texts().size(), 1u);
}

}  // namespace
