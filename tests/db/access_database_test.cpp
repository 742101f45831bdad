// The data-access classes: rows and matrices from statements, inserts by position, the rollback paths,
// and the forwarders of the managers' base class.
#include <gtest/gtest.h>

#include <regex>
#include <thread>

#include "PoolFixture.h"
#include "db/AccessDatabase.h"
#include "db/DbAccessBase.h"
#include "db/StringMatrix.h"

namespace {

using Rows = CAccessDatabase::TextRows;

class AccessDatabaseTest : public PoolFixture {
 protected:
  void SetUp() override {
    PoolFixture::SetUp();
    Run("CREATE TABLE t_dev (name TEXT NOT NULL, ip TEXT, port INTEGER DEFAULT 8, note TEXT DEFAULT 'none')");
  }
  Rows All() { return access_.QueryValues("SELECT name, ip, port, note FROM t_dev ORDER BY rowid"); }

  CAccessDatabase access_;
};

TEST_F(AccessDatabaseTest, QueriesGiveTextsInColumnOrderWithNullAsEmpty) {
  Run("INSERT INTO t_dev VALUES ('sw1', NULL, 24, 'x')");
  Run("INSERT INTO t_dev VALUES ('ap''1', '10.0.0.2', NULL, NULL)");
  const Rows expected{{"24", "sw1", ""}, {"", "ap'1", "10.0.0.2"}};
  const std::string statement = "SELECT port, name, ip FROM t_dev ORDER BY rowid";
  EXPECT_EQ(access_.QueryRows(statement), expected);
  EXPECT_EQ(access_.QueryValues(statement), expected);
  EXPECT_EQ(access_.QueryValues("SELECT name FROM t_dev WHERE name = ?", {"ap'1"}), (Rows{{"ap'1"}}));
  EXPECT_EQ(access_.QueryRows("SELECT name FROM t_dev WHERE port > ?", {100}), Rows{});
  EXPECT_EQ(access_.QueryFieldCount(statement), 3);
  // A bare table name reads the whole table.
  auto recordset = access_.GetRecordset("t_dev");
  ASSERT_TRUE(recordset);
  EXPECT_EQ(recordset->GetFieldCount(), 4);
  EXPECT_EQ(recordset->Rows().size(), 2u);
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(AccessDatabaseTest, RecordsetIsEmptyWhenClosedOrWithoutRows) {
  Run("INSERT INTO t_dev (name) VALUES ('sw1')");
  const std::pair<const char*, bool> cases[] = {
      {"SELECT name FROM t_dev", false}, {"SELECT name FROM t_dev WHERE 0", true}, {"SELECT * FROM t_missing", true}};
  for (const auto& [statement, empty] : cases) {
    db::CRecordset recordset;
    pool_->Execute(statement, recordset);
    EXPECT_EQ(CAccessDatabase::IsRecordsetEmpty(recordset), empty) << statement;
    pool_->ReleaseRecordset(recordset);
  }
}

TEST_F(AccessDatabaseTest, MatrixHasRowsTimesFieldsCellsAndNoneForNoRows) {
  EXPECT_EQ(access_.QueryMatrix("SELECT name, ip FROM t_dev"), nullptr);
  Run("INSERT INTO t_dev (name, ip) VALUES ('a', '1'), ('b', '2'), ('c', NULL)");
  auto matrix = access_.QueryMatrix("SELECT name, ip FROM t_dev ORDER BY name");
  ASSERT_TRUE(matrix);
  EXPECT_EQ(matrix->GetLastRow(), 2);
  EXPECT_EQ(matrix->GetLastColumn(), 1);
  EXPECT_EQ(matrix->GetCells(), (std::vector<std::string>{"a", "1", "b", "2", "c", ""}));
  EXPECT_EQ(matrix->GetCell(1, 1), "2");
  EXPECT_EQ(access_.QueryMatrix("SELECT * FROM t_missing"), nullptr);
  EXPECT_TRUE(boxes_.Texts().empty()) << "the matrix query shows no message";
}

TEST_F(AccessDatabaseTest, FailedQueriesShowTheExceptionTextAndGiveTheLockBack) {
  EXPECT_EQ(access_.QueryRecordset("SELECT * FROM t_missing"), nullptr);
  EXPECT_EQ(access_.QueryRows("SELECT * FROM t_missing"), Rows{});
  EXPECT_EQ(access_.QueryValues("SELECT * FROM t_missing"), Rows{});
  EXPECT_EQ(access_.QueryFieldCount("SELECT * FROM t_missing"), -1);
  const auto texts = boxes_.Texts();
  ASSERT_EQ(texts.size(), 3u);
  for (const std::string& text : texts)
    EXPECT_TRUE(std::regex_match(text, std::regex("Exception__Desc: .+; Source: SQLite; ErrMsg: .+; "
                                                  "FileName: AccessDatabase; LineNum: \\d+")))
        << text;
  bool otherResult = false;
  std::thread([&] { otherResult = pool_->ExecuteCommand("INSERT INTO t_dev (name) VALUES ('x')"); }).join();
  EXPECT_TRUE(otherResult);
}

TEST_F(AccessDatabaseTest, DeleteAllRecordsReportsADatabaseError) {
  Run("INSERT INTO t_dev (name) VALUES ('a')");
  EXPECT_TRUE(access_.DeleteAllRecords("t_dev"));
  EXPECT_EQ(All(), Rows{});
  EXPECT_FALSE(access_.DeleteAllRecords("t_missing"));
  EXPECT_EQ(boxes_.Texts().size(), 1u);
}

TEST_F(AccessDatabaseTest, InsertRecordFillsTheFirstColumnsAndLeavesTheRestToDefaults) {
  EXPECT_TRUE(access_.InsertRecord("t_dev", {"sw'1", "10.0.0.1"}));
  EXPECT_TRUE(access_.InsertRecord("t_dev", {"sw2", "10.0.0.2", "48", "it's"}));
  EXPECT_EQ(All(), (Rows{{"sw'1", "10.0.0.1", "8", "none"}, {"sw2", "10.0.0.2", "48", "it's"}}));
  EXPECT_FALSE(access_.InsertRecord("t_dev", {"a", "b", "1", "c", "one too many"}));
  EXPECT_FALSE(access_.InsertRecord("t_missing", {"a"}));
  EXPECT_EQ(boxes_.Texts().size(), 2u);
  EXPECT_EQ(All().size(), 2u);
}

TEST_F(AccessDatabaseTest, RowsAtAPositionOfABoundSelectionAreRewrittenOrDeleted) {
  Run("INSERT INTO t_dev (name, ip) VALUES ('it''s', '1'), ('it''s', '2'), ('x', '3')");
  const std::string selection = "SELECT name, ip FROM t_dev WHERE name=? ORDER BY ip";
  EXPECT_TRUE(access_.UpdateRecordAt(selection, {"it's"}, 1, {"it's", "it's 20"}));
  EXPECT_TRUE(access_.DeleteRecordAt(selection, {"it's"}, 0));
  EXPECT_EQ(All(), (Rows{{"it's", "it's 20", "8", "none"}, {"x", "3", "8", "none"}}));
  // The selection is one row long now, so position 1 is past its end; a missing value is refused.
  EXPECT_FALSE(access_.DeleteRecordAt(selection, {"it's"}, 1));
  EXPECT_FALSE(access_.UpdateRecordAt(selection, {}, 0, {"y"}));
  EXPECT_EQ(boxes_.Texts().size(), 2u);
  EXPECT_EQ(All().size(), 2u);
}

TEST_F(AccessDatabaseTest, InsertMatrixIsAllOrNothing) {
  CStringMatrix matrix;
  matrix.SetColumnCount(2);
  matrix.SetRowCount(2);
  matrix.SetCells({"a", "1", "b", "2"});
  EXPECT_TRUE(access_.InsertMatrix("t_dev", matrix));
  EXPECT_EQ(All(), (Rows{{"a", "1", "8", "none"}, {"b", "2", "8", "none"}}));

  // The second row lacks its second cell, which may not be NULL: the first row goes too.
  Run("CREATE TABLE t_strict (a TEXT NOT NULL, b TEXT NOT NULL)");
  CStringMatrix shortRow;
  shortRow.SetColumnCount(2);
  shortRow.SetRowCount(2);
  shortRow.SetCells({"a", "b", "c"});
  EXPECT_FALSE(access_.InsertMatrix("t_strict", shortRow));
  EXPECT_EQ(access_.QueryValues("SELECT * FROM t_strict"), Rows{});
  EXPECT_EQ(boxes_.Texts().size(), 1u);
}

TEST_F(AccessDatabaseTest, AppendedRowsGoInOneTransactionWithTheirLogRecord) {
  EXPECT_TRUE(access_.table_append_records("t_dev", {{"a", "1"}, {"b", "2", "3"}}));
  EXPECT_EQ(All(), (Rows{{"a", "1", "8", "none"}, {"b", "2", "3", "none"}}));
  EXPECT_NE(ReadLog().find("AccessDatabase table_append_records BeginTransact--\r\n"), std::string::npos);
  EXPECT_FALSE(access_.table_append_records("t_dev", {{"c"}, {}}));  // the second row has no name
  EXPECT_EQ(All().size(), 2u);
}

TEST_F(AccessDatabaseTest, RowsAtAPositionAreRewrittenOrDeleted) {
  Run("INSERT INTO t_dev (name, ip) VALUES ('a', '1'), ('b', '2'), ('c', '3')");
  EXPECT_TRUE(access_.UpdateRecordAt("SELECT name, ip FROM t_dev ORDER BY name", 1, {"b'2", "20"}));
  EXPECT_TRUE(access_.DeleteRecordAt("t_dev", 0));
  EXPECT_EQ(access_.QueryValues("SELECT name, ip FROM t_dev ORDER BY rowid"), (Rows{{"b'2", "20"}, {"c", "3"}}));
  EXPECT_FALSE(access_.DeleteRecordAt("t_dev", 5));
  EXPECT_FALSE(access_.UpdateRecordAt("SELECT COUNT(*) FROM t_dev", 0, {"9"}));
  EXPECT_EQ(boxes_.Texts().size(), 2u);
  EXPECT_EQ(All().size(), 2u);
}

TEST(AccessDatabaseTextTest, ValuesBecomeTheTextsReadersSee) {
  const std::vector<std::pair<db::SqlValue, std::string>> cases{
      {db::SqlValue(), ""},         {db::SqlValue(42), "42"},
      {db::SqlValue(-7LL), "-7"},   {db::SqlValue(5000000000LL), "5000000000"},
      {db::SqlValue(1.5), "1.50000000"},
      {db::SqlValue("it's"), "it's"}, {db::SqlValue(db::Blob{1, 2}), "[BLOB]"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(CAccessDatabase::VariantToText(value), text);

  std::string buffer = "abc";
  CAccessDatabase::GetTextBuffer(buffer)[1] = 'X';
  EXPECT_EQ(buffer, "aXc");
}

TEST(AccessDatabaseTextTest, QuotingOfValuesAndNames) {
  const std::vector<std::pair<std::string, std::string>> values{
      {"", "''"}, {"plain", "'plain'"}, {"it's", "'it''s'"}, {"''", "''''''"}};
  for (const auto& [text, quoted] : values) EXPECT_EQ(db::QuoteSql(text), quoted);
  const std::vector<std::pair<std::string, std::string>> names{
      {"index", "\"index\""},
      {"client_connect_ap.index_polling", "\"client_connect_ap\".\"index_polling\""},
      {"a JOIN b ON a.x = b.x", "a JOIN b ON a.x = b.x"},
      {"x\"y", "x\"y"},
      {".a", ".a"}};
  for (const auto& [name, quoted] : names) EXPECT_EQ(db::QuoteName(name), quoted);
}

class DbAccessBaseTest : public AccessDatabaseTest {
 protected:
  CDbAccessBase manager_;
};

TEST_F(DbAccessBaseTest, ManagerUpdatesRowsThroughARecordsetTransaction) {
  Run("INSERT INTO t_dev (name, port) VALUES ('a', 1), ('b', 2)");
  db::CRecordset recordset;
  ASSERT_TRUE(manager_.OpenRecordset("SELECT name, port FROM t_dev WHERE port >= ?", {1}, recordset));
  manager_.BeginTransact(recordset);
  for (recordset.MoveFirst(); !recordset.IsEOF(); recordset.MoveNext())
    ASSERT_TRUE(manager_.ExecuteCommand("UPDATE t_dev SET port = ? WHERE name = ?",
                                        {recordset.GetValue("port").AsInteger() * 10, recordset.GetText("name")}));
  EXPECT_TRUE(manager_.CommitTransact(recordset));
  EXPECT_TRUE(manager_.CloseRecordset(recordset));
  EXPECT_EQ(manager_.GetFieldMaxValue("t_dev", "port"), 20);

  // The error path: log record, rollback, close.
  ASSERT_TRUE(manager_.OpenRecordset("SELECT name FROM t_dev", recordset));
  manager_.BeginTransact(recordset);
  EXPECT_TRUE(manager_.ExecuteCommand("DELETE FROM t_dev"));
  EXPECT_TRUE(manager_.WriteExceptionLog("test manager RollBackTransact"));
  EXPECT_TRUE(manager_.RollBackTransact(recordset));
  EXPECT_TRUE(manager_.CloseRecordset(recordset));
  EXPECT_EQ(All().size(), 2u);
  EXPECT_NE(ReadLog().find("test manager RollBackTransact"), std::string::npos);

  EXPECT_EQ(manager_.GetPoolSize(), CDB_Maintain::kPoolSize);
  EXPECT_EQ(manager_.GetRecordCount(recordset), -1);
  EXPECT_TRUE(manager_.BeginAccess() && manager_.EndAccess() && manager_.InitializeCom());
}

}  // namespace
