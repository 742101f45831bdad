#include "engine/MultiSnmpDispatcher.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <list>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "engine/SignalEvents.h"
#include "engine/SnmpTaskRecord.h"
#include "engine/SnmpWorker.h"
#include "platform/DebugTrace.h"

namespace {

// The one dispatcher of the process.
struct DispatcherState {
  CSignalHub hub;
  CHubEvent work{hub, CHubEvent::Reset::Manual};
  CHubEvent quit{hub, CHubEvent::Reset::Manual};
  std::vector<std::unique_ptr<CSnmpWorker>> workers;
  std::list<SnmpTaskRecord> queue;
  std::thread thread;
  CMultiSnmpDispatcher::TaskStarted taskStarted;
  CMultiSnmpDispatcher::TaskFinished taskFinished;
  CMultiSnmpDispatcher::TaskFailed taskFailed;
  CMultiSnmpDispatcher::WorkEnded workEnded;
};

DispatcherState& State() {
  static DispatcherState state;
  return state;
}

bool AnyWorkerHasTask(const DispatcherState& state) {
  for (const auto& worker : state.workers)
    if (worker->CurrentTask() != nullptr) return true;
  return false;
}

// Hands out the queue once. True when every task has reported; false on quit once the queue is used up
// (tasks still running then end unreported).
bool RunQueue(DispatcherState& state) {
  const int workerCount = static_cast<int>(state.workers.size());
  std::vector<CHubEvent*> waitList;
  for (const auto& worker : state.workers) {
    waitList.push_back(&worker->DoneEvent());
    waitList.push_back(&worker->FailedEvent());
  }
  std::vector<CHubEvent*> workerEntries = waitList;  // once quit is seen, it is not waited for again
  waitList.push_back(&state.quit);
  bool quitSeen = false;

  auto next = state.queue.begin();
  auto handNext = [&](int index) {
    DebugTrace("AssignTark : %d\r\n", next->id);
    if (state.taskStarted) state.taskStarted(next->id);
    state.workers[index]->TakeTask(&*next);
    ++next;
  };
  // Workers 0 .. min(workers, tasks) - 1 each get a first task, so that a quick first task cannot make
  // its worker take the others' share too.
  const int kickOff = std::min<int>(workerCount, static_cast<int>(state.queue.size()));
  for (int i = 0; i < kickOff; ++i) handNext(i);

  for (;;) {
    const int entry = state.hub.WaitAny(quitSeen ? workerEntries : waitList);
    if (entry == 2 * workerCount) {  // quit: the remaining tasks are handed out first
      quitSeen = true;
      if (next != state.queue.end()) continue;
      DebugTrace("quit\r\n");
      return false;
    }
    const int index = entry / 2;
    CSnmpWorker& worker = *state.workers[index];
    DebugTrace("%d-->iThreadIndex :%d\r\n", entry, index);
    if (SnmpTaskRecord* finished = worker.CurrentTask()) {
      if (entry % 2 == 1) {
        if (state.taskFailed) state.taskFailed(finished->id, index, 0);
      } else if (state.taskFinished) {
        state.taskFinished(finished->id, index);
      }
      // Known from here as idle: its result is in, so the end of the work cannot overtake it.
      worker.ClearCurrentTask();
    }
    if (next != state.queue.end()) {
      handNext(index);
      continue;
    }
    if (quitSeen) {
      DebugTrace("quit\r\n");
      return false;
    }
    if (!AnyWorkerHasTask(state)) {
      DebugTrace("ALL OK");
      return true;
    }
  }
}

void DispatcherThread() {
  DispatcherState& state = State();
  while (state.hub.WaitAny({&state.work, &state.quit}) == 0) {
    const bool allReported = RunQueue(state);
    state.work.ResetEvent();
    if (allReported && state.workEnded) state.workEnded();
  }
  for (const auto& worker : state.workers) worker->QuitEvent().Set();
  for (const auto& worker : state.workers) {
    worker->JoinEnded();
    worker->ClearCurrentTask();
  }
  state.quit.ResetEvent();
}

}  // namespace

CMultiSnmpDispatcher::CMultiSnmpDispatcher() {
  DispatcherState& state = State();
  state.taskStarted = nullptr;
  state.taskFinished = nullptr;
  state.taskFailed = nullptr;
  state.workEnded = nullptr;
}

CMultiSnmpDispatcher::~CMultiSnmpDispatcher() { Stop(); }

bool CMultiSnmpDispatcher::Create(int workers) {
  DispatcherState& state = State();
  if (state.thread.joinable() || workers <= 0) return false;
  for (int i = 0; i < workers; ++i) {
    state.workers.push_back(std::make_unique<CSnmpWorker>(state.hub));
    if (!state.workers.back()->Create()) return false;
  }
  try {
    state.thread = std::thread(DispatcherThread);
  } catch (const std::system_error&) {
    return false;
  }
  return true;
}

void CMultiSnmpDispatcher::Stop() {
  DispatcherState& state = State();
  if (state.thread.joinable()) {
    state.quit.Set();
    state.thread.join();
  }
  for (auto& worker : state.workers) worker->Stop();
  state.workers.clear();
}

int CMultiSnmpDispatcher::AddTask(const std::string& text, CSnmpTask* task) {
  DispatcherState& state = State();
  if (IsWorking() || text.empty()) return -1;
  SnmpTaskRecord record;
  record.value = task;
  record.id = static_cast<int>(state.queue.size());
  record.text = text.substr(0, SnmpTaskRecord::kMaxText);
  state.queue.push_back(std::move(record));
  return state.queue.back().id;
}

void CMultiSnmpDispatcher::ClearTasks() {
  if (!IsWorking()) State().queue.clear();
}

int CMultiSnmpDispatcher::GetTaskCount() const { return static_cast<int>(State().queue.size()); }

bool CMultiSnmpDispatcher::IsWorking() const { return State().work.IsSet(); }

bool CMultiSnmpDispatcher::StartWork() {
  DispatcherState& state = State();
  if (!state.thread.joinable() || IsWorking() || state.queue.empty()) return false;
  DebugTrace("Task Count %d\r\n", static_cast<int>(state.queue.size()));
  state.work.Set();
  return true;
}

void CMultiSnmpDispatcher::SetTaskStarted(TaskStarted callback) { State().taskStarted = std::move(callback); }
void CMultiSnmpDispatcher::SetTaskFinished(TaskFinished callback) { State().taskFinished = std::move(callback); }
void CMultiSnmpDispatcher::SetTaskFailed(TaskFailed callback) { State().taskFailed = std::move(callback); }
void CMultiSnmpDispatcher::SetWorkEnded(WorkEnded callback) { State().workEnded = std::move(callback); }

bool CMultiSnmpDispatcher::AppendLog(const std::string& text) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y/%m/%d %H:%M:%S", &local);
  std::FILE* file = std::fopen("./mtftp.log", "ab");
  if (file == nullptr) return false;
  const bool written = std::fprintf(file, "%s %s\r\n", stamp, text.c_str()) > 0;
  return std::fclose(file) == 0 && written;
}
