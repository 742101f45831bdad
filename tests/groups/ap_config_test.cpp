// An AP's stored configuration: the ap_property row with its defaults, the address and name from the
// device tables, the values before the changes of a "Changed" AP, and the filter difference of two APs.
#include <string>
#include <vector>

#include "ApConfigFixture.h"

namespace {

TEST_F(ApConfigTest, LoadsTheStoredRowWithItsDefaultsAndTheAddressThePollerSaw) {
  StoreRow(net::kAp1, {{"APSysDHCP", "0"},
                    {"APSysSubnetMask", "255.0.0.0"},
                    {"APSysDefaultGateway", "127.0.0.1"},
                    {"APSysCountryCode", "DE"},
                    {"crvAPssid", "O'Brien"},
                    {"crvAPChannel", ""},
                    {"crvAPSecurityType", "4"},
                    {"crvAPWEP64KeyType", "1"},
                    {"crvAPWEP64DefaultKeyValue", "2"},
                    {"crvAPWEP128KeyType", "0"},
                    {"crvAPWEP128Key2Value", "0123456789abcdef0123456789"},
                    {"radiusIP1", "127.0.0.5"},
                    {"crvAPTxRates", "108x"},
                    {"filterType", "0"}});
  Difference(net::kAp1, "ip", "127.0.0.11", "127.0.0.99");
  Difference(net::kAp1, "crvAPssid", "before", "O'Brien");  // not "Changed": only the address row counts
  Filter(net::kAp1, "00:11:22:33:44:55");
  ASSERT_TRUE(database_.Exec("insert into filter_entry (mac, filterMAC) values (?, NULL)", {net::kAp1}));

  ApConfigRecord record;
  ASSERT_EQ(Store().LoadApPreviousConfig(net::kAp1, &record), 0);
  EXPECT_FALSE(record.APSysDHCP);
  EXPECT_EQ(record.ip, "127.0.0.99");
  EXPECT_EQ(record.APSysSubnetMask, "255.0.0.0");
  EXPECT_EQ(record.APSysDefaultGateway, "127.0.0.1");
  EXPECT_EQ(record.APSysCountryCode, "DE");
  EXPECT_EQ(record.name, "AP_1");
  EXPECT_EQ(record.location, "");       // NULL text keeps ""
  EXPECT_EQ(record.crvAPChannel, -1);   // empty number keeps -1
  EXPECT_EQ(record.crvAPssid, "O'Brien");
  EXPECT_EQ(record.crvAPTxRates, 108);  // leading digits
  EXPECT_EQ(record.filterType, 0);
  // Security type 4: the 128-bit group plus the 64-bit key type, nothing else.
  EXPECT_EQ(record.crvAPWEP64KeyType, 1);
  EXPECT_EQ(record.crvAPWEP64DefaultKeyValue, -1);
  EXPECT_EQ(record.crvAPWEP128KeyType, 0);
  EXPECT_EQ(record.crvAPWEP128Key2Value, "0123456789abcdef0123456789");
  EXPECT_EQ(record.radiusIP1, "");
  EXPECT_EQ(Macs(record), std::vector<std::string>{"00:11:22:33:44:55"});
  EXPECT_FALSE(groups::GetPreviousApIp());
}

TEST_F(ApConfigTest, AddressCasesAndMissingRows) {
  const std::string stranger = "02:90:00:00:09:09";  // in no device table
  struct Case {
    const char* what;
    std::string mac;
    std::vector<std::pair<std::string, db::SqlValue>> columns;
    int result;
    bool dhcp;
    std::string ip;
  };
  const Case cases[] = {
      {"DHCP NULL, in no device table", stranger, {{"APSysSubnetMask", "255.0.0.0"}}, 0, true, ""},
      {"DHCP empty", stranger + "0", {{"APSysDHCP", ""}}, 0, true, ""},
      {"static, no address anywhere", stranger + "1", {{"APSysDHCP", "0"}}, -1, false, ""},
      {"static, managed address", net::kAp2, {{"APSysDHCP", "0"}}, 0, false, "127.0.0.12"},
      {"DHCP on, managed address", net::kAp3, {{"APSysDHCP", "1"}}, 0, true, "127.0.0.13"},
  };
  for (const Case& c : cases) {
    StoreRow(c.mac, c.columns);
    ApConfigRecord record;
    EXPECT_EQ(Store().LoadApPreviousConfig(c.mac, &record), c.result) << c.what;
    EXPECT_EQ(record.APSysDHCP, c.dhcp) << c.what;
    EXPECT_EQ(record.ip, c.ip) << c.what;
    EXPECT_EQ(record.APSysSubnetMask, "") << c.what;
  }
  ApConfigRecord untouched;
  untouched.crvAPssid = "kept";
  EXPECT_EQ(Store().LoadApPreviousConfig(net::kAp1, &untouched), -1);  // no ap_property row
  EXPECT_EQ(untouched.crvAPssid, "kept");
}

TEST_F(ApConfigTest, SecurityTypeChoosesTheKeyGroups) {
  struct Case {
    int type;
    int wep64KeyType, wep64Default, wep152KeyType;
    std::string radius;
  };
  const Case cases[] = {{-1, -1, -1, -1, ""}, {2, 1, 3, -1, ""}, {7, 1, -1, 2, ""}, {9, -1, -1, -1, "127.0.0.5"}};
  for (const Case& c : cases) {
    const std::string mac = "02:90:00:00:08:0" + std::to_string(c.type + 1);
    StoreRow(mac, {{"crvAPSecurityType", c.type == -1 ? db::SqlValue() : db::SqlValue(std::to_string(c.type))},
                {"crvAPWEP64KeyType", "1"},
                {"crvAPWEP64DefaultKeyValue", "3"},
                {"crvAPWEP152KeyType", "2"},
                {"radiusIP1", "127.0.0.5"}});
    ApConfigRecord record;
    ASSERT_EQ(Store().LoadApPreviousConfig(mac, &record), 0) << c.type;
    EXPECT_EQ(record.crvAPWEP64KeyType, c.wep64KeyType) << c.type;
    EXPECT_EQ(record.crvAPWEP64DefaultKeyValue, c.wep64Default) << c.type;
    EXPECT_EQ(record.crvAPWEP152KeyType, c.wep152KeyType) << c.type;
    EXPECT_EQ(record.radiusIP1, c.radius) << c.type;
  }
}

// A "Changed" AP's record takes the values it had before the changes the poller found on it.
TEST_F(ApConfigTest, AChangedApTakesThePreviousValues) {
  StoreRow(net::kAp1, {{"APSysDHCP", "0"},
                    {"crvAPssid", "now"},
                    {"crvAPChannel", "6"},
                    {"crvapautochannel", "1"},
                    {"crvAPBeaconInterval", "100"},
                    {"crvAPSecurityType", "9"},
                    {"crvAPSecurityCipherType", "2"},
                    {"KipAPchannel", "11"}});
  MarkChanged(net::kAp1);
  Filter(net::kAp1, "AA:AA:AA:AA:AA:01");
  Difference(net::kAp1, "ip", "127.0.0.50", "127.0.0.99");
  Difference(net::kAp1, "crvAPssid", "O'Brien", "now");
  Difference(net::kAp1, "crvAPBeaconInterval", "", "100");   // empty number: kept
  Difference(net::kAp1, "crvAPSecurityCipherType", "", "2");  // set even when empty
  Difference(net::kAp1, "crvAPAutoChannel", "0", "1");
  Difference(net::kAp1, "crvAPName", "old-name", "AP_1");
  Difference(net::kAp1, "port_reload", "x", "y");
  Difference(net::kAp1, "filter_entry", "", "AA:AA:AA:AA:AA:01");       // added on the device
  Difference(net::kAp1, "filter_entry", "", "CC-CC-CC-CC-CC-03");       // added, never stored
  Difference(net::kAp1, "filter_entry", "BB:BB:BB:BB:BB:02", "");       // removed on the device
  Difference(net::kAp1, "filter_entry", "DD:DD:DD:DD:DD:04", "EE:EE");  // both: nothing

  ApConfigRecord record;
  ASSERT_EQ(Store().LoadApPreviousConfig(net::kAp1, &record), 0);
  EXPECT_EQ(record.ip, "127.0.0.50");
  EXPECT_EQ(groups::GetPreviousApIp(), std::optional<std::string>("127.0.0.11"));
  EXPECT_EQ(record.crvAPssid, "O'Brien");
  EXPECT_EQ(record.crvAPBeaconInterval, 100);
  EXPECT_EQ(record.crvAPSecurityCipherType, 0);
  EXPECT_EQ(record.crvapautochannel, 0);
  EXPECT_EQ(record.crvAPChannel, 11);
  EXPECT_EQ(record.name, "old-name");
  EXPECT_EQ(Macs(record), std::vector<std::string>{"BB:BB:BB:BB:BB:02"});
  EXPECT_EQ(record.filterMacsToAdd, std::vector<std::string>{"BBBBBBBBBB02"});
  EXPECT_EQ(record.filterMacsToDelete, (std::vector<std::string>{"AAAAAAAAAA01", "CCCCCCCCCC03"}));
}

TEST_F(ApConfigTest, DhcpDifferenceOfAChangedAp) {
  struct Case {
    const char* previous;
    bool dhcp;
    std::string ip;
  };
  const Case cases[] = {{"1", true, "127.0.0.11"}, {"0", false, "127.0.0.77"}};
  for (const Case& c : cases) {
    database_.Exec("delete from ap_property");
    database_.Exec("delete from sync_result");
    StoreRow(net::kAp1, {{"APSysDHCP", "1"}, {"KipAPIP", "127.0.0.77"}});
    MarkChanged(net::kAp1);
    Difference(net::kAp1, "APSysDHCP", c.previous, "x");
    groups::ClearPreviousApIp();
    ApConfigRecord record;
    ASSERT_EQ(Store().LoadApPreviousConfig(net::kAp1, &record), 0) << c.previous;
    EXPECT_EQ(record.APSysDHCP, c.dhcp) << c.previous;
    EXPECT_EQ(record.ip, c.ip) << c.previous;
    EXPECT_EQ(groups::GetPreviousApIp(), std::optional<std::string>("127.0.0.11")) << c.previous;
  }
}

TEST_F(ApConfigTest, FilterDifferenceOfTwoApsComparesWithoutSeparators) {
  Filter(net::kAp1, "00:11:22:33:44:55");  // source
  Filter(net::kAp1, "66-77-88-99-AA-BB");
  Filter(net::kAp2, "001122334455");  // target
  Filter(net::kAp2, "CC DD EE FF 00 11");
  ApConfigRecord record;
  record.filterMacsToAdd = {"stale"};
  ASSERT_EQ(Store().GetApFilterMacs(net::kAp2, net::kAp1, &record), 0);
  EXPECT_EQ(record.filterMacsToAdd, std::vector<std::string>{"66778899AABB"});
  EXPECT_EQ(record.filterMacsToDelete, std::vector<std::string>{"CCDDEEFF0011"});
}

}  // namespace
