#include "db/MailAlertDb.h"

namespace {

// The action-log lines for a change of the settings, one per changed field.
std::vector<std::string> MailAlertChangeLines(const MailAlertSettings& before, const MailAlertSettings& after) {
  std::vector<std::string> lines;
  auto changed = [&](const std::string MailAlertSettings::*field, const std::string& line) {
    if (after.*field != before.*field) lines.push_back(line);
  };
  changed(&MailAlertSettings::destAddress, "modify global destination mail address to " + after.destAddress);
  changed(&MailAlertSettings::smtpServerAddress, "modify global SMTP server address to " + after.smtpServerAddress);
  changed(&MailAlertSettings::smtpPort, "modify global SMTP server port to " + after.smtpPort);
  if (after.authMethod != before.authMethod) {
    if (after.authMethod == "0") lines.push_back("modify global smtp server auth method to none");
    if (after.authMethod == "1") lines.push_back("modify global smtp server auth method to auth login");
  }
  changed(&MailAlertSettings::userName, "modify global SMTP auth user name to " + after.userName);
  changed(&MailAlertSettings::password, "modify global SMTP auth password to xxxxxx");
  changed(&MailAlertSettings::senderAddress, "modify global mail sender address to " + after.senderAddress);
  if ((after.requireTls == "1") != (before.requireTls == "1"))
    lines.push_back(after.requireTls == "1" ? "modify global SMTP secure connection to required"
                                            : "modify global SMTP secure connection to when offered");
  for (std::string& line : ScheduleChangeLines("mail", before.schedule, after.schedule)) lines.push_back(line);
  return lines;
}

}  // namespace

int CMailAlertDb::GetMailAlertParam(MailAlertSettings& settings) {
  return ReadRow([&](db::CRecordset& row) {
    ReadText(row, "dest_mail_address", settings.destAddress);
    ReadText(row, "smtp_server_address", settings.smtpServerAddress);
    ReadText(row, "smtp_server_port", settings.smtpPort);
    ReadText(row, "smtp_server_auth_method", settings.authMethod);
    ReadText(row, "smtp_user_name", settings.userName);
    ReadText(row, "smtp_pwd", settings.password);
    ReadText(row, "sender_mail_address", settings.senderAddress);
    ReadText(row, "smtp_require_tls", settings.requireTls);
    ReadSchedule(row, "", settings.schedule);
    return 0;
  });
}

int CMailAlertDb::SetMailAlertParam(const MailAlertSettings& settings) {
  MailAlertSettings before;
  GetMailAlertParam(before);
  const AlertSchedule& schedule = settings.schedule;
  const int result = WriteRow(
      "dest_mail_address=?,smtp_server_address=?,smtp_server_port=?,smtp_server_auth_method=?,smtp_user_name=?,"
      "smtp_pwd=?,sender_mail_address=?,send_date_type=?,send_date_sub_value=?,send_time=?,send_log_level=?,"
      "smtp_require_tls=?",
      {settings.destAddress, settings.smtpServerAddress, settings.smtpPort, settings.authMethod, settings.userName,
       settings.password, settings.senderAddress, schedule.dateType, schedule.dateSubValue,
       FormatDbDateTime(schedule.sendTime), schedule.levelMask, settings.requireTls},
      "MailAlterPage SetMailAlertParam RollBackTransact");
  if (result == 0) WriteActionLines(MailAlertChangeLines(before, settings));
  return result;
}

int CMailAlertDb::UpdateLastSendTime(const std::string& time) {
  return StoreLastSendTime("last_send_time", time, "MailAlterPage UpdateLastSendTime RollBackTransact");
}
