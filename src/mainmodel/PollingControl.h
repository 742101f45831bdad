#pragma once
// What the main window asks of the polling thread. The engine's thread implements it; tests record.
#include <chrono>

#include "platform/Window.h"

class IPollingControl {
 public:
  virtual ~IPollingControl() = default;
  // Starts the thread; its notifications go to window.
  virtual bool Start(platform::WindowId window) = 0;
  // Ends the current pass or wait and stays idle until Restart.
  virtual void Lock() = 0;
  // Begins a new pass; returns at once.
  virtual void Restart() = 0;
  // Waits until the thread is idle; false when it is still busy after the time.
  virtual bool WaitIdle(std::chrono::milliseconds limit) = 0;
  // The next pass scans the Discovery Wizard's segments (true) or only polls.
  virtual void EnableScanIP(bool enable) = 0;
  // The thread takes a changed polling interval.
  virtual void ResetCountdown() = 0;
  // Stops the thread and joins it.
  virtual void Stop() = 0;
};
