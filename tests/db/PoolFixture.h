#pragma once
// A pool of the test's own: a fresh database in a temporary folder that is also the current directory
// (where the error log goes), message boxes recorded, the pool deleted again afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "db/db_maintain.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"

class PoolFixture : public ::testing::Test {
 protected:
  void Run(const std::string& statement, const db::SqlParams& params = {}) {
    ASSERT_TRUE(pool_->ExecuteCommand(statement, params)) << statement;
  }

  // The first column of every row, as text.
  std::vector<std::string> Column(const std::string& statement, const db::SqlParams& params = {}) {
    db::CRecordset recordset;
    EXPECT_TRUE(pool_->Execute(statement, params, recordset)) << statement;
    std::vector<std::string> values;
    for (const auto& row : recordset.Rows()) values.push_back(db::ValueToText(row.at(0)));
    pool_->ReleaseRecordset(recordset);
    return values;
  }

  std::string ReadLog() const { return database_.ExceptionLog(); }
  const testing_support::TempDir& Dir() const { return database_.Dir(); }

  // The recorder outlives the pool, so boxes shown while it closes are recorded too.
  testing_support::MessageBoxRecorder boxes_;
  testing_support::TempDatabase database_;
  CDB_Maintain* pool_ = GetDBMaintain();
};
