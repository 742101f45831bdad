#pragma once
// The syslog forwarding settings in the settings row. Stateless: the settings pages, the main window and
// the syslog sender each use one of their own.
#include <string>

#include "db/AlertSettingsRow.h"
#include "db/ScheduleParams.h"

class CSyslogParamDb : public CAlertSettingsRow {
 public:
  // 0 read; -1 without a row or on a database error. A NULL column leaves its field as it was.
  int GetSyslogParam(CScheduleParams& params);
  // Writes every field but the last send time: 0, then one action-log line per changed field; -1 without a
  // row or on a database error ("TopologyDBManager SetSyslogParam RollBackTransact" to the exception log).
  int SetSyslogParam(const CScheduleParams& params);
  // Stores the time of a forwarding run: 1, or 0 without a row or on a database error ("TopologyDBManager
  // UpdateLastSendTime RollBackTransact" to the exception log).
  int UpdateLastSendTime(const std::string& time);
};
