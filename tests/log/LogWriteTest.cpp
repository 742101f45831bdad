#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <set>
#include <thread>

#include "LogTestFixture.h"
#include "db/db_maintain.h"
#include "platform/MessageIds.h"

namespace {

TEST_F(LogTest, SystemRowIsRecordedOnlyWhenItsLevelIsEnabled) {
  const int masks[] = {0, 1, 2, 4, 8, 5, 10, 0xF};
  size_t expectedRows = 0;
  for (int mask : masks) {
    g_nLogLevelMask = mask;
    for (int level = -1; level <= 6; ++level) {
      SCOPED_TRACE("mask " + std::to_string(mask) + " level " + std::to_string(level));
      const bool valid = level >= 1 && level <= 4;
      const bool enabled = valid && (mask & (1 << (level - 1))) != 0;
      EXPECT_EQ(Log().WriteSystemLog(level, "event"), valid ? 0 : -1);
      expectedRows += enabled;
      EXPECT_EQ(StoredRows().size(), expectedRows);
      EXPECT_EQ(mainWindow.MessagesWithId(msg::WM_NMS_SYSLOG_LINE).size(), expectedRows);
    }
  }
}

TEST_F(LogTest, ActionRowIsRecordedWhateverTheMask) {
  g_nLogLevelMask = 0;
  EXPECT_EQ(Log().WriteActionLog("Set polling interval to 60"), 0);
  EXPECT_EQ(Log().WriteSystemLog(LOG_LEVEL_CRITICAL, "AP offline"), 0);
  EXPECT_EQ(StoredRows(), std::vector<std::string>{"1|0|0|Set polling interval to 60"});
}

TEST_F(LogTest, DescriptionIsCutTo150CharactersWithoutSplittingOne) {
  const std::string ascii149(149, 'a');
  const std::string e = "\xC3\xA9";        // é, two bytes
  const std::string ri = "\xE6\x97\xA5";   // 日, three bytes
  std::string ri151;
  for (int i = 0; i < 151; ++i) ri151 += ri;
  struct Case {
    std::string text, stored;
  } cases[] = {
      {ascii149 + "b", ascii149 + "b"},
      {ascii149 + "bc", ascii149 + "b"},
      {ascii149 + e, ascii149 + e},
      {ascii149 + e + "c", ascii149 + e},
      {ascii149 + "b" + e, ascii149 + "b"},
      {ri151, ri151.substr(0, 150 * ri.size())},
      {"", ""},
  };
  const std::string now = PinLocalTime(2024, 3, 5, 14, 7, 9);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    ASSERT_EQ(Log().ClearSystemLog(), true);
    mainWindow.Clear();
    EXPECT_EQ(Log().WriteSystemLog(LOG_LEVEL_INFO, c.text), 0);
    EXPECT_EQ(Log().WriteActionLog(c.text), 0);
    EXPECT_EQ(StoredRows(), (std::vector<std::string>{"1|1|3|" + c.stored, "2|0|0|" + c.stored}));
    auto system = mainWindow.MessagesWithId(msg::WM_NMS_SYSLOG_LINE);
    auto action = mainWindow.MessagesWithId(msg::WM_NMS_ACTION_LINE);
    ASSERT_EQ(system.size(), 1u);
    ASSERT_EQ(action.size(), 1u);
    EXPECT_EQ(system[0].text, "[" + now + "] " + c.stored);
    EXPECT_EQ(action[0].text, "[" + now + "] " + c.stored + " ");
  }
}

TEST_F(LogTest, RowsAreNumberedFromTheLargestStoredAndAgainFromOneAfterAClear) {
  Log().WriteActionLog("first");
  EXPECT_EQ(StoredRows().front(), "1|0|0|first");
  for (int i = 2; i <= 7; ++i) Log().WriteSystemLog(LOG_LEVEL_DEBUG, "row " + std::to_string(i));
  Log().WriteActionLog("eighth");
  EXPECT_EQ(StoredRows().back(), "8|0|0|eighth");

  // A row of an earlier run with a larger number: numbering goes on from it.
  ASSERT_TRUE(CAccessDatabase().InsertRecord("system_log", {"41", "2020-01-01 00:00:00", "1", "1", "old"}));
  Log().WriteActionLog("next");
  EXPECT_EQ(StoredRows().back(), "42|0|0|next");
  EXPECT_EQ(Log().GetMaxIndex("index", "system_log"), 42);

  EXPECT_TRUE(Log().ClearSystemLog());
  EXPECT_TRUE(StoredRows().empty());
  EXPECT_EQ(Log().GetMaxIndex("index", "system_log"), 0);
  Log().WriteSystemLog(LOG_LEVEL_WARNING, "after clear");
  EXPECT_EQ(StoredRows(), std::vector<std::string>{"1|1|2|after clear"});
}

TEST_F(LogTest, GetMaxIndexTreatsANegativeMaximumAsZero) {
  ASSERT_TRUE(CAccessDatabase().InsertRecord("system_log", {"-5", "2020-01-01 00:00:00", "0", "0", "odd"}));
  EXPECT_EQ(Log().GetMaxIndex("index", "system_log"), 0);
  Log().WriteActionLog("first");
  EXPECT_EQ(StoredRows().back(), "1|0|0|first");
}

TEST_F(LogTest, TextsAreStoredAndReadBackAsWritten) {
  const std::string texts[] = {"AP(00:11:22:33:44:55): name change to Bob's AP",
                               "Utilisation 100% on %s %d %n",
                               "'); DROP TABLE system_log; --",
                               "tab\tand \"quotes\" and \\ backslash"};
  for (const std::string& text : texts) {
    EXPECT_EQ(Log().WriteActionLog(text), 0) << text;
    EXPECT_EQ(Log().WriteSystemLog(LOG_LEVEL_CRITICAL, text), 0) << text;
  }
  std::vector<LogItem> items;
  ASSERT_TRUE(Log().ReadLogItems("SELECT * FROM system_log ORDER BY \"index\"", items));
  ASSERT_EQ(items.size(), 8u);
  for (size_t i = 0; i < items.size(); ++i) {
    const std::string& text = texts[i / 2];
    EXPECT_TRUE(items[i].text.ends_with("    " + text)) << items[i].text;
    EXPECT_EQ(items[i].level, i % 2 ? 1 : 0);
  }
  auto lines = mainWindow.MessagesWithId(msg::WM_NMS_ACTION_LINE);
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_TRUE(lines[0].text.ends_with("] " + texts[0] + " "));
}

TEST_F(LogTest, LinesReachTheMainWindowAsPostedCopies) {
  const std::string now = PinLocalTime(2023, 12, 31, 23, 59, 58);
  std::string text = "AP online";
  Log().WriteSystemLog(LOG_LEVEL_WARNING, text);
  Log().WriteActionLog("Apply template");
  text = "changed after the call";  // the message owns its own copy
  auto messages = mainWindow.Messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].id, msg::WM_NMS_SYSLOG_LINE);
  EXPECT_EQ(messages[0].wParam, 2u);
  EXPECT_EQ(messages[0].text, "[2023-12-31 23:59:58] AP online");
  EXPECT_EQ(messages[1].id, msg::WM_NMS_ACTION_LINE);
  EXPECT_EQ(messages[1].wParam, 0u);
  EXPECT_EQ(messages[1].text, "[2023-12-31 23:59:58] Apply template ");
  EXPECT_EQ(now, "2023-12-31 23:59:58");
}

TEST_F(LogTest, FailedInsertShowsNoLine) {
  ASSERT_TRUE(GetDBMaintain()->ExecuteCommand("DROP TABLE system_log"));
  EXPECT_EQ(Log().WriteActionLog("lost"), -1);
  EXPECT_EQ(Log().WriteSystemLog(LOG_LEVEL_CRITICAL, "lost"), -1);
  EXPECT_TRUE(mainWindow.Messages().empty());
}

TEST(LogWithoutWindow, RowIsStoredWhenThereIsNoMainWindow) {
  testing_support::TempDir tmp;
  platform::SetStartDirectory(tmp.Path().string());
  platform::SetMainWindow(platform::kNoWindow);
  EXPECT_EQ(GetLogDBModule()->WriteActionLog("headless"), 0);
  EXPECT_EQ(GetLogDBModule()->GetLogCount("SELECT COUNT(*) FROM system_log WHERE description = ?", {"headless"}), 1);
  platform::RunShutdown();
}

TEST_F(LogTest, TwoThreadsWritingAtOnceLoseNoRowAndNoLine) {
  constexpr int kPerThread = 150;
  auto writer = [this](bool action) {
    for (int i = 0; i < kPerThread; ++i) {
      const std::string text = (action ? "action " : "system ") + std::to_string(i);
      EXPECT_EQ(action ? Log().WriteActionLog(text) : Log().WriteSystemLog(LOG_LEVEL_INFO, text), 0);
    }
  };
  std::thread first(writer, false);
  std::thread second(writer, true);
  first.join();
  second.join();

  const auto rows = CAccessDatabase().QueryRows("SELECT \"index\", description FROM system_log ORDER BY \"index\"");
  ASSERT_EQ(rows.size(), 2u * kPerThread);
  std::set<std::string> descriptions;
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i][0], std::to_string(i + 1));  // unique and without gaps
    descriptions.insert(rows[i][1]);
  }
  EXPECT_EQ(descriptions.size(), 2u * kPerThread);
  EXPECT_EQ(mainWindow.MessagesWithId(msg::WM_NMS_SYSLOG_LINE).size(), size_t{kPerThread});
  EXPECT_EQ(mainWindow.MessagesWithId(msg::WM_NMS_ACTION_LINE).size(), size_t{kPerThread});
}

// One thread holds a recordset (or a transaction on it) and writes the log while another thread is
// already writing: both rows are written and both threads go on.
TEST_F(LogTest, AWriterHoldingTheDatabaseAndAnotherWriterBothFinish) {
  using namespace std::chrono_literals;
  for (const bool transaction : {false, true}) {
    SCOPED_TRACE(transaction ? "transaction" : "recordset");
    std::promise<void> held;
    std::promise<void> write;
    auto holder = std::async(std::launch::async, [&, go = write.get_future()] {
      db::CRecordset recordset;
      GetDBMaintain()->Execute("SELECT 1", recordset);
      if (transaction) GetDBMaintain()->BeginTransact(recordset);
      held.set_value();
      go.wait();
      const int written = Log().WriteActionLog("holder");
      if (transaction) GetDBMaintain()->CommitTransact(recordset);
      GetDBMaintain()->ReleaseRecordset(recordset);
      return written;
    });
    held.get_future().wait();
    auto other = std::async(std::launch::async, [&] { return Log().WriteActionLog("other"); });
    std::this_thread::sleep_for(100ms);  // the other writer is waiting for the database by now
    write.set_value();
    if (holder.wait_for(20s) != std::future_status::ready || other.wait_for(20s) != std::future_status::ready) {
      // The threads cannot be joined; end the program rather than hang it.
      std::fprintf(stderr, "the two log writers deadlocked\n");
      std::_Exit(1);
    }
    EXPECT_EQ(holder.get(), 0);
    EXPECT_EQ(other.get(), 0);
  }
  EXPECT_EQ(CAccessDatabase().QueryRows("SELECT description FROM system_log ORDER BY description").size(), 4u);
}

TEST(LogModule, FirstCallsFromManyThreadsShareOneModule) {
  std::vector<CLogDBModule*> seen(8);
  std::vector<std::thread> threads;
  for (auto& slot : seen) threads.emplace_back([&slot] { slot = GetLogDBModule(); });
  for (auto& thread : threads) thread.join();
  for (CLogDBModule* module : seen) EXPECT_EQ(module, seen.front());
  platform::RunShutdown();
}

}  // namespace
