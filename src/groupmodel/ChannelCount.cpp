#include "groupmodel/ChannelCount.h"

#include <charconv>
#include <mutex>
#include <vector>

#include "db/ApInfoRecord.h"
#include "groups/GroupStore.h"
#include "platform/DebugTrace.h"
#include "settings/GlobalSettings.h"
#include "snmp/y_snmp.h"

namespace {
constexpr int kDefaultChannels = 11;
}

int ReadChannelCount() {
  std::vector<ApInfoRecord> aps;
  CGroupStore* store = GetGroupStore();
  if (store->GetManagedApList(aps) != 0 || aps.empty()) return kDefaultChannels;
  const ApInfoRecord& ap = aps.front();
  DebugTrace("channel count read from AP %s", ap.mac.c_str());
  CYSnmp snmp;
  snmp.SetIp(ap.ip);
  {
    std::lock_guard lock(g_RuntimeSettings.csSettings);
    snmp.SetReadCommunity(g_RuntimeSettings.strReadCommunity);
  }
  std::string value;
  int count = 0;
  if (snmp.Get(store->GetDevSysObjectID(ap.mac, KeyKind::Mac) + ".4.23.0", value) != 0 ||
      std::from_chars(value.data(), value.data() + value.size(), count).ec != std::errc() || count <= 0) {
    DebugTrace("channel count of AP %s not read, %d channels offered", ap.mac.c_str(), kDefaultChannels);
    return kDefaultChannels;
  }
  return count;
}
