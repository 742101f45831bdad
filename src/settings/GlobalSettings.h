#pragma once
// The process-wide run-time settings and the flags that live beside them. Every block has its own lock,
// held only while values are copied in or out; no other lock is taken while one is held.
#include <atomic>
#include <cstdint>
#include <string>

#include "log/LogLevelMask.h"  // g_nLogLevelMask lives beside these settings
#include "platform/Sync.h"

struct RuntimeSettings {
  CCritSec csSettings;
  std::string strReadCommunity;   // default SNMP read community
  std::string strWriteCommunity;  // default SNMP write community, the discovery password
  int32_t nSnmpTimeout = 0;       // hundredths of a second
  int32_t nPollingIntervalMs = 0;
  std::string strLastPollingTime;  // start of the last polling pass, "%Y.%m.%d %H:%M:%S"
  int32_t nMonitorIntervalMs = 0;
  int32_t nCountryCode = 0;
  // The settings page and the polling engine also use it without csSettings.
  std::atomic<int32_t> nPollingThreads{0};
};

extern RuntimeSettings g_RuntimeSettings;

// Set by the client monitor when it recorded clients; every access holds g_csClients.
extern CCritSec g_csClients;
extern bool g_bClientsRecorded;
