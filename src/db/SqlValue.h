#pragma once
// A value bound to a '?' placeholder or read from a column, and the quoting helpers for the few
// statements that must be written as text.
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace db {

using Blob = std::vector<std::uint8_t>;

class SqlValue {
 public:
  enum class Kind { Null, Integer, Real, Text, Blob };

  SqlValue() = default;
  SqlValue(std::nullptr_t) {}
  template <std::integral T>
  SqlValue(T value) : value_(static_cast<std::int64_t>(value)) {}
  SqlValue(double value) : value_(value) {}
  SqlValue(std::string value) : value_(std::move(value)) {}
  SqlValue(std::string_view value) : value_(std::string(value)) {}
  SqlValue(const char* value) : value_(std::string(value)) {}
  SqlValue(Blob value) : value_(std::move(value)) {}

  Kind GetKind() const { return static_cast<Kind>(value_.index()); }
  bool IsNull() const { return GetKind() == Kind::Null; }
  std::int64_t AsInteger() const { return std::get<std::int64_t>(value_); }
  double AsReal() const { return std::get<double>(value_); }
  const std::string& AsText() const { return std::get<std::string>(value_); }
  const Blob& AsBlob() const { return std::get<Blob>(value_); }

  bool operator==(const SqlValue&) const = default;

 private:
  std::variant<std::monostate, std::int64_t, double, std::string, Blob> value_;
};

using SqlParams = std::vector<SqlValue>;

// A value as the text the readers of rows see: NULL as "", integers in decimal, reals as "%.8f",
// texts unchanged, binary data as "[BLOB]".
std::string ValueToText(const SqlValue& value);

// A text as an SQL string literal: 'it''s'. For statements that must be text; values from users and
// devices are bound instead.
std::string QuoteSql(std::string_view text);

// A table or column name as an SQL identifier. A name made of letters, digits, '_' and '.' is quoted
// part by part ("index" is a keyword); any other text is an expression the program wrote (a join, a
// function) and is used as it is.
std::string QuoteName(std::string_view name);

}  // namespace db
