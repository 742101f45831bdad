#pragma once
// One worker thread of the SNMP dispatcher. It waits for a task record, runs the record's task and
// signals done (or failed, when the task throws); the dispatcher waits for those signals.
#include <thread>

#include "engine/SignalEvents.h"
#include "snmp/y_snmp.h"

struct SnmpTaskRecord;

class CSnmpWorker {
 public:
  explicit CSnmpWorker(CSignalHub& hub);
  ~CSnmpWorker();  // Stop
  CSnmpWorker(const CSnmpWorker&) = delete;
  CSnmpWorker& operator=(const CSnmpWorker&) = delete;

  // Starts the thread; false when it runs already or cannot be started.
  bool Create();
  // Asks the thread to end after its current task and joins it.
  void Stop();
  bool IsBusy() const { return work_.IsSet(); }
  // False without a thread, while busy, or for no record; otherwise the thread runs the record's task.
  bool TakeTask(SnmpTaskRecord* record);

  SnmpTaskRecord* CurrentTask() const { return currentTask_; }
  void ClearCurrentTask() { currentTask_ = nullptr; }
  CHubEvent& DoneEvent() { return done_; }
  CHubEvent& FailedEvent() { return failed_; }
  CHubEvent& QuitEvent() { return quit_; }
  // Joins a thread that its quit event has ended, and forgets it.
  void JoinEnded();

 private:
  void Run();

  CSignalHub& hub_;
  CYSnmp snmp_;  // the session object a worker carries for its tasks
  SnmpTaskRecord* currentTask_ = nullptr;
  std::thread thread_;
  CHubEvent work_;
  CHubEvent quit_;
  CHubEvent done_;
  CHubEvent failed_;
};
