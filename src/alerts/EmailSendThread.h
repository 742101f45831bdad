#pragma once
// The e-mail alert sender: one run mails the system-log rows written since the last sent mail, at the
// levels of the e-mail settings, and moves the last send time on only when the mail went out. The outcome
// of every run is a Debug line of the system log.
#include <stop_token>

#include "alerts/AlertLogQuery.h"
#include "alerts/AlertSender.h"
#include "alerts/SendRunner.h"

class CEmailSendThread : public IAlertSender {
 public:
  bool IsIdle() const override { return runner_.IsIdle(); }
  bool Start() override { return runner_.Start(); }

  // One run on the calling thread: 1 when the mail was sent, else 0. cancel ends a transfer in progress.
  int SendAlertMail(std::stop_token cancel = {});

 private:
  AlertSendMark mark_;  // of this sender's last send; rows up to its index never go out twice
  // Declared last, so a run in progress ends before anything else of the sender goes.
  CSendRunner runner_{[this](std::stop_token stop) { SendAlertMail(stop); }};
};
