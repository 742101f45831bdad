#pragma once
// Locks and events standing in for named mutexes, critical sections and kernel events. Everything is
// in one process, so a "named" mutex is a recursive mutex object that its owner shares.
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace platform {

// Re-entrant for the owning thread, blocking without time-out.
class CCritSec {
 public:
  void Lock() { mutex_.lock(); }
  void Unlock() { mutex_.unlock(); }
  bool TryLock() { return mutex_.try_lock(); }
  // BasicLockable, so std::lock_guard and std::scoped_lock work on it.
  void lock() { Lock(); }
  void unlock() { Unlock(); }
  bool try_lock() { return TryLock(); }

 private:
  std::recursive_mutex mutex_;
};

using RecursiveMutex = CCritSec;

// Takes both mutexes together without deadlocking against a thread that takes them in the other order.
void LockBoth(RecursiveMutex& first, RecursiveMutex& second);
void UnlockBoth(RecursiveMutex& first, RecursiveMutex& second);

class Event {
 public:
  enum class Reset { Automatic, Manual };
  explicit Event(Reset reset = Reset::Automatic, bool signalled = false);

  void Set();
  void ResetEvent();
  // True when the event was signalled within the time-out; an automatic event is reset by the wait.
  bool Wait(std::chrono::milliseconds timeout);
  void Wait();

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  bool manual_;
  bool signalled_;
};

}  // namespace platform

using platform::CCritSec;
