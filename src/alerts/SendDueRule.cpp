#include "alerts/SendDueRule.h"

bool IsSendDue(const AlertSchedule& schedule, const std::tm& now) {
  const bool atSendTime = now.tm_hour == schedule.sendTime.hour && now.tm_min == schedule.sendTime.minute;
  const int day = SubValueNumber(schedule.dateSubValue);
  if (schedule.dateType == send_date::kDay) return atSendTime;
  if (schedule.dateType == send_date::kWeek) return atSendTime && day == now.tm_wday + 1;
  if (schedule.dateType == send_date::kMonth) return atSendTime && day == now.tm_mday;
  return false;
}
