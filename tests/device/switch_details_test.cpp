// A switch's details: its LLDP neighbours joined by row index, its settings stored in switch_property,
// and the anti-rogue port check.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/AntiRoguePort.h"
#include "device/LldpRemoteTable.h"
#include "device/Switch.h"
#include "log/LogLevelMask.h"
#include "settings/GlobalSettings.h"
#include "snmp/SnmpText.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/SnmpDefaults.h"
#include "support/TempDatabase.h"

namespace {

// ---- The texts of LLDP rows ----

TEST(LldpRowTextTest, PortIds) {
  struct Case {
    std::string text;
    int result;
    std::string number;
  } cases[] = {
      {"eth0", 0, "1"},     {"eth3", 0, "4"},  {"7", 0, "7"},        {"Port 3", -1, "Port 3"},
      {"", -1, ""},         {"eth", -1, "eth"}, {"eth-1", -1, "eth-1"}, {"3a", -1, "3a"},
      {"99999999999", -1, "99999999999"},     {"eth2147483647", -1, "eth2147483647"},
  };
  for (Case c : cases) {
    std::string text = c.text;
    EXPECT_EQ(ParseLldpPortId(text), c.result) << c.text;
    EXPECT_EQ(text, c.number) << c.text;
  }
}

TEST(LldpRowTextTest, LocalPortsAndAddressesFromRowOids) {
  std::string port;
  EXPECT_EQ(ExtractLldpLocalPort("1.0.8802.1.1.2.1.4.1.1.7.0.0.1", port), 0);
  EXPECT_EQ(port, "1");
  EXPECT_EQ(ExtractLldpLocalPort(".1.0.8802.1.1.2.1.4.1.1.7.0.23.1", port), 0);
  EXPECT_EQ(port, "24");
  EXPECT_EQ(ExtractLldpLocalPort(".5", port), -1);
  EXPECT_EQ(port, "0");

  std::string ip = "unchanged";
  EXPECT_EQ(ExtractIpFromOid("1.0.8802.1.1.2.1.4.2.1.4.0.3.1.1.4.192.168.0.20  ", ip), 1);
  EXPECT_EQ(ip, "192.168.0.20");
  ip = "unchanged";
  EXPECT_EQ(ExtractIpFromOid("1.2.3", ip), -1);
  EXPECT_EQ(ip, "unchanged");
}

TEST(AntiRoguePortMaskTest, PortBits) {
  struct Case {
    const char* mask;
    int port;
    bool set;
  } cases[] = {
      {"80 00 00 00", 1, true},  {"80 00 00 00", 2, false}, {"00 00 00 01", 32, true},
      {"00 00 00 01", 31, false}, {"80 00 00 00", 33, true}, {"00 00 00 01", 33, false},
      {"7F FF FF FF", 33, false}, {"00 00 01", 24, true},
      {"FF FF FF FF", 0, false},  {"FF FF FF FF", 34, false}, {"", 1, false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsAntiRoguePortBitSet(c.mask, c.port), c.set) << c.mask << " port " << c.port;
}

// ---- Joining the four columns ----

using Bytes = std::vector<unsigned char>;

// An object as an agent answers it: an OCTET STRING carries its bytes and their text.
SnmpObject OctetString(const std::string& oid, const Bytes& bytes) {
  return {oid, snmptext::FormatOctets(bytes.data(), bytes.size()), bytes};
}
SnmpObject OctetString(const std::string& oid, const std::string& text) {
  return OctetString(oid, Bytes(text.begin(), text.end()));
}

struct Row {
  std::string index;  // time mark, local port, remote index
  Bytes chassis;
  std::string portId;
  Bytes capabilities;
};

std::string ColumnRow(CLldpRemoteTable::Column column, const std::string& index) {
  return std::string(CLldpRemoteTable::ColumnOid(column)).substr(1) + "." + index;
}

void AddRow(CLldpRemoteTable& table, const Row& row) {
  EXPECT_TRUE(table.Add(CLldpRemoteTable::kChassisId,
                        OctetString(ColumnRow(CLldpRemoteTable::kChassisId, row.index), row.chassis)));
  EXPECT_TRUE(
      table.Add(CLldpRemoteTable::kPortId, OctetString(ColumnRow(CLldpRemoteTable::kPortId, row.index), row.portId)));
  EXPECT_TRUE(table.Add(CLldpRemoteTable::kCapabilities,
                        OctetString(ColumnRow(CLldpRemoteTable::kCapabilities, row.index), row.capabilities)));
}

void AddAddress(CLldpRemoteTable& table, const std::string& index, const std::string& addressPart) {
  EXPECT_TRUE(table.Add(CLldpRemoteTable::kManagementAddress,
                        {ColumnRow(CLldpRemoteTable::kManagementAddress, index) + "." + addressPart, "0", {}}));
}

TEST(LldpRemoteTableTest, RowsAreJoinedByIndexNotByPosition) {
  CLldpRemoteTable table;
  AddRow(table, {"0.0.1", {0x02, 0x44, 0x71, 0x00, 0x01, 0x01}, "eth0", {0x00, 0x08}});
  AddRow(table, {"0.1.1", {0x02, 0x44, 0x71, 0x00, 0x01, 0x02}, "eth0", {0x00, 0x08}});  // two addresses
  AddRow(table, {"0.2.1", {0x02, 0x44, 0x71, 0x00, 0x01, 0x03}, "eth0", {0x00, 0x08}});  // none
  AddRow(table, {"0.3.1", {0x02, 0x90, 0x00, 0x00, 0x04, 0x01}, "Port 3", {0x00, 0x80}});  // port id does not parse
  AddRow(table, {"0.4.1", {0x02, 0x90, 0x00, 0x00, 0x05, 0x01}, "7", {0x00, 0x14}});
  AddAddress(table, "0.0.1", "1.4.127.0.0.11");
  AddAddress(table, "0.1.1", "2.16.254.128.0.0.0.0.0.0.0.0.0.0.0.0.0.1");  // IPv6 first: not taken
  AddAddress(table, "0.1.1", "1.4.127.0.0.12");
  AddAddress(table, "0.1.1", "1.4.10.0.0.12");
  AddAddress(table, "0.3.1", "1.4.127.0.0.14");
  AddAddress(table, "0.4.1", "1.4.127.0.0.15");

  const std::vector<LldpNeighbour> neighbours = table.Join(nullptr);
  ASSERT_EQ(neighbours.size(), 3u);
  EXPECT_EQ(neighbours[0].mac, "02:44:71:00:01:01");
  EXPECT_EQ(neighbours[0].ip, "127.0.0.11");
  EXPECT_EQ(neighbours[0].localPort, 1);
  EXPECT_EQ(neighbours[0].remotePort, 1);
  EXPECT_EQ(neighbours[0].capabilities, 8);

  EXPECT_EQ(neighbours[1].mac, "02:44:71:00:01:02");
  EXPECT_EQ(neighbours[1].ip, "127.0.0.12");
  EXPECT_EQ(neighbours[1].localPort, 2);

  EXPECT_EQ(neighbours[2].mac, "02:90:00:00:05:01");
  EXPECT_EQ(neighbours[2].ip, "127.0.0.15");
  EXPECT_EQ(neighbours[2].localPort, 5);
  EXPECT_EQ(neighbours[2].remotePort, 7);
  EXPECT_EQ(neighbours[2].capabilities, 20);
}

TEST(LldpRemoteTableTest, ChassisIdsAndCapabilitiesAreReadAsBytes) {
  struct Case {
    Bytes chassis;
    Bytes capabilities;
    const char* mac;  // null: the row is dropped
    int capabilityBits;
  } cases[] = {
      {{'A', 'B', 'C', 'D', 'E', 'F'}, {0x00, 0x08}, "41:42:43:44:45:46", 0x08},  // all printable
      {{0x02, 0x44, 0x71, 0x0a, 0xbc, 0xff}, {' ', ' '}, "02:44:71:0A:BC:FF", 0x2020},
      {{0x02, 0x44, 0x71, 0x00, 0x01}, {0x00, 0x08}, nullptr, 0},                 // five bytes
      {{0x01, 0x7f, 0x00, 0x00, 0x0b}, {0x00, 0x08}, nullptr, 0},                 // network address, IPv4
      {{0x02, 0x44, 0x71, 0x00, 0x01, 0x01, 0x00}, {0x00, 0x08}, nullptr, 0},     // seven bytes
      {{0x02, 0xfe, 0x80, 0, 0, 0, 0, 0, 0, 0x02, 0x44, 0x71, 0xff, 0xfe, 0x00, 0x01, 0x01}, {0x00, 0x08}, nullptr,
       0},                                                                        // network address, IPv6
      {{'0', '2', ' ', '4', '4', ' ', '7', '1', ' ', '0', '0', ' ', '0', '1', ' ', '0', '1'}, {0x00, 0x08}, nullptr,
       0},                                                                        // a MAC's text is no MAC
      {{}, {0x00, 0x08}, nullptr, 0},
      {{0x02, 0x44, 0x71, 0x00, 0x01, 0x01}, {0x01}, "02:44:71:00:01:01", 0x100},  // one capability byte
      {{0x02, 0x44, 0x71, 0x00, 0x01, 0x01}, {}, "02:44:71:00:01:01", 0},
  };
  for (const Case& c : cases) {
    CLldpRemoteTable table;
    AddRow(table, {"0.0.1", c.chassis, "eth0", c.capabilities});
    AddAddress(table, "0.0.1", "1.4.127.0.0.11");
    const std::vector<LldpNeighbour> neighbours = table.Join(nullptr);
    const std::string chassis = snmptext::FormatOctets(c.chassis.data(), c.chassis.size());
    if (!c.mac) {
      EXPECT_TRUE(neighbours.empty()) << chassis;
      continue;
    }
    ASSERT_EQ(neighbours.size(), 1u) << chassis;
    EXPECT_EQ(neighbours[0].mac, c.mac);
    EXPECT_EQ(neighbours[0].capabilities, c.capabilityBits) << chassis;
  }
}

TEST(LldpRemoteTableTest, RowsMissingAColumnOrWithABadChassisAreLeftOut) {
  CLldpRemoteTable table;
  AddRow(table, {"0.0.1", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'm', 'a', 'c'}, "eth0", {0x00, 0x08}});
  AddAddress(table, "0.0.1", "1.4.127.0.0.11");
  EXPECT_TRUE(table.Add(CLldpRemoteTable::kChassisId,
                        OctetString("1.0.8802.1.1.2.1.4.1.1.5.0.1.1", Bytes{0x02, 0x44, 0x71, 0x00, 0x01, 0x02})));
  AddAddress(table, "0.1.1", "1.4.127.0.0.12");  // no port id, no capabilities
  EXPECT_TRUE(table.Join(nullptr).empty());

  // Objects of another column, or not a whole row, are refused.
  EXPECT_FALSE(table.Add(CLldpRemoteTable::kChassisId, OctetString("1.0.8802.1.1.2.1.4.1.1.7.0.1.1", "eth0")));
  EXPECT_FALSE(table.Add(CLldpRemoteTable::kPortId, OctetString("1.0.8802.1.1.2.1.4.1.1.7.0.1", "eth0")));
  EXPECT_FALSE(table.Add(CLldpRemoteTable::kPortId, OctetString("not an oid", "eth0")));
}

// Rows that would make a device of no single device or a link on a port the switch does not have.
TEST(LldpRemoteTableTest, RowsOfNoSingleDeviceOrOutsideThePortsAreLeftOut) {
  const Bytes mac{0x02, 0x44, 0x71, 0x00, 0x01, 0x01};
  const struct {
    const char* what;
    const char* index;
    Bytes chassis;
    const char* portId;
    const char* address;
    bool kept;
  } cases[] = {
      {"the switch's last port", "0.23.1", mac, "eth0", "127.0.0.11", true},
      {"one port past it", "0.24.1", mac, "eth0", "127.0.0.11", false},
      {"port 65536", "0.65535.1", mac, "eth0", "127.0.0.11", false},
      {"port 2147483647", "0.2147483646.1", mac, "eth0", "127.0.0.11", false},
      {"remote port 1024", "0.0.1", mac, "1024", "127.0.0.11", true},
      {"remote port 1025", "0.0.1", mac, "eth1024", "127.0.0.11", false},
      {"a MAC of zeros", "0.0.1", {0, 0, 0, 0, 0, 0}, "eth0", "0.0.0.0", false},
      {"the broadcast MAC", "0.0.1", {0xff, 0xff, 0xff, 0xff, 0xff, 0xff}, "eth0", "127.0.0.11", false},
      {"the broadcast address", "0.0.1", mac, "eth0", "255.255.255.255", false},
      {"no address yet (DHCP failed)", "0.0.1", mac, "eth0", "0.0.0.0", true},
  };
  CSwitch owner;
  owner.portCount = 24;
  for (const auto& c : cases) {
    CLldpRemoteTable table;
    AddRow(table, {c.index, c.chassis, c.portId, {0x00, 0x08}});
    AddAddress(table, c.index, std::string("1.4.") + c.address);
    EXPECT_EQ(table.Join(&owner).size(), c.kept ? 1u : 0u) << c.what;
  }
  // While the switch's count is not known, its ports go up to the general bound.
  for (const int known : {-1, 0}) {
    owner.portCount = known;
    CLldpRemoteTable table;
    AddRow(table, {"0.1023.1", mac, "eth0", {0x00, 0x08}});
    AddRow(table, {"0.1024.1", {0x02, 0x44, 0x71, 0x00, 0x01, 0x02}, "eth0", {0x00, 0x08}});
    AddAddress(table, "0.1023.1", "1.4.127.0.0.11");
    AddAddress(table, "0.1024.1", "1.4.127.0.0.12");
    const std::vector<LldpNeighbour> neighbours = table.Join(&owner);
    ASSERT_EQ(neighbours.size(), 1u);
    EXPECT_EQ(neighbours[0].localPort, kMaxPortCount);
  }
}

// ---- Against the simulated reference switch ----

using testing_support::DevSimProcess;
using testing_support::DevSimReference;
using testing_support::MessageBoxRecorder;
using testing_support::TempDatabase;
using Rows = CAccessDatabase::TextRows;

const char kSwitchRoot[] = "1.3.6.1.4.1.44711.10.76.2";
const char kSwitchMac[] = "02:44:71:00:00:01";
const char kManAddr[] = "1.0.8802.1.1.2.1.4.2.1.4.0.";  // + local port index + ".1.1.4." + address
// A switch whose MAC and anti-rogue mask are printable bytes and whose LLDP table holds odd rows.
const char kAwkwardSwitch[] = "127.0.0.20";

class SwitchDetailsTest : public ::testing::Test {
 protected:
  SwitchDetailsTest()
      : sim_({{DevSimReference::kSwitch, DevSimProcess::DataFile("switch.snmprec")},
              {kAwkwardSwitch, DevSimProcess::DataFile("switch-awkward.snmprec")}}) {}

  void SetUp() override {
    SetSnmpDefaults("private", "private", 100);
    g_nLogLevelMask = 0xF;
    switch_.ip = DevSimReference::kSwitch;
    switch_.community = "private";
    switch_.rootOid = kSwitchRoot;
    switch_.mac = kSwitchMac;
    switch_.name = "SW_1";
    awkward_.ip = kAwkwardSwitch;
    awkward_.community = "private";
    awkward_.rootOid = kSwitchRoot;
    awkward_.mac = "41:42:43:44:45:46";
    awkward_.name = "SW_2";
  }

  Rows SystemLog() { return database_.Rows("select level, description from system_log order by \"index\""); }
  // The switch as a new device, found but not yet saved.
  void AddNewDeviceRow() {
    ASSERT_TRUE(database_.Exec("insert into device_list (name, ip, mac, type, isnew) values ('SW_1', ?, ?, 1, 1)",
                               {DevSimReference::kSwitch, kSwitchMac}));
  }
  void SetObject(const std::string& line) { sim_.Set(DevSimReference::kSwitch, line); }

  TempDatabase database_;
  MessageBoxRecorder boxes_;
  DevSimProcess sim_;
  CSwitch switch_;
  CSwitch awkward_;
};

// One line per neighbour: local port, MAC, IP, remote port, capabilities.
std::vector<std::string> Describe(const std::vector<LldpNeighbour>& neighbours) {
  std::vector<std::string> lines;
  for (const LldpNeighbour& n : neighbours)
    lines.push_back(std::to_string(n.localPort) + " " + n.mac + " " + n.ip + " " + std::to_string(n.remotePort) + " " +
                    std::to_string(n.capabilities));
  return lines;
}

TEST_F(SwitchDetailsTest, ReadsTheFourNeighboursOfTheReferenceSwitch) {
  switch_.neighbours.push_back({});  // replaced, not appended to
  ASSERT_EQ(switch_.ReadLldpNeighbours(), 1);
  ASSERT_EQ(switch_.neighbours.size(), 4u);
  struct Expected {
    int localPort;
    int remotePort;
    const char* mac;
    const char* ip;
    int capabilities;
  } expected[] = {{1, 1, "02:44:71:00:01:01", "127.0.0.11", 0x08},
                  {2, 1, "02:44:71:00:01:02", "127.0.0.12", 0x08},
                  {3, 1, "02:44:71:00:01:03", "127.0.0.13", 0x08},
                  {4, 1, "02:90:00:00:04:01", "127.0.0.14", 0x80}};
  for (size_t i = 0; i < 4; ++i) {
    const LldpNeighbour& n = switch_.neighbours[i];
    EXPECT_EQ(n.localPort, expected[i].localPort) << i;
    EXPECT_EQ(n.remotePort, expected[i].remotePort) << i;
    EXPECT_EQ(n.mac, expected[i].mac) << i;
    EXPECT_EQ(n.ip, expected[i].ip) << i;
    EXPECT_EQ(n.capabilities, expected[i].capabilities) << i;
    EXPECT_EQ(n.owner, &switch_) << i;
  }
}

TEST_F(SwitchDetailsTest, OddRowsOfAVariantSwitchShiftNoOtherNeighbour) {
  // Port 2's neighbour has a second address, port 3's has none, port 4's port id is not a port.
  SetObject(std::string(kManAddr) + "1.1.1.4.127.0.0.112|2|0");
  sim_.Unset(DevSimReference::kSwitch, std::string(kManAddr) + "2.1.1.4.127.0.0.13");
  SetObject("1.0.8802.1.1.2.1.4.1.1.7.0.3.1|4|Port 3");
  // A fifth neighbour on port 6 after them.
  SetObject("1.0.8802.1.1.2.1.4.1.1.5.0.5.1|4x|024471000106");
  SetObject("1.0.8802.1.1.2.1.4.1.1.7.0.5.1|4|eth2");
  SetObject("1.0.8802.1.1.2.1.4.1.1.12.0.5.1|4x|0014");
  SetObject(std::string(kManAddr) + "5.1.1.4.127.0.0.16|2|0");

  ASSERT_EQ(switch_.ReadLldpNeighbours(), 1);
  EXPECT_EQ(Describe(switch_.neighbours),
            (std::vector<std::string>{"1 02:44:71:00:01:01 127.0.0.11 1 8", "2 02:44:71:00:01:02 127.0.0.12 1 8",
                                      "6 02:44:71:00:01:06 127.0.0.16 3 20"}));
}

TEST_F(SwitchDetailsTest, PrintableChassisIdsNetworkAddressesAndLongRowsOfARealTable) {
  // Port 1's printable MAC is kept, port 2's network-address chassis id is dropped, and the row with a
  // 110-character management-address OID is skipped without ending the walk before ports 5 and 6.
  ASSERT_EQ(awkward_.ReadLldpNeighbours(), 1);
  EXPECT_EQ(Describe(awkward_.neighbours),
            (std::vector<std::string>{"1 41:42:43:44:45:47 127.0.0.21 1 8", "5 02:44:71:00:02:04 127.0.0.24 2 4",
                                      "6 02:44:71:00:02:05 127.0.0.25 2 8"}));
}

TEST_F(SwitchDetailsTest, PrintableMacAndMaskAreReadAsBytes) {
  std::string mac;
  EXPECT_EQ(awkward_.GetMAC(mac), 1);
  EXPECT_EQ(mac, "41:42:43:44:45:46");
  EXPECT_EQ(awkward_.VerifyMac(), 1);

  // Mask 20 20 20: ports 3, 11 and 19 are anti-rogue ports; every port's client has the switch's OUI.
  EXPECT_EQ(CheckAntiRoguePort(awkward_, 3), 1);
  EXPECT_EQ(CheckAntiRoguePort(awkward_, 1), 0);
  EXPECT_EQ(CheckAntiRoguePort(awkward_, 4), 0);
  std::string mask;
  EXPECT_EQ(ReadAntiRoguePortMask(awkward_, mask), 1);
  EXPECT_EQ(mask, "20 20 20");

  EXPECT_EQ(awkward_.CollectDetails(), 1);
  EXPECT_EQ(database_.Value("select anti_rogue from switch_property where mac = '41:42:43:44:45:46'"), "20 20 20");

  // A MAC or mask object of another syntax is no MAC and no mask.
  sim_.Set(kAwkwardSwitch, "1.3.6.1.2.1.17.1.1.0|2|7");
  sim_.Set(kAwkwardSwitch, std::string(kSwitchRoot) + ".24.2.0|2|7");
  EXPECT_EQ(awkward_.GetMAC(mac), -1);
  EXPECT_EQ(CheckAntiRoguePort(awkward_, 3), -1);
  EXPECT_EQ(SystemLog().back(), (std::vector<std::string>{"4", "get switch anti-rogue port fail"}));
}

TEST_F(SwitchDetailsTest, ASwitchWithoutNeighboursGivesAnEmptyList) {
  for (const char* index : {"0.0.1", "0.1.1", "0.2.1", "0.3.1"})
    sim_.Unset(DevSimReference::kSwitch, std::string("1.0.8802.1.1.2.1.4.1.1.5.") + index);
  EXPECT_EQ(switch_.ReadLldpNeighbours(), 1);
  EXPECT_TRUE(switch_.neighbours.empty());
}

TEST_F(SwitchDetailsTest, DetailsAreStoredAndTheDisplayNameIsWrittenBack) {
  AddNewDeviceRow();
  SetObject(std::string(kSwitchRoot) + ".24.2.0|4x|800001");

  EXPECT_EQ(switch_.CollectDetails(), 1);
  EXPECT_EQ(database_.Rows("select mac, sys_name, location, ip_address, subnet_mask, gateway, password, anti_rogue, "
                           "ipmode, LLDPonoff from switch_property"),
            (Rows{{kSwitchMac, "SW_1", "lab", "127.0.0.10", "255.0.0.0", "127.0.0.1", "private", "80 00 01", "1",
                   "1"}}));
  EXPECT_EQ(database_.Rows("select name, IsPropertySave from device_list"), (Rows{{"SW_1", "1"}}));
  EXPECT_EQ(sim_.Get(DevSimReference::kSwitch, "1.3.6.1.2.1.1.5.0"), "1.3.6.1.2.1.1.5.0|4|SW_1");
  EXPECT_TRUE(SystemLog().empty());
  EXPECT_TRUE(boxes_.Texts().empty());

  // A second collection keeps the stored row.
  switch_.name = "renamed";
  EXPECT_EQ(switch_.CollectDetails(), 1);
  EXPECT_EQ(database_.Value("select count(*) from switch_property"), "1");
  EXPECT_EQ(database_.Value("select sys_name from switch_property"), "SW_1");
  EXPECT_EQ(database_.Value("select name from device_list"), "renamed");
}

TEST_F(SwitchDetailsTest, LldpOffWritesTheCriticalLineAndStillStoresTheSettings) {
  AddNewDeviceRow();
  SetObject("1.3.6.1.4.1.44711.10.75.3.24.6.0|2|2");

  EXPECT_EQ(switch_.CollectDetails(), 1);
  EXPECT_EQ(SystemLog(), (Rows{{"1", "The switch (mac: 02:44:71:00:00:01, IP: 127.0.0.10) LLDP is disable, attached AP "
                                     "will not be found"}}));
  EXPECT_EQ(database_.Rows("select ip_address, anti_rogue, LLDPonoff from switch_property"),
            (Rows{{"127.0.0.10", "", "2"}}));
}

TEST_F(SwitchDetailsTest, ADatabaseErrorFailsTheCollectionAndLeavesTheDeviceUnmarked) {
  AddNewDeviceRow();
  const std::string sysName = "1.3.6.1.2.1.1.5.0";
  const std::string nameOnSwitch = sim_.Get(DevSimReference::kSwitch, sysName);

  // The properties cannot be stored: nothing else happens.
  ASSERT_TRUE(database_.BreakWrites("switch_property", "INSERT"));
  EXPECT_EQ(switch_.CollectDetails(), 0);
  EXPECT_EQ(database_.Value("select count(*) from switch_property"), "0");
  EXPECT_NE(database_.Value("select IsPropertySave from device_list"), "1");
  EXPECT_EQ(sim_.Get(DevSimReference::kSwitch, sysName), nameOnSwitch);
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"writeSwitchProperty()"});

  // The properties are stored but the new device cannot take its name.
  ASSERT_TRUE(database_.Exec("drop trigger break_switch_property_INSERT"));
  ASSERT_TRUE(database_.BreakWrites("device_list", "UPDATE"));
  EXPECT_EQ(switch_.CollectDetails(), 0);
  EXPECT_EQ(database_.Value("select count(*) from switch_property"), "1");
  EXPECT_NE(database_.Value("select IsPropertySave from device_list"), "1");
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"writeSwitchProperty()", "UpdateNewDeviceName()"}));
}

TEST_F(SwitchDetailsTest, ASwitchThatIsNoNewDeviceLogsTheMarkItCouldNotSet) {
  EXPECT_EQ(switch_.CollectDetails(), 1);
  EXPECT_EQ(database_.Value("select count(*) from switch_property"), "1");
  EXPECT_EQ(SystemLog(), (Rows{{"4", "SetIsSaveProperty failed Mac:02:44:71:00:00:01"}}));
}

TEST_F(SwitchDetailsTest, AFailedSettingsRequestStoresNothing) {
  sim_.Unset(DevSimReference::kSwitch, std::string(kSwitchRoot) + ".11.18.0");
  EXPECT_EQ(switch_.CollectDetails(), 0);
  EXPECT_EQ(database_.Value("select count(*) from switch_property"), "0");
}

TEST_F(SwitchDetailsTest, AStopReturnsMinus100AndStoresNothing) {
  DiscoveryStopObject stop;
  stop.Set(true);
  SetDiscoveryStopObject(&stop);
  EXPECT_EQ(switch_.ReadLldpNeighbours(), kDiscoveryStopped);
  EXPECT_TRUE(switch_.neighbours.empty());
  EXPECT_EQ(switch_.CollectDetails(), kDiscoveryStopped);
  EXPECT_EQ(CheckAntiRoguePort(switch_, 1), -1);  // a stop counts as a failed read
  SetDiscoveryStopObject(nullptr);
  EXPECT_EQ(database_.Value("select count(*) from switch_property"), "0");
  EXPECT_EQ(SystemLog(), (Rows{{"4", "get switch anti-rogue port fail"}}));
}

TEST_F(SwitchDetailsTest, AntiRoguePortCheck) {
  SetObject(std::string(kSwitchRoot) + ".24.2.0|4x|c00000");  // ports 1 and 2
  SetObject(std::string(kSwitchRoot) + ".24.3.1.3.2|4|02 90 00");
  EXPECT_EQ(CheckAntiRoguePort(switch_, 1), 1);  // bit set, the switch's own OUI: blocked
  EXPECT_EQ(CheckAntiRoguePort(switch_, 2), 0);  // bit set, another maker's client
  EXPECT_EQ(CheckAntiRoguePort(switch_, 3), 0);  // bit clear
  EXPECT_TRUE(SystemLog().empty());

  sim_.Unset(DevSimReference::kSwitch, std::string(kSwitchRoot) + ".24.3.1.3.1");
  EXPECT_EQ(CheckAntiRoguePort(switch_, 1), -1);
  EXPECT_EQ(SystemLog(), (Rows{{"4", "get switch client oui fail"}}));
}

TEST_F(SwitchDetailsTest, AntiRoguePortCheckFailsForAModelWithoutAProductRow) {
  switch_.rootOid = "1.3.6.1.4.1.44711.10.76.9";
  EXPECT_EQ(CheckAntiRoguePort(switch_, 1), -1);
  EXPECT_EQ(SystemLog(), (Rows{{"4", "get switch oui from db fail"}}));

  switch_.rootOid = kSwitchRoot;
  sim_.Unset(DevSimReference::kSwitch, std::string(kSwitchRoot) + ".24.2.0");
  EXPECT_EQ(CheckAntiRoguePort(switch_, 1), -1);
  EXPECT_EQ(SystemLog().back(), (std::vector<std::string>{"4", "get switch anti-rogue port fail"}));
}

}  // namespace
