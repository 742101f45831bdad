#include "db/ApPropertyColumns.h"

#include <strings.h>

#include <algorithm>
#include <cctype>

#include "db/DbError.h"
#include "db/Recordset.h"
#include "db/SqlValue.h"
#include "db/db_maintain.h"

namespace db {

namespace {

std::string Lower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  return lower;
}

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && strncasecmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

CApPropertyColumns CApPropertyColumns::Read() {
  CRecordset recordset;
  const bool read = GetDBMaintain()->Execute("select name from pragma_table_info('ap_property')", recordset);
  CApPropertyColumns columns;
  for (const CRecordset::Row& row : recordset.Rows())
    if (!row.empty()) columns.columns_.push_back(ValueToText(row[0]));
  GetDBMaintain()->ReleaseRecordset(recordset);
  if (!read || columns.columns_.empty()) throw CDbError("The columns of ap_property could not be read", "schema");
  return columns;
}

const std::string* CApPropertyColumns::Find(std::string_view name) const {
  const auto found =
      std::find_if(columns_.begin(), columns_.end(), [&](const std::string& column) { return SameName(column, name); });
  return found == columns_.end() ? nullptr : &*found;
}

bool CApPropertyColumns::Has(std::string_view name) const { return Find(name) != nullptr; }

std::string CApPropertyColumns::Quoted(std::string_view name) const {
  const std::string* column = Find(name);
  if (!column) throw CDbError("ap_property has no column " + std::string(name), "schema");
  return QuoteName(*column);
}

bool CApPropertyColumns::IsSecret(std::string_view column) {
  const std::string lower = Lower(column);
  const auto has = [&](const char* part) { return lower.find(part) != std::string::npos; };
  const bool wepKey = lower.starts_with("crvapwep") && lower.ends_with("value") && !has("default");
  return wepKey || has("passphrase") || has("secret") || has("password") || has("community");
}

std::string CApPropertyColumns::Loggable(std::string_view column, const std::string& value) {
  return IsSecret(column) && !value.empty() ? "********" : value;
}

}  // namespace db
