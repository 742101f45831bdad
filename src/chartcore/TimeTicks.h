#pragma once
// Ticks of a time axis that fall on whole minutes, hours or days, so that each label names the true time of
// its tick and no two labels of one window repeat each other: an hour by 5 minutes ("%H:%M"), a day by
// hours ("%H"), a week by days ("%m/%d"), a month by days ("%d"), longer windows by a whole number of days.
#include <ctime>

struct TimeTicks {
  int intervals = 5;             // equal intervals from start to end, at least 2
  const char* format = "%H:%M";  // strftime format of a label
  int rounding = 30;             // seconds added before formatting: half the smallest unit the label shows
};

// The ticks for a window from start to end; windows a second short of a whole unit (a day ending at
// 23:59:59) or an hour longer or shorter for a change of daylight saving time count as whole.
TimeTicks ChooseTimeTicks(std::time_t start, std::time_t end);
