#include "alerts/ScheduledSendTrigger.h"

#include "alerts/SendDueRule.h"

void CScheduledSendTrigger::OnTimerTick(const AlertSchedule& schedule, platform::TimePoint now) {
  const std::string& type = schedule.dateType;
  if (type != send_date::kDay && type != send_date::kWeek && type != send_date::kMonth) return;
  if (!IsSendDue(schedule, platform::LocalTime(now))) {
    latched_ = false;
    return;
  }
  if (latched_) return;
  latched_ = true;
  if (sender_.IsIdle()) sender_.Start();
}

void CScheduledSendTrigger::OnScanDone(const AlertSchedule& schedule) {
  if (schedule.dateType == send_date::kRealTime && sender_.IsIdle()) sender_.Start();
}
