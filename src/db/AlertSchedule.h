#pragma once
// When and what an alert sender forwards: the part that the e-mail settings and the syslog settings share.
#include <cstdint>
#include <string>
#include <vector>

#include "db/DbDateTime.h"

// Send-date type codes; "0" (and any other text) never sends.
namespace send_date {
inline constexpr char kDay[] = "1";
inline constexpr char kWeek[] = "2";      // on the weekday of the sub-value, "1" Sunday to "7" Saturday
inline constexpr char kMonth[] = "3";     // on the day of the month of the sub-value, "1" to "30"
inline constexpr char kRealTime[] = "4";  // after every completed polling round
}  // namespace send_date

// Level-mask bits, one per event-log level: 1 Critical, 2 Warning, 4 Info, 8 Debug.
inline constexpr std::int32_t kAllAlertLevels = 15;

struct AlertSchedule {
  std::string dateType;      // a send_date code; empty until saved
  std::string dateSubValue;  // decimal text; only weeks and months read it
  DbDateTime sendTime;       // only its hour and minute matter
  DbDateTime lastSendTime;   // where the last successful send started to read the log
  std::int32_t levelMask = kAllAlertLevels;

  bool operator==(const AlertSchedule&) const = default;
};

// The sub-value as the C library reads a number: leading digits, 0 when there are none.
int SubValueNumber(const std::string& subValue);

// The action-log lines for a changed schedule, type, day and time in that order; subject names the sender
// ("mail" or "syslog"). A change of the type to none or real time, of the day under another type, or of the
// level mask writes no line.
std::vector<std::string> ScheduleChangeLines(const char* subject, const AlertSchedule& before,
                                             const AlertSchedule& after);
