// The utilisation windows: where each page command puts the window under each filter and each view's
// units, across month ends, with minute stamps on the real calendar; and the navigation buttons' rules.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "platform/Clock.h"
#include "platform/MinuteStamp.h"
#include "support/LocalTime.h"
#include "usage/UtilizationTimeWindow.h"

namespace {

using testing_support::LocalTm;

platform::TimePoint At(int year, int month, int day, int hour = 0, int minute = 0) {
  std::tm local = LocalTm(year, month, day, hour, minute);
  return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

std::string Text(platform::TimePoint moment) { return platform::FormatLocalTime(moment, "%Y-%m-%d %H:%M"); }

struct WindowCase {
  const char* name;
  WindowUnits units;
  int filter;
  platform::TimePoint anchor;
  platform::TimePoint oldest;
  int page;
  platform::TimePoint now;
  const char* start;
  const char* end;
};

class WindowTable : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowTable, PageCommandGivesTheWindowAndLeavesTheAnchorAtItsStart) {
  const WindowCase& c = GetParam();
  CUtilizationTimeWindow window(c.units, c.now);
  window.GetFilterType(c.filter);
  window.SetAnchor(c.anchor);
  window.SetOldest(c.oldest, true);
  NavButtonStates buttons;
  const UsageWindow shown = window.FinishWindow(window.ComputeTimeWindow(c.page, c.now), c.page, c.now, buttons);
  EXPECT_EQ(Text(shown.start), c.start);
  EXPECT_EQ(Text(shown.end), c.end);
  EXPECT_EQ(Text(window.Anchor()), c.start);
  EXPECT_EQ(shown.startMinutes, platform::MinuteStampOf(shown.start));
  EXPECT_EQ(shown.endMinutes, platform::MinuteStampOf(shown.end));
}

const platform::TimePoint kLongAgo = At(2005, 1, 1);

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowTable,
    ::testing::Values(WindowCase{"GroupDayLast", kGroupViewUnits, kFilterDay, At(2006, 3, 3, 14, 20), kLongAgo,
                                 kPageLast, At(2006, 3, 3, 14, 20), "2006-03-03 00:00", "2006-03-04 00:00"},
                      WindowCase{"GroupDayLastOnAMonthsLastDay", kGroupViewUnits, kFilterDay, At(2006, 1, 31, 23, 30),
                                 kLongAgo, kPageLast, At(2006, 1, 31, 23, 30), "2006-01-31 00:00", "2006-02-01 00:00"},
                      WindowCase{"GroupHourLast", kGroupViewUnits, kFilterHour, At(2006, 3, 3, 9), kLongAgo, kPageLast,
                                 At(2006, 3, 3, 14, 20), "2006-03-03 14:00", "2006-03-03 15:00"},
                      WindowCase{"GroupWeekPrevAcrossFebruarysEnd", kGroupViewUnits, kFilterWeek, At(2006, 3, 5),
                                 kLongAgo, kPagePrev, At(2006, 3, 20), "2006-02-26 00:00", "2006-03-05 00:00"},
                      WindowCase{"GroupDayNext", kGroupViewUnits, kFilterDay, At(2006, 2, 28, 8), kLongAgo, kPageNext,
                                 At(2006, 3, 20), "2006-03-01 00:00", "2006-03-02 00:00"},
                      WindowCase{"GroupDayFirst", kGroupViewUnits, kFilterDay, At(2006, 3, 3), At(2006, 2, 27, 10, 17),
                                 kPageFirst, At(2006, 3, 20), "2006-02-27 00:00", "2006-02-28 00:00"},
                      WindowCase{"MonthPrevInALeapYearStartsOnTheFirst", kGroupViewUnits, kFilterMonth, At(2008, 3, 1),
                                 kLongAgo, kPagePrev, At(2008, 5, 1), "2008-02-01 00:00", "2008-03-01 00:00"},
                      WindowCase{"MonthNextFromJanuary", kApViewUnits, kFilterMonth, At(2008, 1, 15), kLongAgo,
                                 kPageNext, At(2008, 5, 1), "2008-02-01 00:00", "2008-03-01 00:00"},
                      WindowCase{"MonthLast", kGroupViewUnits, kFilterMonth, At(2008, 1, 15), kLongAgo, kPageLast,
                                 At(2008, 12, 31, 23, 59), "2008-12-01 00:00", "2009-01-01 00:00"},
                      WindowCase{"ApHourLastIsTheDayToTheEndOfTheHour", kApViewUnits, kFilterHour, At(2006, 3, 3),
                                 kLongAgo, kPageLast, At(2006, 3, 3, 14, 20), "2006-03-02 15:00", "2006-03-03 15:00"},
                      WindowCase{"ApDayLastIsEightDays", kApViewUnits, kFilterDay, At(2006, 3, 3), kLongAgo, kPageLast,
                                 At(2006, 3, 3, 14, 20), "2006-02-24 00:00", "2006-03-04 00:00"},
                      WindowCase{"ApWeekLastIsSixWeeksToSunday", kApViewUnits, kFilterWeek, At(2006, 3, 3), kLongAgo,
                                 kPageLast, At(2006, 3, 3, 14, 20), "2006-01-22 00:00", "2006-03-05 00:00"},
                      WindowCase{"ApWeekPrev", kApViewUnits, kFilterWeek, At(2006, 3, 5), kLongAgo, kPagePrev,
                                 At(2006, 4, 3), "2006-01-22 00:00", "2006-03-05 00:00"}),
    [](const ::testing::TestParamInfo<WindowCase>& info) { return std::string(info.param.name); });

TEST(UtilizationTimeWindowTest, MinuteStampsOfADayAcrossAMonthEndAreOneDayApart) {
  CUtilizationTimeWindow window(kGroupViewUnits, At(2006, 1, 31, 23, 30));
  window.GetFilterType(kFilterDay);
  NavButtonStates buttons;
  const platform::TimePoint now = At(2006, 1, 31, 23, 30);
  const UsageWindow day = window.FinishWindow(window.ComputeTimeWindow(kPageLast, now), kPageLast, now, buttons);
  EXPECT_EQ(day.endMinutes - day.startMinutes, 1440);
  EXPECT_EQ(day.endMinutes, platform::MinuteStamp(2006, 2, 1, 0, 0));
  EXPECT_EQ(day.label, "2006-01-31 00:00:00 ~ 2006-02-01 00:00:00");
}

TEST(UtilizationTimeWindowTest, LastDisablesNextAndLastFirstDisablesFirstAndPrev) {
  const platform::TimePoint now = At(2006, 3, 3, 14, 20);
  CUtilizationTimeWindow window(kGroupViewUnits, now);
  window.GetFilterType(kFilterDay);
  window.SetOldest(At(2006, 3, 1, 9, 0), true);
  NavButtonStates buttons;
  window.FinishWindow(window.ComputeTimeWindow(kPageLast, now), kPageLast, now, buttons);
  ButtonsAfterPage(kPageLast, buttons);
  EXPECT_EQ(buttons, (NavButtonStates{true, true, false, false}));

  window.FinishWindow(window.ComputeTimeWindow(kPageFirst, now), kPageFirst, now, buttons);
  ButtonsAfterPage(kPageFirst, buttons);
  EXPECT_EQ(buttons, (NavButtonStates{false, false, true, true}));
  EXPECT_EQ(Text(window.Anchor()), "2006-03-01 00:00");

  // First then Next: the day right after the oldest one, none skipped.
  ButtonsBeforePage(kPageNext, buttons);
  const UsageWindow next = window.FinishWindow(window.ComputeTimeWindow(kPageNext, now), kPageNext, now, buttons);
  EXPECT_EQ(Text(next.start), "2006-03-02 00:00");
  EXPECT_EQ(buttons, (NavButtonStates{true, true, true, true}));
}

TEST(UtilizationTimeWindowTest, WithoutOldestRecordsTheOldestWindowEnablesNothingForward) {
  const platform::TimePoint now = At(2006, 3, 3, 14, 20);
  CUtilizationTimeWindow window(kGroupViewUnits, now);
  window.GetFilterType(kFilterHour);
  window.TakeOldestRecords({}, now);
  NavButtonStates buttons;
  window.FinishWindow(window.ComputeTimeWindow(kPageFirst, now), kPageFirst, now, buttons);
  // The oldest hour is the current one: its end lies after now, and its start is the oldest time.
  EXPECT_EQ(buttons, (NavButtonStates{false, false, false, false}));
}

TEST(UtilizationTimeWindowTest, AFilterIsKeptWhileNoRadioIsCheckedAndTheApViewStartsWithEightDays) {
  const platform::TimePoint now = At(2006, 3, 3, 14, 20);
  CUtilizationTimeWindow window(kApViewUnits, now);
  EXPECT_EQ(window.GetFilterType(std::nullopt), kFilterNone);
  EXPECT_EQ(window.GetFilterType(kFilterWeek), kFilterWeek);
  EXPECT_EQ(window.GetFilterType(std::nullopt), kFilterWeek);
  NavButtonStates buttons;
  const UsageWindow first = window.FinishWindow(window.InitialApWindow(now), kPageLast, now, buttons);
  EXPECT_EQ(first.label, "2006-02-24 00:00:00 ~ 2006-03-04 00:00:00");
}

TEST(UtilizationTimeWindowTest, OldestTimeComesFromTheFirstRecordAndAMalformedTextCountsAsNow) {
  const platform::TimePoint now = At(2006, 3, 3, 14, 20);
  CUtilizationTimeWindow window(kApViewUnits, now);
  RecorderPollingRecord record;
  record.strCurrent = "20060301_09:15:00";
  window.TakeOldestRecords({record}, now);
  EXPECT_EQ(Text(window.Oldest()), "2006-03-01 09:15");
  EXPECT_TRUE(window.HasOldestRecords());
  record.strCurrent = "20061341_99:15:00";
  window.TakeOldestRecords({record}, now);
  EXPECT_EQ(window.Oldest(), now);
}

}  // namespace
