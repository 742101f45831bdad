#pragma once
// A call that a worker thread queues on the UI thread and waits for: a message sent to a window, or a
// message box. The UI thread may be joining that very worker (a job's Cancel, the main window's end, the
// application's shut-down), so the wait then gives up instead of blocking both threads for ever, and the
// call, now without anyone waiting for it, is dropped unrun.
#include <wx/event.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <future>
#include <memory>

class CUiThreadCall {
 public:
  // Queues the work on the target's thread at once.
  CUiThreadCall(wxEvtHandler& target, std::function<std::intptr_t()> work);

  // The work's result; the fallback when the call was dropped unrun (its window went first), when the
  // UI thread is joining workers or when the application is shutting down.
  std::intptr_t Wait(std::intptr_t fallback);

  static void SetShuttingDown(bool shuttingDown);
  static bool IsShuttingDown();

 private:
  std::future<std::intptr_t> answer_;
  std::shared_ptr<std::atomic<bool>> abandoned_;
};

// While one lives on the UI thread, that thread joins worker threads and runs no calls: the workers'
// calls give up at once. Scopes may nest.
class CUiThreadJoining {
 public:
  CUiThreadJoining();
  ~CUiThreadJoining();
  CUiThreadJoining(const CUiThreadJoining&) = delete;
  CUiThreadJoining& operator=(const CUiThreadJoining&) = delete;
};
