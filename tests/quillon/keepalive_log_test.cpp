#include <gtest/gtest.h>

#include <atomic>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <thread>

#include "platform/Clock.h"
#include "quillon/ConsoleLog.h"
#include "quillon/KeepAlive.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/LocalTime.h"

using namespace quillon;
using namespace std::chrono_literals;

TEST(KeepAlive, ReportForTheGroupCarriesItsChecksum) {
  const auto report = BuildIgmpReport("239.255.255.250");
  EXPECT_EQ(report, (std::array<std::uint8_t, 8>{0x12, 0x00, 0xFE, 0x04, 0xEF, 0xFF, 0xFF, 0xFA}));
  EXPECT_EQ(InternetChecksum(report.data(), report.size()), 0) << "a correct checksum sums to zero";
  const std::uint8_t odd[3] = {0x01, 0x02, 0x03};
  EXPECT_EQ(InternetChecksum(odd, 3), static_cast<std::uint16_t>(~(0x0102 + 0x0300)));
}

TEST(KeepAlive, SendsAtTheIntervalOnlyWhenSwitchedOnAndStopsWhenAsked) {
  struct Case {
    int flag;
    int interval;
    bool sends;
  };
  for (const Case c : {Case{1, 3, true}, Case{0, 3, false}, Case{1, 0, false}}) {
    SCOPED_TRACE(testing::Message() << "flag " << c.flag << " interval " << c.interval);
    std::atomic<int> reports = 0;
    CIgmpKeepAlive keepAlive("239.255.255.250", c.flag, c.interval);
    keepAlive.Start([&](const std::array<std::uint8_t, 8>& report) {
      EXPECT_EQ(report[0], 0x12);
      ++reports;
    }, 2ms);
    if (c.sends) {
      const auto deadline = std::chrono::steady_clock::now() + 10s;
      while (reports < 3 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(2ms);
      EXPECT_GE(reports, 3);
    } else {
      std::this_thread::sleep_for(100ms);  // many ticks: none of them may send
      EXPECT_EQ(reports, 0);
    }
    keepAlive.Stop();
    EXPECT_FALSE(keepAlive.Running());
    const int sent = reports;
    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(reports, sent) << "nothing is sent after Stop";
  }
}

TEST(KeepAlive, AChangedIntervalTakesEffectWhileRunning) {
  std::atomic<int> reports = 0;
  CIgmpKeepAlive keepAlive("239.1.1.1", 0, 1000);
  keepAlive.Start([&](const auto&) { ++reports; }, 2ms);
  std::this_thread::sleep_for(50ms);
  EXPECT_EQ(reports, 0);
  keepAlive.SetTimer(1, 2);
  const auto deadline = std::chrono::steady_clock::now() + 10s;
  while (reports == 0 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(2ms);
  EXPECT_GT(reports, 0);
}

TEST(KeepAlive, WithoutARawSocketItSaysSoOnceAndRunsNoThread) {
  // In a child that has given up root (when the test runs as root), so the raw socket is refused.
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && setuid(65534) != 0) _exit(2);
    std::vector<std::string> notices;
    const auto notice = [&](const std::string& text) { notices.push_back(text); };
    {
      CIgmpKeepAlive off("239.1.1.1", 0, 30);
      off.Start(notice);
      if (!notices.empty() || off.Running()) _exit(3);  // switched off: no socket is even tried
    }
    for (int opening = 0; opening < 3; ++opening) {
      CIgmpKeepAlive keepAlive("239.1.1.1", 1, 1);
      keepAlive.Start(notice);
      if (keepAlive.Running()) _exit(4);
    }
    _exit(notices == std::vector<std::string>{"Creat Socket error"} ? 0 : 1);  // the first opening only
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}

TEST(ConsoleLog, ANoteHasTheTimeStampAndText) {
  testing_support::TempDir dir;
  testing_support::PinLocalTime(2026, 3, 7, 9, 5, 3);
  EXPECT_EQ(CConsoleLog(dir.Path()).LogNote("Creat Socket error"), 0);
  platform::UnpinClock();
  std::ifstream in(dir.Path() / "syslog.log", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "03/07/2026 09:05:03 Creat Socket error \r\n");
}

TEST(ConsoleLog, FailedTransferLineHasTheTimeStampAddressAndText) {
  testing_support::TempDir dir;
  testing_support::PinLocalTime(2026, 3, 7, 9, 5, 3);
  CConsoleLog log(dir.Path());
  EXPECT_EQ(log.LogUpgradeFailure("192.168.0.20", "TFTP timeout"), 0);
  EXPECT_EQ(log.LogUpgradeFailure("192.168.0.21", "second"), 0);
  platform::UnpinClock();
  std::ifstream in(dir.Path() / "syslog.log", std::ios::binary);
  const std::string content{std::istreambuf_iterator<char>(in), {}};
  EXPECT_EQ(content,
            "03/07/2026 09:05:03 192.168.0.20 TFTP timeout \r\n"
            "03/07/2026 09:05:03 192.168.0.21 second \r\n");
}

TEST(ConsoleLog, AMissingFolderIsReported) {
  testing_support::MessageBoxRecorder boxes;
  CConsoleLog log("/nonexistent/cfg");
  EXPECT_EQ(log.AppendConsoleLog("x"), -1);
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "syslog.log not exit");
  EXPECT_EQ(boxes.Boxes()[0].caption, "Error");
}
