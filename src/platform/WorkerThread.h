#pragma once
// Base of the console's job threads: one std::thread that runs OnInit, Run and OnExit in turn. Stopping is
// cooperative: Stop asks the job to end through a stop token and joins the thread, so no job is ever cut off
// half-way. A derived class checks StopRequested between its steps and waits with WaitMs, which a stop ends.
//
// A derived class whose Run uses its own members must call Stop in its own destructor: by the time this
// base's destructor runs, the derived part is already gone.
#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

namespace platform {

class CWorkerThread {
 public:
  // The routine the thread runs; the default one calls OnInit, Run with the start parameter and OnExit.
  using ThreadProcFn = std::function<void(CWorkerThread&)>;
  static constexpr std::uint32_t kExitCodeRunning = 0xFFFFFFFFu;

  CWorkerThread();
  virtual ~CWorkerThread();
  CWorkerThread(const CWorkerThread&) = delete;
  CWorkerThread& operator=(const CWorkerThread&) = delete;

  // Replaces the start routine; has effect from the next Start.
  void SetThreadProc(ThreadProcFn proc);

  // Starts the thread with param handed to Run. False, and nothing started, while an earlier thread of this
  // object has not been stopped yet: one object never runs two threads.
  bool Start(void* param);
  bool StartNoParam() { return Start(nullptr); }

  // Ends the thread and returns its exit code (the value Run returned). With requestStop the job is asked to
  // end at its next check and its waits end at once; without it the job runs to its end. Either way Stop
  // returns only when the thread has ended. With no thread it returns the last exit code unchanged.
  std::uint32_t Stop(bool requestStop = true);

  // True from Start until Stop, also when the thread has already finished its work.
  bool HasThread() const;
  std::uint32_t ExitCode() const;

  // The default start routine.
  static void ThreadProc(CWorkerThread& worker);

  // For the code on the thread, also a replaced start routine: has a stop been asked for?
  bool StopRequested() const { return m_stop.get_token().stop_requested(); }
  std::stop_token StopToken() const { return m_stop.get_token(); }
  // Waits milliseconds; false when a stop or the program's shut-down ended the wait early.
  bool WaitMs(std::uint32_t milliseconds) const;

 protected:
  virtual std::uint32_t Run(void* param);
  virtual void OnInit() {}
  virtual void OnExit() {}

 private:
  // Serialises Start, Stop and SetThreadProc; the worker itself never takes it, so a job that asks
  // HasThread or ExitCode cannot deadlock against a Stop that joins it.
  std::mutex m_controlMutex;
  std::thread m_thread;
  std::atomic<bool> m_hasThread{false};
  std::stop_source m_stop;
  void* m_param = nullptr;
  std::atomic<std::uint32_t> m_exitCode{kExitCodeRunning};  // written by the thread as its last act
  ThreadProcFn m_threadProc;
};

}  // namespace platform
