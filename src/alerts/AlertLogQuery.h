#pragma once
// The system-log rows an alert send forwards: those stamped at or after the last send time, at the levels
// of the level mask, that the sender has not forwarded yet, and never a sender's own outcome line.
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

// What a sender forwarded last, so that no row goes out twice: the last send time it stored and the log's
// highest row index it had read by then. Every row stamped in that send's second up to that index went out
// with it; clearing the log numbers rows from 1 again, so the index counts only within that second.
class AlertSendMark {
 public:
  // The rows a send for schedule forwards: from its last send time on, none this sender sent already, none
  // written after this call (they wait for the next send). None when the mask enables no level.
  std::optional<AlertLogQuery> NextQuery(const AlertSchedule& schedule);
  // After the rows of the last NextQuery went out and sendTime was stored as the schedule's last send time.
  void Advance(const std::string& sendTime);

 private:
  DbDateTime time_;
  int sentThrough_ = -1;
  int readThrough_ = -1;  // of the last NextQuery
};

// Writes a sender's outcome line to the system log (Debug); NextQuery never selects one, so a
// send does not make the next one. Returns 0, the sender's result for a run that sent nothing.
int WriteAlertOutcome(const std::string& line);
