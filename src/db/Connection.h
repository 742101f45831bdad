#pragma once
// One SQLite connection to the database file, in WAL mode with a busy time-out. Transactions on it
// nest: the outermost one is a real transaction, the inner ones are savepoints.
#include <string>

struct sqlite3;

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

 private:
  void Run(const std::string& sql);

  sqlite3* handle_ = nullptr;
  int depth_ = 0;
};

}  // namespace db
