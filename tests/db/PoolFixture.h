#pragma once
// A pool of the test's own: a fresh database in a temporary folder that is also the current directory
// (where the error log goes), message boxes recorded, the pool deleted again afterwards.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "db/db_maintain.h"
#include "platform/AppContext.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

class PoolFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    previousDirectory_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_.Path());
    platform::SetStartDirectory(dir_.Path().string());
    pool_ = GetDBMaintain();
  }

  void TearDown() override {
    DeleteDBMaintain();
    std::filesystem::current_path(previousDirectory_);
  }

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

  std::string ReadLog() const {
    std::ifstream in(dir_.Path() / "Exception_log.txt", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  testing_support::TempDir dir_;
  testing_support::MessageBoxRecorder boxes_;
  CDB_Maintain* pool_ = nullptr;

 private:
  std::filesystem::path previousDirectory_;
};
