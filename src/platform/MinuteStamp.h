#pragma once
// Minute stamps: whole minutes since 2000-01-01 00:00 local time, counted over the civil calendar, so a
// stamp grows with time across every month and year end. Every stored or compared minute count (poll
// rounds, client events, report and utilisation windows) comes from here.
#include <ctime>

#include "platform/Clock.h"

namespace platform {

// year in full (2026), month 1..12, day 1..31; seconds are dropped.
int MinuteStamp(int year, int month, int day, int hour, int minute);
// A broken-down local time as std::localtime gives it.
int MinuteStamp(const std::tm& local);
int MinuteStampOf(TimePoint moment);

}  // namespace platform
