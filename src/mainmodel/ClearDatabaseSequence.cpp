#include "mainmodel/ClearDatabaseSequence.h"

#include <mutex>

#include "device/DeviceNameIndex.h"
#include "platform/DebugTrace.h"
#include "settings/GlobalSettings.h"

namespace {
void Call(const std::function<void()>& step) {
  if (step) step();
}
}  // namespace

bool CClearDatabaseSequence::Run() {
  if (steps_.confirm && !steps_.confirm()) return false;
  if (polling_) {
    polling_->Lock();
    if (!polling_->WaitIdle(kIdleWait)) DebugTrace("Clear database: the polling pass did not end in time\n");
  }
  if (steps_.clearDatabase) steps_.clearDatabase();  // a failed clear is reported by the database layer
  Call(steps_.selectEmptyLocation);
  Call(steps_.clearOutputLists);
  {
    std::lock_guard hold(g_csClients);
    g_bClientsRecorded = false;
  }
  if (steps_.refreshAllViews) steps_.refreshAllViews(true);
  g_DeviceNameIndex.Clear();
  Call(steps_.reloadGroups);
  Call(steps_.resetLayoutPlacement);
  if (polling_) polling_->Restart();
  return true;
}
