#include "alerts/AlertPageRules.h"


#include "platform/Utf8Text.h"

namespace alert_pages {
namespace {

constexpr std::size_t kMaxText = 50;
constexpr char kNone[] = "0";

bool TooLong(const std::string& text) { return platform::CharacterCount(text) > kMaxText; }
bool Has(const std::string& text, char c) { return text.find(c) != std::string::npos; }

// Empty while a schedule is set, or filled but lacking a required character.
bool Invalid(const std::string& text, const std::string& sendType, bool needsAt) {
  if (text.empty()) return sendType != kNone;
  return !Has(text, '.') || (needsAt && !Has(text, '@'));
}

bool NeedsDay(const ScheduleForm& schedule) {
  return (schedule.sendType == send_date::kWeek || schedule.sendType == send_date::kMonth) &&
         schedule.dayPosition == -1;
}

ScheduleForm ScheduleFormFrom(const AlertSchedule& schedule) {
  ScheduleForm form;
  form.sendType = schedule.dateType;
  if (!schedule.dateSubValue.empty()) form.dayPosition = SubValueNumber(schedule.dateSubValue) - 1;
  form.sendTime = schedule.sendTime;
  form.levelMask = schedule.levelMask & kAllAlertLevels;
  return form;
}

AlertSchedule ScheduleFrom(const ScheduleForm& form, const AlertSchedule& stored) {
  AlertSchedule schedule = stored;
  schedule.dateType = form.sendType;
  schedule.dateSubValue = std::to_string(form.dayPosition + 1);
  // Only the time of day is chosen; the stored date stays, so an unchanged time logs no change.
  schedule.sendTime.hour = form.sendTime.hour;
  schedule.sendTime.minute = form.sendTime.minute;
  schedule.sendTime.second = form.sendTime.second;
  schedule.levelMask = form.levelMask & kAllAlertLevels;
  return schedule;
}

}  // namespace

std::optional<Failure> ValidateMailForm(const MailForm& form) {
  const std::string& type = form.schedule.sendType;
  if (TooLong(form.destAddress)) return Failure{"Destination mail address's max length is 50", IDC_DEST_ADDRESS};
  if (Invalid(form.destAddress, type, true)) return Failure{"Destination mail address is invalid!", IDC_DEST_ADDRESS};
  if (TooLong(form.smtpServer)) return Failure{"SMTP server address's max length is 50", IDC_SMTP_SERVER};
  if (Invalid(form.smtpServer, type, false)) return Failure{"SMTP server address is invalid!", IDC_SMTP_SERVER};
  if (TooLong(form.senderAddress)) return Failure{"Sender mail address's max length is 50", IDC_SENDER_ADDRESS};
  if (Invalid(form.senderAddress, type, true)) return Failure{"sender mail address is invalid!", IDC_SENDER_ADDRESS};
  if (TooLong(form.userName)) return Failure{"user name's max length is 50", IDC_USER_NAME};
  if (TooLong(form.password)) return Failure{"password's max length is 50", IDC_PASSWORD};
  if (form.authPosition != 0 && form.userName.empty()) return Failure{"user name is empty", IDC_USER_NAME};
  if (form.authPosition != 0 && form.password.empty()) return Failure{"password is empty", IDC_PASSWORD};
  if (NeedsDay(form.schedule)) return Failure{"please select send mail date", IDC_DAY};
  return std::nullopt;
}

std::optional<Failure> ValidateSyslogForm(const SyslogForm& form) {
  if (form.schedule.sendType != kNone && !Has(form.serverAddress, '.'))
    return Failure{"Syslog server IP address is invalid", IDC_SYSLOG_SERVER};
  if (NeedsDay(form.schedule)) return Failure{"please select send syslog date", IDC_DAY};
  return std::nullopt;
}

MailForm MailFormFrom(const MailAlertSettings& settings) {
  MailForm form;
  form.destAddress = settings.destAddress;
  form.smtpServer = settings.smtpServerAddress;
  form.port = settings.smtpPort;
  form.senderAddress = settings.senderAddress;
  form.userName = settings.userName;
  form.password = settings.password;
  form.authPosition = SubValueNumber(settings.authMethod);  // "" reads as 0, None
  form.requireTls = settings.requireTls == "1";
  form.schedule = ScheduleFormFrom(settings.schedule);
  return form;
}

SyslogForm SyslogFormFrom(const CScheduleParams& params) {
  return SyslogForm{params.serverAddress, ScheduleFormFrom(params.schedule)};
}

MailAlertSettings MailSettingsFrom(const MailForm& form, const MailAlertSettings& stored) {
  MailAlertSettings settings;
  settings.destAddress = form.destAddress;
  settings.smtpServerAddress = form.smtpServer;
  settings.authMethod = std::to_string(form.authPosition);
  settings.smtpPort = form.port;
  settings.senderAddress = form.senderAddress;
  settings.userName = form.userName;
  settings.password = form.password;
  settings.requireTls = std::string(form.requireTls ? "1" : "0");  // GCC 12 warns wrongly (-Wrestrict) on the literal assigned directly
  settings.schedule = ScheduleFrom(form.schedule, stored.schedule);
  return settings;
}

CScheduleParams SyslogParamsFrom(const SyslogForm& form, const CScheduleParams& stored) {
  return CScheduleParams{form.serverAddress, ScheduleFrom(form.schedule, stored.schedule)};
}

std::optional<ScheduleControls> ScheduleControlsFor(const std::string& sendType) {
  if (sendType == kNone || sendType == send_date::kRealTime) return ScheduleControls{false, false, std::nullopt};
  if (sendType == send_date::kDay) return ScheduleControls{false, true, std::vector<std::string>{}};
  if (sendType == send_date::kWeek)
    return ScheduleControls{
        true, true,
        std::vector<std::string>{"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"}};
  if (sendType == send_date::kMonth) {
    std::vector<std::string> days;
    for (int day = 1; day <= 30; ++day) days.push_back(std::to_string(day) + "th");
    return ScheduleControls{true, true, std::move(days)};
  }
  return std::nullopt;
}

}  // namespace alert_pages
