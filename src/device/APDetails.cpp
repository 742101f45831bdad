// A newly managed AP's settings read into ap_property and its MAC filter into filter_entry.
#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "db/pollingdb.h"
#include "device/AP.h"
#include "device/AutoAssignChannel.h"
#include "platform/DebugTrace.h"
#include "settings/GlobalSettings.h"
#include "snmp/WalkLimit.h"

namespace {

constexpr size_t kItemsPerRequest = 5;
constexpr int kValueLength = 96;
const char kWaterLevelBalancing[] = "crvAPWaterLevelBalancing";
const char kBalancingOn[] = "1";
constexpr int kSyntaxInteger = 2;

// One GET of the items' OIDs into 96-character buffers: the library's status, 0 when every value came.
int GetGroup(CYSnmp& snmp, const std::vector<PolledProperty*>& group, std::vector<std::string>& values) {
  std::vector<const char*> oids;
  std::vector<std::vector<char>> buffers(group.size(), std::vector<char>(kValueLength, '\0'));
  std::vector<char*> targets;
  for (size_t i = 0; i < group.size(); ++i) {
    oids.push_back(group[i]->oid.c_str());
    targets.push_back(buffers[i].data());
  }
  const int status = snmp.GetManyRaw(static_cast<int>(group.size()), oids.data(), targets.data(), kValueLength);
  values.clear();
  for (const auto& buffer : buffers) values.emplace_back(buffer.data());
  return status;
}

}  // namespace

void CAP::TakeValue(PolledProperty& item, const char* value) {
  item.value = value;
  if (item.name == kWaterLevelBalancing && item.value == kBalancingOn) balancingOn = 1;
}

int CAP::FetchProperties(std::vector<PolledProperty>& items) {
  CYSnmp snmp = SnmpSessionFor(ip, community);
  int count = 0;
  for (size_t first = 0; first < items.size(); first += kItemsPerRequest) {
    if (IsDiscoveryStopping()) return kDiscoveryStopped;
    std::vector<PolledProperty*> group;
    for (size_t i = first; i < std::min(items.size(), first + kItemsPerRequest); ++i) group.push_back(&items[i]);

    std::vector<std::string> values;
    const int status = GetGroup(snmp, group, values);
    if (status == kSnmpStatusTimeout) return -1;
    if (status == 0) {
      for (size_t i = 0; i < group.size(); ++i) TakeValue(*group[i], values[i].c_str());
      count += static_cast<int>(group.size());
      continue;
    }
    // The AP refuses the group (an object it lacks): each item on its own.
    for (PolledProperty* item : group) {
      if (IsDiscoveryStopping()) return kDiscoveryStopped;
      const int single = GetGroup(snmp, {item}, values);
      if (single == kSnmpStatusTimeout) return -1;
      if (single != 0) {
        item->value = kGetFail;
        continue;
      }
      TakeValue(*item, values[0].c_str());
      ++count;
    }
  }
  return count;
}

int CAP::CollectDetails() {
  CPollingDb polling;
  std::vector<PolledProperty> items;
  polling.GetPollingData(items, rootOid);
  const int fetched = FetchProperties(items);
  if (fetched == kDiscoveryStopped) return kDiscoveryStopped;
  if (fetched < 1) {
    DebugTrace("Get Ap Property Failed Mac:%s", mac.c_str());
    return -1;
  }
  items.push_back({"", "mac", mac});
  items.push_back({"", "autoAssignChannel", std::to_string(AutoAssignChannel(ip.c_str()))});
  if (IsDiscoveryStopping()) return kDiscoveryStopped;

  if (polling.insertAPProperty(items, mac) == 0) polling.UpdateApProperties(items, mac);
  if (polling.SetIsPropertySave(mac))
    DebugTrace("SetIsSaveProperty success Mac:%s", mac.c_str());
  else
    DebugTrace("SetIsSaveProperty failed Mac:%s", mac.c_str());

  std::vector<std::string> filter;
  if (ReadMacFilterList(filter) > 0) polling.insertFilterEntry(mac, filter);
  return 1;
}

int CAP::ReadMacFilterList(std::vector<std::string>& entries) {
  CYSnmp snmp = SnmpSessionFor(ip, community);
  const std::string prefix = rootOid + ".3.5.1.2";
  std::string cursor = prefix;
  CWalkLimit limit;
  int count = 0;
  while (count < kMaxMacFilterEntries) {
    if (IsDiscoveryStopping()) return kDiscoveryStopped;
    SnmpObject next;
    if (snmp.GetNextObject(cursor, prefix, next) != 0) break;
    if (!limit.Take(next.oid.size() + next.text.size())) break;
    entries.push_back(next.text);
    ++count;
    cursor = next.oid;
  }
  return count;
}

int CAP::SaveCommunity() {
  CPollingDb().UpdatePrevWriteCommunity(community, mac);
  return 0;
}

bool CAP::IsDhcpDisabled() {
  if (IsDiscoveryStopping()) return false;
  std::string mode;
  if (SnmpSessionFor(ip, community).Get(rootOid + ".1.10.1.0", mode) != 0) return false;
  return std::atoi(mode.c_str()) == 0;
}

int CAP::PushCountryCode() {
  int stored = 0;
  if (CPollingDb().getCountryCode(stored) != 1) return 0;
  int configured = 0;
  {
    std::lock_guard lock(g_RuntimeSettings.csSettings);
    configured = g_RuntimeSettings.nCountryCode;
  }
  if (stored == configured) return 0;
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  CYSnmp snmp = SnmpSessionFor(ip, community);
  if (snmp.Set(rootOid + ".1.14.0", std::to_string(configured)) != 0) return -1;
  return snmp.SetTyped(kSyntaxInteger, rootOid + ".1.3.0", "1") == 0 ? 0 : -1;
}
