// A switch's details: its LLDP neighbours joined by row index, its settings stored in switch_property,
// and the anti-rogue port check.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "device/LldpRemoteTable.h"

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

// ---- Joining the four columns ----

struct Row {
  std::string index;  // time mark, local port, remote index
  std::string chassis;
  std::string portId;
  std::string capabilities;
};

void AddRow(CLldpRemoteTable& table, const Row& row) {
  const std::string suffix = "." + row.index;
  auto column = [](CLldpRemoteTable::Column c) { return std::string(CLldpRemoteTable::ColumnOid(c)).substr(1); };
  EXPECT_TRUE(table.Add(CLldpRemoteTable::kChassisId, column(CLldpRemoteTable::kChassisId) + suffix, row.chassis));
  EXPECT_TRUE(table.Add(CLldpRemoteTable::kPortId, column(CLldpRemoteTable::kPortId) + suffix, row.portId));
  EXPECT_TRUE(
      table.Add(CLldpRemoteTable::kCapabilities, column(CLldpRemoteTable::kCapabilities) + suffix, row.capabilities));
}

void AddAddress(CLldpRemoteTable& table, const std::string& index, const std::string& addressPart) {
  EXPECT_TRUE(table.Add(CLldpRemoteTable::kManagementAddress,
                        std::string("1.0.8802.1.1.2.1.4.2.1.4.") + index + "." + addressPart, "0"));
}

TEST(LldpRemoteTableTest, RowsAreJoinedByIndexNotByPosition) {
  CLldpRemoteTable table;
  AddRow(table, {"0.0.1", "02 44 71 00 01 01 ", "eth0", "00 08"});
  AddRow(table, {"0.1.1", "02 44 71 00 01 02", "eth0", "00 08"});  // two addresses
  AddRow(table, {"0.2.1", "02 44 71 00 01 03", "eth0", "00 08"});  // none
  AddRow(table, {"0.3.1", "02 90 00 00 04 01", "Port 3", "00 80"});  // a port id that does not parse
  AddRow(table, {"0.4.1", "02 90 00 00 05 01", "7", "00 14"});
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

TEST(LldpRemoteTableTest, RowsMissingAColumnOrWithABadChassisAreLeftOut) {
  CLldpRemoteTable table;
  AddRow(table, {"0.0.1", "not a mac at all", "eth0", "00 08"});
  AddAddress(table, "0.0.1", "1.4.127.0.0.11");
  EXPECT_TRUE(table.Add(CLldpRemoteTable::kChassisId, "1.0.8802.1.1.2.1.4.1.1.5.0.1.1", "02 44 71 00 01 02"));
  AddAddress(table, "0.1.1", "1.4.127.0.0.12");  // no port id, no capabilities
  EXPECT_TRUE(table.Join(nullptr).empty());

  // Objects of another column, or not a whole row, are refused.
  EXPECT_FALSE(table.Add(CLldpRemoteTable::kChassisId, "1.0.8802.1.1.2.1.4.1.1.7.0.1.1", "eth0"));
  EXPECT_FALSE(table.Add(CLldpRemoteTable::kPortId, "1.0.8802.1.1.2.1.4.1.1.7.0.1", "eth0"));
  EXPECT_FALSE(table.Add(CLldpRemoteTable::kPortId, "not an oid", "eth0"));
}

}  // namespace
