#pragma once
// Runs one load-balance command's device and database work on a worker thread, so that device time-outs
// never freeze the window, and hands its result back to the UI thread.
#include <wx/event.h>

#include <functional>

#include "platform/WorkerThread.h"

class CLoadBalanceJob : public platform::CWorkerThread {
 public:
  using Work = std::function<bool()>;
  using Done = std::function<void(bool succeeded)>;

  // done runs on the UI thread through target's event queue; the target must outlive the job or join it.
  explicit CLoadBalanceJob(wxEvtHandler& target) : m_target(target) {}
  // The work is not cut off half-way: the destructor waits for it.
  ~CLoadBalanceJob() override;

  // False while a job still runs (one at a time).
  bool Launch(Work work, Done done);
  bool Busy() const { return m_busy; }

 protected:
  std::uint32_t Run(void* param) override;

 private:
  wxEvtHandler& m_target;
  Work m_work;
  Done m_done;
  bool m_busy = false;  // UI thread only
};
