#pragma once
// The APs whose ap_property row the AP-property synchroniser had to add; for those the poller leaves
// autoAssignChannel out of its ap_property updates, so the channel chosen then stays. Kept per MAC (MACs
// compare without case) so one new AP does not freeze the channel column of every other; nothing removes
// an AP while the program runs.
#include <set>
#include <string>

#include "platform/Sync.h"

class ApRowAddedFlag {
 public:
  void Set(const std::string& mac);
  bool IsSet(const std::string& mac);
  void Clear();  // for tests

 private:
  CCritSec cs_;
  std::set<std::string> macs_;
};

extern ApRowAddedFlag g_ApRowAddedFlag;
