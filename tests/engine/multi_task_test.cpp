// The task pool: every queued task runs once with its index and argument; Destroy returns only when no
// task runs, and tasks see IsStopping meanwhile.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "engine/MultiTask.h"

namespace {

using namespace std::chrono_literals;

TEST(MultiTaskTest, RunsEveryTaskOnceWithItsIndexAndArgument) {
  CMultiTask pool;
  EXPECT_FALSE(pool.StartWork()) << "no threads before Create";
  ASSERT_FALSE(pool.Create(0));
  ASSERT_TRUE(pool.Create(8));
  ASSERT_TRUE(pool.Create(3)) << "created again with fewer threads before the work starts";

  std::vector<int> arguments(20);
  std::mutex mutex;
  std::multiset<int> seen;
  for (int i = 0; i < 20; ++i) {
    arguments[i] = 100 + i;
    EXPECT_EQ(pool.AddTask(
                  [&](int index, void* argument) {
                    std::lock_guard lock(mutex);
                    seen.insert(index * 1000 + *static_cast<int*>(argument));
                  },
                  &arguments[i]),
              i);
  }
  EXPECT_EQ(pool.AddTask(nullptr, nullptr), -1);
  EXPECT_EQ(pool.GetTaskCount(), 20);
  ASSERT_TRUE(pool.StartWork());
  while (pool.IsWorking()) std::this_thread::sleep_for(1ms);

  EXPECT_EQ(pool.GetProcessedTaskCount(), 20);
  std::multiset<int> expected;
  for (int i = 0; i < 20; ++i) expected.insert(i * 1000 + 100 + i);
  EXPECT_EQ(seen, expected);
}

TEST(MultiTaskTest, EmptyQueueStartsAndIsNotWorking) {
  CMultiTask pool;
  ASSERT_TRUE(pool.Create(2));
  EXPECT_TRUE(pool.StartWork());
  EXPECT_FALSE(pool.IsWorking());
  EXPECT_EQ(pool.GetProcessedTaskCount(), 0);
}

TEST(MultiTaskTest, DestroyMidWayJoinsRunningTasksAndStartsNoMore) {
  CMultiTask pool;
  ASSERT_TRUE(pool.Create(2));
  std::atomic<int> running{0};
  std::atomic<int> started{0};
  std::atomic<bool> sawStopping{false};
  for (int i = 0; i < 50; ++i)
    pool.AddTask(
        [&](int, void*) {
          ++started;
          ++running;
          while (!CMultiTask::IsStopping()) std::this_thread::sleep_for(1ms);
          sawStopping = true;
          --running;
        },
        nullptr);
  EXPECT_FALSE(CMultiTask::IsStopping());
  ASSERT_TRUE(pool.StartWork());
  EXPECT_EQ(pool.AddTask([](int, void*) {}, nullptr), -1) << "no task is added while working";
  while (started < 2) std::this_thread::sleep_for(1ms);

  pool.Destroy();
  EXPECT_EQ(running, 0) << "no task runs once Destroy returns";
  EXPECT_TRUE(sawStopping);
  EXPECT_EQ(started, 2) << "the queued tasks after the running ones never start";
  EXPECT_FALSE(pool.IsWorking());
  EXPECT_FALSE(CMultiTask::IsStopping());
  EXPECT_FALSE(pool.StartWork()) << "a destroyed pool stays stopped";
}

}  // namespace
