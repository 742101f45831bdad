#pragma once
// Pushes the default AP parameters to one AP over SNMP: each object in a fixed order, stopping at the
// first the AP refuses; then the commit (apply when only the management host was set, else restart) and
// the values set stored in the AP's property row. One action-log line tells the outcome. Runs on the
// caller's thread and holds no database lock while it talks to the AP.
#include <functional>
#include <string>

#include "config/DefaultParams.h"

class CDefaultParamsPush {
 public:
  // Chooses a channel for the AP at ip; below 1 when there is none.
  using ChannelChooser = std::function<int(const std::string& ip)>;

  // Without a chooser, automatic channel selection fails its step.
  explicit CDefaultParamsPush(ChannelChooser chooseChannel = {});

  // For an AP that has just become managed, when the defaults say to apply them. 0 when not to apply or
  // when the push went through; -1 when a set or the commit failed.
  int ZeroConfigAp(const std::string& ip, const std::string& mac);
  // For a saved AP whose box asked for the defaults: the IP and sysObjectID come from the managed list,
  // the apply flag is not looked at, no channel is chosen, and WEP sets the key type first. 0 or -1.
  int ApplyDefaultParamsToAp(const std::string& mac);

  // 0 when a default management host is configured; otherwise asks whether to set one and, on Yes, runs
  // openPreferences (the "Preferences" sheet with the default-parameters page): 0 when it ends with OK.
  static int ConfirmDefaultManagementHost(const std::function<bool()>& openPreferences);

 private:
  enum class Variant { kZeroConfig, kSavedAp };
  int Push(Variant variant, const CDefaultParams& params, const std::string& ip, const std::string& mac,
           const std::string& sysObjectId);

  ChannelChooser chooseChannel_;
};

// True when the management host is one to send ("" and "0.0.0.0" are none).
bool HasManagementHost(const CDefaultParams& params);
