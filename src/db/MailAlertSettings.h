#pragma once
// The e-mail alert settings: where the system log goes by mail, and when.
#include <string>

#include "db/AlertSchedule.h"

struct MailAlertSettings {
  std::string destAddress;
  std::string smtpServerAddress;
  std::string authMethod;  // "0" none, "1" AUTH LOGIN
  std::string smtpPort;    // decimal text
  std::string senderAddress;
  std::string userName;
  std::string password;  // kept as typed, as the server needs it; never written to a log
  AlertSchedule schedule;

  bool operator==(const MailAlertSettings&) const = default;
};
