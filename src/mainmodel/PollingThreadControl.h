#pragma once
// The engine's polling thread behind the main window's polling interface. Its notifications pass through
// a relay window on their way to the main window, so the relay knows whether a pass is running: the clear
// of the database waits for that pass to end without taking the user-interface thread's messages.
#include <condition_variable>
#include <memory>
#include <mutex>

#include "engine/PollingThread.h"
#include "mainmodel/PollingControl.h"

class CPollingThreadControl : public IPollingControl {
 public:
  CPollingThreadControl();
  ~CPollingThreadControl() override;

  bool Start(platform::WindowId window) override;
  void Lock() override { thread_.Lock(); }
  void Restart() override { thread_.Restart(); }
  bool WaitIdle(std::chrono::milliseconds limit) override;
  void EnableScanIP(bool enable) override { thread_.EnableScanIP(enable); }
  void ResetCountdown() override { thread_.ResetCountdown(); }
  void Stop() override;

  CPollingThread& Thread() { return thread_; }

 private:
  class Relay;
  std::shared_ptr<Relay> relay_;
  platform::WindowId relayId_ = platform::kNoWindow;
  CPollingThread thread_;
};
