#pragma once
// Trap times between their stored text ("YYYY-MM-DD HH:MM:SS", local time) and the text shown to the
// user (the locale's date and time representation).
#include <string>

#include "platform/Clock.h"

namespace trap_time {

// The moment a stored text names; the epoch for a text that names none.
platform::TimePoint Parse(const std::string& stored);
// The moment in the user's date and time format.
std::string Display(platform::TimePoint moment);

}  // namespace trap_time
