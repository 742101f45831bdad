// The wireless page's model: the checks made when the page is left, the rules between B/G mode, Super G
// and the channel, load balance forcing its settings, and WEP keys kept as hex.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "groupmodel/MacFilterPageModel.h"
#include "groupmodel/WirelessPageModel.h"
#include "support/MessageRecorder.h"

namespace {

using M = CWirelessPageModel;

// A binding check that refuses the listed properties and counts what it was asked.
class ScriptedCheck : public IFieldBindingCheck {
 public:
  explicit ScriptedCheck(std::vector<int> refused = {}) : refused_(std::move(refused)) {}
  bool CheckFieldBinding(int property) override {
    asked.push_back(property);
    return std::find(refused_.begin(), refused_.end(), property) == refused_.end();
  }
  std::vector<int> asked;

 private:
  std::vector<int> refused_;
};

class WirelessPageTest : public ::testing::Test {
 protected:
  void SetUp() override { page_.SetMacFilterPage(&macFilter_); }
  testing_support::MessageBoxRecorder boxes_;
  CMacFilterPageModel macFilter_;
  M page_;
};

TEST_F(WirelessPageTest, UserLimitIsAWholeNumberFromOneToSixty) {
  const std::map<std::string, bool> cases = {{"60", true},   {"1", true},    {"61", false}, {"0", false},
                                             {"abc", false}, {"1.5", false}, {"12abc", false}, {"", false}};
  for (const auto& [text, passes] : cases) {
    M page;
    page.includeUserLimit = 1;
    page.userNumberLimit = text;
    const auto failure = page.Validate();
    EXPECT_EQ(!failure, passes) << text;
    if (failure) {
      EXPECT_EQ(*failure, (PageFailure{M::kUserLimitEdit, "The user number limit value must be integer from 1 to 60"}));
      EXPECT_EQ(page.userNumberLimit, "") << "the edit is emptied";
    }
  }
  M excluded;  // not included: not looked at
  excluded.userNumberLimit = "abc";
  EXPECT_FALSE(excluded.Validate());
}

TEST_F(WirelessPageTest, WpaPassphrasesAndRadiusServers) {
  struct Case {
    const char* what;
    void (*set)(M&);
    std::optional<PageFailure> failure;
  };
  const auto psk = [](M& m, std::string phrase) {
    m.securityIndex = M::kWpa;
    m.pskMode = true;
    m.passphrase = m.confirmedPassphrase = phrase;
  };
  const auto eap = [](M& m) {
    m.securityIndex = M::kWpa2;
    m.pskMode = false;
    m.radius1Ip = "10.0.0.5";
    m.radius1Port = 1812;
    m.radius1Secret = "  shared  ";
  };
  const Case cases[] = {
      {"7 characters", [](M& m) { m.securityIndex = M::kWpa; m.passphrase = m.confirmedPassphrase = "1234567"; },
       PageFailure{M::kPassphrase, "WPA Passphrase length must be 8~64"}},
      {"65 characters", [](M& m) { m.securityIndex = M::kWpa; m.passphrase = m.confirmedPassphrase = std::string(65, 'p'); },
       PageFailure{M::kPassphrase, "WPA Passphrase length must be 8~64"}},
      {"8 characters", [](M& m) { m.securityIndex = M::kWpa; m.passphrase = m.confirmedPassphrase = "12345678"; }, std::nullopt},
      {"64 characters", [](M& m) { m.securityIndex = M::kWpa2; m.passphrase = m.confirmedPassphrase = std::string(64, 'p'); },
       std::nullopt},
      {"confirmation differs", [](M& m) { m.securityIndex = M::kWpa; m.passphrase = "12345678"; m.confirmedPassphrase = "12345679"; },
       PageFailure{M::kPassphrase, "Two WPA Passphrase aren't the same"}},
      {"EAP ignores the passphrase", [](M& m) { m.securityIndex = M::kWpa; m.pskMode = false; m.passphrase = "x";
         m.radius1Ip = "10.0.0.5"; m.radius1Secret = "s"; }, std::nullopt},
      {"RADIUS 1 address", [](M& m) { m.securityIndex = M::kWpa; m.pskMode = false; m.radius1Ip = "10.0.0"; m.radius1Secret = "s"; },
       PageFailure{M::kRadius1Ip, "Radius server Ip invalid"}},
      {"RADIUS 1 secret of 33", [](M& m) { m.securityIndex = M::kWpa; m.pskMode = false; m.radius1Ip = "10.0.0.5";
         m.radius1Secret = std::string(33, 's'); }, PageFailure{M::kRadius1Secret, "Radius secret length is (1~32)"}},
      {"RADIUS 1 secret of blanks", [](M& m) { m.securityIndex = M::kWpa; m.pskMode = false; m.radius1Ip = "10.0.0.5";
         m.radius1Secret = "   "; }, PageFailure{M::kRadius1Secret, "Radius secret length is (1~32)"}},
      {"RADIUS 2 partly set", [](M& m) { m.securityIndex = M::kWpa; m.pskMode = false; m.radius1Ip = "10.0.0.5";
         m.radius1Secret = "s"; m.radius2Port = 1812; }, PageFailure{M::kRadius2Ip, "Radius server Ip invalid"}},
      {"RADIUS 2 without secret", [](M& m) { m.securityIndex = M::kWpa; m.pskMode = false; m.radius1Ip = "10.0.0.5";
         m.radius1Secret = "s"; m.radius2Ip = "10.0.0.6"; }, PageFailure{M::kRadius2Secret, "Radius secret length is (1~32)"}},
  };
  for (const Case& c : cases) {
    M page;
    c.set(page);
    EXPECT_EQ(page.Validate(), c.failure) << c.what;
  }
  M blank;
  eap(blank);
  EXPECT_FALSE(blank.Validate()) << "server 2 left blank";
  EXPECT_EQ(blank.radius1Secret, "shared") << "stored without the blanks";
  M second;
  eap(second);
  second.radius2Ip = "10.0.0.6";
  second.radius2Port = 1813;
  second.radius2Secret = " two ";
  EXPECT_FALSE(second.Validate());
  EXPECT_EQ(second.radius2Secret, "two");
  M eight;
  psk(eight, "12345678");
  EXPECT_FALSE(eight.Validate());
}

TEST_F(WirelessPageTest, SuperGAndBgModeExcludeEachOther) {
  page_.Open(11);
  ASSERT_TRUE(page_.ToggleInclude(M::kBgMode));
  EXPECT_EQ(page_.includeBgMode, 1);
  EXPECT_EQ(page_.bgModeIndex, 0);
  ASSERT_TRUE(page_.ToggleInclude(M::kSuperG));
  EXPECT_EQ(page_.includeSuperG, 0) << "Super G is left cleared while B/G mode is included";

  M other;
  other.Open(11);
  other.ToggleInclude(M::kSuperG);
  ASSERT_EQ(other.includeSuperG, 1);
  other.ToggleInclude(M::kBgMode);
  EXPECT_EQ(other.includeBgMode, 0);
  EXPECT_EQ(other.bgModeIndex, -1) << "no B/G mode selected";

  // A template that holds both (Mixed and Super G) refuses turning Super G on.
  M loaded;
  loaded.includeBgMode = loaded.includeSuperG = loaded.includeChannel = 1;
  loaded.autoChannelScan = false;
  loaded.channelIndex = 2;
  loaded.Open(11);
  loaded.SelectSuperG(1);
  EXPECT_EQ(loaded.superGIndex, 0);
  EXPECT_EQ(boxes_.Texts().back(), "Can't enable superG function when AP in b or b/g mode!");
  loaded.superGIndex = 1;
  loaded.SelectBgMode(2);
  EXPECT_EQ(loaded.bgModeIndex, 0);
  EXPECT_EQ(boxes_.Texts().back(), "Can't select 'b' or 'b/g' mode when superG function is enable!");
}

TEST_F(WirelessPageTest, DynamicTurboFixesChannelSix) {
  page_.Open(13);
  EXPECT_EQ(page_.ChannelChoices().size(), 13u);
  page_.ToggleInclude(M::kSuperG);
  page_.SelectSuperG(2);
  EXPECT_EQ(page_.includeChannel, 1);
  EXPECT_TRUE(page_.ChannelFixedByTurbo());
  EXPECT_FALSE(page_.autoChannelScan);
  EXPECT_EQ(page_.ChannelChoices(), std::vector<int>{6});
  EXPECT_EQ(page_.channelIndex, 5);
  EXPECT_FALSE(page_.Validate());
  page_.SelectSuperG(1);
  EXPECT_FALSE(page_.ChannelFixedByTurbo());
  EXPECT_EQ(page_.channelIndex, 5);
  EXPECT_EQ(page_.ChannelChoices().size(), 13u);
}

// Auto scan lets the AP choose, so no channel needs to be selected.
TEST_F(WirelessPageTest, ChannelChecks) {
  page_.Open(11);
  page_.ToggleInclude(M::kChannel);
  EXPECT_TRUE(page_.autoChannelScan) << "a newly included channel starts as auto scan";
  EXPECT_FALSE(page_.Validate());
  page_.SetAutoChannelScan(false);
  EXPECT_EQ(page_.Validate(), (PageFailure{M::kChannelList, "please select channel"}));
  page_.channelIndex = 0;
  EXPECT_FALSE(page_.Validate());
}

TEST_F(WirelessPageTest, LoadBalanceOnAndOff) {
  ScriptedCheck check({M::kSsid});
  page_.SetBindingCheck(&check);
  page_.SetSkipCheck(false);
  page_.Open(11);
  page_.ToggleLoadBalanceInclude();
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"Please set the SSID, User limit, Security, and MAC filter"});
  EXPECT_EQ(page_.loadBalanceChoice, 0);
  EXPECT_TRUE(page_.LockedByLoadBalance());
  EXPECT_EQ(page_.includeSsid, 0) << "refused by the other group's binding";
  EXPECT_EQ(page_.includeSecurity, 1);
  EXPECT_EQ(page_.includeUserLimit, 1);
  EXPECT_TRUE(macFilter_.Forced());
  EXPECT_TRUE(page_.WantsMacFilterPage());

  page_.DisableLoadBalance();
  EXPECT_FALSE(page_.LockedByLoadBalance());
  EXPECT_EQ(page_.includeSecurity, 0);
  EXPECT_EQ(page_.includeUserLimit, 0);
  EXPECT_FALSE(macFilter_.Forced());
  EXPECT_EQ(macFilter_.filterType, -1);
  page_.EnableLoadBalance();
  EXPECT_EQ(boxes_.Texts().size(), 1u) << "the notice comes with the first Enable only";

  // Opened with load balance included as Disable: what the template includes stays.
  M disabled;
  disabled.SetMacFilterPage(&macFilter_);
  disabled.includeLoadBalance = 1;
  disabled.loadBalanceChoice = 1;
  disabled.includeSsid = disabled.includeSecurity = disabled.includeUserLimit = 1;
  disabled.ssid = "lab";
  disabled.Open(11);
  EXPECT_EQ(disabled.includeSsid, 1);
  EXPECT_EQ(disabled.includeSecurity, 1);
  EXPECT_EQ(disabled.includeUserLimit, 1);
  EXPECT_FALSE(disabled.LockedByLoadBalance());
  // Opened as Enable: no notice, and the opening is not put to the binding check.
  ScriptedCheck none;
  M enabled;
  enabled.SetBindingCheck(&none);
  enabled.SetSkipCheck(false);
  enabled.includeLoadBalance = 1;
  enabled.loadBalanceChoice = 0;
  enabled.Open(11);
  EXPECT_TRUE(none.asked.empty());
  EXPECT_EQ(boxes_.Texts().size(), 1u);
  EXPECT_EQ(enabled.includeSsid, 1);
}

TEST_F(WirelessPageTest, ARefusedIncludeStaysAsItWas) {
  ScriptedCheck check({M::kRadio});
  page_.SetBindingCheck(&check);
  page_.SetSkipCheck(false);
  page_.Open(11);
  EXPECT_FALSE(page_.ToggleInclude(M::kRadio));
  EXPECT_EQ(page_.includeRadio, 0);
  EXPECT_TRUE(page_.ToggleInclude(M::kWmm));
  EXPECT_EQ(check.asked, (std::vector<int>{M::kRadio, M::kWmm}));
  page_.SetSkipCheck(true);
  EXPECT_TRUE(page_.ToggleInclude(M::kRadio));
}

TEST_F(WirelessPageTest, AsciiKeysAreKeptAsHex) {
  page_.securityIndex = M::kWep;
  page_.includeSecurity = 1;
  page_.wepSizeIndex = 1;
  page_.keyTypeIndex = 1;
  page_.defaultKeyIndex = 0;
  page_.Open(11);
  EXPECT_EQ(page_.KeyEditLength(), 13);
  page_.keyText = "abcdefghijklm";
  page_.SelectDefaultKey(2);
  EXPECT_EQ(page_.wepKeys[0], "6162636465666768696A6B6C6D") << "the slot left holds hex";
  page_.keyText = "ABCDEFGHIJKLM";
  ASSERT_FALSE(page_.Validate());
  EXPECT_EQ(page_.wepKeys[2], "4142434445464748494A4B4C4D");
  page_.keyText = "short";
  EXPECT_EQ(page_.Validate(), (PageFailure{M::kKeyEdit, "WEP 128bits ASCII key's length must be 13"}));

  M reopened;
  reopened.wepKeys = page_.wepKeys;
  reopened.wepSizeIndex = 1;
  reopened.keyTypeIndex = 1;
  reopened.defaultKeyIndex = 2;
  reopened.Open(11);
  EXPECT_EQ(reopened.keyText, "ABCDEFGHIJKLM");
  M hex;
  hex.securityIndex = M::kWep;
  hex.wepSizeIndex = 0;
  hex.keyTypeIndex = 0;
  hex.defaultKeyIndex = 0;
  hex.keyText = "0123456789A";
  EXPECT_EQ(hex.Validate(), (PageFailure{M::kKeyEdit, "WEP 64bits HEX key's length must be 10 and 0-F"}));
  hex.defaultKeyIndex = -1;
  EXPECT_EQ(hex.Validate(), (PageFailure{M::kDefaultKeyList, "Please select WEP default key"}));
}

}  // namespace
