#pragma once
// Start-up of the main window: the settings row and the discovery password copied into the process-wide
// settings before the polling and client-monitor threads start.
#include <functional>

// The ISO country code of the country table's row at an index; none leaves the code as it is.
using CountryCodeLookup = std::function<bool(int index, int& code)>;

// Under the settings lock: intervals and time-out scaled to milliseconds and hundredths, both communities
// set to the discovery password, the log-level mask and the thread count. A missing row or password
// leaves those settings as they were. False when the database could not be read.
bool ReadStartupSettings(const CountryCodeLookup& countryCode = {});
