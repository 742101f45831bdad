#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

#include "platform/Delay.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

struct DelayStopReset {
  ~DelayStopReset() { platform::ResetDelayStop(); }
};

}  // namespace

TEST(DelayMsTest, WaitsAtLeastTheRequestedTime) {
  EXPECT_TRUE(platform::DelayMs(0));
  const auto start = Clock::now();
  EXPECT_TRUE(platform::DelayMs(30));
  EXPECT_GE(Clock::now() - start, 30ms);
}

// A 10 s wait must end as soon as its job is cancelled or the program shuts down.
TEST(DelayMsTest, CancelAndShutDownEndALongWaitEarly) {
  DelayStopReset reset;
  std::stop_source job;
  auto cancelled = std::async(std::launch::async, [&] { return platform::DelayMs(10000, job.get_token()); });
  std::this_thread::sleep_for(20ms);
  job.request_stop();
  ASSERT_EQ(cancelled.wait_for(2s), std::future_status::ready);
  EXPECT_FALSE(cancelled.get());

  auto shutDown = std::async(std::launch::async, [] { return platform::DelayMs(10000); });
  std::this_thread::sleep_for(20ms);
  platform::RequestDelayStop();
  ASSERT_EQ(shutDown.wait_for(2s), std::future_status::ready);
  EXPECT_FALSE(shutDown.get());

  // Requests made before the call end it at once, too.
  EXPECT_FALSE(platform::DelayMs(10000));
  platform::ResetDelayStop();
  EXPECT_FALSE(platform::DelayMs(10000, job.get_token()));
  EXPECT_TRUE(platform::DelayMs(1));
}
