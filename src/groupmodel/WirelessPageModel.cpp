#include "groupmodel/WirelessPageModel.h"

#include <charconv>

#include "controlmodel/MacKeyRules.h"
#include "groupmodel/MacFilterPageModel.h"
#include "net/AddressText.h"
#include "platform/MessageBox.h"
#include "platform/Utf8Text.h"

namespace {

// The limit is a whole number from 1 to 60, nothing else in the text.
bool IsUserLimit(const std::string& text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= 1 && value <= 60;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsPort(int port) { return port >= 0 && port <= 65535; }

// Trims the secret in place; true when 1 to 32 characters remain.
bool TrimSecret(std::string& secret) {
  secret = Trim(secret);
  const size_t length = platform::CharacterCount(secret);
  return length >= 1 && length <= 32;
}

}  // namespace

void CWirelessPageModel::Open(int channels) {
  opening_ = true;
  channelCount = channels;
  if (includeLoadBalance) {
    loadBalanceApplied = 1;
    if (loadBalanceChoice == 0)
      EnableLoadBalance();
    else
      lockedByLoadBalance_ = false;  // a template that does not balance keeps what it includes
  } else {
    loadBalanceApplied = 0;
  }
  if (!includeSsid) ssid = kDefaultSsid;
  keyText = defaultKeyIndex >= 0 && defaultKeyIndex <= 3 ? SlotText(defaultKeyIndex) : std::string();
  SuperGRule(superGIndex);
  opening_ = false;
}

bool CWirelessPageModel::Allowed(Setting setting) {
  return opening_ || skipCheck_ || !check_ || check_->CheckFieldBinding(setting);
}

bool CWirelessPageModel::ToggleInclude(Setting setting) {
  if (!Allowed(setting)) return false;
  SwitchSetting(setting);
  return true;
}

void CWirelessPageModel::SwitchSetting(Setting setting) {
  switch (setting) {
    case kRadio:
      includeRadio = !includeRadio;
      if (includeRadio) radioOn = true;
      break;
    case kSsid:
      includeSsid = !includeSsid;
      break;
    case kChannel:
      includeChannel = !includeChannel;
      if (includeChannel) SetAutoChannelScan(true);  // a newly included channel starts as auto scan
      break;
    case kSuperG:
      if (!includeSuperG && !includeBgMode) {
        includeSuperG = 1;
        const int remembered = superGIndex;
        superGIndex = 0;
        SuperGRule(remembered);
      } else {
        includeSuperG = 0;
        superGIndex = 0;
        turboFixed_ = false;
      }
      break;
    case kBgMode:
      if (!includeBgMode && !includeSuperG) {
        includeBgMode = 1;
        SelectBgMode(0);
      } else {
        includeBgMode = 0;
        bgModeIndex = -1;
      }
      break;
    case kWmm:
      includeWmm = !includeWmm;
      if (includeWmm) wmmEnabled = true;
      break;
    case kSsidBroadcast:
      includeSsidBroadcast = !includeSsidBroadcast;
      if (includeSsidBroadcast) ssidBroadcastEnabled = true;
      break;
    case kSecurity:
      includeSecurity = !includeSecurity;
      if (includeSecurity && loadBalanceApplied != 1) securityIndex = kSecurityDisable;
      break;
  }
}

void CWirelessPageModel::ToggleLoadBalanceInclude() {
  includeLoadBalance = !includeLoadBalance;
  if (includeLoadBalance) {
    loadBalanceChoice = 0;
    EnableLoadBalance();
  } else {
    DisableLoadBalance();
  }
}

void CWirelessPageModel::EnableLoadBalance() {
  if (loadBalanceApplied == 0) platform::MessageBox("Please set the SSID, User limit, Security, and MAC filter");
  loadBalanceChoice = 0;
  lockedByLoadBalance_ = true;
  includeSsid = 0;
  includeSecurity = 0;
  includeUserLimit = 1;
  loadBalanceApplied = 1;
  ToggleInclude(kSsid);
  ToggleInclude(kSecurity);
  if (macFilter_) macFilter_->ForceMacFilter();
}

void CWirelessPageModel::DisableLoadBalance() {
  loadBalanceChoice = 1;
  loadBalanceApplied = 1;
  if (macFilter_) macFilter_->ReleaseMacFilter();
  lockedByLoadBalance_ = false;
  includeSsid = 1;
  includeSecurity = 1;
  includeUserLimit = 0;
  ToggleInclude(kSsid);
  ToggleInclude(kSecurity);
}

void CWirelessPageModel::SelectBgMode(int index) {
  const int remembered = bgModeIndex;
  bgModeIndex = index;
  if (includeBgMode && includeSuperG && superGIndex != 0 && superGIndex != -1 && bgModeIndex != 1 &&
      bgModeIndex != -1) {
    bgModeIndex = remembered;
    platform::MessageBox("Can't select 'b' or 'b/g' mode when superG function is enable!", "error",
                         platform::MB_ICONINFORMATION);
  }
}

void CWirelessPageModel::SelectSuperG(int index) {
  const int remembered = superGIndex;
  superGIndex = index;
  SuperGRule(remembered);
}

void CWirelessPageModel::SuperGRule(int remembered) {
  if (!includeChannel && superGIndex != 2) return;
  if (includeBgMode && includeSuperG && superGIndex != 0 && superGIndex != -1 && bgModeIndex != 1 &&
      bgModeIndex != -1) {
    superGIndex = remembered;
    platform::MessageBox("Can't enable superG function when AP in b or b/g mode!", "error",
                         platform::MB_ICONINFORMATION);
    return;
  }
  if (superGIndex == 2) {  // dynamic turbo runs on channel 6 only
    if (!includeChannel) ToggleInclude(kChannel);
    autoChannelScan = false;
    turboFixed_ = true;
    channelIndex = kTurboChannelIndex;
    return;
  }
  turboFixed_ = false;
  if (remembered == 2) channelIndex = kTurboChannelIndex;
}

void CWirelessPageModel::SetAutoChannelScan(bool on) { autoChannelScan = on; }

std::vector<int> CWirelessPageModel::ChannelChoices() const {
  if (turboFixed_) return {6};
  std::vector<int> channels;
  for (int channel = 1; channel <= channelCount; ++channel) channels.push_back(channel);
  return channels;
}

std::optional<int> CWirelessPageModel::KeyEditLength() const {
  static constexpr int kHex[] = {10, 26, 32};
  static constexpr int kAscii[] = {5, 13, 16};
  const bool sized = wepSizeIndex >= 0 && wepSizeIndex <= 2;
  if (HexKeys()) return sized ? kHex[wepSizeIndex] : 32;
  if (!sized) return std::nullopt;
  return kAscii[wepSizeIndex];
}

void CWirelessPageModel::SelectWepSize(int index) {
  wepSizeIndex = index;
  keyText.clear();
}

void CWirelessPageModel::SelectKeyType(int index) {
  keyTypeIndex = index;
  keyText.clear();
}

std::string CWirelessPageModel::SlotText(int slot) const {
  return HexKeys() ? wepKeys[slot] : CMacKeyRules::HexToBytes(wepKeys[slot]);
}

void CWirelessPageModel::StoreKeyText(int slot) {
  wepKeys[slot] = HexKeys() ? keyText : CMacKeyRules::BytesToHex(keyText);
}

// Slots keep hex text whichever slot is edited, so a key typed as characters is never stored as such.
void CWirelessPageModel::SelectDefaultKey(int index) {
  if (defaultKeyIndex >= 0 && defaultKeyIndex <= 3) StoreKeyText(defaultKeyIndex);
  defaultKeyIndex = index;
  keyText = index >= 0 && index <= 3 ? SlotText(index) : std::string();
}

std::optional<PageFailure> CWirelessPageModel::Validate() {
  if (includeUserLimit && !IsUserLimit(userNumberLimit)) {
    userNumberLimit.clear();
    return PageFailure{kUserLimitEdit, "The user number limit value must be integer from 1 to 60"};
  }
  if (includeBgMode && (bgModeIndex < 0 || bgModeIndex > 2)) return PageFailure{kBgModeList, "please select bgMode"};
  if (includeSsid && ssid.empty()) return PageFailure{kSsidEdit, "please input ssid"};
  // With auto scan the AP picks the channel itself.
  if (includeChannel && !autoChannelScan && channelIndex == -1)
    return PageFailure{kChannelList, "please select channel"};
  if (includeSuperG && superGIndex == -1) return PageFailure{kSuperGList, "please select SuperG mode"};
  if (includeSecurity && securityIndex == -1) return PageFailure{kSecurityList, "please select security type"};
  if (securityIndex == kWep) {
    if (auto failure = ValidateWep()) return failure;
  }
  if (IsWpa()) {
    if (pskMode) {
      if (passphrase != confirmedPassphrase) return PageFailure{kPassphrase, "Two WPA Passphrase aren't the same"};
      const size_t length = platform::CharacterCount(passphrase);
      if (length < 8 || length > 64) return PageFailure{kPassphrase, "WPA Passphrase length must be 8~64"};
    } else if (auto failure = ValidateRadius()) {
      return failure;
    }
  }
  return std::nullopt;
}

std::optional<PageFailure> CWirelessPageModel::ValidateWep() {
  if (wepSizeIndex == -1) return PageFailure{kWepSizeList, "Please select WEP encryption type"};
  if (defaultKeyIndex == -1) return PageFailure{kDefaultKeyList, "Please select WEP default key"};
  if (keyText.empty()) return PageFailure{kKeyEdit, "Please input WEP key"};
  static constexpr size_t kHexLength[] = {10, 26, 32};
  static constexpr size_t kAsciiLength[] = {5, 13, 16};
  static constexpr const char* kHexText[] = {"WEP 64bits HEX key's length must be 10 and 0-F",
                                             "WEP 128bits HEX key's length must be 26",
                                             "WEP 152bits HEX key's length must be 32"};
  static constexpr const char* kAsciiText[] = {"WEP 64bits ASCII key's length must be 5",
                                               "WEP 128bits ASCII key's length must be 13",
                                               "WEP 152bits ASCII key's length must be 16"};
  if (wepSizeIndex >= 0 && wepSizeIndex <= 2) {
    if (HexKeys() && keyText.size() != kHexLength[wepSizeIndex]) return PageFailure{kKeyEdit, kHexText[wepSizeIndex]};
    if (!HexKeys() && keyText.size() != kAsciiLength[wepSizeIndex])
      return PageFailure{kKeyEdit, kAsciiText[wepSizeIndex]};
  }
  if (defaultKeyIndex >= 0 && defaultKeyIndex <= 3) StoreKeyText(defaultKeyIndex);
  return std::nullopt;
}

std::optional<PageFailure> CWirelessPageModel::ValidateRadius() {
  if (IsValidIpText(radius1Ip.c_str()) != 0) return PageFailure{kRadius1Ip, "Radius server Ip invalid"};
  if (!IsPort(radius1Port)) return PageFailure{kRadius1Port, "Radius server Port should between 0 and 65535"};
  if (!TrimSecret(radius1Secret)) return PageFailure{kRadius1Secret, "Radius secret length is (1~32)"};
  if (!radius2Ip.empty() && IsValidIpText(radius2Ip.c_str()) == 0) {
    if (!IsPort(radius2Port)) return PageFailure{kRadius2Port, "Radius server Port should between 0 and 65535"};
    if (!TrimSecret(radius2Secret)) return PageFailure{kRadius2Secret, "Radius secret length is (1~32)"};
    return std::nullopt;
  }
  if (!radius2Ip.empty() || radius2Port != 0 || !radius2Secret.empty())
    return PageFailure{kRadius2Ip, "Radius server Ip invalid"};
  return std::nullopt;
}
