#pragma once
// The radio timing part of a group's template as its page edits it, without windows: nine settings with
// their include flags, the values an include starts from, and the range checks made when the page is
// left. Include boxes 8 to 15 go to the binding check; the WLAN partition box does not.
#include <array>
#include <optional>
#include <string>

#include "groupmodel/FieldBindingCheck.h"
#include "groupmodel/PageFailure.h"

class CAdvancedPageModel {
 public:
  enum Setting { kTxRate = 0, kTxPower, kBeacon, kRts, kFragmentation, kDtim, kPreamble, kCts, kWlanPartition };
  static constexpr int kSettingCount = 9;
  static constexpr int kFirstProperty = 8;  // property index of kTxRate
  enum Control {
    kTxRateList = 1020, kTxPowerList = 1024, kBeaconEdit = 1032, kRtsEdit = 1038, kFragmentationEdit = 1053,
    kDtimEdit = 1067, kShortPreamble = 1074, kLongPreamble = 1080, kCtsNone = 1087, kCtsAlways = 1093,
    kCtsAuto = 1099, kPartitionEnable = 1405, kPartitionDisable = 1404,
  };
  // The include box of each setting, in Setting order.
  static constexpr std::array<int, kSettingCount> kIncludeBoxes = {1102, 1104, 1110, 1117, 1121, 1124, 1126, 1129, 1403};

  std::array<int, kSettingCount> include{};
  int txRateIndex = 0;   // 0 "Auto", then the rates in Mbit/s
  int txPowerIndex = 0;  // 100%, 50%, 25%, 12.5%
  int beaconInterval = 100;
  int rtsThreshold = 2346;
  int fragmentationThreshold = 2346;
  int dtimInterval = 1;
  bool shortPreamble = false;
  int ctsMode = -1;       // 0 None, 1 Always, 2 Auto
  int wlanPartition = 0;  // 1 Disable, 0 Enable, -1 none chosen

  void SetBindingCheck(IFieldBindingCheck* check) { check_ = check; }
  void SetSkipCheck(bool skip) { skipCheck_ = skip; }

  // An include box clicked: false when the binding check refused it.
  bool ToggleInclude(Setting setting);
  std::optional<PageFailure> Validate();

 private:
  IFieldBindingCheck* check_ = nullptr;
  bool skipCheck_ = true;
};
