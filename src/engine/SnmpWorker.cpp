#include "engine/SnmpWorker.h"

#include <exception>
#include <system_error>

#include "engine/SnmpTask.h"
#include "engine/SnmpTaskRecord.h"

CSnmpWorker::CSnmpWorker(CSignalHub& hub)
    : hub_(hub),
      work_(hub, CHubEvent::Reset::Manual),
      quit_(hub, CHubEvent::Reset::Manual),
      done_(hub, CHubEvent::Reset::Automatic),
      failed_(hub, CHubEvent::Reset::Automatic) {}

CSnmpWorker::~CSnmpWorker() { Stop(); }

bool CSnmpWorker::Create() {
  if (thread_.joinable()) return false;
  try {
    thread_ = std::thread(&CSnmpWorker::Run, this);
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void CSnmpWorker::Stop() {
  if (!thread_.joinable()) return;
  quit_.Set();
  thread_.join();
}

void CSnmpWorker::JoinEnded() {
  if (thread_.joinable()) thread_.join();
}

bool CSnmpWorker::TakeTask(SnmpTaskRecord* record) {
  if (!thread_.joinable() || IsBusy() || record == nullptr) return false;
  currentTask_ = record;
  work_.Set();
  return true;
}

void CSnmpWorker::Run() {
  while (hub_.WaitAny({&work_, &quit_}) == 0) {
    bool failed = false;
    try {
      if (currentTask_->value != nullptr) currentTask_->value->Execute();
    } catch (const std::exception&) {
      failed = true;
    }
    // One step, so the dispatcher never sees this worker idle before its result.
    hub_.Change({&work_}, {failed ? &failed_ : &done_});
  }
  quit_.ResetEvent();
}
