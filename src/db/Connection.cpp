#include "db/Connection.h"

#include <sqlite3.h>

#include "db/DbError.h"

namespace db {

CConnection::~CConnection() { Close(); }

void CConnection::Open(const std::string& path, int timeoutSeconds) {
  Close();
  const int code = sqlite3_open_v2(path.c_str(), &handle_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
  try {
    if (code != SQLITE_OK) throw CDbError::FromConnection(handle_, code);
    sqlite3_busy_timeout(handle_, timeoutSeconds * 1000);
    sqlite3_extended_result_codes(handle_, 1);
    Run("PRAGMA journal_mode=WAL");
  } catch (...) {
    Close();
    throw;
  }
}

void CConnection::Close() {
  if (!handle_) return;
  for (auto& [sql, statement] : statements_) sqlite3_finalize(statement);
  statements_.clear();
  sqlite3_close_v2(handle_);
  handle_ = nullptr;
  depth_ = 0;
}

void CConnection::Begin() {
  Run(depth_ == 0 ? "BEGIN IMMEDIATE" : "SAVEPOINT level" + std::to_string(depth_));
  ++depth_;
}

void CConnection::Commit() {
  Run(depth_ == 1 ? "COMMIT" : "RELEASE level" + std::to_string(depth_ - 1));
  --depth_;
}

void CConnection::Rollback() {
  --depth_;
  if (depth_ == 0) {
    // An error may already have ended the transaction inside the engine.
    if (!sqlite3_get_autocommit(handle_)) Run("ROLLBACK");
    return;
  }
  const std::string name = "level" + std::to_string(depth_);
  Run("ROLLBACK TO " + name);
  Run("RELEASE " + name);
}

CConnection::CachedStatement CConnection::TakeStatement(const std::string& sql) { return statements_.extract(sql); }

void CConnection::KeepStatement(CachedStatement entry) {
  // A full cache keeps what it has; the statement of a second holder of the same text goes too.
  if (!handle_ || statements_.size() >= kCachedStatements || statements_.contains(entry.key())) {
    sqlite3_finalize(entry.mapped());
    return;
  }
  statements_.insert(std::move(entry));
}

void CConnection::Run(const std::string& sql) {
  if (!handle_) throw CDbError("The connection is closed", sqlite3_errstr(SQLITE_MISUSE), SQLITE_MISUSE);
  const int code = sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) throw CDbError::FromConnection(handle_, code);
}

}  // namespace db
