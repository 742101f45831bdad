#pragma once
// The e-mail alert settings in the settings row. Stateless: the settings pages, the main window and the
// e-mail sender each use one of their own.
#include <string>

#include "db/AlertSettingsRow.h"
#include "db/MailAlertSettings.h"

class CMailAlertDb : public CAlertSettingsRow {
 public:
  // 0 read; -1 without a row or on a database error. A NULL column leaves its field as it was.
  int GetMailAlertParam(MailAlertSettings& settings);
  // Writes every field but the last send time: 0, then one action-log line per changed field; -1 without a
  // row or on a database error ("MailAlterPage SetMailAlertParam RollBackTransact" to the exception log).
  int SetMailAlertParam(const MailAlertSettings& settings);
  // Stores the time of a sent mail: 1, or 0 without a row or on a database error ("MailAlterPage
  // UpdateLastSendTime RollBackTransact" to the exception log).
  int UpdateLastSendTime(const std::string& time);
};
