#pragma once
// What the "Mail Alert" and "Syslog" settings pages decide, without their windows: the form each page
// edits, its loading from and saving into the stored settings, the schedule controls a send type asks
// for, and the checks made when the sheet is applied, each failure naming its message and control.
#include <optional>
#include <string>
#include <vector>

#include "db/MailAlertSettings.h"
#include "db/ScheduleParams.h"

namespace alert_pages {

// Control ids shared by both pages, and the mail page's own.
enum Control : int {
  IDC_DEST_ADDRESS = 1000,
  IDC_SENDER_ADDRESS = 1007,
  IDC_SMTP_SERVER = 1009,
  IDC_SMTP_PORT = 1010,
  IDC_AUTH_METHOD = 1011,
  IDC_USER_NAME = 1012,
  IDC_PASSWORD = 1013,
  IDC_REQUIRE_TLS = 1014,
  IDC_SEND_TIME = 1252,
  IDC_DAY = 1363,
  IDC_SYSLOG_SERVER = 1370,
};

// The schedule and level part of both forms.
struct ScheduleForm {
  std::string sendType;  // "0".."4", set by the radio buttons; empty before any
  int dayPosition = -1;  // position in the day list; -1 none chosen
  DbDateTime sendTime;
  int levelMask = 0;  // bits 1 Critical, 2 Warning, 4 Info, 8 Debug
};

struct MailForm {
  std::string destAddress, smtpServer, port, senderAddress, userName, password;
  int authPosition = -1;  // 0 "None", 1 "AUTH_LOGIN"; -1 none chosen
  bool requireTls = false;
  ScheduleForm schedule;
};

struct SyslogForm {
  std::string serverAddress;
  ScheduleForm schedule;
};

struct Failure {
  std::string message;
  int control;
  bool operator==(const Failure&) const = default;
};

// The first check that fails, in the pages' order; none when the form may be saved.
std::optional<Failure> ValidateMailForm(const MailForm& form);
std::optional<Failure> ValidateSyslogForm(const SyslogForm& form);

MailForm MailFormFrom(const MailAlertSettings& settings);
SyslogForm SyslogFormFrom(const CScheduleParams& params);
// The settings a form saves; the last send time is kept from `stored`.
MailAlertSettings MailSettingsFrom(const MailForm& form, const MailAlertSettings& stored);
CScheduleParams SyslogParamsFrom(const SyslogForm& form, const CScheduleParams& stored);

// How the schedule controls look for a send type. Types outside "0".."4" change nothing (none).
struct ScheduleControls {
  bool dayEnabled = false;
  bool timeEnabled = false;
  // The day list's new entries; none keeps its entries (and its selection).
  std::optional<std::vector<std::string>> days;
};
std::optional<ScheduleControls> ScheduleControlsFor(const std::string& sendType);

}  // namespace alert_pages
