#pragma once
// When a scheduled alert send is due.
#include <ctime>

#include "db/AlertSchedule.h"

// Due in the minute of the send time: every day ("1"), on the sub-value's weekday ("2", 1 Sunday to 7
// Saturday) or on its day of the month ("3"). Never for any other type. now is a local time.
bool IsSendDue(const AlertSchedule& schedule, const std::tm& now);
