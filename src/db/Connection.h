#pragma once
// One SQLite connection to the database file, in WAL mode with a busy time-out. Transactions on it
// nest: the outermost one is a real transaction, the inner ones are savepoints.
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace db {

class CConnection {
 public:
  CConnection() = default;
  ~CConnection();
  CConnection(const CConnection&) = delete;
  CConnection& operator=(const CConnection&) = delete;

  // Throws CDbError when the file cannot be opened as a database.
  void Open(const std::string& path, int timeoutSeconds);
  void Close();
  bool IsOpen() const { return handle_ != nullptr; }
  sqlite3* Handle() const { return handle_; }

  // Throw CDbError on failure. Rollback always leaves the level it was called for.
  void Begin();
  void Commit();
  void Rollback();
  int TransactionDepth() const { return depth_; }

  // Prepared statements kept for their text, so a statement that runs again is not compiled again.
  // Take removes the entry from the cache (an empty one when there is none); Keep takes it back with a
  // reset statement.
  using CachedStatement = std::unordered_map<std::string, sqlite3_stmt*>::node_type;
  CachedStatement TakeStatement(const std::string& sql);
  void KeepStatement(CachedStatement entry);

 private:
  static constexpr size_t kCachedStatements = 64;

  void Run(const std::string& sql);

  sqlite3* handle_ = nullptr;
  int depth_ = 0;
  std::unordered_map<std::string, sqlite3_stmt*> statements_;
};

}  // namespace db
