#pragma once
// The seven process-wide device-event counters. The topology database recounts them under the lock; the
// main frame and the event pane copy them, the pane without the lock, so each counter is atomic.
#include <atomic>
#include <cstdint>

#include "platform/Sync.h"

struct DeviceEventCounterBlock {
  CCritSec cs;
  std::atomic<int32_t> nChangedAp{0};
  std::atomic<int32_t> nNewAp{0};
  std::atomic<int32_t> nReplacedAp{0};
  std::atomic<int32_t> nUnknownDevice{0};
  std::atomic<int32_t> nNewSwitch{0};
  std::atomic<int32_t> nManagedSwitch{0};
  std::atomic<int32_t> nManagedAp{0};
};

extern DeviceEventCounterBlock DeviceEventCounters;
