#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "quillon/ConsoleProtocol.h"

using namespace quillon;

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Element(std::uint16_t type, Bytes value, int declaredLength = -1) {
  const int length = declaredLength >= 0 ? declaredLength : static_cast<int>(value.size() + 4);
  Bytes out(4 + value.size());
  PutU16(&out[0], type);
  PutU16(&out[2], static_cast<std::uint16_t>(length));
  std::copy(value.begin(), value.end(), out.begin() + 4);
  return out;
}

Bytes Text(const std::string& text) { return {text.begin(), text.end()}; }

Bytes Datagram(std::initializer_list<Bytes> elements) {
  Bytes out(kHeaderSize, 0);
  for (const Bytes& element : elements) out.insert(out.end(), element.begin(), element.end());
  return out;
}

ConsoleDeviceRecord SetRecord() {
  ConsoleDeviceRecord r = ConsoleDeviceRecord::Received();
  r.capabilities[0] = 0x2003FF;
  r.interfaceVersion = 3;
  r.password = "pw";
  r.productName = "P";
  r.systemName = "S";
  r.location = "L";
  r.ipAddress = 0x0A000001;
  r.gateway = 0x0A0000FE;
  r.trapIp = 0x0A000063;
  r.subnetMask = 0xFFFFFF00;
  r.dhcpState = 1;
  r.groupInterval = 30;
  return r;
}

std::vector<std::uint16_t> ElementTypes(const Bytes& elements) {
  std::vector<std::uint16_t> types;
  for (std::size_t at = 0; at + 4 <= elements.size(); at += GetU16(&elements[at + 2]))
    types.push_back(GetU16(&elements[at]));
  return types;
}

}  // namespace

TEST(ConsoleProtocol, DiscoveryRequestIsAFortyByteHeader) {
  std::uint8_t buffer[kHeaderSize];
  std::memset(buffer, 0xAA, sizeof buffer);
  ASSERT_EQ(BuildConsoleRequest(buffer, kDiscovery, 0x12345678), 40u);
  Bytes expected(40, 0);
  expected[1] = 2;
  expected[13] = 1;
  expected[16] = 0x12, expected[17] = 0x34, expected[18] = 0x56, expected[19] = 0x78;
  EXPECT_EQ(Bytes(buffer, buffer + 40), expected);
}

TEST(ConsoleProtocol, SetElementsFollowTheCapabilityMaskInTheirFixedOrder) {
  Bytes out(1460);
  ConsoleDeviceRecord r = SetRecord();
  bool ipWritten = false;
  out.resize(BuildConsoleTlvs(out.data(), r, kDhcpOn, &ipWritten));
  EXPECT_TRUE(ipWritten);
  EXPECT_EQ(ElementTypes(out), (std::vector<std::uint16_t>{9, 1, 2, 3, 4, 6, 7, 5, 10, 22}));

  r.capabilities[0] = 0;
  EXPECT_EQ(BuildConsoleTlvs(out.data(), r, kDhcpOn, &ipWritten), 0u) << "a switch without capabilities gets the header only";
  EXPECT_FALSE(ipWritten);
}

TEST(ConsoleProtocol, SwitchingDhcpOnClearsTheFixedAddressesButKeepsTheTrapReceiver) {
  Bytes out(1460);
  out.resize(BuildConsoleTlvs(out.data(), SetRecord(), kDhcpOn));
  // password(6) product(5) system(5) location(5), then 4 6 7 5 as 8 bytes each
  const std::size_t addresses = 6 + 5 + 5 + 5;
  EXPECT_EQ(GetU32(&out[addresses + 4]), 0u);        // IP
  EXPECT_EQ(GetU32(&out[addresses + 12]), 0u);       // gateway
  EXPECT_EQ(GetU32(&out[addresses + 20]), 0x0A000063u);  // trap receiver
  EXPECT_EQ(GetU32(&out[addresses + 28]), 0u);       // mask
  const std::size_t dhcp = addresses + 32;
  EXPECT_EQ(out[dhcp + 1], kDhcp);
  EXPECT_EQ(GetU16(&out[dhcp + 2]), 6);
  EXPECT_EQ(GetU16(&out[dhcp + 4]), 1);
}

// Texts go into their fields in bytes, and a character that does not fit whole is left out.
TEST(ConsoleProtocol, SetTextsAreCutToTheirFieldsOnACharacterBoundary) {
  struct Case {
    std::string systemName;
    std::string sent;
  };
  const std::string eAcute = "\xC3\xA9";  // two bytes
  std::string twentyAccented;
  for (int i = 0; i < 20; ++i) twentyAccented += eAcute;
  const Case cases[] = {
      {std::string(20, 's'), std::string(20, 's')},
      {std::string(21, 's'), std::string(20, 's')},
      {twentyAccented, twentyAccented.substr(0, 20)},                        // ten whole characters
      {std::string(19, 's') + eAcute, std::string(19, 's')},                // the last one would be cut
      {std::string(18, 's') + "\xE2\x82\xAC", std::string(18, 's')},      // a three-byte euro sign
      {std::string(17, 's') + "\xE2\x82\xAC", std::string(17, 's') + "\xE2\x82\xAC"},
  };
  for (const Case& c : cases) {
    ConsoleDeviceRecord r = SetRecord();
    r.capabilities[0] = 0x2;  // the system name alone
    r.systemName = c.systemName;
    Bytes out(1460);
    out.resize(BuildConsoleTlvs(out.data(), r, kDhcpLeave));
    ASSERT_GE(out.size(), 4u);
    EXPECT_EQ(GetU16(&out[0]), kSystemName);
    EXPECT_EQ(GetU16(&out[2]), out.size());
    EXPECT_EQ(std::string(out.begin() + 4, out.end()), c.sent) << c.systemName.size() << " bytes";
  }
}

TEST(ConsoleProtocol, DhcpElementByInterfaceVersionAndAction) {
  struct Case {
    std::uint16_t interfaceVersion;
    std::uint16_t dhcpState;
    int action;
    int expectedLength;  // 0: no DHCP element
    int expectedValue;
  };
  const Case cases[] = {
      {1, 1, kDhcpOn, 5, 1}, {3, 1, kDhcpOn, 6, 1}, {3, 1, kDhcpOff, 6, 0},
      {3, 1, kDhcpLeave, 0, 0}, {3, kDhcpNotReported, kDhcpOn, 0, 0},
  };
  for (const Case& c : cases) {
    ConsoleDeviceRecord r = SetRecord();
    r.capabilities[0] = 0x200;
    r.interfaceVersion = c.interfaceVersion;
    r.dhcpState = c.dhcpState;
    Bytes out(64);
    out.resize(BuildConsoleTlvs(out.data(), r, c.action));
    SCOPED_TRACE(testing::Message() << "interface " << c.interfaceVersion << " state " << c.dhcpState << " action " << c.action);
    if (c.expectedLength == 0) {
      EXPECT_TRUE(out.empty());
      continue;
    }
    ASSERT_EQ(out.size(), static_cast<std::size_t>(c.expectedLength));
    EXPECT_EQ(GetU16(&out[2]), c.expectedLength);
    EXPECT_EQ(c.expectedLength == 5 ? out[4] : GetU16(&out[4]), c.expectedValue);
  }
}

TEST(ConsoleProtocol, ParsesEveryElementKind) {
  ConsoleDeviceRecord r = ConsoleDeviceRecord::Received();
  r.interfaceVersion = 3;
  const Bytes datagram = Datagram({Element(kProductName, Text("Switch 24")), Element(kSystemName, Text("core")),
                                   Element(kLocation, Text("rack 2")), Element(kIpAddress, {10, 0, 0, 7}),
                                   Element(kSubnetMask, {255, 255, 255, 0}), Element(kGateway, {10, 0, 0, 1}),
                                   Element(kTrapAddress, {10, 0, 0, 99}), Element(kFurtherText, Text("ignored")),
                                   Element(kDhcp, {0, 1}), Element(kRawPair, {7, 8}),
                                   Element(kGroupInterval, {0, 0, 0, 45}),
                                   Element(kCapabilities, {0, 0x20, 3, 0xFF, 0, 0, 0, 2, 0, 0, 0, 3, 0xE0, 0, 0, 0})});
  EXPECT_EQ(ParseConsoleTlvs(datagram, r), 1);
  EXPECT_EQ(r.productName, "Switch 24");
  EXPECT_EQ(r.systemName, "core");
  EXPECT_EQ(r.location, "rack 2");
  EXPECT_EQ(r.ipText, "10.0.0.7");
  EXPECT_EQ(r.ipAddress, 0x0A000007u);
  EXPECT_EQ(r.subnetMaskText, "255.255.255.0");
  EXPECT_EQ(r.gatewayText, "10.0.0.1");
  EXPECT_EQ(r.trapIpText, "10.0.0.99");
  EXPECT_EQ(r.dhcpState, 1);
  EXPECT_EQ(r.rawPair, (std::array<std::uint8_t, 2>{7, 8}));
  EXPECT_EQ(r.groupInterval, 45);
  EXPECT_EQ(r.capabilities, (std::array<std::uint32_t, 4>{0x2003FF, 2, 3, 0xE0000000}));
}

TEST(ConsoleProtocol, MalformedElementsEndTheWalkKeepingWhatCameBefore) {
  struct Case {
    const char* what;
    Bytes bad;
  };
  const Case cases[] = {
      {"type 0", Element(0, Text("x"))},
      {"unknown type", Element(77, Text("x"))},
      {"length below 4", Element(kSystemName, Text("evil"), 2)},
      {"length past the datagram", Element(kSystemName, Text("evil"), 400)},
      {"address element too short", Element(kGateway, {10, 0}, 6)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ConsoleDeviceRecord r = ConsoleDeviceRecord::Received();
    ParseConsoleTlvs(Datagram({Element(kProductName, Text("first")), c.bad, Element(kLocation, Text("after"))}), r);
    EXPECT_EQ(r.productName, "first");
    EXPECT_EQ(r.systemName, "");
    EXPECT_EQ(r.gatewayText, "");
    EXPECT_EQ(r.location, "") << "nothing after a malformed element is read";
  }
}

TEST(ConsoleProtocol, OverlongTextsAreCutToTheirFields) {
  ConsoleDeviceRecord r = ConsoleDeviceRecord::Received();
  ParseConsoleTlvs(Datagram({Element(kProductName, Text(std::string(300, 'p'))),
                             Element(kSystemName, Text(std::string(64, 's'))), Element(kPassword, Text(std::string(50, 'w')))}),
                   r);
  EXPECT_EQ(r.productName, std::string(40, 'p'));
  EXPECT_EQ(r.systemName, std::string(20, 's'));
  EXPECT_EQ(r.password, std::string(20, 'w'));
}

TEST(ConsoleProtocol, InterfaceVersionOneReadsAOneByteDhcpState) {
  ConsoleDeviceRecord r = ConsoleDeviceRecord::Received();
  r.interfaceVersion = 1;
  ParseConsoleTlvs(Datagram({Element(kDhcp, {1}), Element(kLocation, Text("next"))}), r);
  EXPECT_EQ(r.dhcpState, 1);
  EXPECT_EQ(r.location, "next");
}

TEST(ConsoleProtocol, HexTextAndMacText) {
  std::vector<std::uint8_t> upper, lower, odd, refused{9};
  EXPECT_EQ(HexTextToBytes("00E0FC", upper), 0);
  EXPECT_EQ(HexTextToBytes("00e0fc", lower), 0);
  EXPECT_EQ(upper, (std::vector<std::uint8_t>{0x00, 0xE0, 0xFC}));
  EXPECT_EQ(lower, upper);
  EXPECT_EQ(HexTextToBytes("abc", odd), 0);
  EXPECT_EQ(odd, std::vector<std::uint8_t>{0xAB}) << "a trailing odd digit is ignored";
  EXPECT_EQ(HexTextToBytes("00E0FZ", refused), -1);
  EXPECT_EQ(refused, std::vector<std::uint8_t>{9}) << "nothing is written for a refused text";
  const std::uint8_t mac[6] = {0x00, 0x1A, 0x2B, 0xC3, 0xD4, 0xFF};
  EXPECT_EQ(MacToText(mac), "001a2bc3d4ff");
}

TEST(ConsoleProtocol, StatusMessages) {
  EXPECT_EQ(StatusMessage(0), "");
  EXPECT_EQ(StatusMessage(2), "Device return : password error");
  EXPECT_EQ(StatusMessage(6), "Device return : dhcp refresh fail");
  EXPECT_EQ(StatusMessage(9), "Device return : unknow error");
  EXPECT_EQ(StatusMessage(0x0F2), "Device return : password error") << "only the low four bits count";
}
