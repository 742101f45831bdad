// The log browser's paging and filters over a real system_log table.
#include "LogTestFixture.h"
#include "log/FilterHistory.h"
#include "log/LogBrowser.h"

namespace {

class RowList : public LogListTarget {
 public:
  void DeleteAllItems() override { rows.clear(); }
  void AppendRow(const std::vector<std::string>& columns) override { rows.push_back(columns); }
  std::vector<std::string> Descriptions() const {
    std::vector<std::string> texts;
    for (const auto& row : rows) texts.push_back(row.back());
    return texts;
  }
  std::vector<std::vector<std::string>> rows;
};

class LogBrowserTest : public LogTest {
 protected:
  // Rows 1..count of the type, described "row N", stamped a second apart, levels cycling 1..4.
  void AddRows(int count, int type = 1) {
    if (count == 0) return;
    ASSERT_TRUE(database.Exec(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
        "INSERT INTO system_log SELECT i, printf('2026-01-01 00:%02d:%02d', i / 60, i % 60), ?, "
        "CASE WHEN ? = 1 THEN (i - 1) % 4 + 1 ELSE 0 END, 'row ' || i FROM n",
        {count, type, type}));
  }
  std::string Row(int n) { return "row " + std::to_string(n); }

  RowList list;
  CLogBrowser browser{Log()};
};

struct PagingCase {
  int rows;
  std::string label;
  CLogBrowser::PageButtons buttons;
};

TEST_F(LogBrowserTest, PagesOfFiftyNewestFirst) {
  const PagingCase cases[] = {{0, "0/0", {false, false, false, false}},
                              {50, "1/1", {false, false, false, false}},
                              {51, "1/2", {false, false, true, true}},
                              {120, "1/3", {false, false, true, true}}};
  for (const PagingCase& c : cases) {
    SCOPED_TRACE(c.rows);
    ASSERT_TRUE(database.Exec("DELETE FROM system_log"));
    AddRows(c.rows, CLogBrowser::ACTION_LOG);
    browser.Refresh(list);
    EXPECT_EQ(browser.Total(), c.rows);
    EXPECT_EQ(browser.PageLabel(), c.label);
    EXPECT_EQ(browser.Buttons(), c.buttons);
    ASSERT_EQ(list.rows.size(), std::min(c.rows, 50));
    if (c.rows) {
      EXPECT_EQ(list.rows.front().back(), Row(c.rows)) << "newest first";
      EXPECT_EQ(list.rows.front().size(), 2u) << "the action log has no level column";
    }
  }
}

TEST_F(LogBrowserTest, TheLastOfThreePagesHoldsOnlyTheOldestRows) {
  AddRows(120, CLogBrowser::ACTION_LOG);
  browser.Refresh(list);
  browser.NextPage(list);
  EXPECT_EQ(browser.PageLabel(), "2/3");
  EXPECT_EQ(browser.Buttons(), (CLogBrowser::PageButtons{true, true, true, true}));
  EXPECT_EQ(list.rows.front().back(), Row(70));
  browser.LastPage(list);
  EXPECT_EQ(browser.PageLabel(), "3/3");
  EXPECT_EQ(browser.Buttons(), (CLogBrowser::PageButtons{true, true, false, false}));
  ASSERT_EQ(list.rows.size(), 20u) << "no row of page 2 again";
  EXPECT_EQ(list.rows.front().back(), Row(20));
  EXPECT_EQ(list.rows.back().back(), Row(1));
  browser.NextPage(list);
  EXPECT_EQ(browser.CurrentPage(), 3) << "nothing beyond the last page";
  browser.PreviousPage(list);
  browser.PreviousPage(list);
  browser.PreviousPage(list);
  EXPECT_EQ(browser.PageLabel(), "1/3");
  EXPECT_EQ(list.rows.front().back(), Row(120));
}

TEST_F(LogBrowserTest, LevelBoxesSelectSystemRowsOnly) {
  AddRows(8);
  AddRows(3, CLogBrowser::ACTION_LOG);  // numbers 1..3 again, other type
  browser.SetLogType(CLogBrowser::SYSTEM_LOG);
  const std::pair<int, std::vector<std::string>> cases[] = {
      {15, {Row(8), Row(7), Row(6), Row(5), Row(4), Row(3), Row(2), Row(1)}},
      {0, {}},
      {1, {Row(5), Row(1)}},
      {5, {Row(7), Row(5), Row(3), Row(1)}},
      {10, {Row(8), Row(6), Row(4), Row(2)}},
      {14, {Row(8), Row(7), Row(6), Row(4), Row(3), Row(2)}}};
  for (const auto& [bits, rows] : cases) {
    SCOPED_TRACE(bits);
    browser.SetLevelBits(bits);
    browser.Refresh(list);
    EXPECT_EQ(list.Descriptions(), rows);
    EXPECT_EQ(browser.Total(), static_cast<int>(rows.size()));
  }
  EXPECT_EQ(list.rows.front().size(), 3u);
  EXPECT_EQ(list.rows.front()[1], "Debug");
}

TEST_F(LogBrowserTest, LevelClausesOfTheSixteenMasks) {
  EXPECT_EQ(CLogBrowser::LevelClause(0), " AND level=5 ");
  EXPECT_EQ(CLogBrowser::LevelClause(2), " AND level=2 ");
  EXPECT_EQ(CLogBrowser::LevelClause(3), " AND (level=1 OR level=2) ");
  EXPECT_EQ(CLogBrowser::LevelClause(8), " AND level=4 ");
  EXPECT_EQ(CLogBrowser::LevelClause(13), " AND (level=1 OR level=3 OR level=4) ");
  EXPECT_EQ(CLogBrowser::LevelClause(15), "");
}

TEST_F(LogBrowserTest, FilterTextsAreValuesNotSql) {
  AddRows(3, CLogBrowser::ACTION_LOG);
  ASSERT_TRUE(database.Exec("INSERT INTO system_log VALUES (4, '2026-02-02 10:00:00', 0, 0, 'Bob''s AP at 100%')"));
  ASSERT_TRUE(database.Exec("INSERT INTO system_log VALUES (5, '2026-02-02 10:00:01', 0, 0, 'ap_1 up')"));
  const std::tuple<int, std::string, std::vector<std::string>> cases[] = {
      {CLogBrowser::FILTER_DESCRIPTION, "Bob's", {"Bob's AP at 100%"}},
      {CLogBrowser::FILTER_DESCRIPTION, "'", {"Bob's AP at 100%"}},
      {CLogBrowser::FILTER_DESCRIPTION, "0%", {"Bob's AP at 100%"}},
      {CLogBrowser::FILTER_DESCRIPTION, "p_1", {"ap_1 up"}},
      {CLogBrowser::FILTER_DESCRIPTION, "w_", {}},
      {CLogBrowser::FILTER_DESCRIPTION, "row 2", {Row(2)}},
      {CLogBrowser::FILTER_DATETIME, "02-02", {"ap_1 up", "Bob's AP at 100%"}},
      {CLogBrowser::FILTER_DATETIME, "row", {}}};
  for (const auto& [type, text, rows] : cases) {
    SCOPED_TRACE(text);
    browser.SetFilter(type, text);
    browser.Refresh(list);
    EXPECT_EQ(list.Descriptions(), rows);
    EXPECT_EQ(browser.Total(), static_cast<int>(rows.size()));
  }
  EXPECT_TRUE(boxes.Texts().empty()) << "no statement failed";
  browser.SetFilter(CLogBrowser::FILTER_DESCRIPTION, "");
  browser.Refresh(list);
  EXPECT_EQ(browser.Total(), 5);
}

TEST(FilterHistoryTest, KeepsTenSortedTextsOnce) {
  CFilterHistory history;
  for (char c = 'b'; c <= 'k'; ++c) EXPECT_TRUE(history.Add(std::string(1, c)));
  EXPECT_FALSE(history.Add("e"));
  EXPECT_TRUE(history.Add("E")) << "case-sensitive";
  EXPECT_EQ(history.Entries(), (std::vector<std::string>{"E", "c", "d", "e", "f", "g", "h", "i", "j", "k"}))
      << "the eleventh text pushed out the first in sorted order";
}

}  // namespace
