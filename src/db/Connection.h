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
  // One user at a time has a cached statement: Borrow gives it (nullptr when there is none or it is in
  // use), Return takes it back reset. Keep adds a new statement in use; false when the cache is full or
  // holds the text already, and the caller finalizes its statement itself.
  struct CachedStatement {
    sqlite3_stmt* statement = nullptr;
    bool inUse = false;
    bool stale = false;  // its connection was closed while it was in use
  };
  CachedStatement* BorrowStatement(std::string_view sql);
  CachedStatement* KeepStatement(std::string_view sql, sqlite3_stmt* statement);
  void ReturnStatement(CachedStatement& entry);

 private:
  static constexpr size_t kCachedStatements = 64;

  // Looks texts up without copying them into a key.
  struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
  };

  void Run(const std::string& sql);

  sqlite3* handle_ = nullptr;
  int depth_ = 0;
  using Statements = std::unordered_map<std::string, CachedStatement, TextHash, std::equal_to<>>;
  Statements statements_;
  // The entry borrowed last, compared before the text is hashed: a batch runs one text again and again.
  Statements::value_type* lastBorrowed_ = nullptr;
};

}  // namespace db
