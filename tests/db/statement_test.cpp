// Compiled statements kept by their connection: one user at a time, values never carried over from an
// earlier user, a statement in use when its connection closes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/Connection.h"
#include "db/DbError.h"
#include "db/Statement.h"
#include "support/TempDir.h"

namespace {

const char kSelect[] = "SELECT name FROM t ORDER BY name";

class StatementCacheTest : public ::testing::Test {
 protected:
  void SetUp() override {
    connection_.Open(dir_.File("cache.db"), 5);
    Run("CREATE TABLE t (name TEXT)");
    Run("INSERT INTO t VALUES ('a'), ('b')");
  }

  void Run(const std::string& sql, const db::SqlParams& params = {}) {
    db::CStatement statement(connection_, sql);
    statement.Bind(params);
    statement.Run();
  }

  std::vector<std::string> Names() {
    db::CStatement select(connection_, kSelect);
    std::vector<std::string> names;
    while (select.Step()) names.push_back(select.Column(0).AsText());
    return names;
  }

  testing_support::TempDir dir_;
  db::CConnection connection_;
};

TEST_F(StatementCacheTest, ReusedStatementStepsOnlyWithItsOwnValues) {
  Run("INSERT INTO t VALUES (?)", {"it's"});
  db::CStatement unbound(connection_, "INSERT INTO t VALUES (?)");
  EXPECT_THROW(unbound.Run(), db::CDbError);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b", "it's"}));
}

TEST_F(StatementCacheTest, SameTextTwiceAtOnceStepsIndependently) {
  Names();  // outer below then reuses the kept statement
  db::CStatement outer(connection_, kSelect);
  ASSERT_TRUE(outer.Step());
  EXPECT_EQ(outer.Column(0).AsText(), "a");
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));  // the same text while outer is in use
  ASSERT_TRUE(outer.Step());
  EXPECT_EQ(outer.Column(0).AsText(), "b");
  EXPECT_FALSE(outer.Step());
}

TEST_F(StatementCacheTest, StatementInUseOutlivesTheClosingOfItsConnection) {
  {
    db::CStatement select(connection_, kSelect);
    ASSERT_TRUE(select.Step());
    connection_.Close();
  }
  connection_.Open(dir_.File("cache.db"), 5);
  EXPECT_EQ(Names(), (std::vector<std::string>{"a", "b"}));
}

}  // namespace
