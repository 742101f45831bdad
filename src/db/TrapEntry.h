#pragma once
// A received trap as the trap table stores it.
#include <string>

struct TrapEntry {
  std::string description;  // stored as NULL when empty
  std::string time;         // local time "YYYY-MM-DD HH:MM:SS"
};
