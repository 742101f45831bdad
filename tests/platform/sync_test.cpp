#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "platform/Sync.h"

using namespace std::chrono_literals;

TEST(CCritSecTest, OwnerReentersAndOthersWaitUntilFullyReleased) {
  CCritSec lock;
  lock.Lock();
  lock.Lock();  // re-entry by the owner must not deadlock
  std::atomic<bool> entered{false};
  std::thread other([&] {
    lock.Lock();
    entered = true;
    lock.Unlock();
  });
  lock.Unlock();
  std::this_thread::sleep_for(50ms);
  EXPECT_FALSE(entered) << "one Unlock of two must keep the lock held";
  lock.Unlock();
  other.join();
  EXPECT_TRUE(entered);
}

TEST(LockBothTest, OppositeOrdersOnTwoThreadsDoNotDeadlock) {
  platform::RecursiveMutex a, b;
  std::atomic<int> rounds{0};
  auto worker = [&](platform::RecursiveMutex& first, platform::RecursiveMutex& second) {
    for (int i = 0; i < 2000; ++i) {
      platform::LockBoth(first, second);
      ++rounds;
      platform::UnlockBoth(first, second);
    }
  };
  std::thread t1(worker, std::ref(a), std::ref(b));
  std::thread t2(worker, std::ref(b), std::ref(a));
  t1.join();
  t2.join();
  EXPECT_EQ(rounds, 4000);
}

TEST(LockBothTest, WorksWhileTheCallerAlreadyHoldsOne) {
  platform::RecursiveMutex a, b;
  a.Lock();
  platform::LockBoth(a, b);
  platform::UnlockBoth(a, b);
  a.Unlock();
  std::thread other([&] {
    EXPECT_TRUE(a.TryLock());
    EXPECT_TRUE(b.TryLock());
    a.Unlock();
    b.Unlock();
  });
  other.join();
}

TEST(EventTest, TimesOutWhenNotSignalled) {
  platform::Event event;
  EXPECT_FALSE(event.Wait(20ms));
}

TEST(EventTest, AutomaticEventWakesOneWaitAndResets) {
  platform::Event event(platform::Event::Reset::Automatic);
  std::thread setter([&] { event.Set(); });
  EXPECT_TRUE(event.Wait(5s));
  setter.join();
  EXPECT_FALSE(event.Wait(10ms)) << "an automatic event is consumed by the wait";
}

TEST(EventTest, ManualEventStaysSignalledUntilReset) {
  platform::Event event(platform::Event::Reset::Manual);
  event.Set();
  EXPECT_TRUE(event.Wait(0ms));
  EXPECT_TRUE(event.Wait(0ms));
  event.ResetEvent();
  EXPECT_FALSE(event.Wait(10ms));
}
