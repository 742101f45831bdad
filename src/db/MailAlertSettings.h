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
  // "1": mail only over a connection secured by STARTTLS; otherwise ("0", "") STARTTLS whenever offered.
  std::string requireTls;
  AlertSchedule schedule;

  bool operator==(const MailAlertSettings&) const = default;
};
