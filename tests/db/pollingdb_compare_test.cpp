// The stored values the AP compare and the switch configuration read, and the single-column updates of
// an AP's previous channel and of a switch's settings.
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

class CompareInfoTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(net::AddDevices(database_, "device_list_prev")); }

  TempDatabase database_;
  MessageBoxRecorder boxes_;
  CPollingDb polling_;
};

TEST_F(CompareInfoTest, ApRecordsTakeTheStoredColumnsThatAreNotNull) {
  ASSERT_TRUE(database_.Exec(
      "insert into ap_property (mac, enterpriseAPSysCfgID, enterpriseAPSysFWVersion, enterpriseAPSysHWid, "
      "enterpriseAPSysFlashCFGChecksum, crvAPChannel, crvapautochannel, crvAPWaterLevelBalancing, "
      "crvAPUserNumLimit, APSysDHCP) values (?, '1', '2.0.1', NULL, '40961', '6', '1', '0', '60', '1')",
      {net::kAp1}));

  ApIdentityRecord identity{"x", "x", "caller's", "x"};
  EXPECT_EQ(polling_.GetCompareInfo(identity, net::kAp1), 1);
  EXPECT_EQ(identity.configId, "1");
  EXPECT_EQ(identity.firmwareVersion, "2.0.1");
  EXPECT_EQ(identity.hardwareId, "caller's");
  EXPECT_EQ(identity.flashChecksum, "40961");

  ApChannelRecord channel;
  EXPECT_EQ(polling_.GetCompareInfo(channel, net::kAp1), 1);
  EXPECT_EQ(channel.autoChannel, "1");
  EXPECT_EQ(channel.channel, "6");

  ApBalancingRecord balancing;
  EXPECT_EQ(polling_.GetCompareInfo(balancing, net::kAp1), 1);
  EXPECT_EQ(balancing.waterLevelBalancing, "0");
  EXPECT_EQ(balancing.userNumLimit, "60");

  std::string dhcp;
  EXPECT_EQ(polling_.GetCompareInfo(dhcp, net::kAp1), 1);
  EXPECT_EQ(dhcp, "1");

  ApIdentityRecord untouched{"a", "b", "c", "d"};
  EXPECT_EQ(polling_.GetCompareInfo(untouched, net::kAp2), 0);
  EXPECT_EQ(untouched.configId, "a");
  // A MAC is data, not SQL.
  EXPECT_EQ(polling_.GetCompareInfo(dhcp, "x' or '1'='1"), 0);

  ASSERT_TRUE(database_.Exec("alter table ap_property drop column APSysDHCP"));
  EXPECT_EQ(polling_.GetCompareInfo(dhcp, net::kAp1), 0) << "a statement that cannot run reads as no row";
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(CompareInfoTest, SwitchSettingsComeFromTheRowTheLookupNames) {
  ASSERT_TRUE(database_.Exec("insert into switch_property (mac, ip_address, LLDPonoff) values (?, '127.0.0.10', '2')",
                             {net::kSwitch}));
  SwitchSettingsRecord byIp;
  EXPECT_EQ(polling_.GetCompareInfo(byIp, "127.0.0.10", CPollingDb::SwitchSettingsLookup::CommunityByIp), 1);
  EXPECT_EQ(byIp.writeCommunity, "private");
  EXPECT_EQ(byIp.sysObjectId, "1.3.6.1.4.1.44711.10.76.2");
  EXPECT_EQ(byIp.ip, "");
  EXPECT_EQ(polling_.GetCompareInfo(byIp, "127.0.0.10", CPollingDb::SwitchSettingsLookup::LldpByIp), 1);
  EXPECT_EQ(byIp.lldp, "2");

  SwitchSettingsRecord byMac;
  EXPECT_EQ(polling_.GetCompareInfo(byMac, net::kSwitch, CPollingDb::SwitchSettingsLookup::CommunityByMac), 1);
  EXPECT_EQ(byMac.ip, "127.0.0.10");
  EXPECT_EQ(byMac.writeCommunity, "private");
  EXPECT_EQ(polling_.GetCompareInfo(byMac, "127.0.0.99", CPollingDb::SwitchSettingsLookup::LldpByIp), 0);
}

TEST_F(CompareInfoTest, SwitchCodes) {
  struct Case {
    const char* online;  // nullptr: NULL
    const char* lldp;
    int onlineCode;
    int lldpCode;
  };
  const Case cases[] = {{"1", "1", 2, 1}, {"0", "2", 1, 2}, {"3", "3", 0, 0}, {nullptr, nullptr, 0, 0}};
  ASSERT_TRUE(database_.Exec("insert into switch_property (mac) values (?)", {net::kSwitch}));
  for (const Case& c : cases) {
    ASSERT_TRUE(
        database_.Exec("update device_list_prev set online=?", {c.online ? db::SqlValue(c.online) : db::SqlValue()}));
    ASSERT_TRUE(
        database_.Exec("update switch_property set LLDPonoff=?", {c.lldp ? db::SqlValue(c.lldp) : db::SqlValue()}));
    EXPECT_EQ(polling_.GetCompareInfo(net::kSwitch, CPollingDb::SwitchCode::Online), c.onlineCode) << c.online;
    EXPECT_EQ(polling_.GetCompareInfo(net::kSwitch, CPollingDb::SwitchCode::Lldp), c.lldpCode) << c.lldp;
  }
  ASSERT_TRUE(database_.Exec("update device_list_prev set online='1'"));
  EXPECT_EQ(polling_.GetCompareInfo(net::kAp1, CPollingDb::SwitchCode::Online), 0) << "an AP is no switch";
  EXPECT_EQ(polling_.GetCompareInfo(net::kAp1, CPollingDb::SwitchCode::Lldp), 0);
}

TEST_F(CompareInfoTest, CommunityByMacFromEitherTable) {
  ASSERT_TRUE(database_.Exec("insert into device_list (mac, write_community) values (?, 'newpw')", {net::kAp1}));
  ASSERT_TRUE(database_.Exec("update device_list_prev set write_community=NULL where mac=?", {net::kAp2}));
  EXPECT_EQ(polling_.GetCommunityByMac(net::kAp1), "private");
  EXPECT_EQ(polling_.GetCommunityByMac(net::kAp1, 1), "newpw");
  EXPECT_EQ(polling_.GetCommunityByMac(net::kAp2), "");
  EXPECT_EQ(polling_.GetCommunityByMac(net::kAp2, 1), "");
}

TEST_F(CompareInfoTest, PreviousChannelAndAntiRogueSettingsChangeEveryRowOfTheirKey) {
  EXPECT_EQ(polling_.updatePreAPChannel(net::kAp1, "6"), 0);
  ASSERT_TRUE(database_.Exec("insert into ap_property (mac) values (?)", {net::kAp1}));
  EXPECT_EQ(polling_.updatePreAPChannel(net::kAp1, "6"), 1);
  EXPECT_EQ(database_.Value("select KipAPchannel from ap_property"), "6");

  SwitchSettingsRecord settings;
  settings.ip = "127.0.0.10";
  settings.mac = "02:00:00:00:00:77";  // not the key: rows are chosen by ip
  settings.antiRogue = "00 00 01";
  settings.sysName = "lab's switch";
  settings.location = "rack 2";
  settings.lldp = "2";
  EXPECT_EQ(polling_.updateAntiRogue(&settings), 0);
  for (const char* mac : {"02:44:71:00:00:01", "02:44:71:00:00:02"})
    ASSERT_TRUE(database_.Exec("insert into switch_property (mac, ip_address) values (?, '127.0.0.10')", {mac}));
  ASSERT_TRUE(database_.Exec("insert into switch_property (mac, ip_address) values ('other', '127.0.0.20')"));
  EXPECT_EQ(polling_.updateAntiRogue(&settings), 2);
  EXPECT_EQ(
      database_.Rows("select anti_rogue, sys_name, location, LLDPonoff from switch_property order by rowid"),
      (CAccessDatabase::TextRows{
          {"00 00 01", "lab's switch", "rack 2", "2"}, {"00 00 01", "lab's switch", "rack 2", "2"}, {"", "", "", ""}}));

  ASSERT_TRUE(database_.BreakWrites("switch_property", "UPDATE"));
  EXPECT_EQ(polling_.updateAntiRogue(&settings), -1);
  EXPECT_NE(database_.ExceptionLog().find("pollingdb updateAntiRogue RollBackTransact"), std::string::npos);
}

}  // namespace
