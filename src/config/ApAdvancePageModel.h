#pragma once
// The Advance page of an AP's configuration without its window: rate, power, intervals, thresholds,
// preamble, CTS mode and WLAN partition, their range checks and the entries they send.
#include <string>
#include <vector>

#include "config/ApSetEntry.h"
#include "config/ApSheetContext.h"

class CApAdvancePageModel {
 public:
  enum Control {
    kTxRate = 1020, kTransmitPower = 1024, kBeaconInterval = 1032, kRtsThreshold = 1038, kFragmentation = 1053,
    kDtimInterval = 1067,
  };

  // The rate list's texts and the AP's rate codes (500 kbit/s) by position; the power list's texts.
  static const std::vector<std::string>& RateTexts();
  static const std::vector<int>& RateCodes();
  static const std::vector<std::string>& PowerTexts();
  // The position of a rate code; -1 for a code outside the list.
  static int RatePosition(int code);

  int txRate = -1;         // position in the rate list
  int transmitPower = -1;  // position in the power list
  int beaconInterval = 0, rtsThreshold = 0, fragmentation = 0, dtimInterval = 0;
  bool shortPreamble = false;
  int ctsMode = 0;  // 0 none, 1 always, 2 auto
  bool wlanPartitionDisabled = false;

  static std::vector<SyncMark> Marks(const std::vector<ApSyncMarker>& markers);
  // After the fields are filled (txRate holding the AP's rate code): the rate as its position and the
  // starting values.
  void Start();
  PageCheck Check() const;
  void AppendEntries(const ApSheetContext& context, ApSetEntryList& entries);

 private:
  std::vector<int> Values() const;
  std::vector<int> start_;
  std::vector<bool> changed_;
};
