#pragma once
// The global settings page without its window: the values it edits, their ranges, the loading that also
// reloads the running log-level mask, and the applying that changes the running program, stores the row
// and writes one action-log line naming what changed.
#include <optional>
#include <string>

struct GlobalSettingsValues {
  int interval = 0;         // polling interval, seconds
  int timeout = 0;          // SNMP time-out, seconds
  int monitorInterval = 0;  // client monitor interval, seconds
  int maxThreads = 5;
  int levelMask = 0;        // bits 1 Critical, 2 Warning, 4 Info, 8 Debug
  int countryIndex = -1;    // row of g_CountryTable; -1 none
};

// A value's field and its accepted range; the page refuses a value outside it.
struct SettingRange {
  int GlobalSettingsValues::*field;
  int min;
  int max;
};
inline constexpr SettingRange kIntervalRange{&GlobalSettingsValues::interval, 10, 6000};
inline constexpr SettingRange kTimeoutRange{&GlobalSettingsValues::timeout, 1, 20};
inline constexpr SettingRange kMonitorRange{&GlobalSettingsValues::monitorInterval, 10, 60000};
inline constexpr SettingRange kThreadsRange{&GlobalSettingsValues::maxThreads, 5, 20};

// "Please enter an integer between 10 and 6000." for the first value outside its range; none when all fit.
std::optional<std::string> CheckGlobalSettingRanges(const GlobalSettingsValues& values);

// Reads the settings row (its defaults without a row) and makes its log level the running mask.
GlobalSettingsValues LoadGlobalSettings();

// Applies values that passed the range check: the running time-out, intervals and country code, the
// log-level mask and the thread count; stores them; writes the change text as one action-log line
// when it is not empty and returns it. A country index outside the table keeps the running code and
// the stored index.
std::string ApplyGlobalSettings(const GlobalSettingsValues& values);
