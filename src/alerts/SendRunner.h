#pragma once
// Runs a sender's work on a new thread per run, one run at a time. Idle from construction and after every
// run; busy from Start until the work returns. Stopping asks the work to end (its stop token) and waits for
// the thread, so the owner and everything the work uses outlive the run.
#include <functional>
#include <mutex>
#include <stop_token>
#include <thread>

class CSendRunner {
 public:
  using Work = std::function<void(std::stop_token)>;

  explicit CSendRunner(Work work) : work_(std::move(work)) {}
  ~CSendRunner() { Stop(); }
  CSendRunner(const CSendRunner&) = delete;
  CSendRunner& operator=(const CSendRunner&) = delete;

  bool IsIdle() const;
  // False while a run is in progress (the check and the claim are one step, so two starts never overlap),
  // or when no thread could be created.
  bool Start();
  // Asks the run in progress to end and waits for its thread.
  void Stop();

 private:
  void SetIdle(bool idle);

  Work work_;
  mutable std::mutex lock_;
  bool idle_ = true;
  std::jthread thread_;  // the last run's; only Start and Stop touch it, on the owner's thread
};
