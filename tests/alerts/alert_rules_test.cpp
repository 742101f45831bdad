// The rules of the alert senders that need no peer: when a schedule is due and starts its sender, which
// log rows a send selects, and how a mail is put together.
#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "AlertTestFixture.h"
#include "alerts/AlertLogQuery.h"
#include "alerts/MailMessage.h"
#include "alerts/ScheduledSendTrigger.h"
#include "alerts/SendDueRule.h"
#include "alerts/SendRunner.h"
#include "platform/Sync.h"
#include "support/LocalTime.h"

namespace {

platform::TimePoint Moment(int year, int month, int day, int hour, int minute, int second = 0) {
  std::tm local = testing_support::LocalTm(year, month, day, hour, minute, second);
  return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

AlertSchedule Schedule(const std::string& type, const std::string& subValue, int hour, int minute) {
  AlertSchedule schedule;
  schedule.dateType = type;
  schedule.dateSubValue = subValue;
  schedule.sendTime.hour = hour;
  schedule.sendTime.minute = minute;
  return schedule;
}

class FakeSender : public IAlertSender {
 public:
  bool IsIdle() const override { return idle; }
  bool Start() override {
    ++starts;
    return true;
  }
  bool idle = true;
  int starts = 0;
};

}  // namespace

TEST(SendDueRuleTest, DayWeekAndMonthSchedulesAcrossMidnightWeekAndMonthEnds) {
  // 2024-03-02 is a Saturday, 2024-03-03 a Sunday; 2024 is a leap year.
  const struct {
    AlertSchedule schedule;
    std::tm now;
    bool due;
  } cases[] = {
      {Schedule("1", "0", 8, 30), testing_support::LocalTm(2024, 3, 5, 8, 30, 0), true},
      {Schedule("1", "0", 8, 30), testing_support::LocalTm(2024, 3, 5, 8, 30, 59), true},
      {Schedule("1", "0", 8, 30), testing_support::LocalTm(2024, 3, 5, 8, 31, 0), false},
      {Schedule("1", "0", 8, 30), testing_support::LocalTm(2024, 3, 5, 20, 30, 0), false},
      {Schedule("1", "0", 23, 59), testing_support::LocalTm(2024, 12, 31, 23, 59, 30), true},
      {Schedule("1", "0", 0, 0), testing_support::LocalTm(2025, 1, 1, 0, 0, 0), true},
      {Schedule("1", "0", 0, 0), testing_support::LocalTm(2024, 12, 31, 23, 59, 59), false},
      {Schedule("2", "7", 23, 59), testing_support::LocalTm(2024, 3, 2, 23, 59), true},  // Saturday
      {Schedule("2", "7", 0, 0), testing_support::LocalTm(2024, 3, 3, 0, 0), false},     // Sunday
      {Schedule("2", "1", 0, 0), testing_support::LocalTm(2024, 3, 3, 0, 0), true},      // Sunday is day 1
      {Schedule("2", "1", 0, 0), testing_support::LocalTm(2024, 3, 4, 0, 0), false},
      {Schedule("3", "30", 9, 0), testing_support::LocalTm(2024, 1, 30, 9, 0), true},
      {Schedule("3", "30", 9, 0), testing_support::LocalTm(2024, 1, 31, 9, 0), false},
      {Schedule("3", "30", 9, 0), testing_support::LocalTm(2024, 2, 29, 9, 0), false},  // day 30 never comes in February
      {Schedule("3", "1", 9, 0), testing_support::LocalTm(2024, 3, 1, 9, 0), true},
      {Schedule("3", "x", 9, 0), testing_support::LocalTm(2024, 3, 1, 9, 0), false},  // a non-number reads as 0
      {Schedule("3", "99999999999999999999", 9, 0), testing_support::LocalTm(2024, 3, 1, 9, 0), false},
      {Schedule("3", "01", 9, 0), testing_support::LocalTm(2024, 3, 1, 9, 0), true},
      {Schedule("4", "0", 8, 30), testing_support::LocalTm(2024, 3, 5, 8, 30), false},
      {Schedule("0", "0", 8, 30), testing_support::LocalTm(2024, 3, 5, 8, 30), false},
      {Schedule("", "0", 8, 30), testing_support::LocalTm(2024, 3, 5, 8, 30), false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(IsSendDue(c.schedule, c.now), c.due)
        << "type " << c.schedule.dateType << " day " << c.schedule.dateSubValue << " at " << std::asctime(&c.now);
}

TEST(ScheduledSendTriggerTest, StartsOncePerDueMinuteAndSkipsAMinuteThatFindsTheSenderBusy) {
  FakeSender sender;
  CScheduledSendTrigger trigger(sender);
  const AlertSchedule daily = Schedule("1", "0", 8, 30);
  for (int second : {0, 1, 30, 59}) trigger.OnTimerTick(daily, Moment(2024, 3, 5, 8, 30, second));
  EXPECT_EQ(sender.starts, 1);
  trigger.OnTimerTick(daily, Moment(2024, 3, 5, 8, 31, 0));
  trigger.OnTimerTick(daily, Moment(2024, 3, 6, 8, 30, 12));
  EXPECT_EQ(sender.starts, 2);

  // Busy at the first due tick: that day is skipped, even when the sender is idle again within the minute.
  trigger.OnTimerTick(daily, Moment(2024, 3, 7, 8, 29, 59));
  sender.idle = false;
  trigger.OnTimerTick(daily, Moment(2024, 3, 7, 8, 30, 0));
  sender.idle = true;
  trigger.OnTimerTick(daily, Moment(2024, 3, 7, 8, 30, 1));
  EXPECT_EQ(sender.starts, 2);

  // Real time starts on a completed polling round only, and only an idle sender.
  const AlertSchedule realTime = Schedule("4", "0", 8, 30);
  trigger.OnTimerTick(realTime, Moment(2024, 3, 8, 8, 30, 0));
  EXPECT_EQ(sender.starts, 2);
  trigger.OnScanDone(realTime);
  EXPECT_EQ(sender.starts, 3);
  sender.idle = false;
  trigger.OnScanDone(realTime);
  sender.idle = true;
  trigger.OnScanDone(daily);
  EXPECT_EQ(sender.starts, 3);
}

TEST(SendRunnerTest, OneRunAtATimeAndStopEndsTheRunInProgress) {
  std::atomic<int> runs{0};
  platform::Event started;
  CSendRunner runner([&](std::stop_token stop) {
    ++runs;
    started.Set();
    while (!stop.stop_requested()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  EXPECT_TRUE(runner.IsIdle());
  ASSERT_TRUE(runner.Start());
  EXPECT_FALSE(runner.IsIdle());  // busy from the start on, before the thread has run
  EXPECT_FALSE(runner.Start());
  started.Wait();
  runner.Stop();
  EXPECT_TRUE(runner.IsIdle());
  ASSERT_TRUE(runner.Start());
  started.Wait();
  EXPECT_EQ(runs, 2);
  // The destructor stops and joins the second run.
}

TEST(AlertMailMessageTest, TextsFromTheLogCannotAddHeaderLinesAndLinesEndInCrLf) {
  const std::string message = ComposeMailMessage(
      {"ops@example.org", "admin@example.org\r\nBcc: x@evil", "Bob's AP\nBcc: y@evil", "one\nt\r\nwo\rthree", "utf-8"},
      testing_support::LocalTm(2024, 3, 5, 14, 7, 9));
  const std::string headers = message.substr(0, message.find("\r\n\r\n") + 2);
  EXPECT_EQ(headers.find("\r\nBcc:"), std::string::npos) << headers;
  EXPECT_NE(headers.find("\r\nSubject: Bob's AP Bcc: y@evil\r\n"), std::string::npos) << headers;
  EXPECT_NE(headers.find("Date: Tue, 05 Mar 2024 14:07:09 "), std::string::npos) << headers;
  EXPECT_NE(headers.find("\r\nContent-Type: text/plain; charset=utf-8\r\n"), std::string::npos) << headers;
  EXPECT_TRUE(message.ends_with("\r\n\r\none\r\nt\r\nwo\r\nthree\r\n")) << message;

  const std::string encoded = ComposeMailMessage({"a@b", "c@d", "Zürich AP", "x", "utf-8"}, testing_support::LocalTm(2024, 3, 5, 0, 0));
  EXPECT_NE(encoded.find("\r\nSubject: =?utf-8?B?WsO8cmljaCBBUA==?=\r\n"), std::string::npos) << encoded;
}

class AlertLogQueryTest : public AlertTest {
 protected:
  // The descriptions a query selects, in the database's order.
  std::vector<std::string> Selected(const AlertSchedule& schedule) {
    const std::optional<AlertLogQuery> query = AlertSendMark().NextQuery(schedule);
    std::vector<std::string> descriptions;
    if (!query) return descriptions;
    for (const auto& row : database.Rows(query->sql, query->params)) descriptions.push_back(row.at(4));
    return descriptions;
  }
};

TEST_F(AlertLogQueryTest, SelectsSystemRowsAtTheMaskedLevelsFromTheLastSendTimeOn) {
  AddRow("2024-03-05 10:00:00", 1, "critical");
  AddRow("2024-03-05 10:00:00", 2, "warning");
  AddRow("2024-03-05 10:00:01", 3, "info");
  AddRow("2024-03-05 10:00:01", 4, "debug");
  AddRow("2024-03-05 09:59:59", 1, "before");
  ASSERT_TRUE(database.Exec("INSERT INTO system_log VALUES(9, '2024-03-05 11:00:00', 0, 0, 'action')"));

  AlertSchedule schedule;
  schedule.lastSendTime = *ParseDbDateTime("2024-03-05 10:00:00");
  schedule.levelMask = 5;
  EXPECT_EQ(LevelsOfMask(5), (std::vector<int>{1, 3}));
  EXPECT_EQ(Selected(schedule), (std::vector<std::string>{"critical", "info"}));
  schedule.levelMask = 8;
  EXPECT_EQ(Selected(schedule), (std::vector<std::string>{"debug"}));
  schedule.levelMask = 0;
  EXPECT_FALSE(AlertSendMark().NextQuery(schedule));
  schedule.levelMask = 16;  // no bit of a level
  EXPECT_FALSE(AlertSendMark().NextQuery(schedule));

  // The zero date of a never-set last send time selects the whole system log.
  EXPECT_EQ(Selected(AlertSchedule{}), (std::vector<std::string>{"critical", "warning", "info", "debug", "before"}));
}
