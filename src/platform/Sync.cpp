#include "platform/Sync.h"

namespace platform {

void LockBoth(RecursiveMutex& first, RecursiveMutex& second) {
  if (&first == &second) {
    first.Lock();
    return;
  }
  std::lock(first, second);
}

void UnlockBoth(RecursiveMutex& first, RecursiveMutex& second) {
  if (&first != &second) second.Unlock();
  first.Unlock();
}

Event::Event(Reset reset, bool signalled) : manual_(reset == Reset::Manual), signalled_(signalled) {}

void Event::Set() {
  {
    std::lock_guard lock(mutex_);
    signalled_ = true;
  }
  if (manual_)
    cv_.notify_all();
  else
    cv_.notify_one();
}

void Event::ResetEvent() {
  std::lock_guard lock(mutex_);
  signalled_ = false;
}

bool Event::Wait(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  if (!cv_.wait_for(lock, timeout, [this] { return signalled_; })) return false;
  if (!manual_) signalled_ = false;
  return true;
}

void Event::Wait() {
  std::unique_lock lock(mutex_);
  cv_.wait(lock, [this] { return signalled_; });
  if (!manual_) signalled_ = false;
}

}  // namespace platform
