#include "groupmodel/AdvancedPageModel.h"

#include "groupmodel/TextFormat.h"

namespace {
struct Range {
  int control;
  const char* name;
  int low;
  int high;
};
}  // namespace

bool CAdvancedPageModel::ToggleInclude(Setting setting) {
  if (setting != kWlanPartition && !skipCheck_ && check_ && !check_->CheckFieldBinding(kFirstProperty + setting))
    return false;
  int& on = include[setting];
  on = !on;
  if (!on) return true;
  switch (setting) {
    case kTxRate: txRateIndex = 0; break;
    case kTxPower: txPowerIndex = 0; break;
    case kBeacon: beaconInterval = 100; break;
    case kRts: rtsThreshold = 2346; break;
    case kFragmentation: fragmentationThreshold = 2346; break;
    case kDtim: dtimInterval = 1; break;
    case kPreamble: shortPreamble = true; break;
    default: break;
  }
  return true;
}

std::optional<PageFailure> CAdvancedPageModel::Validate() {
  if (include[kTxRate] && txRateIndex == -1) return PageFailure{kTxRateList, "please select TxRate"};
  if (include[kTxPower] && txPowerIndex == -1) return PageFailure{kTxPowerList, "please select Transmit power"};
  const Range ranges[] = {{kBeaconEdit, "Beacon interval", 20, 1000},
                          {kRtsEdit, "RTS Threshold", 256, 2346},
                          {kFragmentationEdit, "Fragmeatation", 1500, 2346},
                          {kDtimEdit, "DTIM interval", 1, 5}};
  const int values[] = {beaconInterval, rtsThreshold, fragmentationThreshold, dtimInterval};
  for (int i = 0; i < 4; ++i) {
    if (!include[kBeacon + i] || (values[i] >= ranges[i].low && values[i] <= ranges[i].high)) continue;
    return PageFailure{ranges[i].control,
                       FormatText("please input \"%s\" value between %s and %s",
                                  {ranges[i].name, std::to_string(ranges[i].low), std::to_string(ranges[i].high)})};
  }
  if (!include[kCts]) {
    ctsMode = -1;
  } else if (ctsMode == -1) {
    return PageFailure{0, "Please select cts mode"};
  }
  return std::nullopt;
}
