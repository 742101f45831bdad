#pragma once
// The pickers' date-times as the console's local times.
#include <wx/datetime.h>

#include <ctime>

#include "platform/Clock.h"

inline std::tm ToLocalTm(const wxDateTime& value) {
  const std::time_t seconds = value.GetTicks();
  std::tm local{};
  localtime_r(&seconds, &local);
  return local;
}

inline platform::TimePoint ToTimePoint(const wxDateTime& value) {
  return platform::TimePoint(std::chrono::seconds(value.GetTicks()));
}
