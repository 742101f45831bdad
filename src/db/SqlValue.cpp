#include "db/SqlValue.h"

#include <cctype>
#include <cstdio>

namespace db {

std::string ValueToText(const SqlValue& value) {
  switch (value.GetKind()) {
    case SqlValue::Kind::Null:
      return {};
    case SqlValue::Kind::Integer:
      return std::to_string(value.AsInteger());
    case SqlValue::Kind::Real: {
      char text[64];
      std::snprintf(text, sizeof text, "%.8f", value.AsReal());
      return text;
    }
    case SqlValue::Kind::Text:
      return value.AsText();
    case SqlValue::Kind::Blob:
      return "[BLOB]";
  }
  return {};
}

std::string QuoteSql(std::string_view text) {
  std::string quoted = "'";
  for (char c : text) {
    if (c == '\'') quoted += '\'';
    quoted += c;
  }
  return quoted + "'";
}

std::string QuoteName(std::string_view name) {
  const bool plain = !name.empty() && name.front() != '.' && name.back() != '.' &&
                     name.find("..") == std::string_view::npos;
  for (unsigned char c : name)
    if (!plain || !(std::isalnum(c) || c == '_' || c == '.')) return std::string(name);
  std::string quoted = "\"";
  for (char c : name) quoted += c == '.' ? std::string("\".\"") : std::string(1, c);
  return quoted + "\"";
}

}  // namespace db
