#pragma once
// One system_log row as the syslog sender forwards it.
#include <string>

struct LogItem {
  int level = -1;    // the row's level, -1 when the column is empty
  std::string text;  // date and time, four blanks, the description
};
