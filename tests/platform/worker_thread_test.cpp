#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/WorkerThread.h"

using namespace std::chrono_literals;

namespace {

// Records the order of its steps and the thread they ran on; Run either waits for a stop or returns at once.
class RecordingWorker : public platform::CWorkerThread {
 public:
  explicit RecordingWorker(bool waitForStop) : m_waitForStop(waitForStop) {}
  ~RecordingWorker() override { Stop(true); }

  std::vector<std::string> Steps() {
    std::lock_guard lock(m_mutex);
    return m_steps;
  }
  std::thread::id RunThread() {
    std::lock_guard lock(m_mutex);
    return m_runThread;
  }
  std::promise<void> running;

 protected:
  void OnInit() override { Record("init"); }
  std::uint32_t Run(void* param) override {
    {
      std::lock_guard lock(m_mutex);
      m_runThread = std::this_thread::get_id();
    }
    Record("run");
    running.set_value();
    if (m_waitForStop) Record(WaitMs(10000) ? "wait ran out" : "wait ended by stop");
    return param ? *static_cast<std::uint32_t*>(param) : 0;
  }
  void OnExit() override { Record("exit"); }

 private:
  void Record(std::string step) {
    std::lock_guard lock(m_mutex);
    m_steps.push_back(std::move(step));
  }
  const bool m_waitForStop;
  std::mutex m_mutex;
  std::vector<std::string> m_steps;
  std::thread::id m_runThread;
};

// Stop runs on a helper so a Stop that hangs fails the test instead of blocking the suite.
std::uint32_t StopWithin(platform::CWorkerThread& worker, bool requestStop) {
  auto stopped = std::async(std::launch::async, [&] { return worker.Stop(requestStop); });
  if (stopped.wait_for(5s) != std::future_status::ready) ADD_FAILURE() << "Stop did not return";
  return stopped.get();
}

}  // namespace

TEST(WorkerThreadTest, RunsItsStepsInOrderOnItsOwnThreadAndStopReturnsRunsValue) {
  RecordingWorker worker(false);
  std::uint32_t param = 42;
  ASSERT_TRUE(worker.Start(&param));
  worker.running.get_future().wait();
  EXPECT_EQ(StopWithin(worker, false), 42u);
  EXPECT_EQ(worker.Steps(), (std::vector<std::string>{"init", "run", "exit"}));
  EXPECT_NE(worker.RunThread(), std::this_thread::get_id());
  EXPECT_FALSE(worker.HasThread());
  // With no thread left Stop only reports the last exit code.
  EXPECT_EQ(worker.Stop(true), 42u);
}

// A stop request ends the job's long wait at once; without one, Stop waits for the job to end by itself.
TEST(WorkerThreadTest, StopEndsALongWaitOrWaitsForTheJob) {
  RecordingWorker stopped(true);
  ASSERT_TRUE(stopped.StartNoParam());
  stopped.running.get_future().wait();
  EXPECT_EQ(stopped.ExitCode(), platform::CWorkerThread::kExitCodeRunning);
  EXPECT_EQ(StopWithin(stopped, true), 0u);
  EXPECT_EQ(stopped.Steps(), (std::vector<std::string>{"init", "run", "wait ended by stop", "exit"}));

  std::atomic<bool> release{false};
  std::atomic<bool> finished{false};
  platform::CWorkerThread waited;
  waited.SetThreadProc([&](platform::CWorkerThread& self) {
    while (!release) std::this_thread::sleep_for(1ms);
    EXPECT_FALSE(self.StopRequested());
    finished = true;
  });
  ASSERT_TRUE(waited.StartNoParam());
  auto stop = std::async(std::launch::async, [&] { return waited.Stop(false); });
  EXPECT_EQ(stop.wait_for(50ms), std::future_status::timeout);
  release = true;
  ASSERT_EQ(stop.wait_for(5s), std::future_status::ready);
  EXPECT_TRUE(finished);
}

// One object never runs two threads: a second Start is refused until the first thread is stopped.
TEST(WorkerThreadTest, RefusesASecondStartUntilStoppedThenStartsAgain) {
  RecordingWorker worker(true);
  ASSERT_TRUE(worker.StartNoParam());
  worker.running.get_future().wait();
  EXPECT_FALSE(worker.StartNoParam());
  EXPECT_TRUE(worker.HasThread());
  StopWithin(worker, true);

  worker.running = std::promise<void>();
  std::uint32_t param = 7;
  ASSERT_TRUE(worker.Start(&param));
  worker.running.get_future().wait();
  EXPECT_EQ(StopWithin(worker, true), 7u);
  EXPECT_EQ(worker.Steps().size(), 8u);
}

// A replaced start routine that waits for a stop is ended by the destructor, not left running.
TEST(WorkerThreadTest, DestructorStopsAndJoinsARunningThread) {
  std::atomic<bool> ended{false};
  auto destroyed = std::async(std::launch::async, [&] {
    platform::CWorkerThread worker;
    worker.SetThreadProc([&](platform::CWorkerThread& self) {
      self.WaitMs(10000);
      ended = true;
    });
    worker.StartNoParam();
  });
  ASSERT_EQ(destroyed.wait_for(5s), std::future_status::ready);
  EXPECT_TRUE(ended);
}
