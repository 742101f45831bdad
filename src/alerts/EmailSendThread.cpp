#include "alerts/EmailSendThread.h"

#include <algorithm>
#include <cstdlib>

#include "alerts/AlertLogQuery.h"
#include "alerts/EmailSend.h"
#include "db/MailAlertDb.h"
#include "log/LogDBModule.h"
#include "platform/Clock.h"

namespace {

constexpr char kAuthLoginMethod[] = "1";
constexpr char kRequired[] = "1";

}  // namespace

int CEmailSendThread::SendAlertMail(std::stop_token cancel) {
  MailAlertSettings settings;
  if (CMailAlertDb().GetMailAlertParam(settings) != 0)
    return WriteAlertOutcome(platform::NowText() + ", get parameters error, not send E-mail!");
  const std::string& destination = settings.destAddress;
  // Taken before the rows are read: a row written meanwhile goes out with the next send.
  const std::string sendTime = platform::NowText();
  const std::optional<AlertLogQuery> query = mark_.NextQuery(settings.schedule);
  if (!query)
    return WriteAlertOutcome(platform::NowText() + ", get log information error, not send E-mail to " + destination + "!");
  std::string text;
  if (!GetLogDBModule()->ReadLogText(query->sql, text, query->params))
    return WriteAlertOutcome(platform::NowText() + ", no requested log information, not send E-mail to " + destination + "!");

  CEmailSend mail;
  mail.recipient = destination;
  mail.sender = settings.senderAddress;
  mail.subject = text.substr(0, text.find("\r\n"));
  mail.body = text;
  mail.server = settings.smtpServerAddress;
  // A number past the last port stays one that the send refuses, rather than wrapping to another port.
  mail.port = static_cast<int>(std::clamp(std::strtol(settings.smtpPort.c_str(), nullptr, 10), 0L, 65536L));
  mail.userName = settings.userName;
  mail.password = settings.password;
  mail.requireTls = settings.requireTls == kRequired;
  mail.cancel = cancel;
  mail.authMode = CEmailSend::kNoAuthentication;
  bool sent = mail.OnSend() != 0;
  if (!sent && settings.authMethod == kAuthLoginMethod) {
    mail.authMode = CEmailSend::kAuthLogin;
    sent = mail.OnSend() != 0;
  }
  if (!sent) return WriteAlertOutcome(platform::NowText() + " send E-mail to " + destination + " failed!");
  if (CMailAlertDb().UpdateLastSendTime(sendTime) == 1)
    mark_.Advance(sendTime);
  WriteAlertOutcome(platform::NowText() + " send E-mail to " + destination + ".");
  return 1;
}
