#include "config/ApAdvancePageModel.h"

#include <algorithm>
#include <cstdlib>

const std::vector<std::string>& CApAdvancePageModel::RateTexts() {
  static const std::vector<std::string> texts = {"Auto", "1",  "2",  "5",  "6",  "9", "11",
                                                 "12",   "18", "24", "36", "48", "54"};
  return texts;
}

const std::vector<int>& CApAdvancePageModel::RateCodes() {
  static const std::vector<int> codes = {0, 2, 4, 11, 12, 18, 22, 24, 36, 48, 72, 96, 108};
  return codes;
}

const std::vector<std::string>& CApAdvancePageModel::PowerTexts() {
  static const std::vector<std::string> texts = {"100%", "50%", "25%", "12.5%"};
  return texts;
}

int CApAdvancePageModel::RatePosition(int code) {
  const auto& codes = RateCodes();
  const auto found = std::find(codes.begin(), codes.end(), code);
  return found == codes.end() ? -1 : static_cast<int>(found - codes.begin());
}

std::vector<SyncMark> CApAdvancePageModel::Marks(const std::vector<ApSyncMarker>& markers) {
  static const std::vector<std::string> rateWords = {"Auto", "1",  "2",  "5.5", "6",  "9", "11",
                                                     "12",   "18", "24", "36",  "48", "54"};
  std::vector<SyncMark> marks;
  // A rate code outside the list keeps the tip of the mark before it.
  std::string tip;
  const auto word = [](const std::string& label, const std::string& value) {
    return "{\\b '" + label + "' previous value is " + value + "}";
  };
  for (const ApSyncMarker& marker : markers) {
    const std::string& p = marker.previous;
    const int value = std::atoi(p.c_str());
    int mark = 0;
    if (marker.property == "crvAPTxRates") {
      mark = 1145;
      const int position = RatePosition(value);
      if (p.empty()) tip = word("Tx rates", "unkonwn");
      else if (position >= 0) tip = word("Tx rates", rateWords[position]);
    } else if (marker.property == "crvAPAntennaTransmitPower") {
      mark = 1148;
      tip = p.empty() ? word("Transmit power", "unkonwn")
            : value >= 0 && value <= 3 ? word("Transmit power", PowerTexts()[value]) : tip;
    } else if (marker.property == "crvAPBeaconInterval") {
      mark = 1152;
      tip = "Beacon interval previous value is " + (p.empty() ? "unknown" : std::to_string(value));
    } else if (marker.property == "crvAPRTSThreshold") {
      mark = 1155;
      tip = "RTS threshold previous value is " + (p.empty() ? "unknown" : std::to_string(value));
    } else if (marker.property == "crvAPFragmentationThreshold") {
      mark = 1159;
      tip = "Fragmentation previous value is " + (p.empty() ? "unknown" : std::to_string(value));
    } else if (marker.property == "crvAPDTIMinterval") {
      mark = 1161;
      tip = "DTIM interval previous value is " + (p.empty() ? "unknown" : std::to_string(value));
    } else if (marker.property == "crvAPPreambleType") {
      mark = 1165;
      tip = p.empty() ? "Preamble type interval previous value is unknown"
                      : word("Preamble type", value == 0 ? "long" : "short");
    } else if (marker.property == "crvAPCTSMode") {
      mark = 1167;
      static const char* const modes[] = {"None", "Always", "Auto"};
      tip = p.empty() ? word("Cts mode", "unknown") : value >= 0 && value <= 2 ? word("Cts mode", modes[value]) : tip;
    } else if (marker.property == "WLAN_Partition") {
      mark = 1166;
      tip = p.empty() ? word("WLAN Partition", "unknown") : word("WLAN Partition", value == 0 ? "enable" : "disable");
    } else {
      continue;
    }
    marks.push_back({mark, tip});
  }
  return marks;
}

std::vector<int> CApAdvancePageModel::Values() const {
  return {txRate, transmitPower, beaconInterval, rtsThreshold, fragmentation, dtimInterval,
          shortPreamble ? 1 : 0, ctsMode, wlanPartitionDisabled ? 1 : 0};
}

void CApAdvancePageModel::Start() {
  txRate = RatePosition(txRate);
  start_ = Values();
  changed_.assign(start_.size(), false);
}

PageCheck CApAdvancePageModel::Check() const {
  const auto range = [](const char* what, int low, int high) {
    return "please input \"" + std::string(what) + "\" value between " + std::to_string(low) + " and " +
           std::to_string(high);
  };
  if (txRate < 0) return PageCheckFailure{kTxRate, "please select TxRate"};
  if (transmitPower < 0) return PageCheckFailure{kTransmitPower, "please select Transmit power"};
  if (beaconInterval < 20 || beaconInterval > 1000)
    return PageCheckFailure{kBeaconInterval, range("Beacon interval", 20, 1000)};
  if (rtsThreshold < 256 || rtsThreshold > 2346)
    return PageCheckFailure{kRtsThreshold, range("RTS Threshold", 256, 2346)};
  if (fragmentation < 1500 || fragmentation > 2346)
    return PageCheckFailure{kFragmentation, range("Fragmeatation", 1500, 2346)};
  if (dtimInterval < 1 || dtimInterval > 5) return PageCheckFailure{kDtimInterval, range("DTIM interval", 1, 5)};
  return std::nullopt;
}

void CApAdvancePageModel::AppendEntries(const ApSheetContext& context, ApSetEntryList& entries) {
  static const char* const oids[] = {".4.6.0", ".4.7.0", ".4.11.0", ".4.10.0", ".4.12.0",
                                     ".4.13.0", ".4.15.0", ".4.8.0", ".4.27.0"};
  const std::vector<int> values = Values();
  for (size_t i = 0; i < values.size(); ++i) {
    changed_[i] = changed_[i] || values[i] != start_[i] || context.SendsEverything();
    if (!changed_[i]) continue;
    const int value = i == 0 && txRate >= 0 && txRate < static_cast<int>(RateCodes().size()) ? RateCodes()[txRate]
                                                                                               : values[i];
    entries.push_back({1, oids[i], std::to_string(value)});
  }
}
