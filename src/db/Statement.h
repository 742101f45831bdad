#pragma once
// One prepared statement: binds values to its '?' placeholders and steps through its rows. Compiled
// statements are kept by their connection and reused for the same text.
#include <span>
#include <string>
#include <string_view>

#include "db/Connection.h"
#include "db/SqlValue.h"

struct sqlite3_stmt;

namespace db {

class CStatement {
 public:
  // Throws CDbError when the text does not compile or holds more than one statement.
  CStatement(CConnection& connection, std::string_view sql);
  ~CStatement();
  CStatement(const CStatement&) = delete;
  CStatement& operator=(const CStatement&) = delete;

  // Throws CDbError when the number of values differs from the number of placeholders. The values are
  // not copied: they must stay alive until the statement is done, so a temporary list is refused.
  void Bind(std::span<const SqlValue> params);
  void Bind(SqlParams&&) = delete;
  // True when a row is ready, false when the statement is done. Throws CDbError, also for a statement
  // with placeholders that was not bound (a reused one would otherwise step with an earlier user's values).
  bool Step();
  // Steps to the end, dropping any rows.
  void Run();

  int ColumnCount() const;
  std::string ColumnName(int column) const;
  // The table and column a result column comes from; empty for an expression.
  std::string ColumnTable(int column) const;
  std::string ColumnOrigin(int column) const;
  SqlValue Column(int column) const;

 private:
  CConnection& connection_;
  CConnection::CachedStatement* cached_ = nullptr;  // the cache's entry; none for a statement of its own
  sqlite3_stmt* statement_ = nullptr;
  bool bound_ = false;
};

}  // namespace db
