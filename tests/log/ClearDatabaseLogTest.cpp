// The clear of the database leaves one action-log row behind: its own.
#include "LogTestFixture.h"

TEST_F(LogTest, ClearOfTheDatabaseWritesItsActionLogLineAfterEmptyingTheLog) {
  Log().WriteSystemLog(1, "before the clear");
  Log().WriteActionLog("also before");
  ASSERT_TRUE(CAccessDatabase().ClearDatabase());
  const auto rows = StoredRows();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_TRUE(rows[0].ends_with("|0|0|Clear database")) << rows[0];
}
