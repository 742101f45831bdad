#include "config/NewDevicesToManaged.h"

#include <vector>

#include "db/TopologyDBManager.h"

bool SaveAllNewDevicesToManaged(CDefaultParamsPush& push) {
  std::vector<TopologyDBManager::MovedAp> moved;
  if (!TopologyDBManager().SetAllNewDeviceToManaged(&moved)) return false;
  for (const TopologyDBManager::MovedAp& ap : moved) push.ZeroConfigAp(ap.ip, ap.mac);  // each logs its outcome
  return true;
}
