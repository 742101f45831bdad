#pragma once
// An access point. Its private objects live under one fixed root, whatever sysObjectID it reports.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "db/ApBalancingRecord.h"
#include "db/ApChannelRecord.h"
#include "db/ApIdentityRecord.h"
#include "db/PolledProperty.h"
#include "device/Device.h"

inline constexpr const char* kApRootOid = ".1.3.6.1.4.1.44711.1";
// The most MAC filter entries an AP holds; a longer list is read up to here.
inline constexpr int kMaxMacFilterEntries = 60;
// The value stored for a setting the AP did not deliver; it is read again in a later pass.
inline constexpr const char* kGetFail = "GETFAIL";

class CAP : public CDevice {
 public:
  CAP() { type = kDeviceAP; }

  // Base Identify, then the name "AP_%d" and the port count (ifNumber): 1; -1 when the port count
  // cannot be read; -100 when stopping.
  int Identify() override;
  // ifPhysAddress of interface 1.
  int GetMAC(std::string& macText) override;

  // ---- Details of a newly managed AP (APDetails.cpp) ----
  // Reads every polled setting and the chosen automatic channel into the AP's ap_property row, then
  // its MAC filter: 1; -1 when no setting could be read (nothing stored); -100 when stopping.
  int CollectDetails() override;
  // Stores community as the write community of the AP's managed row: 0.
  int SaveCommunity() override;
  // True when the IP mode reads 0; false for any other value, a failed read or a stop.
  bool IsDhcpDisabled();
  // Fills the items' values, five per request and singly for a group the AP refuses ("GETFAIL" for an
  // item it refuses alone): the number of values read; -1 when the AP stopped answering; -100.
  int FetchProperties(std::vector<PolledProperty>& items);
  // Appends the AP's MAC filter entries, at most kMaxMacFilterEntries: their number; -100 when stopping.
  int ReadMacFilterList(std::vector<std::string>& entries);
  // Sets the AP's country code to the one the settings hold when the stored one differs, and restarts
  // the AP when that succeeded: 0 nothing to do or done, -1 a request failed, -100.
  int PushCountryCode();

  // ---- Keeping the stored settings in step with the AP (APSync.cpp) ----
  // Records in differences what changed outside the console and stores the new values: the number
  // counted (0 when the identity cannot be read), -1 when the settings could not be read, -100.
  int SyncProperties();
  // What SyncProperties does (see Outcome); -1 no stored identity, -2 the AP's identity unreadable.
  int CompareIdentity();
  // 0 read; -1 failed; -100.
  int ReadSystemIdentity(ApIdentityRecord& identity);
  // 1 read; 0 failed; -100.
  int ReadChannelState(ApChannelRecord& channel);
  int ReadBalancingState(ApBalancingRecord& balancing);
  // The number of MAC filter differences appended; the stored list is replaced by the AP's when any
  // exists and every entry of the AP is a 17-character MAC. -100.
  int CompareMacFilter();
  // Compares with the stored values after a configuration change: differences recorded, values stored;
  // the number counted or -100. channelFlag: the automatic channel is on.
  int AddWarningList(const std::vector<PolledProperty>& items, int channelFlag);
  // Stores only the channel (modes 2, 5) and the user limit (modes 4, 5) that automatic features
  // changed, recording nothing: the number counted or -100.
  int UpdateChangedProperties(const std::vector<PolledProperty>& items, int mode);

  // Outcomes of CompareIdentity.
  enum Outcome : int {
    kConfigChanged = 0,
    kUnchanged = 1,
    kUnchangedAutoChannel = 2,
    kConfigChangedAutoChannel = 3,
    kUnchangedBalancing = 4,
    kUnchangedBoth = 5,
  };

  std::uint8_t balancingOn = 0;  // 1 once "crvAPWaterLevelBalancing" was read as "1"

 private:
  // GetPollingData then FetchProperties.
  int FetchAllProperties(std::vector<PolledProperty>& items);
  // Steps every comparison shares: true when the item is to be compared further; false when it is
  // unchanged, unknown, an information-only value or a failure on either side (stored where due).
  bool NeedsComparison(const PolledProperty& item, const std::map<std::string, std::string>& stored);
  // Counts an answer: value taken, balancingOn noted.
  void TakeValue(PolledProperty& item, const char* value);
};
