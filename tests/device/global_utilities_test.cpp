// The DB-free global utilities: address texts, MAC normalisers, net masks, recent lists and
// the settings the SNMP wrapper copies.
#include <gtest/gtest.h>

#include <cstring>
#include <mutex>

#include "device/RecentStringList.h"
#include "net/AddressText.h"
#include "settings/GlobalSettings.h"
#include "snmp/y_snmp.h"
#include "support/SnmpDefaults.h"

namespace {

TEST(IsValidIpText, CodesNameTheFirstFault) {
  struct Case {
    const char* text;
    int result;
  } cases[] = {
      {"1.2.3.4", 0},      {"255.255.255.255", 0}, {"010.001.0.09", 0},  // leading zeros accepted
      {"1.2.3", -1},       {"1234567890.1.2.3", -1}, {"", -1},
      {"1..2.3.4", -2},    {"1.2.3.1234", -2},     {".1.2.3.4", -2},    {"1.2.3.4.", -2},
      {"256.1.1.1", -3},   {"1.2.3.a", -3},        {"1.2.3.4 ", -3},    {"1.2.999.4", -3},
      {"1.2.3.4.5", -4},   {"1.2.3", -1},          {"11.22.33", -4},
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidIpText(c.text), c.result) << c.text;
}

TEST(MacTexts, TwelveDigitAndSeventeenCharacterForms) {
  EXPECT_EQ(IsValidMacText("00aAbBcCdDeE"), 0);
  for (const char* bad : {"00aAbBcCdDe", "00aAbBcCdDeE0", "00aAbBcCdDeG", "00:aA:bB:cC"})
    EXPECT_EQ(IsValidMacText(bad), -1) << bad;

  std::string mac = " 00:1A:2b-3C:4d:5E ";
  EXPECT_TRUE(IsValidMacText17(mac));
  EXPECT_EQ(mac, "00:1A:2b-3C:4d:5E");  // the caller sees the trimmed text
  for (std::string bad : {"00:1A:2B:3C:4D", "001A:2B:3C:4D:5E:6", "00 1A 2B 3C 4D 5E", "00:1A:2B:3C:4D:5G"})
    EXPECT_FALSE(IsValidMacText17(bad)) << bad;
}

TEST(MacTexts, SpacedSnmpTextBecomesTheColonForm) {
  char text[32] = "02 44 71 00 AB 01 ";  // as the value printer writes a MAC
  ASSERT_EQ(NormalizeMacSpacing(text, sizeof text), 1);
  EXPECT_STREQ(text, "02 44 71 00 AB 01");
  EXPECT_STREQ(FormatMacColons(text), "02:44:71:00:AB:01");

  struct Case {
    const char* text;
    int length;
    int result;
  } cases[] = {
      {"00:11:22:33:44:55", 32, -2}, {"00 11 22 33 44 5", 32, -1}, {"00 11 22 33 44 55", 17, -1},
      {"00 11 2x 33 44 55", 32, -3}, {"0011 22 33 44 55 6", 32, -2},
  };
  for (const Case& c : cases) {
    char buffer[32];
    std::strcpy(buffer, c.text);
    EXPECT_EQ(NormalizeMacSpacing(buffer, c.length), c.result) << c.text;
    EXPECT_STREQ(buffer, c.text) << "a refused text is left as it was";
  }
}

TEST(ClassfulNetmask, FollowsTheAddressClass) {
  struct Case {
    const char* ip;
    bool ok;
    const char* mask;
  } cases[] = {
      {"10.1.2.3", true, "255.0.0.0"},   {"127.0.0.1", true, "255.0.0.0"},  {"128.0.0.1", true, "255.255.0.0"},
      {"191.255.0.1", true, "255.255.0.0"}, {"192.168.1.1", true, "255.255.255.0"},
      {"223.1.1.1", true, "255.255.255.0"}, {"224.0.0.1", false, "unchanged"}, {"250.0.0.1", false, "unchanged"},
      {"abc", false, "unchanged"},
  };
  for (const Case& c : cases) {
    std::string mask = "unchanged";
    EXPECT_EQ(GetClassfulNetmask(c.ip, mask), c.ok) << c.ip;
    EXPECT_EQ(mask, c.mask) << c.ip;
  }
}

TEST(RecentStrings, NewestFirstBoundedAndWithoutDuplicates) {
  RecentStringList list(10);
  for (int i = 0; i < 10; ++i) AddRecentString(list, "10.0.0." + std::to_string(i));
  ASSERT_EQ(list.items.size(), 9u);  // one below the bound
  EXPECT_EQ(GetRecentString(list, 0), "10.0.0.9");
  EXPECT_EQ(GetRecentString(list, 8), "10.0.0.1");
  EXPECT_EQ(GetRecentString(list, 9), "");
  EXPECT_EQ(GetRecentString(list, -1), "");

  AddRecentString(list, "10.0.0.5");  // already listed: order unchanged
  EXPECT_EQ(GetRecentString(list, 0), "10.0.0.9");
  AddRecentString(list, "10.0.0.09");  // compared exactly
  EXPECT_EQ(GetRecentString(list, 0), "10.0.0.09");
  EXPECT_EQ(g_RecentFromIps.bound, 10);
  EXPECT_EQ(g_RecentEndIps.bound, 10);
}

TEST(RuntimeSettings, EveryWrapperCopiesTheDefaults) {
  SetSnmpDefaults("reader", "writer", 250);
  CYSnmp snmp;
  EXPECT_EQ(snmp.timeout, 250);
  EXPECT_STREQ(snmp.GetIp(), "127.0.0.1");
  SetSnmpDefaults("", "", 0);
  EXPECT_EQ(snmp.timeout, 250) << "a copy, not a reference";
}

}  // namespace
