#include "engine/TrapTime.h"

#include <ctime>
#include <iomanip>
#include <sstream>

namespace trap_time {

platform::TimePoint Parse(const std::string& stored) {
  std::tm local{};
  std::istringstream in(stored);
  in >> std::get_time(&local, "%Y-%m-%d %H:%M:%S");
  if (in.fail()) return platform::TimePoint{};
  local.tm_isdst = -1;
  return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

std::string Display(platform::TimePoint moment) { return platform::FormatLocalTime(moment, "%x %X"); }

}  // namespace trap_time
