// The SNMP dispatcher: queue rules, the order of its reports, a batch of requests to the simulated
// network, and a stop in the middle of a batch.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <mutex>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "engine/MultiSnmpDispatcher.h"
#include "engine/SnmpTask.h"
#include "snmp/y_snmp.h"
#include "support/DevSimProcess.h"
#include "support/TempDir.h"

namespace {

using namespace std::chrono_literals;
using testing_support::DevSimProcess;
using testing_support::DevSimReference;

// The reports of one run, in the order the dispatcher made them.
class Reports {
 public:
  void Attach(CMultiSnmpDispatcher& dispatcher) {
    dispatcher.SetTaskStarted([this](int id) { Add("start " + std::to_string(id)); });
    dispatcher.SetTaskFinished([this](int id, int worker) { Add("done " + std::to_string(id), worker); });
    dispatcher.SetTaskFailed([this](int id, int worker, int code) {
      EXPECT_EQ(code, 0);
      Add("failed " + std::to_string(id), worker);
    });
    dispatcher.SetWorkEnded([this] { Add("ended"); });
  }
  // Waits for the work-ended report.
  bool WaitEnded() {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, 20s, [this] { return ended_ > 0; });
  }
  std::vector<std::string> Lines() {
    std::lock_guard lock(mutex_);
    return lines_;
  }
  std::set<int> Workers() {
    std::lock_guard lock(mutex_);
    return workers_;
  }

 private:
  void Add(const std::string& line, int worker = -1) {
    std::lock_guard lock(mutex_);
    lines_.push_back(line);
    if (worker >= 0) workers_.insert(worker);
    if (line == "ended") ++ended_;
    changed_.notify_all();
  }
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<std::string> lines_;
  std::set<int> workers_;
  int ended_ = 0;
};

// A session to a simulated device (the simulator answers the community "private").
CYSnmp Session(const std::string& address) {
  CYSnmp snmp;
  snmp.SetIp(address);
  snmp.SetReadCommunity("private");
  snmp.timeout = 50;
  return snmp;
}

class CountTask : public CSnmpTask {
 public:
  void Execute() override { ++runs; }
  std::atomic<int> runs{0};
};

class ThrowingTask : public CSnmpTask {
 public:
  void Execute() override { throw std::runtime_error("no answer"); }
};

// Reads the device's name.
class SysNameTask : public CSnmpTask {
 public:
  explicit SysNameTask(std::string address) : address_(std::move(address)) {}
  void Execute() override {
    CYSnmp snmp = Session(address_);
    result = snmp.Get("1.3.6.1.2.1.1.5.0", name);
  }
  std::string name;
  int result = -99;

 private:
  std::string address_;
};

TEST(MultiSnmpDispatcherTest, QueueRules) {
  CMultiSnmpDispatcher dispatcher;
  EXPECT_EQ(dispatcher.AddTask("", nullptr), -1);
  EXPECT_EQ(dispatcher.GetTaskCount(), 0);
  EXPECT_FALSE(dispatcher.StartWork()) << "no dispatcher thread yet";
  EXPECT_FALSE(dispatcher.Create(0));
  ASSERT_TRUE(dispatcher.Create(2));
  EXPECT_FALSE(dispatcher.Create(2)) << "one dispatcher per process";
  EXPECT_FALSE(dispatcher.StartWork()) << "empty queue";
  EXPECT_FALSE(dispatcher.IsWorking());
  EXPECT_EQ(dispatcher.AddTask("first", nullptr), 0);
  EXPECT_EQ(dispatcher.AddTask(std::string(300, 'x'), nullptr), 1) << "a long text is cut, not refused";
  EXPECT_EQ(dispatcher.GetTaskCount(), 2);
  dispatcher.ClearTasks();
  EXPECT_EQ(dispatcher.GetTaskCount(), 0);
  dispatcher.Stop();
  EXPECT_TRUE(dispatcher.Create(1)) << "created again after a stop";
}

TEST(MultiSnmpDispatcherTest, ThreeWorkersTwoTasksReportInOrderAndEndOnce) {
  CMultiSnmpDispatcher dispatcher;
  Reports reports;
  reports.Attach(dispatcher);
  ASSERT_TRUE(dispatcher.Create(3));
  CountTask ok;
  ThrowingTask broken;
  ASSERT_EQ(dispatcher.AddTask("ok", &ok), 0);
  ASSERT_EQ(dispatcher.AddTask("broken", &broken), 1);
  ASSERT_TRUE(dispatcher.StartWork());
  EXPECT_FALSE(dispatcher.StartWork()) << "refused while working";
  EXPECT_EQ(dispatcher.AddTask("late", &ok), -1);
  ASSERT_TRUE(reports.WaitEnded());
  std::this_thread::sleep_for(50ms);  // a second "ended" would come now

  const std::vector<std::string> lines = reports.Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "ended"), 1);
  EXPECT_EQ(lines.back(), "ended");
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "done 0"), 1) << "a task that returns is finished";
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "failed 0"), 0);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "failed 1"), 1) << "a task that throws has failed";
  EXPECT_EQ(reports.Workers(), (std::set<int>{0, 1})) << "worker 2 is never kicked off";
  EXPECT_FALSE(dispatcher.IsWorking());

  // The queue is kept: a second start runs the same tasks again.
  ASSERT_TRUE(dispatcher.StartWork());
  while (dispatcher.IsWorking()) std::this_thread::sleep_for(1ms);
  EXPECT_EQ(ok.runs, 2);
  dispatcher.Stop();
  dispatcher.ClearTasks();
}

TEST(MultiSnmpDispatcherTest, BatchOfRequestsToTheSimulatedNetwork) {
  DevSimProcess simulator;
  CMultiSnmpDispatcher dispatcher;
  Reports reports;
  reports.Attach(dispatcher);
  ASSERT_TRUE(dispatcher.Create(2));
  const std::vector<std::string> addresses = {DevSimReference::kSwitch, DevSimReference::kAp1,
                                              DevSimReference::kAp2, DevSimReference::kAp3};
  std::vector<std::unique_ptr<SysNameTask>> tasks;
  for (int round = 0; round < 3; ++round)
    for (const std::string& address : addresses) {
      tasks.push_back(std::make_unique<SysNameTask>(address));
      dispatcher.AddTask(address, tasks.back().get());
    }
  ASSERT_TRUE(dispatcher.StartWork());
  ASSERT_TRUE(reports.WaitEnded());

  for (size_t i = 0; i < tasks.size(); ++i) {
    EXPECT_EQ(tasks[i]->result, 0) << i;
    EXPECT_FALSE(tasks[i]->name.empty()) << i;
    EXPECT_EQ(tasks[i]->name, tasks[i % addresses.size()]->name) << "same device, same name";
  }
  const std::vector<std::string> lines = reports.Lines();
  for (size_t id = 0; id < tasks.size(); ++id) {
    auto started = std::find(lines.begin(), lines.end(), "start " + std::to_string(id));
    auto done = std::find(lines.begin(), lines.end(), "done " + std::to_string(id));
    ASSERT_NE(started, lines.end()) << id;
    EXPECT_LT(started, done) << id;
  }
  dispatcher.Stop();
  dispatcher.ClearTasks();
}

// A task that holds its worker until released, counting how many run at once.
class HeldTask : public CSnmpTask {
 public:
  HeldTask(std::atomic<int>& running, std::atomic<int>& started, std::atomic<bool>& release)
      : running_(running), started_(started), release_(release) {}
  void Execute() override {
    ++started_;
    ++running_;
    while (!release_) std::this_thread::sleep_for(1ms);
    CYSnmp snmp = Session(DevSimReference::kSwitch);
    std::string name;
    snmp.Get("1.3.6.1.2.1.1.5.0", name);
    --running_;
  }

 private:
  std::atomic<int>& running_;
  std::atomic<int>& started_;
  std::atomic<bool>& release_;
};

TEST(MultiSnmpDispatcherTest, StopMidWayHandsOutTheRestAndJoinsEveryThread) {
  DevSimProcess simulator;
  CMultiSnmpDispatcher dispatcher;
  Reports reports;
  reports.Attach(dispatcher);
  ASSERT_TRUE(dispatcher.Create(2));
  std::atomic<int> running{0}, started{0};
  std::atomic<bool> release{false};
  std::vector<std::unique_ptr<HeldTask>> tasks;
  for (int i = 0; i < 6; ++i) {
    tasks.push_back(std::make_unique<HeldTask>(running, started, release));
    dispatcher.AddTask("held", tasks.back().get());
  }
  ASSERT_TRUE(dispatcher.StartWork());
  while (started < 2) std::this_thread::sleep_for(1ms);

  std::thread stopper([&] { dispatcher.Stop(); });
  std::this_thread::sleep_for(20ms);
  release = true;
  stopper.join();

  EXPECT_EQ(running, 0) << "no task runs once Stop returns";
  EXPECT_EQ(started, 6) << "the tasks queued at the stop are still handed out";
  const std::vector<std::string> lines = reports.Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "ended"), 0) << "a stop is no end of the work";
  EXPECT_FALSE(dispatcher.IsWorking());
  dispatcher.ClearTasks();
}

TEST(MultiSnmpDispatcherTest, AppendsStampedLinesToItsLogFile) {
  testing_support::TempDir dir;
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  ASSERT_TRUE(CMultiSnmpDispatcher::AppendLog("first"));
  ASSERT_TRUE(CMultiSnmpDispatcher::AppendLog("second"));
  std::filesystem::current_path(previous);

  std::ifstream in(dir.File("mtftp.log"), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  const std::regex expected(
      R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d first\r\n\d{4}/\d\d/\d\d \d\d:\d\d:\d\d second\r\n)");
  EXPECT_TRUE(std::regex_match(text.str(), expected)) << text.str();
}

}  // namespace
