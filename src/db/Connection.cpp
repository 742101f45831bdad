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
    // SQLite falls back to reading only when the file is write-protected; every write would then fail.
    if (sqlite3_db_readonly(handle_, "main") == 1)
      throw CDbError("The database file " + path + " cannot be written", sqlite3_errstr(SQLITE_READONLY),
                     SQLITE_READONLY);
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
  // A statement in use is finalized by its user when it comes back; the closed handle lives on until then.
  for (auto item = statements_.begin(); item != statements_.end();) {
    if (item->second.inUse) {
      item->second.stale = true;
      ++item;
      continue;
    }
    sqlite3_finalize(item->second.statement);
    item = statements_.erase(item);
  }
  lastBorrowed_ = nullptr;
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

CConnection::CachedStatement* CConnection::BorrowStatement(std::string_view sql) {
  if (!lastBorrowed_ || lastBorrowed_->first != sql) {
    const auto found = statements_.find(sql);
    if (found == statements_.end()) return nullptr;
    lastBorrowed_ = &*found;
  }
  CachedStatement& entry = lastBorrowed_->second;
  if (entry.inUse) return nullptr;
  entry.inUse = true;
  return &entry;
}

CConnection::CachedStatement* CConnection::KeepStatement(std::string_view sql, sqlite3_stmt* statement) {
  // A full cache keeps what it has; a second user of the same text keeps its own statement.
  if (!handle_ || statements_.size() >= kCachedStatements) return nullptr;
  const auto [entry, added] = statements_.try_emplace(std::string(sql), CachedStatement{statement, true});
  return added ? &entry->second : nullptr;
}

void CConnection::ReturnStatement(CachedStatement& entry) {
  if (!entry.stale) {
    entry.inUse = false;
    return;
  }
  sqlite3_finalize(entry.statement);
  if (lastBorrowed_ && &lastBorrowed_->second == &entry) lastBorrowed_ = nullptr;
  std::erase_if(statements_, [&](const auto& item) { return &item.second == &entry; });
}

void CConnection::Run(const std::string& sql) {
  if (!handle_) throw CDbError("The connection is closed", sqlite3_errstr(SQLITE_MISUSE), SQLITE_MISUSE);
  const int code = sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) throw CDbError::FromConnection(handle_, code);
}

}  // namespace db
