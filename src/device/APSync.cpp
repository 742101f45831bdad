// An AP's stored settings kept in step with the AP in each polling pass: what changed outside the console
// becomes a difference record, what the console's automatic features changed is only stored.
#include <algorithm>
#include <cstdlib>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "db/AccessDatabase.h"
#include "db/ApPropertyColumns.h"
#include "db/pollingdb.h"
#include "device/AP.h"
#include "device/DeviceEventLog.h"
#include "net/HostentInformation.h"
#include "platform/DebugTrace.h"

namespace {

const char kConfigId[] = "enterpriseAPSysCfgID";
const char kTrapHost[] = "enterpriseAPSysSNMPTrapIP";
const char kChannel[] = "crvAPChannel";
const char kApName[] = "crvAPName";
const char kWaterLevelBalancing[] = "crvAPWaterLevelBalancing";
const char kUserNumLimit[] = "crvAPUserNumLimit";
const char kFilterProperty[] = "filter_entry";
const char kFilterType[] = "ap_filter_mac";
constexpr size_t kMacTextLength = 17;

bool IsInformationOnly(const std::string& name) {
  return name == "enterpriseAPSysFWVersion" || name == "enterpriseAPSysHWid" ||
         name == "enterpriseAPSysFlashCFGChecksum" || name == "staNumber";
}

bool ReadsAsOne(const std::string& text) { return std::atoi(text.c_str()) == 1; }

bool SameIdentity(const ApIdentityRecord& a, const ApIdentityRecord& b) {
  return a.configId == b.configId && a.firmwareVersion == b.firmwareVersion && a.hardwareId == b.hardwareId &&
         a.flashChecksum == b.flashChecksum;
}

}  // namespace

int CAP::ReadSystemIdentity(ApIdentityRecord& identity) {
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  std::vector<std::string> values;
  if (SnmpSessionFor(ip, community)
          .GetList({rootOid + ".1.11.0", rootOid + ".1.6.0", rootOid + ".1.5.0", rootOid + ".1.7.0"}, values) != 0)
    return -1;
  identity = {values[0], values[1], values[2], values[3]};
  return 0;
}

int CAP::ReadChannelState(ApChannelRecord& channel) {
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  std::vector<std::string> values;
  if (SnmpSessionFor(ip, community).GetList({rootOid + ".4.26.0", rootOid + ".4.2.0"}, values) != 0) return 0;
  channel = {values[0], values[1]};
  return 1;
}

int CAP::ReadBalancingState(ApBalancingRecord& balancing) {
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  std::vector<std::string> values;
  if (SnmpSessionFor(ip, community).GetList({rootOid + ".4.18.0", rootOid + ".4.16.0"}, values) != 0) return 0;
  balancing = {values[0], values[1]};
  return 1;
}

int CAP::CompareIdentity() {
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  CPollingDb polling;
  ApIdentityRecord storedIdentity;
  if (polling.GetCompareInfo(storedIdentity, mac) < 1) return -1;
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  ApIdentityRecord identity;
  if (ReadSystemIdentity(identity) != 0) return -2;

  ApChannelRecord channel;
  const int channelRead = ReadChannelState(channel);
  if (channelRead == kDiscoveryStopped) return kDiscoveryStopped;
  ApChannelRecord storedChannel;
  const int storedChannelRead = polling.GetCompareInfo(storedChannel, mac);
  ApBalancingRecord balancing;
  const int balancingRead = ReadBalancingState(balancing);
  if (balancingRead == kDiscoveryStopped) return kDiscoveryStopped;
  ApBalancingRecord storedBalancing;
  polling.GetCompareInfo(storedBalancing, mac);
  if (IsDiscoveryStopping()) return kDiscoveryStopped;

  const bool autoChannel = channelRead == 1 && ReadsAsOne(channel.autoChannel);
  const bool balancingOnAp = balancingRead == 1 && ReadsAsOne(balancing.waterLevelBalancing);
  if (SameIdentity(identity, storedIdentity)) {
    if (autoChannel && balancingOnAp) return kUnchangedBoth;
    if (autoChannel) return kUnchangedAutoChannel;
    if (balancingOnAp) return kUnchangedBalancing;
    return kUnchanged;
  }
  if (!autoChannel) return kConfigChanged;
  // The automatic channel was switched on outside the console: keep the channel the console had set.
  if (storedChannelRead == 1 && std::atoi(storedChannel.autoChannel.c_str()) == 0) {
    DebugTrace("go into special!!");
    if (polling.updatePreAPChannel(mac, storedChannel.channel) < 1) DebugTrace("set fail!!");
  }
  return kConfigChangedAutoChannel;
}

int CAP::FetchAllProperties(std::vector<PolledProperty>& items) {
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  if (CPollingDb().GetPollingData(items, rootOid) < 0) return -1;
  return FetchProperties(items);
}

int CAP::SyncProperties() {
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  const int outcome = CompareIdentity();
  if (outcome == kDiscoveryStopped) return kDiscoveryStopped;
  if (outcome < 0) return 0;
  if (IsDiscoveryStopping()) return kDiscoveryStopped;

  std::vector<PolledProperty> items;
  if (outcome == kUnchanged) {
    // Only the settings that failed before are read again.
    CPollingDb polling;
    if (polling.readAPFailProperty(&items, mac, rootOid) < 1) return 0;
    const int fetched = FetchProperties(items);
    if (fetched >= 1) polling.UpdateApProperties(items, mac);
    return fetched;
  }

  const int fetched = FetchAllProperties(items);
  if (fetched < 1) return fetched;
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  const int counted = outcome == kConfigChanged || outcome == kConfigChangedAutoChannel
                          ? AddWarningList(items, outcome == kConfigChangedAutoChannel ? 1 : 0)
                          : UpdateChangedProperties(items, outcome);
  if (counted == kDiscoveryStopped) return kDiscoveryStopped;
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  const int filterDifferences = CompareMacFilter();
  if (filterDifferences == kDiscoveryStopped) return kDiscoveryStopped;
  return counted + filterDifferences;
}

bool CAP::NeedsComparison(const PolledProperty& item, const std::map<std::string, std::string>& stored) {
  const auto found = stored.find(item.name);
  if (found == stored.end() || found->second == item.value) return false;
  if (IsInformationOnly(item.name)) {
    CPollingDb().UpdateApProperty(&item, mac);
    return false;
  }
  if (item.value == kGetFail) return false;
  if (found->second == kGetFail) {
    CPollingDb().UpdateApProperty(&item, mac);
    return false;
  }
  return true;
}

int CAP::AddWarningList(const std::vector<PolledProperty>& items, int channelFlag) {
  CPollingDb polling;
  std::map<std::string, std::string> stored;
  polling.GetAPProperty(&stored, mac);
  std::list<std::string> localAddresses;
  CHostentInformation().GetLocalIpList(localAddresses);

  int count = 0;
  for (const PolledProperty& item : items) {
    if (IsDiscoveryStopping()) return kDiscoveryStopped;
    if (!NeedsComparison(item, stored)) continue;
    if (item.name == kTrapHost &&
        std::find(localAddresses.begin(), localAddresses.end(), item.value) == localAddresses.end())
      CDeviceEventLog().LogManagementHostInconsistent(*this);
    if (item.name == kApName) continue;
    const bool storedOnly = (item.name == kChannel && channelFlag) ||
                            (balancingOn && (item.name == kWaterLevelBalancing || item.name == kUserNumLimit));
    if (!storedOnly) {
      if (item.name == kConfigId) {
        CAccessDatabase::WriteActionLog("AP(" + mac + "): Configuration ID change to " + item.value);
      } else {
        AddProperty(mac, item.name, item.value, stored.at(item.name), "ap_property");
        DebugTrace("AddWarningList %s %s %s###", mac.c_str(), item.name.c_str(),
                   db::CApPropertyColumns::Loggable(item.name, item.value).c_str());
      }
    }
    polling.UpdateApProperty(&item, mac);
    ++count;
  }
  return count;
}

int CAP::UpdateChangedProperties(const std::vector<PolledProperty>& items, int mode) {
  CPollingDb polling;
  std::map<std::string, std::string> stored;
  polling.GetAPProperty(&stored, mac);

  int count = 0;
  for (const PolledProperty& item : items) {
    if (IsDiscoveryStopping()) return kDiscoveryStopped;
    if (!NeedsComparison(item, stored)) continue;
    const bool channelMode = mode == kUnchangedAutoChannel || mode == kUnchangedBoth;
    const bool balancingMode = mode == kUnchangedBalancing || mode == kUnchangedBoth;
    if ((item.name == kChannel && channelMode) || (item.name == kUserNumLimit && balancingMode)) {
      polling.UpdateApProperty(&item, mac);
      ++count;
    }
  }
  return count;
}

int CAP::CompareMacFilter() {
  std::vector<std::string> onAp;
  if (ReadMacFilterList(onAp) == kDiscoveryStopped) return kDiscoveryStopped;
  CPollingDb polling;
  std::vector<std::string> stored;
  polling.getFilterEntry(mac, stored);
  if (IsDiscoveryStopping()) return kDiscoveryStopped;

  int count = 0;
  bool malformed = false;
  for (const std::string& entry : onAp) {
    DebugTrace("APMac:%s  Filter:%s!!!\n", mac.c_str(), entry.c_str());
    if (entry.size() != kMacTextLength) {
      malformed = true;
      continue;
    }
    const auto match = std::find_if(stored.begin(), stored.end(), [&](const std::string& storedEntry) {
      DebugTrace("Filter in DB:%s!!!!\n", storedEntry.c_str());
      return storedEntry == entry;
    });
    if (match != stored.end()) {
      stored.erase(match);
      continue;
    }
    ++count;
    AddProperty(mac, kFilterProperty, entry, "", kFilterType);
  }
  for (const std::string& left : stored) {
    ++count;
    AddProperty(mac, kFilterProperty, "", left, kFilterType);
  }
  if (count > 0 && !malformed) polling.insertFilterEntry(mac, onAp);
  return count;
}
