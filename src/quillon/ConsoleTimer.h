#pragma once
// A timer the console's state machines start and stop; the window runs it on its UI thread and calls the
// owner back on every tick, tests tick it themselves.
#include <chrono>

namespace quillon {

class IConsoleTimer {
 public:
  virtual ~IConsoleTimer() = default;
  // Restarts the timer: one tick after `interval`, or a tick every `interval` until stopped.
  virtual void Start(std::chrono::milliseconds interval, bool oneShot) = 0;
  virtual void Stop() = 0;
};

}  // namespace quillon
