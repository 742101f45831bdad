// Minute stamps count real minutes, so windows across a month or year end keep their order.
#include <gtest/gtest.h>

#include "platform/MinuteStamp.h"

namespace {

TEST(MinuteStampTest, CountsCalendarMinutesSinceTheStartOf2000) {
  struct Case {
    int year, month, day, hour, minute;
    int expected;
  };
  const Case cases[] = {
      {2000, 1, 1, 0, 0, 0},          {2000, 1, 1, 23, 59, 1439},
      {2000, 2, 1, 0, 0, 31 * 1440},  {2000, 3, 1, 0, 0, (31 + 29) * 1440},  // 2000 is a leap year
      {2001, 1, 1, 0, 0, 366 * 1440}, {2026, 12, 11, 3, 45, 9841 * 1440 + 3 * 60 + 45},
  };
  for (const Case& c : cases)
    EXPECT_EQ(platform::MinuteStamp(c.year, c.month, c.day, c.hour, c.minute), c.expected)
        << c.year << "-" << c.month << "-" << c.day;
}

TEST(MinuteStampTest, MonthAndYearEndsKeepTheOrder) {
  EXPECT_EQ(platform::MinuteStamp(2026, 2, 1, 0, 0) - platform::MinuteStamp(2026, 1, 31, 23, 59), 1);
  EXPECT_LT(platform::MinuteStamp(2026, 1, 31, 10, 0), platform::MinuteStamp(2026, 2, 1, 9, 0));
  EXPECT_EQ(platform::MinuteStamp(2024, 3, 1, 0, 0) - platform::MinuteStamp(2024, 2, 29, 0, 0), 1440);
  EXPECT_EQ(platform::MinuteStamp(2027, 1, 1, 0, 0) - platform::MinuteStamp(2026, 12, 31, 23, 59), 1);
}

}  // namespace
