// The name numbers that the display-name index reserves: read from both device tables.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/pollingdb.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

namespace {

TEST(PollingDbNameNumbers, NumberFollowsTheFirstUnderscore) {
  struct Case {
    const char* name;
    int number;
  } cases[] = {{"AP_12", 12}, {"SW_3_1", 3}, {"SW_", 0}, {"SW", -1}, {"UNKNOWN_7x", 7}, {"AP_x", 0}, {"_5", 5}};
  for (const Case& c : cases) EXPECT_EQ(CPollingDb::GetNameNumber(c.name), c.number) << c.name;
}

TEST(PollingDbNameNumbers, LoadIdAppendsTableOrderWithDuplicates) {
  testing_support::TempDatabase database;
  int mac = 0;
  const auto add = [&](const std::string& table, const char* name, const char* type) {
    ASSERT_TRUE(database.Exec("insert into " + table + " (name, mac, type) values (?, ?, ?)",
                              {name ? db::SqlValue(std::string(name)) : db::SqlValue(),
                               "02:00:00:00:00:" + std::to_string(10 + ++mac), std::string(type)}));
  };
  for (const char* name : {"AP_3", "AP_x", "AP", "AP_0", "AP_12"}) add("device_list", name, "2");
  add("device_list", nullptr, "2");
  add("device_list", "SW_9", "1");
  add("device_list_prev", "AP_3", "2");

  std::vector<int> numbers{99};
  EXPECT_EQ(CPollingDb().loadId(numbers, 2), 0);
  EXPECT_EQ(numbers, (std::vector<int>{99, 3, 12, 3}));

  std::vector<int> none;
  EXPECT_EQ(CPollingDb().loadId(none, 0), 0);
  EXPECT_TRUE(none.empty());
}

// Both tables are read whole when their query runs, so a database error can only stop a query from
// running; such a table counts as one without rows and the other table is still read.
TEST(PollingDbNameNumbers, LoadIdTakesATableThatCannotBeReadForAnEmptyOne) {
  testing_support::TempDatabase database;
  testing_support::MessageBoxRecorder boxes;
  ASSERT_TRUE(database.Exec("insert into device_list_prev (name, mac, type) values ('AP_3', '02:00:00:00:00:01', "
                            "'2'), ('AP_5', '02:00:00:00:00:02', '2')"));
  ASSERT_TRUE(database.Exec("alter table device_list rename to device_list_moved"));

  std::vector<int> numbers{99};
  EXPECT_EQ(CPollingDb().loadId(numbers, 2), 0);
  EXPECT_EQ(numbers, (std::vector<int>{99, 3, 5}));
  EXPECT_NE(database.ExceptionLog().find("device_list"), std::string::npos);
  EXPECT_TRUE(boxes.Texts().empty());
}

}  // namespace
