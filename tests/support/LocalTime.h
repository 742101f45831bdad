#pragma once
// Local times for tests: a broken-down local time, and the program's clock pinned to one.
#include <chrono>
#include <ctime>
#include <string>

#include "platform/Clock.h"

namespace testing_support {

// The local time with its weekday and day of the year filled in (daylight saving as the zone has it).
inline std::tm LocalTm(int year, int month, int day, int hour, int minute, int second = 0) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  std::mktime(&local);
  return local;
}

// Pins the program's clock to the local time and returns it as the database stores it.
inline std::string PinLocalTime(int year, int month, int day, int hour, int minute, int second = 0) {
  std::tm local = LocalTm(year, month, day, hour, minute, second);
  platform::PinClock(std::chrono::system_clock::from_time_t(std::mktime(&local)));
  return platform::NowText();
}

}  // namespace testing_support
