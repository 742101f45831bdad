#pragma once
// Set once the AP-property synchroniser had to add an ap_property row; from then on the poller leaves
// autoAssignChannel out of its ap_property updates. Nothing sets it back.
#include "platform/Sync.h"

struct ApRowAddedFlag {
  CCritSec cs;
  bool bAdded = false;

  void Set() {
    std::lock_guard lock(cs);
    bAdded = true;
  }
  bool IsSet() {
    std::lock_guard lock(cs);
    return bAdded;
  }
};

extern ApRowAddedFlag g_ApRowAddedFlag;
