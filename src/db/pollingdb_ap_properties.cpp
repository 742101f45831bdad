// CPollingDb on the AP property store: which properties are polled (ap_polling_data) and the AP's row
// of their last values (ap_property). Property names become columns only through CApPropertyColumns;
// every value goes in bound.
#include <strings.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "db/ApPropertyColumns.h"
#include "db/ApRowAddedFlag.h"
#include "db/pollingdb.h"
#include "platform/DebugTrace.h"
#include "platform/Utf8Text.h"

namespace {

constexpr char kReadFailure[] = "GETFAIL";
constexpr std::size_t kMaxPolledValueCharacters = 64;

bool SameName(const std::string& a, const char* b) { return strcasecmp(a.c_str(), b) == 0; }

// A stored oid that begins with "." lies under the device's root; any other is absolute.
std::string WholeOid(const std::string& stored, const std::string& rootOid) {
  return stored.starts_with('.') ? rootOid + stored : stored;
}

// The table's columns, or none after a line in the exception log.
std::optional<db::CApPropertyColumns> ReadColumns(CDbAccessBase& database, const char* method) {
  try {
    return db::CApPropertyColumns::Read();
  } catch (const db::CDbError& error) {
    database.WriteExceptionLog(std::string("pollingdb ") + method + ": " + error.Description());
    return std::nullopt;
  }
}

}  // namespace

int CPollingDb::GetPollingData(std::vector<PolledProperty>& items, const std::string& rootOid) {
  return ReadQuery("GetPollingData", "select oid,name from ap_polling_data", {}, 0, [&](db::CRecordset& rs) {
    int count = 0;
    for (; !rs.IsEOF(); rs.MoveNext()) {
      if (IsNull(rs, "oid") || IsNull(rs, "name")) continue;
      items.push_back({WholeOid(rs.GetText("oid"), rootOid), rs.GetText("name"), ""});
      ++count;
    }
    return count;
  });
}

int CPollingDb::ReadPolledRows(const char* method, bool withOid, const std::string& rootOid, const std::string& mac,
                               const PolledRowWork& take) {
  std::vector<PolledProperty> polled;
  const int listed = ReadQuery(method, "select name,oid FROM ap_polling_data", {}, -1, [&](db::CRecordset& rs) {
    for (; !rs.IsEOF(); rs.MoveNext()) {
      if (IsNull(rs, "name")) continue;
      // A property to read again needs its oid: a NULL one is a fault of the table.
      const std::string oid = withOid ? WholeOid(RequiredText(rs, "oid"), rootOid) : std::string();
      polled.push_back({oid, rs.GetText("name"), ""});
    }
    return 1;
  });
  if (listed < 0) return -1;
  return ReadQuery(method, "select * from ap_property where mac=?", {mac}, 0,
                   [&](db::CRecordset& rs) { return take(rs, polled); });
}

int CPollingDb::GetAPProperty(std::map<std::string, std::string>* values, const std::string& mac) {
  if (!values) return -1;
  return ReadPolledRows("GetAPProperty", false, "", mac, [&](db::CRecordset& rs, const auto& polled) {
    int count = 0;
    for (; !rs.IsEOF(); rs.MoveNext()) {
      for (const PolledProperty& property : polled) {
        // A listed name without a column throws here: a database error.
        values->insert({property.name, rs.GetText(property.name)});
        ++count;
      }
    }
    return count;
  });
}

int CPollingDb::readAPFailProperty(std::vector<PolledProperty>* items, const std::string& mac,
                                   const std::string& rootOid) {
  if (!items) return -1;
  return ReadPolledRows("readAPFailProperty", true, rootOid, mac, [&](db::CRecordset& rs, const auto& polled) {
    int count = 0;
    for (; !rs.IsEOF(); rs.MoveNext()) {
      for (const PolledProperty& property : polled) {
        const db::SqlValue& stored = rs.GetValue(property.name);
        if (stored.IsNull() || db::ValueToText(stored) != kReadFailure) continue;
        items->push_back(property);
        ++count;
      }
    }
    return count;
  });
}

int CPollingDb::insertAPProperty(const std::vector<PolledProperty>& items, const std::string& mac) {
  if (HasRow("insertAPProperty", "select mac from device_list where mac=?", mac, 0) != 1 &&
      HasRow("insertAPProperty", "select mac from device_list_prev where mac=?", mac, 0) != 1)
    return -1;
  // The check for a row and the insert share the transaction, so two pollers never both insert.
  return ChangeRows(
      "insertAPProperty", "select mac from ap_property where mac=?", {mac}, true, [&](db::CRecordset& rs) {
        if (!rs.Rows().empty()) return 0;
        const db::CApPropertyColumns columns = db::CApPropertyColumns::Read();
        // The row is the AP's whatever the items hold; a later item of the same name wins.
        std::vector<std::pair<std::string, db::SqlValue>> assigned{{columns.Quoted("mac"), mac}};
        for (const PolledProperty& item : items) {
          std::string column = columns.Quoted(item.name);
          auto same =
              std::find_if(assigned.begin(), assigned.end(), [&](const auto& entry) { return entry.first == column; });
          if (same != assigned.end())
            same->second = item.value;
          else
            assigned.emplace_back(std::move(column), item.value);
        }
        std::string names;
        std::string marks;
        db::SqlParams values;
        for (const auto& [column, value] : assigned) {
          names += (names.empty() ? "" : ",") + column;
          marks += marks.empty() ? "?" : ",?";
          values.push_back(value);
        }
        Run("insert into ap_property (" + names + ") values (" + marks + ")", values);
        return 1;
      });
}

int CPollingDb::UpdateApProperties(const std::vector<PolledProperty>& items, const std::string& mac) {
  // Once the synchroniser created a row, the channel it chose stays.
  const bool keepAutoChannel = g_ApRowAddedFlag.IsSet(mac);
  const auto columns = ReadColumns(*this, "UpdateApProperties");
  if (!columns) return -1;
  std::string assignments;
  db::SqlParams values;
  for (const PolledProperty& item : items) {
    if (SameName(item.name, "mac") || (keepAutoChannel && SameName(item.name, "autoAssignChannel"))) continue;
    if (!columns->Has(item.name)) {
      WriteExceptionLog("pollingdb UpdateApProperties: ap_property has no column " + item.name);
      return -1;
    }
    assignments += (assignments.empty() ? "" : ",") + columns->Quoted(item.name) + "=?";
    values.push_back(item.value);
  }
  if (assignments.empty()) {
    DebugTrace("UpdateApProperties: nothing to set for %s", mac.c_str());
    return 1;
  }
  values.push_back(mac);
  return RunCommand("update ap_property set " + assignments + " where mac=?", values);
}

int CPollingDb::UpdateApProperty(const PolledProperty* item, const std::string& mac) {
  if (!item) return -1;
  if (!SameName(item->name, "location") && platform::CharacterCount(item->value) > kMaxPolledValueCharacters) return 0;
  const auto columns = ReadColumns(*this, "UpdateApProperty");
  if (!columns) return -1;
  if (!columns->Has(item->name)) {
    WriteExceptionLog("pollingdb UpdateApProperty: ap_property has no column " + item->name);
    return -1;
  }
  return RunCommand("update ap_property set " + columns->Quoted(item->name) + "=? where mac=?", {item->value, mac});
}
