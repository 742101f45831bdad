// The switch configuration's pure rules as tables: the anti-rogue text both ways and its port ranges,
// the port-control text of the system-key passes, the System page's address checks and the port
// mapping rows.
#include <gtest/gtest.h>

#include <random>

#include <string>
#include <vector>

#include "config/AntiRogueBitmap.h"
#include "config/PortMapRows.h"
#include "config/SwitchSystemPageModel.h"
#include "config/SystemKeySupport.h"

namespace {

using Bytes = std::vector<unsigned char>;

std::string EnabledPorts(const CAntiRogueBitmap& bitmap, int ports) {
  std::string text;
  for (int port = 1; port <= ports; ++port) text += bitmap.IsSet(port) ? '1' : '0';
  return text;
}

TEST(AntiRogueBitmapTest, StoredTextsLoad) {
  struct Case {
    const char* text;
    int portCount;
    CAntiRogueBitmap::LoadResult result;
    int shown;
    const char* ports;  // every port of the count, 1 for enabled
  } cases[] = {
      {"FF 00 0F ", 24, CAntiRogueBitmap::LoadResult::kLoaded, 24, "111111110000000000001111"},
      {"ff000f", 24, CAntiRogueBitmap::LoadResult::kLoaded, 24, "111111110000000000001111"},
      {" 8 0 0 1 0 0 ", 24, CAntiRogueBitmap::LoadResult::kLoaded, 24, "100000000000000100000000"},
      // 28 ports: 24 offered and listed, the last four keep what the text says.
      {"00 00 00 F0 ", 28, CAntiRogueBitmap::LoadResult::kLoaded, 24, "0000000000000000000000001111"},
      {"FF 00 ", 24, CAntiRogueBitmap::LoadResult::kUnusable, 0, "000000000000000000000000"},
      {"FF 00 00 ", 26, CAntiRogueBitmap::LoadResult::kUnusable, 0, "00000000000000000000000000"},
      {"FF 0G 00 ", 24, CAntiRogueBitmap::LoadResult::kBadCharacter, 12, "111111110000000000000000"},
      {"FF ", -1, CAntiRogueBitmap::LoadResult::kUnusable, 0, ""},
  };
  for (const Case& c : cases) {
    CAntiRogueBitmap bitmap;
    bitmap.SetRange(1, 160, true, 160);  // whatever was there before, a load starts from clear ports
    int shown = -1;
    EXPECT_EQ(bitmap.Load(c.text, c.portCount, shown), c.result) << c.text;
    EXPECT_EQ(shown, c.shown) << c.text;
    EXPECT_EQ(EnabledPorts(bitmap, c.portCount), c.ports) << c.text;
  }
}

TEST(AntiRogueBitmapTest, RangesBecomeBytesAndText) {
  struct Case {
    int portCount;
    const char* stored;
    int from, to;
    bool enable;
    Bytes bytes;
    const char* text;
  } cases[] = {
      {24, "00 00 00 ", 3, 10, true, {0x3F, 0xC0, 0x00}, "3F C0 00 "},
      {24, "FF FF FF ", 9, 16, false, {0xFF, 0x00, 0xFF}, "FF 00 FF "},
      {28, "00 00 00 F0 ", 1, 24, true, {0xFF, 0xFF, 0xFF, 0xF0}, "FF FF FF F0 "},
      {16, "00 00 ", 16, 16, true, {0x00, 0x01}, "00 01 "},
  };
  for (const Case& c : cases) {
    CAntiRogueBitmap bitmap;
    int shown = 0;
    bitmap.Load(c.stored, c.portCount, shown);
    bitmap.SetRange(c.from, c.to, c.enable, c.portCount);
    EXPECT_EQ(bitmap.Bytes(c.portCount), c.bytes) << c.stored << " " << c.from << "-" << c.to;
    EXPECT_EQ(CAntiRogueBitmap::FormatText(bitmap.Bytes(c.portCount)), c.text);
  }
  EXPECT_EQ(CAntiRogueBitmap::OfferedPorts(28), 24);
  EXPECT_EQ(CAntiRogueBitmap::OfferedPorts(-1), 0);
  EXPECT_EQ(CAntiRogueBitmap::ByteCount(28), 4);
}

TEST(PortControlTextTest, GroupsBecomeBytesOrGoOutAsText) {
  struct Case {
    const char* text;
    bool parsed;
    Bytes bytes;
  } cases[] = {
      {"ff 0F 80 ", true, {0xFF, 0x0F, 0x80}},
      {"00 00 ", true, {0x00, 0x00, 0x00}},
      {"01 02 03 04 ", true, {0x01, 0x02, 0x03}},
      {"ff 0F 8 ", false, {}},
      {"ff0F 80 ", false, {}},
      {"zz 00 00 ", true, {0x00, 0x00, 0x00}},
  };
  for (const Case& c : cases) {
    Bytes bytes;
    EXPECT_EQ(CSystemKeySupport::ParsePortControl(c.text, 3, bytes), c.parsed) << c.text;
    if (c.parsed) EXPECT_EQ(bytes, c.bytes) << c.text;
  }
  EXPECT_EQ(CSystemKeySupport::ZeroPortControl(24), "00 00 00 ");
  EXPECT_EQ(CSystemKeySupport::ZeroPortControl(25), "00 00 00 00 ");
}

TEST(SwitchSystemCheckTest, AddressesAreChecked) {
  struct Case {
    bool staticMode;
    const char *ip, *netmask, *gateway;
    const char* message;  // "" when accepted
  } cases[] = {
      {true, "10.0.0.5", "255.255.255.0", "10.0.1.1", "Ip/Netmask/Gateway mismatch"},
      {true, "10.0.0.5", "255.255.255.0", "10.0.0.1", ""},
      {false, "10.0.0.5", "0.0.0.0", "0.0.0.0", ""},
      {true, "0.0.0.0", "255.255.255.0", "10.0.0.1", "Please input IP"},
      {true, "10.0.0.5", "0.0.0.0", "10.0.0.1", "Please input subnet mask"},
      {true, "10.0.0.5", "255.0.0.0", "0.0.0.0", "Please input gateway"},
      {true, "not an address", "255.0.0.0", "10.0.0.1", "Please input IP"},
  };
  for (const Case& c : cases) {
    SwitchSystemInput input;
    input.staticMode = c.staticMode;
    input.dhcpMode = !c.staticMode;
    input.ip = c.ip;
    input.netmask = c.netmask;
    input.gateway = c.gateway;
    EXPECT_EQ(CSwitchSystemPageModel::Check(input).value_or(""), c.message) << c.ip << " " << c.gateway;
  }
}

TEST(PortMapRowsTest, TheSwitchSideIsTheLocalPort) {
  CConnectionRecord out, in, stranger;
  out.srcMac = "S";
  out.destMac = "A";
  out.srcPort = 3;
  out.destPort = 1;
  in.srcMac = "B";
  in.destMac = "S";
  in.srcPort = 7;
  in.destPort = 5;
  stranger.srcMac = "S";
  stranger.destMac = "X";
  stranger.srcPort = 9;
  stranger.destPort = 2;
  const auto rows = BuildPortMapRows("S", {out, in, stranger}, [](const std::string& mac) {
    return mac == "A" ? std::string("10.0.0.2") : mac == "B" ? std::string("10.0.0.3") : std::string();
  });
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].localPort + "|" + rows[0].peerIp + "|" + rows[0].peerPort, "3|10.0.0.2|1");
  EXPECT_EQ(rows[1].localPort + "|" + rows[1].peerIp + "|" + rows[1].peerPort, "5|10.0.0.3|7");
  EXPECT_EQ(rows[2].localPort + "|" + rows[2].peerIp + "|" + rows[2].peerPort, "9||2") << "an unknown peer keeps its ports";
}

}  // namespace

namespace {

// Stored texts and port-control texts come from the database and the devices: any bytes, any port count.
TEST(SwitchTextFuzzTest, AnyTextLoadsWithinTheBitmap) {
  std::mt19937 random(11);
  const std::string alphabet = "0123456789abcdefABCDEFxyz \t\n\x80\xff";
  for (int round = 0; round < 5000; ++round) {
    std::string text(random() % 90, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    const int portCount = static_cast<int>(random() % 200) - 10;
    CAntiRogueBitmap bitmap;
    int shown = -1;
    bitmap.Load(text, portCount, shown);
    ASSERT_GE(shown, 0);
    ASSERT_LE(shown, CAntiRogueBitmap::OfferedPorts(portCount));
    bitmap.SetRange(static_cast<int>(random() % 170) - 5, static_cast<int>(random() % 170), random() % 2, portCount);
    ASSERT_EQ(static_cast<int>(bitmap.Bytes(portCount).size()), CAntiRogueBitmap::ByteCount(portCount));
    std::vector<unsigned char> bytes;
    const int byteCount = static_cast<int>(random() % 25);
    if (CSystemKeySupport::ParsePortControl(text, byteCount, bytes)) ASSERT_EQ(static_cast<int>(bytes.size()), byteCount);
  }
}

}  // namespace
