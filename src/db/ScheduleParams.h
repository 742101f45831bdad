#pragma once
// The syslog forwarding settings: the server the system log goes to, and when.
#include <string>

#include "db/AlertSchedule.h"

struct CScheduleParams {
  std::string serverAddress;  // a dotted address or a name
  AlertSchedule schedule;

  bool operator==(const CScheduleParams&) const = default;
};
