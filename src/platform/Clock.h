#pragma once
// The one source of "now". Tests pin it to a fixed moment.
#include <chrono>
#include <ctime>
#include <string>

namespace platform {

using TimePoint = std::chrono::system_clock::time_point;

TimePoint Now();
void PinClock(TimePoint moment);
void UnpinClock();

// Local time of a moment, broken down.
std::tm LocalTime(TimePoint moment);
// strftime over the local time of a moment ("%Y-%m-%d %H:%M:%S" for stored dates).
std::string FormatLocalTime(TimePoint moment, const char* format);
// The current local time as stored in the database: "YYYY-MM-DD HH:MM:SS".
std::string NowText();

}  // namespace platform
