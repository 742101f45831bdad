#include "device/DiscoveryStop.h"

#include <atomic>

namespace {
std::atomic<DiscoveryStopObject*> g_discoveryStop{nullptr};
}

void SetDiscoveryStopObject(DiscoveryStopObject* stop) { g_discoveryStop.store(stop); }

void UnregisterDiscoveryStopObject(DiscoveryStopObject* stop) {
  DiscoveryStopObject* expected = stop;
  g_discoveryStop.compare_exchange_strong(expected, nullptr);
}

bool IsDiscoveryStopping() {
  DiscoveryStopObject* stop = g_discoveryStop.load();
  if (!stop) return false;
  stop->lock.Lock();
  bool stopping = stop->stopFlag != 0;
  stop->lock.Unlock();
  return stopping;
}
