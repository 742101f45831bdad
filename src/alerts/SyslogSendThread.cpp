#include "alerts/SyslogSendThread.h"

#include "alerts/AlertLogQuery.h"
#include "db/SyslogParamDb.h"
#include "log/LogDBModule.h"
#include "log/LogText.h"
#include "platform/Clock.h"
#include "syslog/SyslogClient.h"

namespace {

constexpr char kIdent[] = "Aurelan";
constexpr int kFacilityLocal2 = 144;

// The syslog severity of an event-log level; -1 for a level that is not forwarded.
int SeverityOfLevel(int level) {
  switch (level) {
    case LOG_LEVEL_CRITICAL: return 2;
    case LOG_LEVEL_WARNING: return 4;
    case LOG_LEVEL_INFO: return 6;
    case LOG_LEVEL_DEBUG: return 7;
    default: return -1;
  }
}

}  // namespace

int CSyslogSendThread::SendAlertSyslog() {
  CScheduleParams params;
  if (CSyslogParamDb().GetSyslogParam(params) != 0)
    return WriteAlertOutcome(platform::NowText() + ",  get parameters error, syslog not send !");
  const std::string& server = params.serverAddress;
  // Taken before the rows are read: a row written meanwhile goes out with the next send.
  const std::string sendTime = platform::NowText();
  const std::optional<AlertLogQuery> query = mark_.NextQuery(params.schedule);
  if (!query)
    return WriteAlertOutcome(platform::NowText() + ", get log information error, not send syslog to server " + server + "!");
  std::vector<LogItem> items;
  if (!GetLogDBModule()->ReadLogItems(query->sql, items, query->params))
    return WriteAlertOutcome(platform::NowText() + ", no requested log information, not send syslog to server " + server + "!");
  if (!syslog_client::syslog_sethost(server.c_str()) ||
      syslog_client::openlog(kIdent, syslog_client::kLogPid, kFacilityLocal2) < 0)
    return WriteAlertOutcome(platform::NowText() + ", send syslog to server " + server + " error!");
  for (const LogItem& item : items) {
    const int severity = SeverityOfLevel(item.level);
    // The row's text is an argument, never the format: a '%' in it arrives as it is. A line break would
    // split the message in the client's log file, so it goes escaped as in a saved log.
    if (severity >= 0) syslog_client::syslog(severity, "%s", OneLine(item.text).c_str());
  }
  syslog_client::closelog();
  // UDP gives no receipt: once the client is open the rows count as sent.
  if (CSyslogParamDb().UpdateLastSendTime(sendTime) == 1)
    mark_.Advance(sendTime);
  WriteAlertOutcome(platform::NowText() + ", send syslog to server " + server + ".");
  return 1;
}
