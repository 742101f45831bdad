#pragma once
// The syslog forwarder: one run hands each system-log row written since the last run, at the levels of
// the syslog settings, to the syslog client as one message with the row's severity, then moves the last
// send time on. The outcome of every run is a Debug line of the system log.
#include "alerts/AlertLogQuery.h"
#include "alerts/AlertSender.h"
#include "alerts/SendRunner.h"

class CSyslogSendThread : public IAlertSender {
 public:
  bool IsIdle() const override { return runner_.IsIdle(); }
  bool Start() override { return runner_.Start(); }

  // One run on the calling thread: 1 when the rows were handed to the client, else 0.
  int SendAlertSyslog();

 private:
  AlertSendMark mark_;  // of this sender's last send; rows up to its index never go out twice
  // Declared last, so a run in progress ends before anything else of the sender goes.
  CSendRunner runner_{[this](std::stop_token) { SendAlertSyslog(); }};
};
