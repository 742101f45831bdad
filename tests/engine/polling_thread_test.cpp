// The polling thread's loop: a pass at once, the countdown, and Restart, Lock, ResetCountdown and Stop
// from another thread, over an engine whose passes are short (no devices) or long (a silent switch).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "engine/PollingThread.h"
#include "platform/MessageIds.h"
#include "platform/Shutdown.h"
#include "platform/StatusText.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

using namespace std::chrono_literals;
using testing_support::DevSimReference;
using Texts = std::vector<std::string>;

void SetInterval(int milliseconds) {
  std::lock_guard lock(g_RuntimeSettings.csSettings);
  g_RuntimeSettings.nPollingIntervalMs = milliseconds;
}

class PollingThreadTest : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.strWriteCommunity = "private";
      g_RuntimeSettings.nSnmpTimeout = 100;
    }
    SetInterval(60000);
    polling_.SetNotifyWnd(recorder_.Id());
  }
  void TearDown() override {
    polling_.Stop();
    platform::RunShutdown();
  }

  // The thread's and the pass's messages: "pass" (0x4BB 0/0), "ended" (0x4BB 0/2), "countdown" (0x4BB
  // n/3), "stopped" (0x4BB 0/3), "done" (0x4F2).
  Texts Events() {
    Texts events;
    for (const auto& m : recorder_.Messages()) {
      if (m.id == msg::WM_NMS_SCAN_DONE) events.push_back("done");
      if (m.id != msg::WM_NMS_STATUS_TEXT) continue;
      if (m.lParam == 0) events.push_back("pass");
      if (m.lParam == 2) events.push_back("ended");
      if (m.lParam == 3) events.push_back(m.wParam == 0 ? "stopped" : "countdown");
    }
    return events;
  }
  size_t Count(const std::string& event) {
    const Texts events = Events();
    return static_cast<size_t>(std::count(events.begin(), events.end(), event));
  }
  // Waits until the event was seen count times; false after ten seconds.
  bool WaitFor(const std::string& event, size_t count) {
    for (int i = 0; i < 1000; ++i) {
      if (Count(event) >= count) return true;
      std::this_thread::sleep_for(10ms);
    }
    return false;
  }
  std::vector<std::uintptr_t> CountdownValues() {
    std::vector<std::uintptr_t> values;
    for (const auto& m : recorder_.MessagesWithId(msg::WM_NMS_STATUS_TEXT))
      if (m.lParam == 3 && m.wParam != 0) values.push_back(m.wParam);
    return values;
  }

  testing_support::TempDatabase database_;
  testing_support::MessageRecorder recorder_;
  CPollingThread polling_;
};

TEST_F(PollingThreadTest, APassBeginsAtOnceThenTheCountdownRunsAndStopEndsWithTheStoppedMessage) {
  SetInterval(1500);
  ASSERT_TRUE(polling_.Start());
  ASSERT_TRUE(WaitFor("pass", 2));
  polling_.Stop();

  const Texts events = Events();
  ASSERT_GE(events.size(), 4u);
  EXPECT_EQ((Texts{events[0], events[1], events[2]}), (Texts{"pass", "done", "ended"}));
  EXPECT_EQ(events.back(), "stopped");
  EXPECT_EQ(GetStatusText(), "Polling is stopped");
  EXPECT_EQ(polling_.GetState(), CPollingThread::kStopped);
  const auto values = CountdownValues();
  ASSERT_GE(values.size(), 2u);
  EXPECT_LT(values.front(), 1500u);
  for (size_t i = 1; i < values.size(); ++i) EXPECT_LT(values[i], values[i - 1]);
}

TEST_F(PollingThreadTest, RestartDuringTheCountdownBeginsAPassAndRestartStartsAThreadThatIsNotRunning) {
  polling_.Restart();  // not running: starts it
  ASSERT_TRUE(WaitFor("countdown", 1));
  polling_.Restart();
  ASSERT_TRUE(WaitFor("done", 2));
  EXPECT_EQ(Count("pass"), 2u);
}

TEST_F(PollingThreadTest, LockPausesPassesAndCountdownUntilRestart) {
  SetInterval(600);
  ASSERT_TRUE(polling_.Start());
  ASSERT_TRUE(WaitFor("countdown", 1));
  polling_.Lock();
  std::this_thread::sleep_for(200ms);  // a countdown message already on its way may still arrive
  const size_t seen = Events().size();
  std::this_thread::sleep_for(1500ms);
  EXPECT_EQ(Events().size(), seen) << "no pass and no countdown while locked";
  EXPECT_EQ(polling_.GetState(), CPollingThread::kLocked);

  polling_.Restart();
  ASSERT_TRUE(WaitFor("done", Count("done") + 1));

  polling_.Lock();
  polling_.Stop();
  EXPECT_EQ(Events().back(), "stopped") << "a locked thread ends too";
}

// The countdown's values tell what the thread counts from: once the interval is read again, what is left
// is the new interval less everything waited since the wait began, not since the reload.
TEST_F(PollingThreadTest, ResetCountdownReadsTheIntervalAgainCountingFromTheStartOfTheWait) {
  constexpr std::uintptr_t kMinute = 60000, kRaised = 30000;
  ASSERT_TRUE(polling_.Start());
  std::uintptr_t waited = 0;  // at least this much of the minute had passed before the reload
  for (int i = 0; i < 1000 && waited < 2000; ++i) {
    const auto values = CountdownValues();
    if (!values.empty()) waited = kMinute - values.back();
    std::this_thread::sleep_for(10ms);
  }
  ASSERT_GE(waited, 2000u);
  SetInterval(static_cast<int>(kRaised));
  polling_.ResetCountdown();

  std::uintptr_t left = 0;
  for (int i = 0; i < 1000 && left == 0; ++i) {
    for (const std::uintptr_t value : CountdownValues())
      if (value <= kRaised) {  // the minute's own values are all above the raised interval
        left = value;
        break;
      }
    std::this_thread::sleep_for(10ms);
  }
  ASSERT_NE(left, 0u);
  EXPECT_LE(left, kRaised - waited) << "counted from the reload";
  EXPECT_EQ(Count("pass"), 1u) << "the raised interval has not run out";

  SetInterval(300);
  polling_.ResetCountdown();
  ASSERT_TRUE(WaitFor("done", 2)) << "the new interval had passed already: a pass at the next wake-up";
}

TEST_F(PollingThreadTest, RestartDuringAPassEndsItEarlyAndTheNewPassRunsInFull) {
  // A managed switch that does not answer makes each pass last two seconds of SNMP time-outs.
  testing_support::DevSimProcess simulator;
  namespace net = testing_support::reference_network;
  ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
  simulator.Configure(DevSimReference::kSwitch, "silent on");

  ASSERT_TRUE(polling_.Start());
  ASSERT_TRUE(WaitFor("pass", 1));
  std::this_thread::sleep_for(300ms);
  polling_.Restart();
  ASSERT_TRUE(WaitFor("ended", 2));
  const Texts events = Events();
  ASSERT_GE(events.size(), 5u);
  EXPECT_EQ(Texts(events.begin(), events.begin() + 5), (Texts{"pass", "ended", "pass", "done", "ended"}));
}

TEST(PollingThreadTicksTest, ElapsedTimeCountsAcrossTheTickCounterWrap) {
  EXPECT_EQ(CPollingThread::ElapsedMs(0xFFFFFF00u, 0x100u), 0x200u);
  EXPECT_EQ(CPollingThread::ElapsedMs(1000u, 1500u), 500u);
}

}  // namespace
