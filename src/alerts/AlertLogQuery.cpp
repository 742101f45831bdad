#include "alerts/AlertLogQuery.h"

#include "log/LogLevels.h"

std::vector<int> LevelsOfMask(std::int32_t mask) {
  std::vector<int> levels;
  for (int level = LOG_LEVEL_CRITICAL; level <= LOG_LEVEL_DEBUG; ++level)
    if (mask & LogLevelBit(level)) levels.push_back(level);
  return levels;
}

std::optional<AlertLogQuery> BuildAlertLogQuery(const AlertSchedule& schedule) {
  const std::vector<int> levels = LevelsOfMask(schedule.levelMask);
  if (levels.empty()) return std::nullopt;
  AlertLogQuery query;
  query.sql = "SELECT * FROM system_log WHERE type=1 AND datetime>=? AND (";
  query.params.emplace_back(FormatDbDateTime(schedule.lastSendTime));
  for (int level : levels) {
    query.sql += query.params.size() == 1 ? "level=?" : " OR level=?";
    query.params.emplace_back(level);
  }
  query.sql += ")";
  return query;
}
