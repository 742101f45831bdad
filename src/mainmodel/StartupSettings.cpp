#include "mainmodel/StartupSettings.h"

#include <mutex>
#include <string>

#include "db/pollingdb.h"
#include "settings/GlobalSettings.h"

bool ReadStartupSettings(const CountryCodeLookup& countryCode) {
  std::lock_guard hold(g_RuntimeSettings.csSettings);
  CPollingDb database;
  int interval = 0, timeout = 0, monitor = 0, logLevel = 0, countryIndex = 0, threads = 0;
  const int row = database.getGlobalSetting(interval, timeout, monitor, logLevel, countryIndex, threads);
  if (row == 1) {
    g_RuntimeSettings.nPollingIntervalMs = interval * 1000;
    g_RuntimeSettings.nSnmpTimeout = timeout * 100;
    g_RuntimeSettings.nMonitorIntervalMs = monitor * 1000;
    g_nLogLevelMask = logLevel;
    g_RuntimeSettings.nPollingThreads = threads;
    int code = 0;
    if (countryCode && countryCode(countryIndex, code)) g_RuntimeSettings.nCountryCode = code;
  }
  std::string community = g_RuntimeSettings.strWriteCommunity;  // a NULL password keeps it
  const int password = database.getPassword(community);
  if (password == 1) {
    g_RuntimeSettings.strWriteCommunity = community;
    g_RuntimeSettings.strReadCommunity = community;
  }
  return row >= 0 && password != -2;
}
