// ApListDBManager: the AP list's columns, rows, filter values and the per-device lookups behind them.
#include "db/ApListDBManager.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "db/ApPropertyColumns.h"
#include "db/DbErrorBox.h"
#include "db/RecordsetFields.h"
#include "db/TopologyDBManager.h"
#include "platform/MessageBox.h"

namespace {

using db::FieldText;

// The columns every AP list offers first. Their values come from the device and group tables.
const std::array<ApListColumn, 5> kDeviceColumns = {{
    {"APSysIP", "IP"},
    {"mac", "MAC"},
    {"group_name", "Group"},
    {"name", "Name"},
    {"model_name", "Model Name"},
}};

// The fields looked up per AP rather than read from its property row.
constexpr std::array<std::string_view, 5> kLookedUpFields = {"group_name", "group_balance", "name", "APSysIP",
                                                             "model_name"};

bool IsLookedUp(std::string_view field) {
  return std::find(kLookedUpFields.begin(), kLookedUpFields.end(), field) != kLookedUpFields.end();
}

std::string Join(const std::vector<std::string>& texts) {
  std::string joined;
  for (std::size_t i = 0; i < texts.size(); ++i) joined += (i == 0 ? "" : ",") + texts[i];
  return joined;
}

int Empty(const db::CDbError&) { return 0; }

constexpr char kManaged[] = "mac IN (SELECT mac FROM device_list_prev)";
constexpr char kFound[] = "mac IN (SELECT mac FROM device_list)";

}  // namespace

void ApListDBManager::ReadTexts(const std::string& sql, const db::SqlParams& params, const char* column, bool skipNull,
                                std::vector<std::string>& texts) {
  ReadSelection(sql, params, 0,
                [&](db::CRecordset& rs) {
                  for (; !rs.IsEOF(); rs.MoveNext())
                    if (!skipNull || !rs.GetValue(column).IsNull()) texts.push_back(FieldText(rs, column));
                  return 1;
                },
                Empty);
}

bool ApListDBManager::GetDisplayedApColumns(std::vector<ApListColumn>& columns) {
  std::vector<ApListColumn> displayed;
  const int found = ReadSelection(
      "SELECT name, displayname FROM ap_polling_data WHERE display=TRUE", {}, 0,
      [&](db::CRecordset& rs) {
        for (; !rs.IsEOF(); rs.MoveNext())
          if (!rs.GetValue("name").IsNull() && !rs.GetValue("displayname").IsNull())
            displayed.push_back({rs.GetText("name"), rs.GetText("displayname")});
        return 1;
      },
      Empty);
  if (found != 1) return false;
  columns.insert(columns.end(), kDeviceColumns.begin(), kDeviceColumns.end());
  columns.insert(columns.end(), displayed.begin(), displayed.end());
  return true;
}

bool ApListDBManager::GetChosenApColumns(std::vector<ApListColumn>& columns) {
  std::vector<ApListColumn> chosen;
  if (GetApListColumns(chosen) != 0 && !GetDisplayedApColumns(chosen)) return false;
  columns = std::move(chosen);
  return true;
}

bool ApListDBManager::SaveDisplayedApPropertyNames(const std::vector<ApListColumn>& columns) {
  // The old choice goes only together with the new one being stored.
  const int saved = ChangeSelection(
      "SELECT 1", {}, std::nullopt,
      [&](db::CRecordset&) {
        Run("DELETE FROM ap_usr");
        for (const ApListColumn& column : columns)
          Run("INSERT INTO ap_usr (field_name, display_name) VALUES (?, ?)", {column.field_name, column.display_name});
        return 1;
      },
      "TopologyDBManager SaveDisplayedApPropertyNames RollBackTransact", [this](const db::CDbError& error) {
        const std::string text = db::FormatExceptionText(error, "ApListDBManager.cpp", __LINE__);
        WriteExceptionLog(text);
        platform::MessageBox(db::DbErrorBoxText(error, text));
        return 0;
      });
  if (saved != 1) return false;
  if (!columns.empty()) WriteActionLog("Customize the header of the AP list view ");
  return true;
}

std::string ApListDBManager::RowCondition(const db::CApPropertyColumns& propertyColumns,
                                          const std::string& filterColumn, const std::string& filterText,
                                          int managedOnly, db::SqlParams& params) {
  const std::string managed = std::string("(") + kManaged + ")";
  const std::string managedOrFound = std::string("(") + kManaged + " OR " + kFound + ")";
  if (filterColumn.empty() || filterText.empty()) return managedOnly ? managed : managedOrFound;

  std::string value = filterText;
  ApPropertyTextToValue(filterColumn, value);
  // A device-table column: the APs whose managed (or found) row holds the value.
  const auto inDeviceTables = [&](const char* column) {
    const std::string match = std::string(" WHERE ") + column + "=?)";
    params.push_back(value);
    if (managedOnly) return "mac IN (SELECT mac FROM device_list_prev" + match;
    params.push_back(value);
    return "(mac IN (SELECT mac FROM device_list_prev" + match + " OR mac IN (SELECT mac FROM device_list" + match +
           ")";
  };
  if (filterColumn == "group_balance") return inDeviceTables("group_balance");
  if (filterColumn == "name") return inDeviceTables("name");
  if (filterColumn == "APSysIP") return inDeviceTables("ip");
  if (filterColumn == "group_name") {
    params.push_back(value);
    const std::string members = "mac IN (SELECT group_device_mac FROM user_def_group WHERE group_name=?)";
    return managedOnly ? members + " AND " + managed : members;
  }
  params.push_back(value);
  return propertyColumns.Quoted(filterColumn) + "=? AND " + (managedOnly ? managed : managedOrFound);
}

bool ApListDBManager::LookUpDeviceField(const std::string& column, const std::string& mac, std::string& value) {
  if (column == "group_name") {
    value = GetDeviceGroupName(mac);
  } else if (column == "group_balance") {
    value = GetDeviceGroupBalance(mac);
  } else if (column == "name") {
    value = GetDeviceName(mac);
  } else if (column == "APSysIP") {
    value.clear();
    TopologyDBManager().GetDeviceIpByMac(mac, value);
  } else if (column == "model_name") {
    value = GetDeviceModelName(mac);
  } else {
    return false;
  }
  return true;
}

int ApListDBManager::GetApListRows(std::vector<ApListRow>& rows, const std::vector<ApListColumn>& columns,
                                   const std::string& filterColumn, const std::string& filterText, int managedOnly,
                                   const std::string& mac) {
  if (columns.empty()) return -1;
  std::string sql = "SELECT mac";
  db::SqlParams params;
  try {
    const db::CApPropertyColumns propertyColumns = db::CApPropertyColumns::Read();
    for (const ApListColumn& column : columns)
      if (!IsLookedUp(column.field_name)) sql += " , " + propertyColumns.Quoted(column.field_name);
    sql += " FROM ap_property WHERE (" + RowCondition(propertyColumns, filterColumn, filterText, managedOnly, params) +
           ")";
  } catch (const db::CDbError&) {
    return 0;  // a column that is not stored anywhere selects nothing
  }
  if (!mac.empty()) {
    sql += " AND mac=?";
    params.push_back(mac);
  }

  // The stored values are read first; the device lookups then run without this query held open.
  std::vector<ApListRow> read;
  const int found = ReadSelection(
      sql, params, 0,
      [&](db::CRecordset& rs) {
        for (; !rs.IsEOF(); rs.MoveNext()) {
          if (rs.GetValue("mac").IsNull()) continue;
          ApListRow row{rs.GetText("mac"), {}};
          int field = 1;
          for (const ApListColumn& column : columns)
            row.cells.push_back(IsLookedUp(column.field_name) ? std::string() : rs.GetText(field++));
          read.push_back(std::move(row));
        }
        return 1;
      },
      Empty);
  if (found != 1) return 0;
  for (ApListRow& row : read)
    for (std::size_t i = 0; i < columns.size(); ++i) LookUpDeviceField(columns[i].field_name, row.mac, row.cells[i]);
  ConvertApListRowsToText(columns, read, rows);
  return 1;
}

void ApListDBManager::ConvertApListRowsToText(const std::vector<ApListColumn>& columns,
                                              const std::vector<ApListRow>& rows, std::vector<ApListRow>& texts) {
  for (const ApListRow& row : rows) {
    ApListRow converted{row.mac, {}};
    ApPropertyFieldToText(columns, row.cells, converted.cells);
    texts.push_back(std::move(converted));
  }
}

bool ApListDBManager::GetGroupFilterValues(const std::string& filterColumn, std::vector<std::string>& values) {
  values.clear();
  if (filterColumn.empty()) return false;
  std::string sql;
  if (filterColumn == "group_name") {
    sql = "SELECT DISTINCT group_name FROM user_def_group";
  } else if (filterColumn == "group_balance") {
    sql = "SELECT DISTINCT group_name FROM load_balance_group";
  } else if (filterColumn == "name") {
    sql = "SELECT DISTINCT name FROM device_list_prev";
  } else {
    try {
      sql = "SELECT DISTINCT " + db::CApPropertyColumns::Read().Quoted(filterColumn) + " FROM ap_property";
    } catch (const db::CDbError&) {
      return false;
    }
  }
  return ReadSelection(sql, {}, 0,
                       [&](db::CRecordset& rs) {
                         for (; !rs.IsEOF(); rs.MoveNext()) {
                           std::string text = rs.GetText(0);
                           ApPropertyValueToText(filterColumn, text);
                           if (!text.empty()) values.push_back(text);
                         }
                         return 1;
                       },
                       Empty) == 1;
}

std::string ApListDBManager::GetDeviceGroupName(const std::string& mac) {
  if (mac.empty()) return {};
  std::vector<std::string> groups;
  ReadTexts("SELECT group_name FROM user_def_group WHERE group_device_mac=?", {mac}, "group_name", true, groups);
  return Join(groups);
}

std::string ApListDBManager::GetDeviceGroupBalance(const std::string& mac) {
  if (mac.empty()) return {};
  std::vector<std::string> groups;
  ReadTexts("SELECT group_balance FROM device_list_prev WHERE mac=?", {mac}, "group_balance", false, groups);
  return Join(groups);
}

std::string ApListDBManager::GetDeviceName(const std::string& mac) {
  if (mac.empty()) return {};
  std::vector<std::string> names;
  for (const char* table : {"device_list_prev", "device_list"}) {
    ReadTexts(std::string("SELECT name FROM ") + table + " WHERE mac=?", {mac}, "name", false, names);
    if (!names.empty()) break;
  }
  return Join(names);
}

std::string ApListDBManager::GetDeviceModelName(const std::string& mac) {
  if (mac.empty()) return {};
  std::vector<std::string> ids;
  ReadTexts("SELECT sysobjid FROM device_list_prev WHERE mac=?", {mac}, "sysobjid", true, ids);
  if (ids.empty()) return {};
  // The device tables keep the identifier as the agent gave it, with a leading dot; the models without.
  std::string id = ids.back();
  if (id.starts_with('.')) id.erase(0, 1);
  std::vector<std::string> models;
  ReadTexts("SELECT model_name FROM support_product WHERE sys_object_oid=?", {id}, "model_name", true, models);
  return models.empty() ? std::string() : models.back();
}

bool ApListDBManager::SetApTrapHost(const std::string& mac, const std::string& ip) {
  return ExecuteCommand("UPDATE ap_property SET enterpriseAPSysSNMPTrapIP=? WHERE mac=?", {ip, mac});
}
