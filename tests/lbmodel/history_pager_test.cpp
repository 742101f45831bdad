// The client-history view's paging, its window checks and the texts of its rows.
#include <gtest/gtest.h>

#include "lbmodel/ClientHistoryPager.h"
#include "lbmodel/HistoryQuery.h"
#include "platform/MinuteStamp.h"

namespace {

std::vector<ClientHistoryRecord> Rows(int count) {
  std::vector<ClientHistoryRecord> rows(count);
  for (int i = 0; i < count; ++i) rows[i].index_polling = i + 1;  // row numbers from 1
  return rows;
}

// The page as "first-last label", e.g. "101-200 200/250".
std::string Shown(const CClientHistoryPager& pager) {
  const auto page = pager.Page();
  if (page.empty()) return "empty " + pager.Label();
  return std::to_string(page.front().index_polling) + "-" + std::to_string(page.back().index_polling) + " " +
         pager.Label();
}

constexpr PagingButtons kAll{true, true, true, true};
constexpr PagingButtons kAtEnd{true, true, false, false};
constexpr PagingButtons kAtStart{false, false, true, true};

TEST(ClientHistoryPagerTest, PagesThroughTwoHundredFiftyRows) {
  CClientHistoryPager pager;
  pager.SetRows(Rows(250));
  EXPECT_EQ(Shown(pager), "1-100 100/250");
  EXPECT_EQ(pager.Buttons(), kAll);
  pager.Next();
  EXPECT_EQ(Shown(pager), "101-200 200/250");
  EXPECT_EQ(pager.Buttons(), kAll);
  pager.Next();
  EXPECT_EQ(Shown(pager), "201-250 250/250");
  EXPECT_EQ(pager.Buttons(), kAtEnd);
  pager.Next();
  EXPECT_EQ(Shown(pager), "201-250 250/250") << "nothing follows the last page";
  pager.Prev();
  EXPECT_EQ(Shown(pager), "101-200 200/250");
  EXPECT_EQ(pager.Buttons(), kAll);
  pager.Prev();
  EXPECT_EQ(Shown(pager), "1-100 100/250");
  EXPECT_EQ(pager.Buttons(), kAtStart);
  pager.Last();
  EXPECT_EQ(Shown(pager), "151-250 250/250");
  EXPECT_EQ(pager.Buttons(), kAtEnd);
  pager.Prev();
  EXPECT_EQ(Shown(pager), "51-150 150/250");
  pager.Prev();
  EXPECT_EQ(Shown(pager), "1-100 100/250") << "fewer than a page before: the first page";
  pager.Last();
  pager.First();
  EXPECT_EQ(Shown(pager), "1-100 100/250");
  EXPECT_EQ(pager.Buttons(), kAtStart);
}

TEST(ClientHistoryPagerTest, SixtyRowsAreOnePage) {
  CClientHistoryPager pager;
  pager.SetRows(Rows(60));
  EXPECT_EQ(Shown(pager), "1-60 60/60");
  pager.Last();
  EXPECT_EQ(Shown(pager), "1-60 60/60");
  EXPECT_EQ(pager.Buttons(), kAtEnd);
  pager.Next();
  EXPECT_EQ(Shown(pager), "1-60 60/60");
  EXPECT_EQ(pager.Buttons(), kAtEnd);
  pager.Prev();
  EXPECT_EQ(Shown(pager), "1-60 60/60");
  EXPECT_EQ(pager.Buttons(), kAtStart);
}

TEST(ClientHistoryPagerTest, WithoutRowsPagingOnlySwitchesTheButtons) {
  CClientHistoryPager pager;
  EXPECT_EQ(pager.Label(), "0/0");
  pager.SetRows({});
  EXPECT_EQ(Shown(pager), "empty 0/0");
  pager.Prev();
  EXPECT_EQ(pager.Buttons(), (PagingButtons{false, false, false, false}));
  for (auto step : {&CClientHistoryPager::First, &CClientHistoryPager::Next, &CClientHistoryPager::Last}) {
    pager.Prev();
    (pager.*step)();
    EXPECT_EQ(pager.Buttons(), kAll);
    EXPECT_EQ(Shown(pager), "empty 0/0");
  }
}

std::tm Local(int year, int month, int day, int hour = 0, int minute = 0) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  return t;
}

TEST(HistoryQueryTest, ThePickersAreCheckedInOrder) {
  struct Case {
    HistoryPickers pickers;
    std::string message;
  };
  const std::tm today = Local(2026, 12, 11);
  const Case cases[] = {
      {{Local(1999, 12, 31), Local(2026, 1, 1, 9), today, Local(2026, 1, 1, 10)},
       "Year must be bigger than 2000, please retry..."},
      {{Local(2000, 1, 1), Local(2026, 1, 1, 9), today, Local(2026, 1, 1, 10)}, ""},
      {{today, Local(2026, 1, 1, 9), Local(2101, 1, 1), Local(2026, 1, 1, 10)},
       "Year can't be bigger than 2100 , please retry... "},
      {{today, Local(2026, 1, 1, 9), Local(2026, 12, 10), Local(2026, 1, 1, 10)},
       "Please select the  begin date , please retry... "},
      {{today, Local(2026, 1, 1, 10), today, Local(2026, 1, 1, 10)}, "Please select the beginning date and time"},
      {{today, Local(2026, 1, 1, 11), today, Local(2026, 1, 1, 10)}, "Please select the beginning date and time"},
      {{today, Local(2026, 1, 1, 9, 59), today, Local(2026, 1, 1, 10)}, ""},
      {{Local(1999, 1, 1), Local(2026, 1, 1), Local(2101, 1, 1), Local(2026, 1, 1)},
       "Year must be bigger than 2000, please retry..."},
  };
  for (const Case& c : cases) EXPECT_EQ(CheckHistoryPickers(c.pickers), c.message) << c.message;
}

TEST(HistoryQueryTest, TheWindowJoinsEachDateWithItsTimeAcrossAMonthEnd) {
  const HistoryPickers pickers{Local(2026, 1, 31, 17, 5), Local(2025, 6, 1, 10, 0), Local(2026, 2, 1, 3, 3),
                               Local(2025, 6, 1, 9, 0)};
  const HistoryWindow window = HistoryWindowOf(pickers);
  EXPECT_EQ(window.first, platform::MinuteStamp(2026, 1, 31, 10, 0));
  EXPECT_EQ(window.last, platform::MinuteStamp(2026, 2, 1, 9, 0));
  EXPECT_LT(window.first, window.last);
}

TEST(HistoryQueryTest, RowTexts) {
  ClientHistoryRecord row;
  row.date_time = "2026-12-11 10:00:00";
  row.client_state = "offline-write";
  row.RSSI_client = "41";
  row.mode_client = "3";
  row.name = "AP_1";
  row.APssid = "O'Brien";
  row.mac_ap = "02:44:71:00:01:01";
  row.ip = "127.0.0.11";
  EXPECT_EQ(HistoryRowTexts(row), (std::vector<std::string>{"2026-12-11 10:00:00", "disconnect", "41", "turbo_mode",
                                                            "AP_1", "O'Brien", "02:44:71:00:01:01", "127.0.0.11"}));
  const std::pair<std::string, std::string> modes[] = {{"1", "g_mode"}, {"2", "b_mode"}, {"7", "7"}, {"", ""}};
  for (const auto& [code, text] : modes) {
    row.mode_client = code;
    EXPECT_EQ(HistoryRowTexts(row)[3], text) << "an unknown code shows itself, never the line before";
  }
  row.client_state = "connect";
  EXPECT_EQ(HistoryRowTexts(row)[1], "connect");
  EXPECT_EQ(HistoryColumns().size(), 8u);
}

}  // namespace
