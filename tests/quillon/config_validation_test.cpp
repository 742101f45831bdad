// The configuration dialog's checks as tables, and what its "Set" composes for a switch.
#include <gtest/gtest.h>

#include "ReplyBuilder.h"
#include "quillon/ConsoleConfigSet.h"
#include "quillon/ConsoleSession.h"
#include "quillon/ConsoleValidators.h"

using namespace quillon;

namespace {

std::uint32_t A(const char* text) { return ParseAddressText(text); }

}  // namespace

TEST(ConsoleValidators, HostAddressesByClass) {
  const std::pair<const char*, int> cases[] = {
      {"0.0.0.0", 0},       {"0.1.2.3", 0},         {"10.0.0.0", 0},        {"10.255.255.255", 0},
      {"10.0.0.1", 1},      {"126.1.1.1", 1},       {"127.0.0.1", 0},       {"128.0.0.1", 0},
      {"128.1.0.0", 0},     {"128.1.255.255", 0},   {"172.16.0.1", 1},      {"191.255.1.1", 1},
      {"192.0.0.1", 0},     {"192.168.1.0", 0},     {"192.168.1.255", 0},   {"192.168.1.1", 1},
      {"223.255.255.1", 1}, {"224.0.0.1", 0},       {"255.255.255.255", 0},
  };
  for (const auto& [address, valid] : cases) EXPECT_EQ(IsValidHostAddress(A(address)), valid) << address;
}

TEST(ConsoleValidators, MasksGatewaysAndHostParts) {
  struct Case {
    const char *address, *mask, *gateway;
    int hostPart, gatewayCheck, contiguous;
  };
  const Case cases[] = {
      {"192.168.1.10", "255.255.255.0", "192.168.1.1", 0, 0, 1},
      {"192.168.1.10", "0.0.0.0", "10.9.9.9", 0, 0, 1},           // mask 0 passes everything
      {"192.168.1.10", "255.255.255.255", "0.0.0.0", 0, 0, 1},    // host part not looked at
      {"192.168.1.10", "255.255.255.255", "192.168.1.10", 0, 0, 1},
      {"192.168.1.10", "255.255.255.255", "192.168.1.11", 0, -1, 1},
      {"192.168.1.1", "255.255.0.255", "0.0.0.0", 0, 0, 0},       // "Invalid subnet"
      {"10.0.0.0", "255.0.0.0", "0.0.0.0", -1, 0, 1},             // host part all zeros
      {"10.255.255.255", "255.0.0.0", "0.0.0.0", -1, 0, 1},       // host part all ones
      {"192.168.1.10", "255.255.255.0", "192.168.2.1", 0, -1, 1},
      {"192.168.1.10", "255.255.254.0", "192.168.0.1", 0, 0, 1},
      {"192.168.1.10", "0.255.255.255", "0.0.0.0", 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.address) + " " + c.mask + " " + c.gateway);
    EXPECT_EQ(CheckHostPart(A(c.address), A(c.mask)), c.hostPart);
    EXPECT_EQ(CheckGatewaySubnet(A(c.address), A(c.gateway), A(c.mask)), c.gatewayCheck);
    EXPECT_EQ(IsContiguousMask(A(c.mask)), c.contiguous);
  }
}

TEST(ConsoleValidators, GroupIntervals) {
  const std::string digits = "Group Interval only includes 0-9";
  const std::string range = "Group Interval value must between 120-1225\n0 means disable switch group interval";
  const std::tuple<const char*, std::optional<int>, std::string> cases[] = {
      {"", 0, ""},         {"0", 0, ""},        {"120", 120, ""},  {"1225", 1225, ""}, {"119", std::nullopt, range},
      {"1226", std::nullopt, range}, {"9999", std::nullopt, range}, {"12a", std::nullopt, digits},
      {"-1", std::nullopt, digits},  {" 120", std::nullopt, digits}, {"0120", 120, ""},
  };
  for (const auto& [text, value, error] : cases) {
    const GroupIntervalCheck check = CheckGroupInterval(text);
    EXPECT_EQ(check.value, value) << text;
    EXPECT_EQ(check.error, error) << text;
  }
}

TEST(ConsoleValidators, AddressTexts) {
  EXPECT_EQ(ParseAddressText("192.168.1.2"), 0xC0A80102u);
  for (const char* unreadable : {"", "1.2.3", "256.1.1.1", "a.b.c.d", "1.2.3.4 "}) EXPECT_EQ(ParseAddressText(unreadable), 0u);
}

namespace {

// A session that knows two switches: 00..aa at 10.0.0.7 (DHCP off) and 00..bb at 10.0.0.8 (DHCP on).
class ConfigSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const auto& [mac, address, dhcp] : {std::tuple{"0011223344aa", 7, 0}, std::tuple{"0011223344bb", 8, 1}}) {
      quillon_test::Reply reply;
      reply.mac = mac;
      reply.Add(kIpAddress, {10, 0, 0, static_cast<std::uint8_t>(address)});
      reply.Add(kDhcp, {0, static_cast<std::uint8_t>(dhcp)});
      reply.Add(kCapabilities, {0, 0x20, 3, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0xE0, 0, 0, 0});
      session_.HandleConsoleDatagram(reply.Bytes(), 0x0A000000u | static_cast<std::uint32_t>(address));
    }
    form_.productName = "Switch 24";
    form_.systemName = "core";
    form_.location = "hall";
    form_.macText = "0011223344aa";
    form_.password = "secret";
    form_.dhcpEnable = false;
    form_.ipAddress = A("10.0.0.7");
    form_.subnetMask = A("255.0.0.0");
    form_.gateway = A("10.0.0.1");
  }
  ConsoleSettings Settings() {
    ConsoleSettings s;
    s.magic = quillon_test::kMagic;
    return s;
  }

  CConsoleSession session_{Settings()};
  ConsoleConfigForm form_;
};

}  // namespace

TEST_F(ConfigSetTest, EachRefusalWithItsMessage) {
  struct Case {
    const char* what;
    std::function<void(ConsoleConfigForm&)> change;
    const char* error;
    const char* caption;
  };
  const Case cases[] = {
      {"no password", [](auto& f) { f.password = ""; }, "Password lengths between 1-20", "Error"},
      {"21 characters", [](auto& f) { f.password = std::string(21, 'x'); }, "Password lengths between 1-20", "Error"},
      {"20 characters in 21 bytes", [](auto& f) { f.password = std::string(19, 'x') + "\xC3\xA9"; },
       "Password lengths between 1-20", "Error"},
      {"no address", [](auto& f) { f.ipAddress = 0; }, "Illegal ip address", "Error"},
      {"another switch's address", [](auto& f) { f.ipAddress = A("10.0.0.8"); },
       "The setting IP have already existed ", "Setting fail"},
      {"host part zero", [](auto& f) { f.ipAddress = A("10.0.0.0"); f.gateway = 0; }, "Subnet mask is illegal", "Error"},
      {"gateway elsewhere", [](auto& f) { f.gateway = A("11.0.0.1"); },
       "Gateway and ip address are not in the same net ", "Error"},
      {"holes in the mask", [](auto& f) { f.ipAddress = A("10.0.1.7"); f.subnetMask = A("255.255.0.255"); f.gateway = 0; }, "Invalid subnet", "Error"},
      {"loopback trap", [](auto& f) { f.trapAddress = A("127.0.0.1"); }, "Error Trap IP", "Error"},
      {"multicast trap", [](auto& f) { f.trapAddress = A("224.0.0.1"); }, "Error Trap IP", "Error"},
      {"broadcast trap", [](auto& f) { f.trapAddress = A("192.168.1.255"); }, "Error Trap IP", "Error"},
      {"letter in interval", [](auto& f) { f.groupIntervalEnabled = true; f.groupIntervalText = "12a"; },
       "Group Interval only includes 0-9", "Error"},
      {"interval 119", [](auto& f) { f.groupIntervalEnabled = true; f.groupIntervalText = "119"; },
       "Group Interval value must between 120-1225\n0 means disable switch group interval", "Error"},
  };
  for (const Case& c : cases) {
    ConsoleConfigForm form = form_;
    c.change(form);
    const ConsoleConfigSet set = ComposeConfigSet(form, session_, 0);
    EXPECT_EQ(set.error, c.error) << c.what;
    EXPECT_EQ(set.caption, c.caption) << c.what;
  }
}

TEST_F(ConfigSetTest, AcceptedFormsAndTheirDhcpActions) {
  // The switch's own address again, trap 0, interval 0 (switches the group interval off).
  form_.groupIntervalEnabled = true;
  form_.groupIntervalText = "0";
  ConsoleConfigSet set = ComposeConfigSet(form_, session_, 0);
  ASSERT_EQ(set.error, "");
  EXPECT_EQ(set.dhcpAction, kDhcpLeave) << "DHCP off on a switch that has it off";
  EXPECT_EQ(set.record.ipAddress, A("10.0.0.7"));
  EXPECT_EQ(set.record.groupInterval, 0);
  EXPECT_EQ(set.record.password, "secret");
  EXPECT_EQ(set.record.capabilities[0], 0x2003FFu) << "the switch's capability words go with the set";
  EXPECT_EQ(set.record.capabilities[3], 0xE0000000u);

  // A password that fills the field's 20 bytes with characters that are not all one byte long.
  form_.password = std::string(16, 'p') + "\xC3\xA9\xC3\xA9";
  EXPECT_EQ(ComposeConfigSet(form_, session_, 0).error, "");
  form_.password = "secret";

  // Enable on a switch without DHCP: the address fields are not read and go out as 0.
  form_.dhcpEnable = true;
  form_.ipAddress = 0;
  form_.gateway = A("99.9.9.9");
  set = ComposeConfigSet(form_, session_, 0);
  ASSERT_EQ(set.error, "");
  EXPECT_EQ(set.dhcpAction, kDhcpOn);
  EXPECT_EQ(set.record.ipAddress, 0u);
  EXPECT_EQ(set.record.gateway, 0u);

  // Enable on a switch already using DHCP sends no DHCP change; Disable on it switches DHCP off.
  form_.macText = "0011223344bb";
  EXPECT_EQ(ComposeConfigSet(form_, session_, 1).dhcpAction, kDhcpLeave);
  form_.dhcpEnable = false;
  form_.ipAddress = A("10.0.0.8");
  form_.gateway = 0;
  EXPECT_EQ(ComposeConfigSet(form_, session_, 1).dhcpAction, kDhcpOff);

  // No DHCP choice at all: the record keeps "not reported", so no DHCP element can go out.
  form_.dhcpEnable.reset();
  set = ComposeConfigSet(form_, session_, 1);
  EXPECT_EQ(set.record.dhcpState, kDhcpNotReported);
  EXPECT_EQ(set.dhcpAction, kDhcpLeave);
  std::uint8_t elements[kMaxDatagram];
  const std::size_t length = BuildConsoleTlvs(elements, set.record, set.dhcpAction);
  for (std::size_t at = 0; at + 4 <= length; at += GetU16(elements + at + 2))
    EXPECT_NE(GetU16(elements + at), kDhcp);
}
