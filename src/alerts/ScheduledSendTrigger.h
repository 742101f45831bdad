#pragma once
// Starts one alert sender when its schedule comes due: on the main window's one-second timer for day,
// week and month schedules, after a polling round for real time. Used on the user-interface thread only.
#include "alerts/AlertSender.h"
#include "db/AlertSchedule.h"
#include "platform/Clock.h"

class CScheduledSendTrigger {
 public:
  explicit CScheduledSendTrigger(IAlertSender& sender) : sender_(sender) {}

  // Starts the sender at the first tick of a due minute, if it is idle then; a due minute that finds it
  // busy is skipped, not made up later. now comes from the caller's clock.
  void OnTimerTick(const AlertSchedule& schedule, platform::TimePoint now);
  // A completed polling round: a real-time schedule starts the sender when it is idle.
  void OnScanDone(const AlertSchedule& schedule);

 private:
  IAlertSender& sender_;
  bool latched_ = false;  // set at the first tick of a due minute, cleared by the first tick after it
};
