#include "db/AlertSchedule.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

int SubValueNumber(const std::string& subValue) {
  // strtol, unlike atoi, stays defined for a number too large for an int.
  return static_cast<int>(std::clamp(std::strtol(subValue.c_str(), nullptr, 10), long{INT_MIN}, long{INT_MAX}));
}

std::vector<std::string> ScheduleChangeLines(const char* subject, const AlertSchedule& before,
                                             const AlertSchedule& after) {
  static constexpr const char* kTypeWords[] = {"day", "week", "month"};
  static constexpr const char* kWeekdays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  const std::string prefix = std::string("modify global ") + subject + " send ";
  std::vector<std::string> lines;
  const std::string& type = after.dateType;
  if (type != before.dateType) {
    for (int code = 1; code <= 3; ++code)
      if (type == std::to_string(code)) lines.push_back(prefix + "date type to " + kTypeWords[code - 1]);
  }
  if (after.dateSubValue != before.dateSubValue) {
    const int day = SubValueNumber(after.dateSubValue);
    if (type == send_date::kWeek && day >= 1 && day <= 7)
      lines.push_back(prefix + "date to every week " + kWeekdays[day - 1]);
    else if (type == send_date::kMonth)
      lines.push_back(prefix + "date to every month " + after.dateSubValue + "TH");
  }
  if (FormatDbDateTime(after.sendTime) != FormatDbDateTime(before.sendTime))
    lines.push_back(prefix + "time to " + FormatDbDateTime(after.sendTime));
  return lines;
}
