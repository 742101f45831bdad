#include "config/ApWirelessPageModel.h"

#include <cstdlib>

#include "platform/MessageBox.h"

namespace {

std::string Tip(const std::string& label, const std::string& text) {
  return "{\\b '" + label + "' previous value is " + text + "}";
}

}  // namespace

std::vector<SyncMark> CApWirelessPageModel::Marks(const std::vector<ApSyncMarker>& markers) {
  std::vector<SyncMark> marks;
  for (const ApSyncMarker& marker : markers) {
    const std::string& p = marker.previous;
    const int value = std::atoi(p.c_str());
    const std::string& name = marker.property;
    if (name == "crvAPBGMode") {
      static const char* const modes[] = {"b/g", "g_only", "b_only"};
      marks.push_back({1182, Tip("bgMode", p.empty() ? "unknown" : value >= 0 && value <= 2 ? modes[value] : p)});
    } else if (name == "crvAPWirelessRadio") {
      marks.push_back({1175, Tip("Wireless radio", p.empty() ? "unknown" : value == 1 ? "On" : "Off")});
    } else if (name == "crvAPssid") {
      marks.push_back({1178, Tip("SSID", ": " + (p.empty() ? std::string("unknown") : p))});
    } else if (name == "crvAPAutoChannel" || name == "crvAPChannel") {
      marks.push_back({1151, Tip("Channel", ": " + p)});
    } else if (name == "crvAPSuperG") {
      static const char* const modes[] = {"'Disabled'", "'Super G without Turbo'", "'Super G with Dynamic Turbo'",
                                          "'Super G with Static Turbo'"};
      marks.push_back({1158, Tip("SuperG mode", p.empty() ? "'unknown'" : value >= 0 && value <= 3 ? modes[value]
                                                                                                    : "'" + p + "'")});
    } else if (name == "crvAPWMMFunc") {
      marks.push_back({1164, Tip("Wmm function", p.empty() ? "unkonwn" : value == 1 ? "Enable" : "Disable")});
    } else if (name == "crvAPSSIDBroadcast") {
      marks.push_back({1169, Tip("Ssid broadcast", p.empty() ? "unknown" : value == 1 ? "Enable" : "Disable")});
    } else if (name == "crvAPSecurityType") {
      const std::string kind = p == "1" ? "'disable'"
                               : value >= 2 && value <= 7 && p == std::to_string(value) ? "'WEP'"
                               : p == "8" || p == "9" ? "'WPA'"
                               : p == "10" || p == "11" ? "'WPA2'" : "'UNKNOWN'";
      marks.push_back({1172, Tip("Security type", kind)});
    }
  }
  return marks;
}

void CApWirelessPageModel::FillChannelItems() {
  channelItems.clear();
  for (int number = 1; number <= channelCount; ++number) channelItems.push_back(std::to_string(number));
}

int CApWirelessPageModel::ChannelIndex() const {
  if (channelSelection < 0 || channelSelection >= static_cast<int>(channelItems.size())) return -1;
  return std::atoi(channelItems[channelSelection].c_str()) - 1;
}

CApWirelessPageModel::Snapshot CApWirelessPageModel::TakeSnapshot() const {
  return {radio, wmm, ssidBroadcast, ssid, ChannelIndex(), autoChannel, superGIndex, bgModeIndex, securityCode,
          security};
}

void CApWirelessPageModel::Start() {
  FillChannelItems();
  channelSelection = channel - 1;
  channelEnabled = autoChannel != 1;
  if (security.defaultKeyIndex == -1) security.defaultKeyIndex = 0;
  if (security.defaultKeyIndex >= 0 && security.defaultKeyIndex <= 3)
    security.keyText = security.ShownKey(security.keys[security.defaultKeyIndex]);
  std::fill(std::begin(changed_), std::end(changed_), false);
  // An AP already in dynamic turbo gets its one channel back on every OK: the rule marks the channel.
  ChooseSuperG(superGIndex);
  ShowSecurityGroup();
  initial_ = TakeSnapshot();
}

void CApWirelessPageModel::ChooseSecurity(int index) {
  securityIndex = index;
  changed_[kFlagSecurity] = true;
}

void CApWirelessPageModel::ChoosePsk(bool pskChosen) {
  security.psk = pskChosen;
  changed_[kFlagPskEap] = !changed_[kFlagPskEap];
}

void CApWirelessPageModel::ChooseEncryption(int index) {
  security.encryptionIndex = index;
  security.ChangeKeyFormat();
}

void CApWirelessPageModel::ChooseKeyType(int index) {
  security.keyTypeIndex = index;
  security.ChangeKeyFormat();
}

void CApWirelessPageModel::ChooseDefaultKey(int index) {
  changed_[kFlagDefaultKey] = true;
  security.ChangeDefaultKey(index);
}

void CApWirelessPageModel::SetAutoChannel(bool on) {
  autoChannel = on ? 1 : 0;
  channelEnabled = !on;
  if (on) return;
  FillChannelItems();
  channelSelection = -1;
  changed_[kFlagChannel] = true;
}

void CApWirelessPageModel::ChooseSuperG(int index) {
  const int old = superGIndex;
  superGIndex = index;
  bgModeEnabled = index < 1;
  if (index == kDynamicTurbo) {
    // Dynamic turbo runs on channel 6 alone and chooses no channel itself.
    SetAutoChannel(false);
    autoChannelEnabled = false;
    channelItems = {"6"};
    channelSelection = 0;
    bgModeEnabled = false;
    return;
  }
  autoChannelEnabled = true;
  int chosen = ChannelIndex();
  if (old == kDynamicTurbo) chosen = 5;
  FillChannelItems();
  channelSelection = chosen;
}

bool CApWirelessPageModel::ChooseBgMode(int index) {
  if (superGIndex != 0 && index != 1) {
    platform::MessageBox("Can't select 'b' or 'b/g' mode when superG function is enable!", "error",
                         platform::MB_ICONINFORMATION);
    return false;
  }
  bgModeIndex = index;
  return true;
}

CApSecurityModel::Group CApWirelessPageModel::ShowSecurityGroup() {
  const CApSecurityModel::Group group = security.GroupFor(SecurityKind());
  if (group == CApSecurityModel::kEapGroup && security.radius2Ip == "0.0.0.0" && security.radius2Port == 1812) {
    security.radius2Ip.clear();
    security.radius2Port = 0;
  }
  return group;
}

int CApWirelessPageModel::IsHexText(const std::string& text) {
  for (char c : text)
    if (!(c >= '0' && c <= '9') && !(c >= 'a' && c <= 'f')) return -1;
  return 0;
}

CApSecurityModel::Kind CApWirelessPageModel::SecurityKind() const {
  return securityIndex < 0 || securityIndex > 3 ? CApSecurityModel::kNone
                                                : static_cast<CApSecurityModel::Kind>(securityIndex + 1);
}

void CApWirelessPageModel::DetectChanges(const ApSheetContext& context) {
  if (securityIndex >= 0) securityCode = security.CodeFor(SecurityKind());
  const Snapshot& was = initial_;
  changed_[kFlagBgMode] |= bgModeIndex != was.bgModeIndex;
  changed_[kFlagRadio] |= radio != was.radio;
  changed_[kFlagWmm] |= wmm != was.wmm;
  changed_[kFlagBroadcast] |= ssidBroadcast != was.ssidBroadcast;
  if (ssid != was.ssid) {
    bool keep = true;
    if (context.loadBalanced)
      keep = platform::MessageBox("The SSID is different, please use group setting to modify it\nDo you still want "
                                  "to modify the SSID from  '" + was.ssid + "'  to  '" + ssid + "'  ? ",
                                  {}, platform::MB_YESNO) == platform::IDYES;
    if (!keep) ssid = was.ssid;
    changed_[kFlagSsid] = keep;
  }
  changed_[kFlagChannel] |= ChannelIndex() != was.channelIndex;
  changed_[kFlagAutoChannel] |= autoChannel != was.autoChannel;
  changed_[kFlagSuperG] |= superGIndex != was.superGIndex;
  if (securityCode != was.securityCode) {
    bool keep = true;
    if (context.loadBalanced)
      keep = platform::MessageBox("The security policy is different, please use group setting to modify it\nDo you "
                                  "still want to modify it? ", {}, platform::MB_YESNO) == platform::IDYES;
    if (!keep) securityCode = was.securityCode;
    changed_[kFlagSecurity] = keep;
  }
  const bool everything = context.SendsEverything();
  if (everything)
    for (Flag flag : {kFlagBgMode, kFlagRadio, kFlagWmm, kFlagBroadcast, kFlagSsid, kFlagChannel, kFlagAutoChannel,
                      kFlagSuperG, kFlagSecurity})
      changed_[flag] = true;
  const CApSecurityModel& now = security;
  const CApSecurityModel& then = was.security;
  if (securityCode >= 2 && securityCode <= 7) {
    changed_[kFlagAuthentication] |= everything || now.openSystem != then.openSystem;
    changed_[kFlagEncryption] |= everything || now.encryptionIndex != then.encryptionIndex;
    changed_[kFlagKeyType] |= everything || now.keyTypeIndex != then.keyTypeIndex;
    changed_[kFlagDefaultKey] |= everything || now.defaultKeyIndex != then.defaultKeyIndex;
    changed_[kFlagKey] |= everything || now.keyText != then.keyText;
  } else if (securityCode >= 8 && securityCode <= 11) {
    changed_[kFlagCipher] |= everything || now.tkip != then.tkip;
    changed_[kFlagPskEap] |= now.psk != then.psk;
    changed_[kFlagPassPhrase] |= (everything && now.psk) || now.confirmedPassPhrase != then.confirmedPassPhrase;
    const bool radius = everything && !now.psk;
    changed_[kFlagRadius1Ip] |= radius || now.radius1Ip != then.radius1Ip;
    changed_[kFlagRadius1Port] |= radius || now.radius1Port != then.radius1Port;
    changed_[kFlagRadius1Secret] |= radius || now.radius1Secret != then.radius1Secret;
    changed_[kFlagRadius2Ip] |= radius || now.radius2Ip != then.radius2Ip;
    changed_[kFlagRadius2Port] |= radius || now.radius2Port != then.radius2Port;
    changed_[kFlagRadius2Secret] |= radius || now.radius2Secret != then.radius2Secret;
  }
}

PageCheck CApWirelessPageModel::Check(const ApSheetContext& context) {
  DetectChanges(context);
  if (ssid.empty()) return PageCheckFailure{kSsid, "please input ssid"};
  if (autoChannel == 0 && ChannelIndex() == -1) return PageCheckFailure{kChannel, "please select channel"};
  if (superGIndex == -1) return PageCheckFailure{kSuperG, "please select SuperG mode"};
  if (securityCode == -1) return PageCheckFailure{CApSecurityModel::kSecurity, "please select security type"};
  PageCheck failure;
  if (securityCode >= 2 && securityCode <= 7) {
    failure = security.CheckWep();
  } else if (securityCode >= 8) {
    if (security.psk) {
      failure = security.CheckPassPhrase();
    } else {
      failure = security.CheckRadius();
      if (!failure && security.Radius2Empty())
        changed_[kFlagRadius2Ip] = changed_[kFlagRadius2Port] = changed_[kFlagRadius2Secret] = false;
    }
  }
  // The security details' failures leave the sheet on whatever page it shows.
  if (failure) failure->activatePage = false;
  return failure;
}

void CApWirelessPageModel::AppendEntries(ApSetEntryList& entries) const {
  const auto add = [&](const char* oid, const std::string& value) { entries.push_back({1, oid, value}); };
  const auto flag = [](bool on) { return std::string(on ? "1" : "0"); };
  if (changed_[kFlagBgMode]) add(".4.25.0", std::to_string(bgModeIndex));
  if (changed_[kFlagRadio]) add(".4.21.0", flag(radio));
  if (changed_[kFlagSsid]) add(".4.3.0", ssid);
  if (changed_[kFlagChannel]) add(".4.2.0", std::to_string(ChannelIndex() + 1));
  if (changed_[kFlagSuperG]) {
    add(".4.4.0", std::to_string(superGIndex));
    add(".4.25.0", "0");
  }
  if (changed_[kFlagWmm]) add(".4.20.0", flag(wmm));
  if (changed_[kFlagBroadcast]) add(".4.14.0", flag(!ssidBroadcast));
  if (changed_[kFlagSecurity]) add(".4.5.1.0", std::to_string(securityCode));
  const int encryption = security.encryptionIndex;
  if (securityCode >= 2 && securityCode <= 7 && encryption >= 0 && encryption <= 2) {
    if (changed_[kFlagKeyType]) add(".4.5.4.1.1.0", std::to_string(security.keyTypeIndex));
    const std::string block = ".4.5.4." + std::to_string(encryption + 1);
    if (changed_[kFlagDefaultKey]) {
      // The chosen key size's block first, then the other two in block order.
      entries.push_back({1, block + ".2.0", std::to_string(security.defaultKeyIndex)});
      for (int other = 1; other <= 3; ++other)
        if (other != encryption + 1)
          entries.push_back({1, ".4.5.4." + std::to_string(other) + ".2.0", std::to_string(security.defaultKeyIndex)});
    }
    if (changed_[kFlagKey] && security.defaultKeyIndex >= 0 && security.defaultKeyIndex <= 3)
      entries.push_back({1, block + "." + std::to_string(security.defaultKeyIndex + 3) + ".0", security.keyText});
  } else if (securityCode >= 8 && securityCode <= 11) {
    if (changed_[kFlagCipher]) add(".4.5.2.0", security.tkip ? "0" : "1");
    if (!security.psk) {
      if (changed_[kFlagRadius1Ip]) add(".4.5.5.1.0", security.radius1Ip);
      if (changed_[kFlagRadius1Port]) add(".4.5.5.2.0", std::to_string(security.radius1Port));
      if (changed_[kFlagRadius1Secret]) add(".4.5.5.3.0", security.radius1Secret);
      if (changed_[kFlagRadius2Ip]) add(".4.5.6.1.0", security.radius2Ip);
      if (changed_[kFlagRadius2Port]) add(".4.5.6.2.0", std::to_string(security.radius2Port));
      if (changed_[kFlagRadius2Secret]) add(".4.5.6.3.0", security.radius2Secret);
    } else if (changed_[kFlagPassPhrase]) {
      add(".4.5.3.0", security.confirmedPassPhrase);
    }
  }
  if (changed_[kFlagAutoChannel]) entries.push_back({1, CApSetEntry::kAutoChannelOid, autoChannel == 1 ? "1" : "0"});
}
