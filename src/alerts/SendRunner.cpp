#include "alerts/SendRunner.h"

#include <system_error>

bool CSendRunner::IsIdle() const {
  std::lock_guard lock(lock_);
  return idle_;
}

void CSendRunner::SetIdle(bool idle) {
  std::lock_guard lock(lock_);
  idle_ = idle;
}

bool CSendRunner::Start() {
  {
    std::lock_guard lock(lock_);
    if (!idle_) return false;
    idle_ = false;
  }
  if (thread_.joinable()) thread_.join();  // the previous run has set idle: its thread is ending
  try {
    thread_ = std::jthread([this](std::stop_token stop) {
      work_(stop);
      SetIdle(true);
    });
  } catch (const std::system_error&) {
    SetIdle(true);
    return false;
  }
  return true;
}

void CSendRunner::Stop() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  thread_.join();
}
