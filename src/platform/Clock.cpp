#include "platform/Clock.h"

#include <atomic>

namespace platform {
namespace {
// Zero means "not pinned"; a pinned moment is kept as its tick count so reads need no lock.
std::atomic<TimePoint::rep> g_pinned{0};
}  // namespace

TimePoint Now() {
  TimePoint::rep pinned = g_pinned;
  return pinned ? TimePoint(TimePoint::duration(pinned)) : std::chrono::system_clock::now();
}

void PinClock(TimePoint moment) { g_pinned = moment.time_since_epoch().count(); }
void UnpinClock() { g_pinned = 0; }

std::tm LocalTime(TimePoint moment) {
  std::time_t seconds = std::chrono::system_clock::to_time_t(moment);
  std::tm local{};
  localtime_r(&seconds, &local);
  return local;
}

std::string FormatLocalTime(TimePoint moment, const char* format) {
  std::tm local = LocalTime(moment);
  char buffer[128];
  size_t length = std::strftime(buffer, sizeof buffer, format, &local);
  return std::string(buffer, length);
}

std::string NowText() { return FormatLocalTime(Now(), "%Y-%m-%d %H:%M:%S"); }

}  // namespace platform
