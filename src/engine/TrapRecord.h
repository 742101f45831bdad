#pragma once
// One row of the trap table in memory.
#include <string>

#include "platform/Clock.h"

struct TrapRecord {
  int index = -1;
  std::string description;
  platform::TimePoint time = platform::Now();
};
