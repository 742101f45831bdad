#pragma once
// The console's timers on the toolkit's timer: each tick calls the owner back on the UI thread.
#include <wx/timer.h>

#include <functional>

#include "quillon/ConsoleTimer.h"

namespace quillon::ui {

class CWxConsoleTimer : public IConsoleTimer, private wxTimer {
 public:
  explicit CWxConsoleTimer(std::function<void()> onTick) : onTick_(std::move(onTick)) {}
  ~CWxConsoleTimer() override { wxTimer::Stop(); }

  void Start(std::chrono::milliseconds interval, bool oneShot) override {
    wxTimer::Start(static_cast<int>(interval.count()), oneShot ? wxTIMER_ONE_SHOT : wxTIMER_CONTINUOUS);
  }
  void Stop() override { wxTimer::Stop(); }
  bool Running() const { return wxTimer::IsRunning(); }

 private:
  void Notify() override { onTick_(); }
  std::function<void()> onTick_;
};

}  // namespace quillon::ui
