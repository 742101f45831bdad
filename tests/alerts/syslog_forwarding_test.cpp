// The syslog forwarder against a UDP socket of the test: one datagram per row after the client's two
// announcements, priorities by level, texts never read as formats, the last send time and the outcome lines.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "AlertTestFixture.h"
#include "alerts/SyslogSendThread.h"
#include "db/SyslogParamDb.h"
#include "support/SyslogServer.h"
#include "syslog/SyslogClient.h"

namespace {

class SyslogForwardingTest : public AlertTest {
 protected:
  void SetUp() override {
    AlertTest::SetUp();
    now = PinLocalTime(2024, 3, 5, 14, 7, 9);
  }
  void TearDown() override {
    syslog_client::closelog();
    // The client appends to a log file named after the program.
    std::error_code ignored;
    std::filesystem::remove(std::filesystem::read_symlink("/proc/self/exe").string() + ".log", ignored);
    AlertTest::TearDown();
  }

  void Configure(const std::string& server, std::int32_t mask) {
    CScheduleParams params;
    params.serverAddress = server;
    params.schedule.dateType = "4";
    params.schedule.levelMask = mask;
    ASSERT_EQ(CSyslogParamDb().SetSyslogParam(params), 0);
  }

  // Every datagram that arrives until none comes for a moment.
  std::vector<std::string> Datagrams() {
    std::vector<std::string> received;
    while (std::optional<std::string> datagram = server.Receive(received.empty() ? 2000 : 300))
      received.push_back(*datagram);
    return received;
  }

  std::string LastSendTime() { return database.Value("SELECT syslog_last_send_time FROM global_setting"); }

  testing_support::SyslogServer server;
  const std::string tag = "Aurelan[" + std::to_string(getpid()) + "]: ";
  std::string now;
  CSyslogSendThread sender;
};

}  // namespace

TEST_F(SyslogForwardingTest, EachRowArrivesAsOneDatagramWithThePriorityOfItsLevel) {
  Configure("127.0.0.1", 15);
  AddRow("2024-03-05 14:00:00", 1, "AP down");
  AddRow("2024-03-05 14:00:01", 3, "count %d of %s%n");
  AddRow("2024-03-05 14:00:02", 7, "no such level");
  AddRow("2024-03-05 14:00:03", 4, "poll done");

  EXPECT_EQ(sender.SendAlertSyslog(), 1);
  const std::vector<std::string> received = Datagrams();
  ASSERT_EQ(received.size(), 5u);
  EXPECT_TRUE(received[0].starts_with("<150>" + tag)) << received[0];
  EXPECT_TRUE(received[1].starts_with("<150>" + tag)) << received[1];
  EXPECT_EQ(std::vector<std::string>(received.begin() + 2, received.end()),
            (std::vector<std::string>{"<146>" + tag + "2024-03-05 14:00:00    AP down\n",
                                      "<150>" + tag + "2024-03-05 14:00:01    count %d of %s%n\n",
                                      "<151>" + tag + "2024-03-05 14:00:03    poll done\n"}));
  EXPECT_EQ(LastSendTime(), now);
  EXPECT_EQ(DebugLines("syslog"), (std::vector<std::string>{now + ", send syslog to server 127.0.0.1."}));

  // Debug only: the level-4 rows since, never the outcome line of the run before.
  Configure("127.0.0.1", 8);
  const std::string later = PinLocalTime(2024, 3, 5, 14, 8, 0);
  AddRow(later, 1, "critical again");
  AddRow(later, 4, "debug again");
  EXPECT_EQ(sender.SendAlertSyslog(), 1);
  const std::vector<std::string> debugOnly = Datagrams();
  ASSERT_EQ(debugOnly.size(), 3u);
  EXPECT_EQ(debugOnly[2], "<151>" + tag + later + "    debug again\n");
  EXPECT_EQ(LastSendTime(), later);
}

// Runs in one second (real-time mode after quick polling rounds) forward each row once; a row written in
// that second after a run goes with the next one.
TEST_F(SyslogForwardingTest, EachRowGoesOnceAlsoWithinOneSecond) {
  Configure("127.0.0.1", 15);
  AddRow(now, 2, "link lost");
  EXPECT_EQ(sender.SendAlertSyslog(), 1);
  std::vector<std::string> received = Datagrams();
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[2], "<148>" + tag + now + "    link lost\n");

  EXPECT_EQ(sender.SendAlertSyslog(), 0) << "the row and the outcome line of the run before stay home";
  EXPECT_TRUE(Datagrams().empty());
  AddRow(now, 3, "link back");
  EXPECT_EQ(sender.SendAlertSyslog(), 1);
  received = Datagrams();
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[2], "<150>" + tag + now + "    link back\n");
}

// Clearing the log numbers new rows from 1 again: rows written after a send and a clear go out, even when
// they number more than the rows of that send.
TEST_F(SyslogForwardingTest, RowsWrittenAfterTheLogWasClearedGoOnce) {
  Configure("127.0.0.1", 15);
  for (const char* text : {"one", "two", "three"}) AddRow(now, 2, text);
  EXPECT_EQ(sender.SendAlertSyslog(), 1);
  EXPECT_EQ(Datagrams().size(), 5u);

  ASSERT_TRUE(GetLogDBModule()->ClearSystemLog());
  const std::string later = PinLocalTime(2024, 3, 5, 14, 7, 10);
  std::vector<std::string> expected;
  for (const char* text : {"a", "b", "c", "d", "e"}) {
    AddRow(later, 2, text);
    expected.push_back("<148>" + tag + later + "    " + text + "\n");
  }
  EXPECT_EQ(sender.SendAlertSyslog(), 1);
  const std::vector<std::string> received = Datagrams();
  ASSERT_EQ(received.size(), 7u);
  EXPECT_EQ(std::vector<std::string>(received.begin() + 2, received.end()), expected);
  EXPECT_EQ(sender.SendAlertSyslog(), 0);
  EXPECT_TRUE(Datagrams().empty());
}

// A line break in a row's text would split it in the client's log file: it goes escaped as in a saved log.
TEST_F(SyslogForwardingTest, LineBreaksInARowAreEscaped) {
  Configure("127.0.0.1", 15);
  AddRow("2024-03-05 14:00:00", 1, "first\r\nsecond\\third\nfourth");
  EXPECT_EQ(sender.SendAlertSyslog(), 1);
  const std::vector<std::string> received = Datagrams();
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[2], "<146>" + tag + "2024-03-05 14:00:00    first\\r\\nsecond\\\\third\\nfourth\n");
}

TEST_F(SyslogForwardingTest, AServerThatCannotBeFoundGetsTheSameRowsOnTheNextRun) {
  AddRow("2024-03-05 14:00:00", 2, "link lost");
  Configure("no-such-host.invalid", 15);
  EXPECT_EQ(sender.SendAlertSyslog(), 0);
  EXPECT_FALSE(server.Receive(300));
  EXPECT_EQ(LastSendTime(), "");
  EXPECT_EQ(DebugLines("syslog").back(), now + ", send syslog to server no-such-host.invalid error!");

  Configure("127.0.0.1", 2);
  EXPECT_EQ(sender.SendAlertSyslog(), 1);
  const std::vector<std::string> received = Datagrams();
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[2], "<148>" + tag + "2024-03-05 14:00:00    link lost\n");
}

TEST_F(SyslogForwardingTest, RunsThatFindNothingToSendSendNothingAndSayWhy) {
  Configure("127.0.0.1", 0);
  AddRow("2024-03-05 14:00:00", 1, "AP down");
  EXPECT_EQ(sender.SendAlertSyslog(), 0);
  EXPECT_EQ(DebugLines("syslog").back(), now + ", get log information error, not send syslog to server 127.0.0.1!");

  ASSERT_TRUE(database.Exec("DELETE FROM system_log"));
  Configure("127.0.0.1", 15);
  EXPECT_EQ(sender.SendAlertSyslog(), 0);
  EXPECT_EQ(DebugLines("syslog").back(), now + ", no requested log information, not send syslog to server 127.0.0.1!");

  ASSERT_TRUE(database.Exec("DELETE FROM global_setting"));
  EXPECT_EQ(sender.SendAlertSyslog(), 0);
  EXPECT_EQ(DebugLines("syslog").back(), now + ",  get parameters error, syslog not send !");
  EXPECT_FALSE(server.Receive(300));
  EXPECT_EQ(LastSendTime(), "");
}

TEST_F(SyslogForwardingTest, AStartedRunForwardsOnItsOwnThread) {
  Configure("127.0.0.1", 1);
  AddRow("2024-03-05 14:00:00", 1, "AP down");
  ASSERT_TRUE(sender.Start());
  const std::vector<std::string> received = Datagrams();
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[2], "<146>" + tag + "2024-03-05 14:00:00    AP down\n");
  while (!sender.IsIdle()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  EXPECT_EQ(LastSendTime(), now);
}
