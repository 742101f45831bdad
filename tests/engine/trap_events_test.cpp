// The trap table read into memory, emptied, and saved as an ".evt" file checked line by line.
#include <gtest/gtest.h>

#include <fstream>
#include <list>
#include <sstream>
#include <string>
#include <vector>

#include "db/AccessDatabase.h"
#include "db/TrapEntry.h"
#include "engine/TrapDBManager.h"
#include "engine/TrapEvents.h"
#include "engine/TrapTime.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

namespace {

using testing_support::MessageBoxRecorder;
using testing_support::TempDatabase;
using Lines = std::vector<std::string>;

class TrapEventsTest : public ::testing::Test {
 protected:
  // Rows in an order that differs from their index order.
  void InsertRows() {
    ASSERT_TRUE(database_.Exec("INSERT INTO trap (\"index\", trap_time, trap_des) VALUES (?, ?, ?)",
                               {12, "2026-03-04 05:06:07", "link down"}));
    ASSERT_TRUE(database_.Exec("INSERT INTO trap (\"index\", trap_time, trap_des) VALUES (?, ?, NULL)",
                               {7, "2026-01-02 03:04:05"}));
    ASSERT_TRUE(database_.Exec("INSERT INTO trap (\"index\", trap_time, trap_des) VALUES (?, ?, ?)",
                               {1234567890, "2026-12-31 23:59:58", "cold start"}));
  }
  static std::string Shown(const std::string& stored) { return trap_time::Display(trap_time::Parse(stored)); }
  static Lines FileLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    Lines lines;
    std::string all = text.str();
    for (size_t start = 0; start < all.size();) {
      const size_t end = all.find("\r\n", start);
      EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
      if (end == std::string::npos) break;
      lines.push_back(all.substr(start, end - start));
      start = end + 2;
    }
    return lines;
  }

  TempDatabase database_;
  MessageBoxRecorder boxes_;
};

TEST_F(TrapEventsTest, LoadsRowsInTableOrderWithNullAsEmpty) {
  std::list<TrapRecord> records;
  EXPECT_TRUE(TrapDBManager().LoadTraps(records)) << "an empty table is no failure";
  EXPECT_TRUE(records.empty());

  InsertRows();
  records = {TrapRecord{}};  // appended to, not replaced
  ASSERT_TRUE(TrapDBManager().LoadTraps(records));
  ASSERT_EQ(records.size(), 4u);
  auto record = records.begin();
  EXPECT_EQ(record->index, -1);
  ++record;
  EXPECT_EQ(record->index, 12);
  EXPECT_EQ(record->description, "link down");
  EXPECT_EQ(trap_time::Display(record->time), Shown("2026-03-04 05:06:07"));
  EXPECT_EQ(platform::FormatLocalTime(record->time, "%Y-%m-%d %H:%M:%S"), "2026-03-04 05:06:07");
  ++record;
  EXPECT_EQ(record->index, 7);
  EXPECT_EQ(record->description, "");
  ++record;
  EXPECT_EQ(record->index, 1234567890);
}

TEST_F(TrapEventsTest, ReadsRowsTheListenerStores) {
  ASSERT_TRUE(CAccessDatabase().AddTrap(TrapEntry{"warm start", "2026-05-06 07:08:09"}));
  ASSERT_TRUE(CAccessDatabase().AddTrap(TrapEntry{"", "2026-05-06 07:08:10"}));
  std::list<TrapRecord> records;
  ASSERT_TRUE(TrapDBManager().LoadTraps(records));
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records.front().index, 0);
  EXPECT_EQ(records.front().description, "warm start");
  EXPECT_EQ(records.back().index, 1);
  EXPECT_EQ(records.back().description, "");
}

TEST_F(TrapEventsTest, ClearEmptiesTheTableAndReportsFailure) {
  InsertRows();
  EXPECT_TRUE(CTrapEvents().ClearTrapEvents());
  EXPECT_EQ(database_.Value("SELECT COUNT(*) FROM trap"), "0");

  InsertRows();
  ASSERT_TRUE(database_.BreakWrites("trap", "DELETE"));
  EXPECT_FALSE(CTrapEvents().ClearTrapEvents());
  EXPECT_EQ(database_.Value("SELECT COUNT(*) FROM trap"), "3");
}

TEST_F(TrapEventsTest, SavesTheTableInIndexOrderLineByLine) {
  InsertRows();
  const std::string path = database_.Dir().File("traps.evt");
  {
    std::ofstream old(path);
    old << "an older and much longer file that the save must truncate entirely\n";
  }
  CTrapEvents().SaveTrapEventsAs([&] { return std::optional<std::string>(path); });

  auto pad = [](std::string text, size_t width) { return text.size() < width ? text.append(width - text.size(), ' ') : text; };
  const Lines expected = {
      path,
      "",
      "Index     Date And Time       Description",
      "7         " + pad(Shown("2026-01-02 03:04:05"), 20),
      "12        " + pad(Shown("2026-03-04 05:06:07"), 20) + "link down",
      "1234567890" + pad(Shown("2026-12-31 23:59:58"), 20) + "cold start",
  };
  EXPECT_EQ(FileLines(path), expected);
  EXPECT_EQ(boxes_.Texts(), Lines{"Save as events success"});
}

TEST_F(TrapEventsTest, EmptyTableAsksForNoFileAndCancelWritesNothing) {
  bool asked = false;
  CTrapEvents().SaveTrapEventsAs([&] {
    asked = true;
    return std::optional<std::string>();
  });
  EXPECT_FALSE(asked);
  EXPECT_EQ(boxes_.Texts(), Lines{"There are no events in current system"});

  InsertRows();
  CTrapEvents().SaveTrapEventsAs([&] {
    asked = true;
    return std::optional<std::string>();
  });
  EXPECT_TRUE(asked);
  EXPECT_EQ(boxes_.Texts().size(), 1u) << "a cancelled save says nothing";
}

TEST_F(TrapEventsTest, UnwritableFileIsReportedNotSuccess) {
  InsertRows();
  const std::string path = database_.Dir().File("missing-folder/traps.evt");
  CTrapEvents().SaveTrapEventsAs([&] { return std::optional<std::string>(path); });
  EXPECT_EQ(boxes_.Texts(), Lines{"Cannot write the events file " + path});
}

TEST_F(TrapEventsTest, MalformedRowsAreReadAndExportedWithoutHarm) {
  ASSERT_TRUE(database_.Exec("INSERT INTO trap (\"index\", trap_time, trap_des) VALUES (NULL, 'garbage', 42)"));
  ASSERT_TRUE(database_.Exec("INSERT INTO trap (\"index\", trap_time, trap_des) VALUES ('x9', NULL, X'00FF')"));
  ASSERT_TRUE(database_.Exec("INSERT INTO trap (\"index\", trap_time, trap_des) VALUES (3.7, '2026-02-30 25:61:61', '')"));
  std::list<TrapRecord> records;
  ASSERT_TRUE(TrapDBManager().LoadTraps(records));
  ASSERT_EQ(records.size(), 3u);
  for (const TrapRecord& record : records) EXPECT_GE(record.index, 0);
  EXPECT_EQ(records.front().description, "42");

  const std::string path = database_.Dir().File("odd.evt");
  CTrapEvents().SaveTrapEventsAs([&] { return std::optional<std::string>(path); });
  EXPECT_EQ(FileLines(path).size(), 6u);
  EXPECT_EQ(boxes_.Texts(), Lines{"Save as events success"});
}

TEST(TrapTimeTest, ParsesStoredTextsAndRejectsOthers) {
  EXPECT_EQ(platform::FormatLocalTime(trap_time::Parse("2026-07-08 09:10:11"), "%Y-%m-%d %H:%M:%S"),
            "2026-07-08 09:10:11");
  for (const char* broken : {"", "yesterday", "2026-13-45", "\xff\xfe"})
    EXPECT_EQ(trap_time::Parse(broken), platform::TimePoint{}) << broken;
}

}  // namespace
