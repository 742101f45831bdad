#pragma once
// A fresh database file of the program's schema and seed in a temporary folder of the test's own, which
// is also the working directory (where "Exception_log.txt" goes). Header-only, so test programs that do
// not link the database layer never see it. One per test process: the pool is process-wide.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "db/AccessDatabase.h"
#include "db/db_maintain.h"
#include "platform/AppContext.h"
#include "support/TempDir.h"

namespace testing_support {

class TempDatabase {
 public:
  TempDatabase() : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(dir_.Path());
    platform::SetStartDirectory(dir_.Path().string());
    GetDBMaintain();
  }
  ~TempDatabase() {
    DeleteDBMaintain();
    std::filesystem::current_path(previous_);
  }
  TempDatabase(const TempDatabase&) = delete;
  TempDatabase& operator=(const TempDatabase&) = delete;

  // Runs a statement of the test's own; false when it fails.
  bool Exec(const std::string& sql, const db::SqlParams& params = {}) {
    return GetDBMaintain()->ExecuteCommand(sql, params);
  }
  // Rows as texts, NULL as "".
  CAccessDatabase::TextRows Rows(const std::string& sql, const db::SqlParams& params = {}) {
    return CAccessDatabase().QueryValues(sql, params);
  }
  // The first column of the first row, "" when there is none.
  std::string Value(const std::string& sql, const db::SqlParams& params = {}) {
    auto rows = Rows(sql, params);
    return rows.empty() || rows[0].empty() ? std::string() : rows[0][0];
  }
  // The action-log lines (system_log rows of type 0), oldest first.
  std::vector<std::string> ActionLog() {
    std::vector<std::string> lines;
    for (const auto& row : Rows("select description from system_log where type=0 order by \"index\""))
      lines.push_back(row[0]);
    return lines;
  }
  // Makes an event ("INSERT", "UPDATE" or "DELETE") on a table's rows fail when the condition holds, as
  // a broken file or a full disk would.
  bool BreakWrites(const std::string& table, const std::string& event, const std::string& when = "1") {
    return Exec("CREATE TRIGGER break_" + table + "_" + event + " BEFORE " + event + " ON " + table + " WHEN " +
                when + " BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END");
  }
  std::string ExceptionLog() const {
    std::ifstream in(dir_.File("Exception_log.txt"));
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  const TempDir& Dir() const { return dir_; }

 private:
  std::filesystem::path previous_;
  TempDir dir_;
};

}  // namespace testing_support
