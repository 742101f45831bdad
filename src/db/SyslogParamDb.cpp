#include "db/SyslogParamDb.h"

namespace {

// The action-log lines for a change of the settings, one per changed field.
std::vector<std::string> SyslogParamChangeLines(const CScheduleParams& before, const CScheduleParams& after) {
  std::vector<std::string> lines;
  if (after.serverAddress != before.serverAddress)
    lines.push_back("modify global syslog server IP to " + after.serverAddress);
  for (std::string& line : ScheduleChangeLines("syslog", before.schedule, after.schedule)) lines.push_back(line);
  return lines;
}

}  // namespace

int CSyslogParamDb::GetSyslogParam(CScheduleParams& params) {
  return ReadRow([&](db::CRecordset& row) {
    ReadText(row, "syslog_server_ip", params.serverAddress);
    ReadSchedule(row, "syslog_", params.schedule);
    return 0;
  });
}

int CSyslogParamDb::SetSyslogParam(const CScheduleParams& params) {
  CScheduleParams before;
  GetSyslogParam(before);
  const AlertSchedule& schedule = params.schedule;
  const int result = WriteRow(
      "syslog_server_ip=?,syslog_send_date_type=?,syslog_send_date_sub_value=?,syslog_send_time=?,"
      "syslog_send_log_level=?",
      {params.serverAddress, schedule.dateType, schedule.dateSubValue, FormatDbDateTime(schedule.sendTime),
       schedule.levelMask},
      "TopologyDBManager SetSyslogParam RollBackTransact");
  if (result == 0) WriteActionLines(SyslogParamChangeLines(before, params));
  return result;
}

int CSyslogParamDb::UpdateLastSendTime(const std::string& time) {
  return StoreLastSendTime("syslog_last_send_time", time, "TopologyDBManager UpdateLastSendTime RollBackTransact");
}
