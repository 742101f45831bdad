#include "mainmodel/ApSetJobEnd.h"

#include "db/ApListDBManager.h"
#include "db/TopologyDBManager.h"

void FinishApSetJob(const ApSetTarget& target) {
  ApListDBManager aps;
  if (target.replace) {
    std::string replacedMac;
    const bool known = aps.GetPortReloadState(target.mac, replacedMac);
    TopologyDBManager topology;
    // Without a recorded predecessor nothing is deleted: an empty MAC must not reach the delete.
    if (topology.SetNewDeviceToManaged(target.mac, false) && known && !replacedMac.empty()) {
      aps.ClearPortReload(target.mac);
      topology.DeleteDevice(replacedMac, false);
    }
  }
  aps.ClearApSyncResults(target.mac);
}
