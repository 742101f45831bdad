#include "alerts/AlertLogQuery.h"

#include "log/LogDBModule.h"
#include "log/LogLevels.h"

namespace {

// What the outcome lines of the e-mail sender and the syslog forwarder say, as LIKE patterns.
constexpr const char* kOutcomePatterns[] = {"%send E-mail%", "%send syslog to server%", "%syslog not send%"};

}  // namespace

std::vector<int> LevelsOfMask(std::int32_t mask) {
  std::vector<int> levels;
  for (int level = LOG_LEVEL_CRITICAL; level <= LOG_LEVEL_DEBUG; ++level)
    if (mask & LogLevelBit(level)) levels.push_back(level);
  return levels;
}

std::optional<AlertLogQuery> AlertSendMark::NextQuery(const AlertSchedule& schedule) {
  const std::vector<int> levels = LevelsOfMask(schedule.levelMask);
  if (levels.empty()) return std::nullopt;
  readThrough_ = GetLogDBModule()->GetMaxIndex("index", "system_log");
  // The mark counts only while the schedule's last send time is the one this sender stored with it.
  const int sentThrough = time_ == schedule.lastSendTime ? sentThrough_ : -1;
  AlertLogQuery query;
  const std::string lastSendTime = FormatDbDateTime(schedule.lastSendTime);
  query.sql =
      "SELECT * FROM system_log WHERE type=1 AND datetime>=? AND (datetime>? OR \"index\">?) AND \"index\"<=?";
  query.params = {lastSendTime, lastSendTime, sentThrough, readThrough_};
  for (const char* pattern : kOutcomePatterns) {
    query.sql += " AND description NOT LIKE ?";
    query.params.emplace_back(pattern);
  }
  for (std::size_t i = 0; i < levels.size(); ++i) {
    query.sql += i == 0 ? " AND (level=?" : " OR level=?";
    query.params.emplace_back(levels[i]);
  }
  query.sql += ")";
  return query;
}

void AlertSendMark::Advance(const std::string& sendTime) {
  time_ = ParseDbDateTime(sendTime).value_or(DbDateTime{});
  sentThrough_ = readThrough_;
}

int WriteAlertOutcome(const std::string& line) {
  GetLogDBModule()->WriteSystemLog(LOG_LEVEL_DEBUG, line);
  return 0;
}
