#pragma once
// A call that a worker thread queues on the UI thread and waits for: a message sent to a window, or a
// message box. While the application shuts down the UI thread may be joining that very worker, so the
// wait then gives up instead of blocking both threads for ever.
#include <wx/event.h>

#include <cstdint>
#include <functional>
#include <future>

class CUiThreadCall {
 public:
  // Queues the work on the target's thread at once.
  CUiThreadCall(wxEvtHandler& target, std::function<std::intptr_t()> work);

  // The work's result; the fallback when the call was dropped unrun (its window went first) or when the
  // application is shutting down.
  std::intptr_t Wait(std::intptr_t fallback);

  static void SetShuttingDown(bool shuttingDown);
  static bool IsShuttingDown();

 private:
  std::future<std::intptr_t> answer_;
};
