#pragma once
// The system-log rows an alert send forwards: those stamped at or after the last send time, at the levels
// of the level mask. A row stamped in the same second as the last send time goes out again.
#include <optional>
#include <string>
#include <vector>

#include "db/AlertSchedule.h"
#include "db/SqlValue.h"

struct AlertLogQuery {
  std::string sql;
  db::SqlParams params;
};

// The levels a mask enables, 1 to 4 for the bits 1, 2, 4 and 8.
std::vector<int> LevelsOfMask(std::int32_t mask);
// None when the mask enables no level.
std::optional<AlertLogQuery> BuildAlertLogQuery(const AlertSchedule& schedule);
