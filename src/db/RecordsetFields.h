#pragma once
// Reading a named field of the current row as the topology's managers do: NULL reads as the empty text,
// a number as the decimal integer at the start of the text (0 when there is none).
#include <cstdlib>
#include <string>

#include "db/Recordset.h"

namespace db {

inline std::string FieldText(const CRecordset& rs, const char* column) {
  const SqlValue& value = rs.GetValue(column);
  return value.IsNull() ? std::string() : rs.GetText(column);
}

inline int FieldNumber(const CRecordset& rs, const char* column) {
  return static_cast<int>(std::strtol(FieldText(rs, column).c_str(), nullptr, 10));
}

}  // namespace db
