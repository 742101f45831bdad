// The local-host helpers: address list, host name, adapter mask, the ARP table reader and the ICMP echo.
#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "net/ArpMacLookup.h"
#include "net/HostentInformation.h"
#include "net/IcmpPing.h"
#include "support/TempDir.h"

namespace {

TEST(HostentInformation, LocalListHoldsLoopbackAndKeepsEarlierEntries) {
  CHostentInformation host;
  std::list<std::string> list{"earlier"};
  int count = host.GetLocalIpList(list);
  ASSERT_GE(count, 2);
  EXPECT_EQ(count, static_cast<int>(list.size()));
  EXPECT_EQ(list.front(), "earlier");
  // The management-host check compares APs' trap hosts (127.0.0.1 in the lab) with this list.
  EXPECT_NE(std::find(list.begin(), list.end(), "127.0.0.1"), list.end());
  for (auto it = std::next(list.begin()); it != list.end(); ++it) {
    in_addr parsed{};
    EXPECT_EQ(inet_pton(AF_INET, it->c_str(), &parsed), 1) << *it;
  }
}

TEST(HostentInformation, HostNameAndMask) {
  CHostentInformation host;
  std::string name = host.GetLocalHostName();
  EXPECT_FALSE(name.empty());
  EXPECT_LE(name.size(), 128u);
  EXPECT_TRUE(host.GetBlankText().empty());
  std::string mask = host.GetFirstAdapterMask();
  if (!mask.empty()) {
    in_addr parsed{};
    EXPECT_EQ(inet_pton(AF_INET, mask.c_str(), &parsed), 1) << mask;
    EXPECT_NE(mask, "255.0.0.0") << "the loopback is not an adapter";
  }
}

TEST(HostentInformation, AdapterAddressesCarryTheirMasks) {
  CHostentInformation host;
  std::vector<CHostentInformation::AdapterAddress> addresses{{"earlier", ""}};
  const int appended = host.GetAdapterAddresses(addresses);
  ASSERT_GE(appended, 1);
  EXPECT_EQ(addresses.size(), static_cast<size_t>(appended) + 1);
  const auto loopback = std::find_if(addresses.begin(), addresses.end(), [](const auto& a) { return a.ip == "127.0.0.1"; });
  ASSERT_NE(loopback, addresses.end());
  EXPECT_EQ(loopback->mask, "255.0.0.0");
}

// Examples of RFC 1071 and a real echo request, summed the way the request is built.
TEST(IcmpPing, ChecksumVectors) {
  const std::uint8_t rfc1071[] = {0x00, 0x01, 0xf2, 0x03, 0xf4, 0xf5, 0xf6, 0xf7};
  std::uint16_t sum = CIcmpPing::Checksum(rfc1071, sizeof rfc1071);
  // The RFC's sum is ddf2 in network order; its complement, stored little-endian, reads 22 0d on the wire.
  EXPECT_EQ(sum & 0xFF, 0x22);
  EXPECT_EQ(sum >> 8, 0x0d);

  const std::uint8_t odd[] = {0x01, 0x02, 0x03};  // 0x0201 + 0x03 = 0x0204
  EXPECT_EQ(CIcmpPing::Checksum(odd, sizeof odd), static_cast<std::uint16_t>(~0x0204));
  const std::uint8_t carries[] = {0xff, 0xff, 0xff, 0xff, 0x01, 0x00};  // folds to 0x0001
  EXPECT_EQ(CIcmpPing::Checksum(carries, sizeof carries), 0xFFFE);
  EXPECT_EQ(CIcmpPing::Checksum(nullptr, 0), 0xFFFF);
}

TEST(IcmpPing, EchoRequestLayoutVerifiesToZero) {
  std::uint8_t packet[CIcmpPing::kEchoRequestSize];
  CIcmpPing::BuildEchoRequest(packet, 0x1234, 0xfffe, 0x0A0B0C0D);
  EXPECT_EQ(packet[0], 8);
  EXPECT_EQ(packet[1], 0);
  EXPECT_EQ(packet[4], 0x34);
  EXPECT_EQ(packet[5], 0x12);
  EXPECT_EQ(packet[6], 0xfe);
  EXPECT_EQ(packet[7], 0xff);
  EXPECT_EQ(packet[8], 0);
  EXPECT_EQ(packet[9], 0x0D);
  EXPECT_EQ(packet[12], 0x0A);
  for (int i = 0; i < 32; ++i) EXPECT_EQ(packet[13 + i], 32 + i);
  EXPECT_EQ(CIcmpPing::Checksum(packet, sizeof packet), 0);
  // Same in network order, as a receiver checks it.
  std::uint32_t sum = 0;
  for (size_t i = 0; i + 1 < sizeof packet; i += 2) sum += (packet[i] << 8) | packet[i + 1];
  sum += packet[sizeof packet - 1] << 8;
  while (sum >> 16) sum = (sum >> 16) + (sum & 0xFFFF);
  EXPECT_EQ(sum, 0xFFFFu);
}

TEST(IcmpPing, EchoToLoopbackAnswersAndBadNamesFail) {
  CIcmpPing ping;
  int result = ping.Ping("127.0.0.1");
  if (result == -1) GTEST_SKIP() << "no ICMP socket may be opened here";
  EXPECT_EQ(result, 0);
  EXPECT_EQ(ping.Ping(""), -2);
}

TEST(ArpMacLookup, ReadsCompleteRowsOnly) {
  std::istringstream table(
      "IP address       HW type     Flags       HW address            Mask     Device\n"
      "10.0.0.7         0x1         0x0         00:00:00:00:00:00     *        eth0\n"
      "10.0.0.70        0x1         0x2         02:aa:00:00:00:70     *        eth0\n"
      "10.0.0.7         0x1         0x2         02:AB:CD:00:00:07     *        eth1\n");
  EXPECT_EQ(CArpMacLookup::FindMacInTable(table, "10.0.0.7"), "02 ab cd 00 00 07");
  std::istringstream again(table.str());
  EXPECT_EQ(CArpMacLookup::FindMacInTable(again, "10.0.0.8"), std::nullopt);
}

TEST(ArpMacLookup, ResultCodes) {
  std::string mac = "stale";
  EXPECT_EQ(CArpMacLookup("/nonexistent").GetMacByIp("127.0.0.1", mac), -1);
  EXPECT_TRUE(mac.empty());
  EXPECT_EQ(CArpMacLookup("/nonexistent/arp").GetMacByIp("127.0.0.9", mac), -2);

  if (CIcmpPing().Ping("127.0.0.1") != 0) GTEST_SKIP() << "no ICMP echo here";
  testing_support::TempDir dir;
  std::string path = dir.File("arp");
  std::ofstream(path) << "IP address       HW type     Flags       HW address            Mask     Device\n"
                         "127.0.0.9        0x1         0x2         02:44:71:00:00:09     *        lo\n";
  EXPECT_EQ(CArpMacLookup(path).GetMacByIp("127.0.0.9", mac), 0);
  EXPECT_EQ(mac, "02 44 71 00 00 09");
  EXPECT_EQ(CArpMacLookup(path).GetMacByIp("127.0.0.8", mac), -4);
  EXPECT_TRUE(mac.empty());
}

}  // namespace
