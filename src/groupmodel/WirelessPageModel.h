#pragma once
// The wireless part of a group's template as its page edits it, without windows: every setting with its
// include flag, the rules between B/G mode, Super G and the channel, the security choices and WEP keys,
// load balance (which forces SSID, security, the user limit and the MAC filter into the template), and
// the checks made when the page is left. The page's window shows this state and forwards the user's
// clicks; messages the rules give go through platform::MessageBox.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "groupmodel/FieldBindingCheck.h"
#include "groupmodel/PageFailure.h"

class CMacFilterPageModel;

class CWirelessPageModel {
 public:
  // Control ids of the page; the checks name the control to focus by them.
  enum Control {
    kLoadBalanceBox = 1387, kLoadBalanceEnable = 1384, kLoadBalanceDisable = 1385, kLoadBalanceLabel = 1389,
    kBgModeBox = 1030, kBgModeLabel = 1086, kBgModeList = 1127,
    kRadioBox = 1016, kRadioLabel = 1058, kRadioOn = 1128, kRadioOff = 1130,
    kSsidBox = 1018, kSsidLabel = 1071, kSsidEdit = 1108,
    kChannelBox = 1022, kChannelLabel = 1077, kChannelList = 1115, kAutoScan = 1123,
    kSuperGBox = 1026, kSuperGLabel = 1082, kSuperGList = 1125,
    kWmmBox = 1027, kWmmLabel = 1089, kWmmEnable = 1135, kWmmDisable = 1138,
    kBroadcastBox = 1033, kBroadcastLabel = 1095, kBroadcastEnable = 1141, kBroadcastDisable = 1146,
    kUserLimitBox = 1395, kUserLimitLabel = 1393, kUserLimitEdit = 1394,
    kSecurityBox = 1042, kSecurityLabel = 1100, kSecurityList = 1153,
    kAuthLabel = 1188, kOpenSystem = 1160, kSharedKey = 1166, kWepSizeLabel = 1192, kWepSizeList = 1176,
    kKeyTypeLabel = 1197, kKeyTypeList = 1183, kDefaultKeyLabel = 1199, kDefaultKeyList = 1170,
    kKeyLabel = 1203, kKeyEdit = 1173,
    kCipherLabel = 1215, kTkip = 11050, kAes = 11051, kPskEapLabel = 11054, kPsk = 11052, kEap = 11053,
    kPassphraseLabel = 11055, kPassphrase = 11056, kConfirmLabel = 11057, kConfirm = 11058,
    kRadius1Label = 11060, kRadius1IpLabel = 11061, kRadius1Ip = 11062, kRadius1PortLabel = 11073,
    kRadius1Port = 11063, kRadius1SecretLabel = 11064, kRadius1Secret = 11065,
    kRadius2Label = 11066, kRadius2IpLabel = 11067, kRadius2Ip = 11068, kRadius2PortLabel = 11072,
    kRadius2Port = 11069, kRadius2SecretLabel = 11070, kRadius2Secret = 11071,
  };
  // The settings whose include boxes go to the binding check, by their property index.
  enum Setting { kBgMode = 0, kRadio, kSsid, kChannel, kSuperG, kWmm, kSsidBroadcast, kSecurity };
  enum Security { kSecurityDisable = 0, kWep, kWpa, kWpa2 };
  static constexpr const char* kDefaultSsid = "corvath";
  static constexpr int kTurboChannelIndex = 5;  // channel 6

  // ---- the page's fields (the template mapping reads and writes them) ----
  int includeBgMode = 0, includeRadio = 0, includeSsid = 0, includeChannel = 0, includeSuperG = 0,
      includeWmm = 0, includeSsidBroadcast = 0, includeSecurity = 0;
  std::array<std::string, 4> wepKeys;  // hex text, as the template stores them
  int loadBalanceApplied = 0;
  int channelCount = 11;
  bool radioOn = false;
  bool wmmEnabled = true;
  bool ssidBroadcastEnabled = true;
  std::string ssid;
  int channelIndex = -1;
  bool autoChannelScan = true;
  int superGIndex = 0;  // 0 Disabled, 1 without Turbo, 2 with Dynamic Turbo
  int securityIndex = kSecurityDisable;
  bool openSystem = false;  // authentication: Open System, else Shared Key
  int wepSizeIndex = -1;    // 64, 128, 152 bit
  int keyTypeIndex = -1;    // 0 HEX, any other ASCII
  int defaultKeyIndex = -1;
  std::string keyText;      // the default slot's key while it is edited (characters for ASCII keys)
  bool cipherTkip = false;
  bool pskMode = true;
  std::string passphrase, confirmedPassphrase;
  std::string radius1Ip, radius1Secret, radius2Ip, radius2Secret;
  int radius1Port = 0, radius2Port = 0;
  int bgModeIndex = 0;  // 0 Mixed, 1 G_only, 2 B_only
  int includeLoadBalance = 0;
  int loadBalanceChoice = 1;  // 0 Enable, 1 Disable
  int includeUserLimit = 0;
  std::string userNumberLimit = "60";

  // ---- links ----
  // The binding check asked before an include changes; none (or the skip flag set) asks nothing.
  void SetBindingCheck(IFieldBindingCheck* check) { check_ = check; }
  void SetSkipCheck(bool skip) { skipCheck_ = skip; }
  // The MAC filter page of the same sheet, which load balance forces on and releases.
  void SetMacFilterPage(CMacFilterPageModel* page) { macFilter_ = page; }

  // ---- what the window asks ----
  // Opening the page with the channel count read from an AP.
  void Open(int channels);
  // An include box clicked: false when the binding check refused it.
  bool ToggleInclude(Setting setting);
  void ToggleUserLimitInclude() { includeUserLimit = includeUserLimit ? 0 : 1; }
  void ToggleLoadBalanceInclude();
  void EnableLoadBalance();
  void DisableLoadBalance();
  void SelectBgMode(int index);
  void SelectSuperG(int index);
  void SetAutoChannelScan(bool on);
  void SelectSecurity(int index) { securityIndex = index; }
  void SelectWepSize(int index);
  void SelectKeyType(int index);
  void SelectDefaultKey(int index);
  void SetPskMode(bool psk) { pskMode = psk; }
  // Leaving the page: the first failing check, or none (the key is then stored in its slot).
  std::optional<PageFailure> Validate();
  // After a successful Validate with load balance enabled, the sheet brings up its MAC filter page.
  bool WantsMacFilterPage() const { return includeLoadBalance && loadBalanceChoice == 0; }

  // ---- what the window shows ----
  std::vector<int> ChannelChoices() const;  // channel numbers offered
  bool ChannelFixedByTurbo() const { return turboFixed_; }
  bool LockedByLoadBalance() const { return lockedByLoadBalance_; }
  bool ChannelListEnabled() const { return includeChannel && (turboFixed_ || !autoChannelScan); }
  // The key edit's length limit (the key edit's mode); none while an ASCII key has no size.
  std::optional<int> KeyEditLength() const;
  bool ShowsWepGroup() const { return securityIndex == kWep; }
  bool ShowsPskGroup() const { return IsWpa() && pskMode; }
  bool ShowsEapGroup() const { return IsWpa() && !pskMode; }
  bool IsWpa() const { return securityIndex == kWpa || securityIndex == kWpa2; }
  bool HexKeys() const { return keyTypeIndex == 0; }

 private:
  bool Allowed(Setting setting);
  void SwitchSetting(Setting setting);
  void SuperGRule(int remembered);
  std::string SlotText(int slot) const;
  void StoreKeyText(int slot);
  std::optional<PageFailure> ValidateWep();
  std::optional<PageFailure> ValidateRadius();

  IFieldBindingCheck* check_ = nullptr;
  bool skipCheck_ = true;
  bool opening_ = false;
  CMacFilterPageModel* macFilter_ = nullptr;
  bool turboFixed_ = false;
  bool lockedByLoadBalance_ = false;
};
