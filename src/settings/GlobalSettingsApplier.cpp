#include "settings/GlobalSettingsApplier.h"

#include <cstdio>
#include <mutex>

#include "db/pollingdb.h"
#include "log/LogDBModule.h"
#include "settings/CountryTable.h"
#include "settings/GlobalSettings.h"

namespace {

std::string Format(const char* format, int value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Stores a new running value and names it in the change text; an unchanged value says nothing.
void Change(int32_t& running, int32_t value, const char* format, int shown, std::string& changes) {
  if (running == value) return;
  running = value;
  changes += Format(format, shown);
}

std::string LevelText(int mask) {
  static constexpr const char* kPieces[] = {"\"cirtical\" ", "\"warning\" ", "\"info\" ", "\"debug\""};
  std::string text;
  for (int bit = 0; bit < 4; ++bit)
    if (mask & (1 << bit)) text += kPieces[bit];
  return text;
}

}  // namespace

std::optional<std::string> CheckGlobalSettingRanges(const GlobalSettingsValues& values) {
  for (const SettingRange& range : {kIntervalRange, kTimeoutRange, kMonitorRange, kThreadsRange}) {
    const int value = values.*range.field;
    if (value < range.min || value > range.max)
      return "Please enter an integer between " + std::to_string(range.min) + " and " + std::to_string(range.max) +
             ".";
  }
  return std::nullopt;
}

GlobalSettingsValues LoadGlobalSettings() {
  GlobalSettingsValues values;
  int interval = 60, timeout = 1, monitor = 600, mask = 15, country = 1, threads = 5;
  CPollingDb().getGlobalSetting(interval, timeout, monitor, mask, country, threads);
  values.interval = interval;
  values.timeout = timeout;
  values.monitorInterval = monitor;
  values.levelMask = mask & 15;
  values.countryIndex = CountryCodeAt(country) ? country : -1;
  values.maxThreads = threads;
  g_nLogLevelMask = values.levelMask;
  return values;
}

std::string ApplyGlobalSettings(const GlobalSettingsValues& values) {
  int storedInterval = 0, storedTimeout = 0, storedMonitor = 0, storedMask = 0, storedCountry = -1, storedThreads = 0;
  CPollingDb().getGlobalSetting(storedInterval, storedTimeout, storedMonitor, storedMask, storedCountry,
                                storedThreads);
  std::string changes;
  int countryIndex = values.countryIndex;
  int countryCode = 0;
  {
    std::lock_guard lock(g_RuntimeSettings.csSettings);
    Change(g_RuntimeSettings.nSnmpTimeout, values.timeout * 100, "snmp time out is setting %d s ", values.timeout,
           changes);
    Change(g_RuntimeSettings.nPollingIntervalMs, values.interval * 1000, "polling interval is setting %d s ",
           values.interval, changes);
    Change(g_RuntimeSettings.nMonitorIntervalMs, values.monitorInterval * 1000, "monitor interval is setting %d s ",
           values.monitorInterval, changes);
    if (const std::optional<int> code = CountryCodeAt(countryIndex))
      g_RuntimeSettings.nCountryCode = *code;
    else
      countryIndex = storedCountry;  // nothing chosen: the running country stays
    countryCode = g_RuntimeSettings.nCountryCode;
  }
  const int mask = values.levelMask & 15;
  g_nLogLevelMask = mask;
  CPollingDb().saveGlobalSetting(values.interval, values.timeout, values.monitorInterval, mask, countryIndex,
                                 static_cast<unsigned>(countryCode), values.maxThreads);
  g_RuntimeSettings.nPollingThreads = values.maxThreads;
  if (const std::string levels = LevelText(mask); !levels.empty()) changes += "log level is setting " + levels;
  if (!changes.empty()) GetLogDBModule()->WriteActionLog(changes);
  return changes;
}
