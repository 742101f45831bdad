// The AP configuration pages without their windows: the checks with their texts and controls, and the
// change-list entries each page sends, as tables of cases.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/ApAdvancePageModel.h"
#include "config/ApBasicPageModel.h"
#include "config/ApMacFilterPageModel.h"
#include "config/ApWirelessPageModel.h"
#include "config/CountryCodeTable.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::MessageBoxRecorder;

std::vector<std::string> Texts(const ApSetEntryList& entries) {
  std::vector<std::string> texts;
  for (const CApSetEntry& entry : entries)
    texts.push_back((entry.relative ? "" : "abs:") + entry.oid + "=" + entry.value);
  return texts;
}

const ApSheetContext kCurrent{};
ApSheetContext Mode(ApSheetMode mode) {
  ApSheetContext context;
  context.mode = mode;
  return context;
}

// A static AP on 192.168.1.2/24.
CApBasicPageModel StaticBasic() {
  CApBasicPageModel page;
  page.dhcp = false;
  page.ip = "192.168.1.2";
  page.subnetMask = "255.255.255.0";
  page.gateway = "192.168.1.1";
  page.name = "ap";
  page.location = "lab";
  page.connectionLimit = 20;
  page.countryCode = "840";
  page.managementHost = "192.168.1.10";
  page.Start(kCurrent);
  return page;
}

TEST(ApBasicPageModel, AddressChecksRefuseWithTheFieldAndText) {
  testing_support::TempDatabase database;
  struct Case {
    const char *ip, *mask, *gateway;
    int limit;
    int control;
    const char* text;  // "" passes
  };
  const Case cases[] = {
      {"127.0.0.1", "255.0.0.0", "127.0.0.2", 10, CApBasicPageModel::kIp, "Incorrect IP"},
      {"0.1.2.3", "255.0.0.0", "10.0.0.1", 10, CApBasicPageModel::kIp, "Incorrect IP"},
      {"224.0.0.1", "255.0.0.0", "10.0.0.1", 10, CApBasicPageModel::kIp, "Incorrect IP"},
      {"10.0.0.2", "0.0.0.0", "10.0.0.1", 10, CApBasicPageModel::kSubnetMask, "Please input subnet mask"},
      {"10.0.0.2", "255.0.0.0", "127.0.0.1", 10, CApBasicPageModel::kGateway, "Incorrect Gateway"},
      {"192.168.1.2", "255.255.255.0", "192.168.2.1", 10, CApBasicPageModel::kIp, "Ip/Netmask/Gateway mismatch"},
      {"192.168.1.2", "255.255.255.0", "192.168.1.1", 61, CApBasicPageModel::kConnectionLimit,
       "Connection limit must between 0 and 60"},
      {"192.168.1.2", "255.255.255.0", "192.168.1.1", -1, CApBasicPageModel::kConnectionLimit,
       "Connection limit must between 0 and 60"},
      {"192.168.1.2", "255.255.255.0", "192.168.1.1", 0, 0, ""},
      {"192.168.1.2", "255.255.255.0", "192.168.1.1", 60, 0, ""},
  };
  for (const Case& c : cases) {
    CApBasicPageModel page = StaticBasic();
    page.ip = c.ip;
    page.subnetMask = c.mask;
    page.gateway = c.gateway;
    page.connectionLimit = c.limit;
    const PageCheck failure = page.Check(kCurrent);
    if (*c.text == '\0') {
      EXPECT_FALSE(failure) << c.ip << " " << c.limit;
      continue;
    }
    ASSERT_TRUE(failure) << c.ip;
    EXPECT_EQ(failure->control, c.control) << c.ip;
    EXPECT_EQ(failure->text, c.text) << c.ip;
  }
}

// Leaving the page and OK both check the page: an address another device has is asked about once per
// change, and again only after a No or for another such address.
TEST(ApBasicPageModel, AnAddressInUseIsAskedAboutOncePerChange) {
  testing_support::TempDatabase database;
  for (const char* ip : {"192.168.1.3", "192.168.1.4"})
    ASSERT_TRUE(database.Exec("INSERT INTO device_list_prev (mac, ip) VALUES (?, ?)", {std::string("m") + ip, ip}));
  MessageBoxRecorder boxes;
  const auto question = [](const std::string& ip) {
    return "New IP address " + ip + " already existed in current system,\r\nare you sure to change to new IP address?";
  };
  CApBasicPageModel page = StaticBasic();
  page.ip = "192.168.1.3";
  boxes.ScriptAnswers({platform::IDNO, platform::IDYES});
  EXPECT_TRUE(page.Check(kCurrent)) << "No keeps the user on the address";
  EXPECT_FALSE(page.Check(kCurrent));  // Yes on leaving the page
  EXPECT_FALSE(page.Check(kCurrent));  // OK
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{question("192.168.1.3"), question("192.168.1.3")}));
  page.ip = "192.168.1.4";
  boxes.ScriptAnswers({platform::IDYES});
  EXPECT_FALSE(page.Check(kCurrent));
  EXPECT_EQ(boxes.Texts().size(), 3u) << "another address in use is asked about";
}

TEST(ApBasicPageModel, EntriesFollowTheAddressModeAndTheSheetMode) {
  {
    CApBasicPageModel page = StaticBasic();
    page.dhcp = true;
    ApSetEntryList entries;
    page.AppendEntries(kCurrent, entries);
    EXPECT_EQ(Texts(entries), std::vector<std::string>{".1.10.1.0=1"}) << "static to DHCP";
  }
  {
    CApBasicPageModel page = StaticBasic();
    page.dhcp = true;
    page.Start(kCurrent);
    page.dhcp = false;
    ApSetEntryList entries;
    page.AppendEntries(kCurrent, entries);
    EXPECT_EQ(Texts(entries), (std::vector<std::string>{".1.10.1.0=0", ".1.10.2.0=192.168.1.2",
                                                        ".1.10.4.0=255.255.255.0", ".1.10.3.0=192.168.1.1"}))
        << "DHCP to static sends the unchanged address too";
  }
  {
    CApBasicPageModel page = StaticBasic();
    page.location = "roof";
    page.name = "north";
    ApSetEntryList entries;
    page.AppendEntries(kCurrent, entries);
    EXPECT_EQ(Texts(entries), (std::vector<std::string>{".4.1.0=north", "abs:.1.3.6.1.2.1.1.6.0=roof"}));
  }
  {
    CApBasicPageModel page = StaticBasic();
    ApSetEntryList entries;
    page.AppendEntries(Mode(ApSheetMode::kPrevious), entries);
    EXPECT_EQ(Texts(entries),
              (std::vector<std::string>{".1.10.1.0=0", ".1.10.2.0=192.168.1.2", ".1.10.4.0=255.255.255.0",
                                        ".1.10.3.0=192.168.1.1", ".4.1.0=ap", ".4.16.0=20", ".1.9.0=192.168.1.10",
                                        "abs:.1.3.6.1.2.1.1.6.0=lab"}))
        << "the previous configuration sends everything but the country";
  }
  {
    // The AP answers at another address than the stored one: the stored one is sent back.
    CApBasicPageModel page = StaticBasic();
    ApSheetContext moved;
    moved.storedIp = "192.168.1.99";
    page.Start(moved);
    ApSetEntryList entries;
    page.AppendEntries(moved, entries);
    EXPECT_EQ(Texts(entries), std::vector<std::string>{".1.10.2.0=192.168.1.2"});
  }
}

TEST(ApBasicPageModel, CountryShowsByNameAndSendsItsCode) {
  CApBasicPageModel page = StaticBasic();
  EXPECT_EQ(page.countryName, "United_States");
  page.countryName = "TurKey";
  ApSetEntryList entries;
  page.AppendEntries(kCurrent, entries);
  EXPECT_EQ(Texts(entries), std::vector<std::string>{".1.14.0=794"});

  CApBasicPageModel unknown = StaticBasic();
  unknown.countryCode = "792";
  unknown.Start(kCurrent);
  EXPECT_EQ(unknown.countryName, "") << "a code outside the table selects nothing";
}

TEST(ApBasicPageModel, SyncMarksNameThePreviousValue) {
  const auto marks = CApBasicPageModel::Marks({{"ip", "", "10.0.0.3"}, {"crvAPName", "old", "new"}, {"other", "", ""}});
  ASSERT_EQ(marks.size(), 2u);
  EXPECT_EQ(marks[0].control, 1140);
  EXPECT_EQ(marks[0].tip, "{\\b 'IP address' previous value is : unknown}");
  EXPECT_EQ(marks[1].tip, "{\\b 'Name' previous value is : old}");
}

TEST(CountryCodeTable, SpellingsAndCodesAsTheApsKnowThem) {
  const CountryCodeTable table;
  EXPECT_EQ(table.Entries().size(), 115u);
  EXPECT_EQ(table.Names().front(), "Albania");
  EXPECT_EQ(table.Names().back(), "Zimbabwe");
  const std::pair<int, const char*> byCode[] = {{392, "Japan"}, {398, "Kazakhstan"}, {792, "unknown"}, {0, "unknown"}};
  for (const auto& [code, name] : byCode) EXPECT_EQ(table.GetNameByCode(code), name) << code;
  const std::pair<const char*, int> byName[] = {
      {"TurKey", 794}, {"Turkey", -1}, {"nited_Kingdom", 826}, {"United_Kingdom", -1}, {"unknown", -1}};
  for (const auto& [name, code] : byName) EXPECT_EQ(table.GetCodeByName(name), code) << name;
  for (const CountryCodeEntry& entry : table.Entries()) {
    EXPECT_EQ(table.GetCodeByName(entry.name), entry.code) << entry.name << " occurs once";
    EXPECT_EQ(table.GetNameByCode(entry.code), entry.name) << entry.code << " occurs once";
  }
}

CApAdvancePageModel Advance(int rateCode) {
  CApAdvancePageModel page;
  page.txRate = rateCode;
  page.transmitPower = 0;
  page.beaconInterval = 100;
  page.rtsThreshold = 2346;
  page.fragmentation = 2346;
  page.dtimInterval = 1;
  page.Start();
  return page;
}

TEST(ApAdvancePageModel, RangeChecksAtTheirEdges) {
  struct Case {
    int CApAdvancePageModel::*field;
    int value;
    const char* text;  // "" passes
  };
  using P = CApAdvancePageModel;
  const Case cases[] = {
      {&P::beaconInterval, 20, ""},    {&P::beaconInterval, 1000, ""},
      {&P::beaconInterval, 19, "please input \"Beacon interval\" value between 20 and 1000"},
      {&P::beaconInterval, 1001, "please input \"Beacon interval\" value between 20 and 1000"},
      {&P::rtsThreshold, 256, ""},     {&P::rtsThreshold, 255, "please input \"RTS Threshold\" value between 256 and 2346"},
      {&P::fragmentation, 1500, ""},   {&P::fragmentation, 2347, "please input \"Fragmeatation\" value between 1500 and 2346"},
      {&P::dtimInterval, 5, ""},       {&P::dtimInterval, 0, "please input \"DTIM interval\" value between 1 and 5"},
  };
  for (const Case& c : cases) {
    CApAdvancePageModel page = Advance(0);
    page.*c.field = c.value;
    const PageCheck failure = page.Check();
    EXPECT_EQ(failure ? failure->text : "", c.text) << c.value;
  }
  const PageCheck noRate = Advance(1).Check();
  ASSERT_TRUE(noRate) << "a rate code outside the list selects nothing";
  EXPECT_EQ(noRate->text, "please select TxRate");
  EXPECT_EQ(noRate->control, CApAdvancePageModel::kTxRate);
}

TEST(ApAdvancePageModel, RateAndPowerTravelAsTheApsCodes) {
  const std::pair<const char*, const char*> rates[] = {{"54", "108"}, {"Auto", "0"}, {"5", "11"}};
  for (const auto& [shown, code] : rates) {
    CApAdvancePageModel page = Advance(24);
    const auto& texts = CApAdvancePageModel::RateTexts();
    page.txRate = static_cast<int>(std::find(texts.begin(), texts.end(), shown) - texts.begin());
    ApSetEntryList entries;
    page.AppendEntries(kCurrent, entries);
    EXPECT_EQ(Texts(entries), std::vector<std::string>{std::string(".4.6.0=") + code}) << shown;
  }
  CApAdvancePageModel page = Advance(108);
  page.transmitPower = 3;
  ApSetEntryList entries;
  page.AppendEntries(Mode(ApSheetMode::kReplacement), entries);
  EXPECT_EQ(Texts(entries), (std::vector<std::string>{".4.6.0=108", ".4.7.0=3", ".4.11.0=100", ".4.10.0=2346",
                                                      ".4.12.0=2346", ".4.13.0=1", ".4.15.0=0", ".4.8.0=0",
                                                      ".4.27.0=0"}));
}

TEST(ApAdvancePageModel, SyncMarksByCode) {
  const auto marks = CApAdvancePageModel::Marks(
      {{"crvAPTxRates", "11", ""}, {"crvAPAntennaTransmitPower", "3", ""}, {"crvAPBeaconInterval", "", ""},
       {"crvAPCTSMode", "2", ""}});
  ASSERT_EQ(marks.size(), 4u);
  EXPECT_EQ(marks[0].tip, "{\\b 'Tx rates' previous value is 5.5}");
  EXPECT_EQ(marks[1].tip, "{\\b 'Transmit power' previous value is 12.5%}");
  EXPECT_EQ(marks[2].tip, "Beacon interval previous value is unknown");
  EXPECT_EQ(marks[3].tip, "{\\b 'Cts mode' previous value is Auto}");
}

CApMacFilterPageModel Filter(int type, std::vector<std::string> stored = {}) {
  CApMacFilterPageModel page;
  page.filterType = type;
  for (const std::string& mac : stored) page.filterMacs.push_back({mac, "", -1});
  page.Start();
  return page;
}

std::string NumberedMac(int n) {
  char text[18];
  std::snprintf(text, sizeof text, "02:55:00:00:%02X:%02X", n / 256, n % 256);
  return text;
}

TEST(ApMacFilterPageModel, SixtyEntriesAndTheSixtyFirst) {
  MessageBoxRecorder boxes;
  CApMacFilterPageModel page = Filter(1);
  for (int n = 0; n < 60; ++n) ASSERT_TRUE(page.Add(NumberedMac(n))) << n;
  EXPECT_FALSE(page.Add(NumberedMac(60)));
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"MAC filter's max entry number is 60"});
  page.Delete(0);
  EXPECT_TRUE(page.Add(NumberedMac(60))) << "a deletion makes room again";
}

TEST(ApMacFilterPageModel, AddsAndDeletesTravelAsTwelveDigits) {
  MessageBoxRecorder boxes;
  CApMacFilterPageModel page = Filter(2, {"02:55:00:00:00:01"});
  ASSERT_TRUE(page.Add("02-66-00-00-00-0a"));
  EXPECT_EQ(page.Rows().back(), "02:66:00:00:00:0a");
  EXPECT_FALSE(page.Add("02:66:00:00:00:0A")) << "the same MAC in another form";
  EXPECT_FALSE(page.Add("025500000001")) << "Add takes the 17-character form only";
  ASSERT_TRUE(page.Add("02:77:00:00:00:01"));
  page.Delete(2);  // added in this run: it never reached the AP
  page.Delete(0);  // on the AP
  EXPECT_FALSE(page.Add("not a mac"));
  ApSetEntryList entries;
  page.AppendEntries(kCurrent, entries);
  EXPECT_EQ(Texts(entries), (std::vector<std::string>{".3.2.0=02660000000A", ".3.3.0=025500000001"}));
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"02:66:00:00:00:0a has existed in list",
                                                     "please input valid mac address",
                                                     "please input valid mac address"}));
}

TEST(ApMacFilterPageModel, FilterTypeDecisions) {
  MessageBoxRecorder boxes;
  {
    CApMacFilterPageModel page = Filter(1);
    page.Add("02:66:00:00:00:01");
    page.filterType = 0;
    ApSetEntryList entries;
    page.AppendEntries(kCurrent, entries);
    EXPECT_EQ(Texts(entries), std::vector<std::string>{".3.1.0=0"}) << "disabled drops the run's MACs";
  }
  {
    boxes.ScriptAnswers({platform::IDNO});
    ApSheetContext balancing;
    balancing.loadBalanced = true;
    CApMacFilterPageModel page = Filter(1);
    page.filterType = 2;
    ApSetEntryList entries;
    page.AppendEntries(balancing, entries);
    EXPECT_TRUE(entries.empty()) << "No keeps the old type";
    EXPECT_EQ(page.filterType, 1);
  }
  {
    CApMacFilterPageModel page = Filter(1);
    ApSetEntryList entries;
    page.AppendEntries(Mode(ApSheetMode::kPrevious), entries);
    EXPECT_EQ(Texts(entries), std::vector<std::string>{".3.1.0=1"});
  }
}

// A reachable AP on channel 3 of 11, security off, SuperG disabled, mixed B/G.
CApWirelessPageModel Wireless(int securityCode = 1) {
  CApWirelessPageModel page;
  page.channelCount = 11;
  page.channel = 3;
  page.ssid = "corvath";
  page.superGIndex = 0;
  page.bgModeIndex = 0;
  page.securityCode = securityCode;
  const auto kind = CApSecurityModel::KindOf(securityCode);
  page.securityIndex = kind == CApSecurityModel::kNone ? -1 : kind - 1;
  return page;
}

ApSetEntryList Ok(CApWirelessPageModel& page, const ApSheetContext& context = kCurrent) {
  ApSetEntryList entries;
  const PageCheck failure = page.Check(context);
  EXPECT_FALSE(failure) << (failure ? failure->text : "");
  if (!failure) page.AppendEntries(entries);
  return entries;
}

TEST(ApWirelessPageModel, OnlyWhatChangedIsSent) {
  MessageBoxRecorder boxes;
  CApWirelessPageModel untouched = Wireless();
  untouched.Start();
  EXPECT_TRUE(Ok(untouched).empty());

  CApWirelessPageModel ssid = Wireless();
  ssid.Start();
  ssid.ssid = "north";
  EXPECT_EQ(Texts(Ok(ssid)), std::vector<std::string>{".4.3.0=north"});

  CApWirelessPageModel broadcast = Wireless();
  broadcast.Start();
  broadcast.ssidBroadcast = false;
  EXPECT_EQ(Texts(Ok(broadcast)), std::vector<std::string>{".4.14.0=1"});

  boxes.ScriptAnswers({platform::IDNO});
  ApSheetContext balancing;
  balancing.loadBalanced = true;
  CApWirelessPageModel refused = Wireless();
  refused.Start();
  refused.ssid = "north";
  EXPECT_TRUE(Ok(refused, balancing).empty()) << "No to the question keeps the SSID";
  EXPECT_EQ(refused.ssid, "corvath");

  CApWirelessPageModel back = Wireless();
  back.Start();
  back.ChooseSecurity(2);
  back.ChooseSecurity(0);
  EXPECT_EQ(Texts(Ok(back)), std::vector<std::string>{".4.5.1.0=1"}) << "choosing again counts as a change";
}

TEST(ApWirelessPageModel, SyncMarksGoOnPastAnUnknownSecurityType) {
  const auto marks = CApWirelessPageModel::Marks(
      {{"crvAPSecurityType", "0", "1"}, {"crvAPssid", "", "x"}, {"crvAPSuperG", "2", "0"}, {"crvAPWMMFunc", "", "1"}});
  ASSERT_EQ(marks.size(), 4u);
  EXPECT_EQ(marks[0].tip, "{\\b 'Security type' previous value is 'UNKNOWN'}");
  EXPECT_EQ(marks[1].control, 1178);
  EXPECT_EQ(marks[1].tip, "{\\b 'SSID' previous value is : unknown}");
  EXPECT_EQ(marks[2].tip, "{\\b 'SuperG mode' previous value is 'Super G with Dynamic Turbo'}");
  EXPECT_EQ(marks[3].tip, "{\\b 'Wmm function' previous value is unkonwn}");
}

TEST(ApWirelessPageModel, DynamicTurboTakesChannelSixAlone) {
  MessageBoxRecorder boxes;
  CApWirelessPageModel page = Wireless();
  page.autoChannel = 1;
  page.Start();
  page.ChooseSuperG(CApWirelessPageModel::kDynamicTurbo);
  EXPECT_FALSE(page.autoChannelEnabled);
  EXPECT_FALSE(page.bgModeEnabled);
  EXPECT_EQ(page.channelItems, std::vector<std::string>{"6"});
  EXPECT_FALSE(page.ChooseBgMode(2));
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Can't select 'b' or 'b/g' mode when superG function is enable!"});
  EXPECT_EQ(Texts(Ok(page)),
            (std::vector<std::string>{".4.2.0=6", ".4.4.0=2", ".4.25.0=0", "auto_channel_virtual_oid=0"}));

  CApWirelessPageModel already = Wireless();
  already.superGIndex = CApWirelessPageModel::kDynamicTurbo;
  already.channel = 6;
  already.Start();
  EXPECT_EQ(Texts(Ok(already)), std::vector<std::string>{".4.2.0=6"}) << "re-sent on every OK";
}

TEST(ApWirelessPageModel, Wep64ToWep128InAscii) {
  CApWirelessPageModel page = Wireless(3);
  page.security.keyTypeIndex = 1;
  page.security.defaultKeyIndex = 0;
  page.security.keys = {CApSecurityModel::BytesToHex("abcde"), "", "", ""};
  page.Start();
  EXPECT_EQ(page.security.keyText, "abcde") << "an ASCII key shows as its characters";
  page.ChooseEncryption(1);
  page.ChooseDefaultKey(1);
  EXPECT_EQ(page.security.KeyBoxLength(), 13);
  page.security.keyText = "0123456789abc";
  EXPECT_EQ(Texts(Ok(page)), (std::vector<std::string>{".4.5.1.0=5", ".4.5.4.2.2.0=1", ".4.5.4.1.2.0=1",
                                                      ".4.5.4.3.2.0=1", ".4.5.4.2.4.0=30313233343536373839616263"}));
}

TEST(ApWirelessPageModel, WpaPassPhraseLengths) {
  const std::pair<size_t, const char*> cases[] = {
      {7, "WPA Passphrase length must be 8~64"}, {8, ""}, {64, ""}, {65, "WPA Passphrase length must be 8~64"}};
  for (const auto& [length, text] : cases) {
    CApWirelessPageModel page = Wireless(10);
    page.Start();
    page.security.passPhrase = page.security.confirmedPassPhrase = std::string(length, 'p');
    const PageCheck failure = page.Check(kCurrent);
    EXPECT_EQ(failure ? failure->text : "", text) << length;
    if (failure) {
      EXPECT_EQ(failure->control, CApSecurityModel::kPassPhrase);
    }
  }
  CApWirelessPageModel mismatch = Wireless(8);
  mismatch.Start();
  mismatch.security.passPhrase = "password1";
  mismatch.security.confirmedPassPhrase = "password2";
  EXPECT_EQ(mismatch.Check(kCurrent)->text, "Two WPA Passphrase aren't the same");
}

TEST(ApWirelessPageModel, RadiusInTheReplacementMode) {
  CApWirelessPageModel page = Wireless(11);
  page.security.psk = false;
  page.security.radius1Ip = "10.0.0.5";
  page.security.radius1Port = 1812;
  page.security.radius1Secret = "s1";
  page.Start();
  EXPECT_EQ(Texts(Ok(page, Mode(ApSheetMode::kReplacement))),
            (std::vector<std::string>{".4.25.0=0", ".4.21.0=1", ".4.3.0=corvath", ".4.2.0=3", ".4.4.0=0", ".4.25.0=0",
                                      ".4.20.0=1", ".4.14.0=0", ".4.5.1.0=11", ".4.5.2.0=0", ".4.5.5.1.0=10.0.0.5",
                                      ".4.5.5.2.0=1812", ".4.5.5.3.0=s1", "auto_channel_virtual_oid=0"}))
      << "an empty second server is left out";

  CApWirelessPageModel unset = Wireless(9);
  unset.security.psk = false;
  unset.security.radius2Ip = "0.0.0.0";
  unset.security.radius2Port = 1812;
  EXPECT_EQ(unset.ShowSecurityGroup(), CApSecurityModel::kEapGroup);
  EXPECT_TRUE(unset.security.Radius2Empty()) << "the AP's unset second server shows empty";

  CApWirelessPageModel half = Wireless(9);
  half.security.psk = false;
  half.security.radius1Ip = "10.0.0.5";
  half.security.radius1Secret = "s1";
  half.security.radius2Port = 1812;
  half.Start();
  const PageCheck failure = half.Check(kCurrent);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->text, "Radius server Ip invalid");
  EXPECT_EQ(failure->control, CApSecurityModel::kRadius2Ip);
}

}  // namespace
