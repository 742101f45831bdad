#pragma once
// The system-log rows an alert send forwards: those stamped at or after the last send time, at the levels
// of the level mask, that the sender has not forwarded yet, and never a sender's own outcome line.
#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "db/AlertSchedule.h"
#include "db/SqlValue.h"

struct AlertLogQuery {
  std::string sql;
  db::SqlParams params;
};

// What a sender forwarded last: the last send time it stored and the log's highest row index it had read
// by then. Every row stamped in that send's second up to that index went out with it.
struct AlertSendMark {
  DbDateTime time;
  int index = -1;

  // The highest row of the second lastSendTime already sent for a schedule whose last send time it is:
  // -1 (none known) when the mark is of another send time.
  int SentThrough(const DbDateTime& lastSendTime) const;
};

// The levels a mask enables, 1 to 4 for the bits 1, 2, 4 and 8.
std::vector<int> LevelsOfMask(std::int32_t mask);
// None when the mask enables no level. Rows of the last send time's own second up to index sentThrough
// were forwarded already; rows past readThrough were written after the send began and wait for the next one.
std::optional<AlertLogQuery> BuildAlertLogQuery(const AlertSchedule& schedule, int sentThrough = -1,
                                                int readThrough = INT_MAX);

// Writes a sender's outcome line to the system log (Debug); BuildAlertLogQuery never selects one, so a
// send does not make the next one. Returns 0, the sender's result for a run that sent nothing.
int WriteAlertOutcome(const std::string& line);
