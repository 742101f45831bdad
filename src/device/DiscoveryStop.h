#pragma once
// The discovery stop flag. The network engine owns one stop object and registers it; every SNMP step of
// the device model reads it and returns -100 once it is set, and callers pass -100 upwards.
#include <cstdint>

#include "platform/Sync.h"

constexpr int kDiscoveryStopped = -100;

// A lock together with a one-byte stop flag; the engine sets and clears the flag under the lock.
struct DiscoveryStopObject {
  CCritSec lock;
  std::uint8_t stopFlag = 0;

  void Set(bool stop) {
    lock.Lock();
    stopFlag = stop ? 1 : 0;
    lock.Unlock();
  }
};

// The last registration wins. The registry keeps only the pointer and readers use it without owning it,
// so an owner that goes away first sets the flag, stops and joins every worker that may run a device
// step, then registers nullptr, and only then destroys its stop object.
void SetDiscoveryStopObject(DiscoveryStopObject* stop);
// Registers nullptr only while stop is the registered object, so an owner going away never unregisters a
// later owner's object.
void UnregisterDiscoveryStopObject(DiscoveryStopObject* stop);
// Reads the registered flag under its lock; false when no object is registered.
bool IsDiscoveryStopping();
