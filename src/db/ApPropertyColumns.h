#pragma once
// The columns of ap_property as the database file defines them. A property name reaches a statement
// only through here: checked against the table, then quoted, so a name that is not a column is refused
// instead of being pasted into SQL.
#include <string>
#include <string_view>
#include <vector>

namespace db {

class CApPropertyColumns {
 public:
  // Reads the table's columns on this thread's connection; throws CDbError when they cannot be read.
  static CApPropertyColumns Read();

  // Names compare without case, as the database compares them.
  bool Has(std::string_view name) const;
  // The column as an identifier for a statement; throws CDbError for a name the table lacks.
  std::string Quoted(std::string_view name) const;

  // True for columns whose values are secrets (WEP keys, pass phrases, shared secrets, passwords,
  // communities): their values never go into a log line or a message.
  static bool IsSecret(std::string_view column);
  // The value as a log line may show it.
  static std::string Loggable(std::string_view column, const std::string& value);

 private:
  const std::string* Find(std::string_view name) const;

  std::vector<std::string> columns_;
};

}  // namespace db
