#pragma once
// The default communities and time-out (hundredths of a second) that every SNMP wrapper copies, set
// under the settings lock as the settings page sets them.
#include <cstdint>
#include <mutex>
#include <string>

#include "settings/GlobalSettings.h"

inline void SetSnmpDefaults(const std::string& readCommunity, const std::string& writeCommunity, std::int32_t timeout) {
  std::lock_guard lock(g_RuntimeSettings.csSettings);
  g_RuntimeSettings.strReadCommunity = readCommunity;
  g_RuntimeSettings.strWriteCommunity = writeCommunity;
  g_RuntimeSettings.nSnmpTimeout = timeout;
}
