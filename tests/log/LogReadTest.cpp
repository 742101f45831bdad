#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "LogTestFixture.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class ListRecorder : public LogListTarget {
 public:
  void DeleteAllItems() override { rows.clear(); }
  void AppendRow(const std::vector<std::string>& columns) override { rows.push_back(columns); }
  std::vector<std::vector<std::string>> rows;
};

class LogReadTest : public LogTest {
 protected:
  // An action row, a warning, a row of level 7 written by other means and a row whose date-time text is
  // wider than its column in the saved file.
  void WriteSampleRows() {
    now = PinLocalTime(2024, 3, 5, 14, 7, 9);
    Log().WriteActionLog("x");
    Log().WriteSystemLog(LOG_LEVEL_WARNING, "Bob's 100% AP");
    ASSERT_TRUE(CAccessDatabase().InsertRecord("system_log", {"3", "2020-01-01 00:00:00", "1", "7", "strange"}));
    ASSERT_TRUE(
        CAccessDatabase().InsertRecord("system_log", {"4", "2020-01-01 00:00:00.123456", "1", "4", "late"}));
  }

  std::string now;
};

TEST_F(LogReadTest, FillLogListShowsLevelNamesForSystemRowsOnly) {
  WriteSampleRows();
  ListRecorder list;
  list.rows = {{"stale"}};
  EXPECT_EQ(Log().FillLogList(list, "SELECT * FROM system_log WHERE type = ? ORDER BY \"index\"", 1, {1}), 0);
  EXPECT_EQ(list.rows, (std::vector<std::vector<std::string>>{{now, "Warning", "Bob's 100% AP"},
                                                              {"2020-01-01 00:00:00", "Error level", "strange"},
                                                              {"2020-01-01 00:00:00.123456", "Debug", "late"}}));
  EXPECT_EQ(Log().FillLogList(list, "SELECT * FROM system_log WHERE type = 0", 0), 0);
  EXPECT_EQ(list.rows, (std::vector<std::vector<std::string>>{{now, "x"}}));
  EXPECT_EQ(Log().FillLogList(list, "SELECT * FROM system_log WHERE type = 5", 0), 0);
  EXPECT_TRUE(list.rows.empty());
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(LogReadTest, ReadersAnswerAReadErrorWithTheirMessage) {
  WriteSampleRows();
  ListRecorder list;
  std::string text = "kept";
  std::vector<LogItem> items;
  const std::string withoutDescription = "SELECT datetime, level FROM system_log";
  EXPECT_EQ(Log().FillLogList(list, withoutDescription, 1), -1);
  EXPECT_FALSE(Log().ReadLogText(withoutDescription, text));
  EXPECT_FALSE(Log().ReadLogItems("SELECT datetime FROM system_log", items));
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>(3, "Read log table error!"));
  // The failed readers gave the pool back: a writer still gets through.
  EXPECT_EQ(Log().WriteActionLog("after the errors"), 0);
}

TEST_F(LogReadTest, ReadLogTextAppendsALinePerRow) {
  WriteSampleRows();
  std::string text = "before\r\n";
  EXPECT_TRUE(Log().ReadLogText("SELECT * FROM system_log WHERE \"index\" <= ? ORDER BY \"index\"", text, {3}));
  EXPECT_EQ(text, "before\r\n" + now + "    Error level    x\r\n" + now + "    Warning    Bob's 100% AP\r\n" +
                      "2020-01-01 00:00:00    Error level    strange\r\n");

  text = "untouched";
  EXPECT_FALSE(Log().ReadLogText("SELECT * FROM system_log WHERE description = ?", text, {"nothing"}));
  EXPECT_EQ(text, "untouched");
}

TEST_F(LogReadTest, ReadLogItemsGivesLevelAndTimedText) {
  WriteSampleRows();
  ASSERT_TRUE(CAccessDatabase().InsertRecord("system_log", {"5", "2021-06-01 08:00:00", "1", "", "no level"}));
  std::vector<LogItem> items{{9, "earlier"}};
  EXPECT_TRUE(Log().ReadLogItems("SELECT * FROM system_log WHERE \"index\" >= ? ORDER BY \"index\"", items, {2}));
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0].text, "earlier");
  EXPECT_EQ(items[1].level, 2);
  EXPECT_EQ(items[1].text, now + "    Bob's 100% AP");
  EXPECT_EQ(items[2].level, 7);
  EXPECT_EQ(items[4].level, -1);
  EXPECT_EQ(items[4].text, "2021-06-01 08:00:00    no level");
  EXPECT_FALSE(Log().ReadLogItems("SELECT * FROM system_log WHERE \"index\" > 99", items));
  EXPECT_EQ(items.size(), 5u);
}

TEST_F(LogReadTest, GetLogCountReadsTheFirstColumn) {
  WriteSampleRows();
  EXPECT_EQ(Log().GetLogCount("SELECT COUNT(*) FROM system_log"), 4);
  EXPECT_EQ(Log().GetLogCount("SELECT COUNT(*) FROM system_log WHERE type = ? AND level >= ?", {1, 3}), 2);
  EXPECT_EQ(Log().GetLogCount("SELECT \"index\" FROM system_log WHERE 1 = 0"), 0);
}

TEST_F(LogReadTest, SavedFileHasItsLayoutByteForByte) {
  WriteSampleRows();
  const std::string path = tmp.File("events.log");
  { std::ofstream(path) << "old content that must go away, longer than the new one will be ............"; }
  int asked = 0;
  Log().SaveLogAs([&]() -> std::optional<std::string> {
    ++asked;
    return path;
  });
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(ReadFile(path), path + "\r\n\r\n" +
                                "Type      Date And Time       Level          Description\r\n"
                                "action    2024-03-05 14:07:09                x\r\n"
                                "system    2024-03-05 14:07:09 warning        Bob's 100% AP\r\n"
                                "system    2020-01-01 00:00:00                strange\r\n"
                                "system    2020-01-01 00:00:00.123456debug          late\r\n");
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Save log success"});
}

TEST_F(LogReadTest, SavedDescriptionWithLineBreaksStaysOnItsLine) {
  PinLocalTime(2024, 3, 5, 14, 7, 9);
  Log().WriteActionLog("trap from AP:\r\nlink down\non port C:\\1");
  const std::string path = tmp.File("events.log");
  Log().SaveLogAs([&] { return std::optional<std::string>(path); });
  const std::string saved = ReadFile(path);
  EXPECT_EQ(saved.substr(saved.find("action")),
            "action    2024-03-05 14:07:09                trap from AP:\\r\\nlink down\\non port C:\\\\1\r\n");
}

TEST_F(LogReadTest, SaveLogAsWithoutRowsAsksForNoFile) {
  bool asked = false;
  Log().SaveLogAs([&]() -> std::optional<std::string> {
    asked = true;
    return tmp.File("never.log");
  });
  EXPECT_FALSE(asked);
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"There are no log in current system"});
}

TEST_F(LogReadTest, SaveLogAsCancelledOrFailingWritesNoSuccess) {
  Log().WriteActionLog("x");
  Log().SaveLogAs([] { return std::optional<std::string>(); });
  EXPECT_TRUE(boxes.Texts().empty());

  const std::string unwritable = tmp.File("missing-folder/events.log");
  Log().SaveLogAs([&] { return std::optional<std::string>(unwritable); });
  ASSERT_EQ(boxes.Texts().size(), 1u);
  EXPECT_NE(boxes.Texts()[0], "Save log success");
  EXPECT_FALSE(std::filesystem::exists(unwritable));
}

TEST_F(LogReadTest, OpenLogFileStartsTheDefaultApplicationWithThePath) {
  // A stand-in for xdg-open that records the argument it was given.
  const std::filesystem::path bin = tmp.Path() / "bin";
  std::filesystem::create_directory(bin);
  const std::string record = tmp.File("opened");
  {
    std::ofstream script(bin / "xdg-open");
    script << "#!/bin/sh\nprintf '%s' \"$1\" > '" << record << ".part' && mv '" << record << ".part' '" << record
           << "'\n";
  }
  std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
  const std::string previousPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  setenv("PATH", (bin.string() + ":" + previousPath).c_str(), 1);

  const std::string chosen = tmp.File("it's a \"log\" $(touch pwned).log");
  Log().OpenLogFile([] { return std::optional<std::string>(); });  // cancelled: nothing starts
  Log().OpenLogFile([&] { return std::optional<std::string>(chosen); });
  for (int i = 0; i < 1000 && !std::filesystem::exists(record); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  setenv("PATH", previousPath.c_str(), 1);

  EXPECT_EQ(ReadFile(record), chosen);
  EXPECT_FALSE(std::filesystem::exists(tmp.Path() / "pwned"));
  EXPECT_FALSE(std::filesystem::exists("pwned"));
}

}  // namespace
