#pragma once
// The Wireless page of an AP's configuration without its window: radio, B/G mode, SSID, channel and its
// automatic choice, SuperG, WMM, SSID broadcast and the security settings; the rules that tie SuperG,
// B/G mode and the channel list together, the checks and the entries sent on OK.
#include <string>
#include <vector>

#include "config/ApSecurityModel.h"
#include "config/ApSetEntry.h"
#include "config/ApSheetContext.h"

class CApWirelessPageModel {
 public:
  enum Control {
    kBgModeLabel = 1086, kBgMode = 1127, kRadioOn = 1128, kRadioOff = 1130, kSsid = 1108, kChannel = 1115,
    kAutoChannel = 1123, kSuperG = 1125, kWmmOn = 1135, kWmmOff = 1138, kBroadcastOn = 1141, kBroadcastOff = 1146,
  };
  static constexpr int kMaxSsid = 32;
  static constexpr int kDynamicTurbo = 2;

  bool radio = true;
  bool wmm = true;
  bool ssidBroadcast = true;
  std::string ssid;
  int channel = -1;          // the AP's channel number as the sheet filled it
  int autoChannel = 0;       // 1: the AP chooses
  int superGIndex = -1;      // 0 disabled, 1 without turbo, 2 dynamic turbo
  int bgModeIndex = -1;      // 0 mixed, 1 G only, 2 B only
  int securityIndex = -1;    // 0 Disable, 1 WEP, 2 WPA, 3 WPA2
  int securityCode = -1;     // the AP's security type code
  CApSecurityModel security;
  int channelCount = 0;      // how many channels the AP offers

  // The channel box: its items, the chosen position (-1 none), and which boxes take input.
  std::vector<std::string> channelItems;
  int channelSelection = -1;
  bool channelEnabled = true, autoChannelEnabled = true, bgModeEnabled = true;

  static std::vector<SyncMark> Marks(const std::vector<ApSyncMarker>& markers);
  // After the fields are filled: the controls' state, then the starting values.
  void Start();
  // The user's choices, with the rules they bring.
  void ChooseSecurity(int index);
  void ChoosePsk(bool pskChosen);
  void ChooseEncryption(int index);
  void ChooseKeyType(int index);
  void ChooseDefaultKey(int index);
  void SetAutoChannel(bool on);
  void ChooseSuperG(int index);
  // False, with the old mode kept and the "error" message shown, for B or B/G with SuperG on.
  bool ChooseBgMode(int index);

  CApSecurityModel::Kind SecurityKind() const;
  // The security group to show. Showing the RADIUS servers turns an AP's unset second server (0.0.0.0,
  // port 1812) into an empty one.
  CApSecurityModel::Group ShowSecurityGroup();
  // 0 when every character is a digit or a letter a-f, else -1.
  static int IsHexText(const std::string& text);
  // The OK checks (after the questions a balancing AP asks); on success the entries can be appended.
  PageCheck Check(const ApSheetContext& context);
  void AppendEntries(ApSetEntryList& entries) const;

 private:
  enum Flag { kFlagBgMode, kFlagRadio, kFlagWmm, kFlagBroadcast, kFlagSsid, kFlagChannel, kFlagAutoChannel,
              kFlagSuperG, kFlagSecurity, kFlagAuthentication, kFlagEncryption, kFlagKeyType, kFlagDefaultKey,
              kFlagKey, kFlagCipher, kFlagPskEap, kFlagPassPhrase, kFlagRadius1Ip, kFlagRadius1Port,
              kFlagRadius1Secret, kFlagRadius2Ip, kFlagRadius2Port, kFlagRadius2Secret, kFlagCount };
  void FillChannelItems();
  int ChannelIndex() const;  // the chosen channel number minus 1; -1 for none
  void DetectChanges(const ApSheetContext& context);

  // The values a change is measured against, taken right after the start.
  struct Snapshot {
    bool radio, wmm, ssidBroadcast;
    std::string ssid;
    int channelIndex, autoChannel, superGIndex, bgModeIndex, securityCode;
    CApSecurityModel security;
  };
  Snapshot TakeSnapshot() const;

  Snapshot initial_{};
  bool changed_[kFlagCount] = {};
};
