#include <array>
#include <string_view>

#include "db/DbErrorBox.h"
#include "db/RecordsetFields.h"
#include "db/TopologyDBManager.h"
#include "db/db_maintain.h"
#include "platform/MessageBox.h"
#include "topology/TopologyData.h"

namespace {

using db::FieldNumber;

int ShowDbException(const db::CDbError& error, int line) {
  db::ShowDbErrorBox(error, db::FormatExceptionText(error, "TopologyDBManagerChanges.cpp", line));
  return 0;
}

// A selection of one row, for the operations whose statements need a transaction but read nothing.
constexpr char kOneRow[] = "SELECT 1";

// A column of the managed row the move writes: a fixed value, or the found row's value with the text
// written in its place when that is NULL. ip and mac are never NULL here (such rows are not copied).
struct ManagedColumn {
  const char* name;
  const char* fixed;
  const char* whenNull;
};
constexpr std::array<ManagedColumn, 21> kManagedColumns = {{
    {"ip", nullptr, ""},           {"mac", nullptr, ""},           {"name", nullptr, ""},
    {"type", nullptr, ""},         {"port_num", nullptr, "0"},     {"online", nullptr, "1"},
    {"isnew", "0", nullptr},       {"status", nullptr, "0"},       {"lastchangetime", nullptr, ""},
    {"location", nullptr, ""},     {"auto", "1", nullptr},         {"x_p", nullptr, "0"},
    {"y_p", nullptr, "0"},         {"auto_position", "1", nullptr}, {"x_position", nullptr, "0"},
    {"y_position", nullptr, "0"},  {"group_balance", nullptr, ""}, {"read_community", nullptr, ""},
    {"write_community", nullptr, ""}, {"sysobjid", nullptr, ""},   {"IsPropertySave", nullptr, ""},
}};

// The managed row's values for a found row, in the order of kManagedColumns.
db::SqlParams ManagedRow(const db::CRecordset& rs) {
  db::SqlParams values;
  for (const ManagedColumn& column : kManagedColumns) {
    if (column.fixed) {
      values.emplace_back(column.fixed);
    } else if (std::string_view(column.name) == "status") {
      // A replaced device enters the managed list as normal.
      const int status = FieldNumber(rs, "status");
      values.emplace_back(std::to_string(status == 5 ? 0 : status));
    } else {
      values.emplace_back(rs.GetValue(column.name).IsNull() ? column.whenNull : rs.GetText(column.name));
    }
  }
  return values;
}

std::string InsertManagedRow() {
  std::string columns, marks;
  for (const ManagedColumn& column : kManagedColumns) {
    columns += (columns.empty() ? "" : ", ") + std::string(column.name);
    marks += marks.empty() ? "?" : ", ?";
  }
  return "INSERT INTO device_list_prev (" + columns + ") VALUES (" + marks + ")";
}

}  // namespace

bool TopologyDBManager::DeleteDevice(const std::string& key, bool byIp) {
  std::string mac = key;
  if (byIp && !GetDeviceMacByIp(key, mac)) return false;
  Statements statements = LinkDeletes();
  for (const char* table : {"device_list_prev", "ap_property", "switch_property", "device_list", "sync_result"})
    statements.push_back(std::string("DELETE FROM ") + table + " WHERE mac=?1");
  statements.push_back("DELETE FROM device_map WHERE dest_mac=?1");
  return DeleteInOneTransaction(statements, {mac}, "TopologyDBManager DeleteDevice RollBackTransact");
}

bool TopologyDBManager::SaveCompareTopologyPosition(const CTopologyData& topology) {
  // The row is the managed one when there is one, else the found device's; a device in neither is skipped.
  constexpr char kColumns[] =
      "location, auto_pos_all_location, x_pos_all_location, y_pos_all_location, auto_pos_all, x_pos_all, y_pos_all";
  constexpr char kSet[] =
      " SET location=?, auto_pos_all_location='0', x_pos_all_location=?, y_pos_all_location=?, auto_pos_all='0',"
      " x_pos_all=?, y_pos_all=? WHERE mac=?";
  constexpr char kManagedTable[] = "device_list_prev";
  constexpr char kFoundTable[] = "device_list";
  const std::string managed = std::string("UPDATE ") + kManagedTable + kSet;
  const std::string found = std::string("UPDATE ") + kFoundTable + kSet +
                            " AND mac NOT IN (SELECT mac FROM device_list_prev WHERE mac IS NOT NULL)";
  const CDeviceRecord* failed = nullptr;
  const char* failedTable = kManagedTable;
  const int saved = ChangeSelection(
      kOneRow, {}, std::nullopt,
      [&](db::CRecordset&) {
        for (const CDeviceRecord& device : topology.m_Devices) {
          failed = &device;
          const db::SqlParams values = {device.location, std::to_string(device.xP), std::to_string(device.yP),
                                        std::to_string(device.xPosition), std::to_string(device.yPosition),
                                        device.mac};
          failedTable = kManagedTable;
          Run(managed, values);
          failedTable = kFoundTable;
          Run(found, values);
        }
        return 1;
      },
      "", [&](const db::CDbError& error) {
        const bool managedFailed = failedTable == kManagedTable;
        WriteExceptionLog(managedFailed ? "TopologyDBManager SaveCompareTopologyPosition RollBackTransact"
                                        : "TopologyDBManager SaveCompareTopologyPosition RollBackTransact--1");
        const std::string text = db::FormatExceptionText(error, "TopologyDBManagerChanges.cpp", __LINE__);
        WriteExceptionLog(text);
        // One statement writes all seven columns of a row: the line names the failing statement's table,
        // its columns and the values it wrote, and the MAC of the row.
        if (failed) {
          const CDeviceRecord& d = *failed;
          WriteExceptionLog(std::string("Field ") + failedTable + " (" + kColumns + ") value (" + DeviceTextForLog(d.location) + ", 0, " +
                            std::to_string(d.xP) + ", " + std::to_string(d.yP) + ", 0, " +
                            std::to_string(d.xPosition) + ", " + std::to_string(d.yPosition) + ") of " + d.mac);
        }
        platform::MessageBox(db::DbErrorBoxText(error, text));
        return 0;
      });
  return saved == 1;
}

bool TopologyDBManager::MoveToManaged(const std::string& select, const db::SqlParams& params, bool all,
                                      std::vector<MovedAp>* movedAps) {
  const char* method = all ? "SetAllNewDeviceToManaged" : "SetNewDeviceToManaged";
  std::vector<MovedAp> moved;
  const int copied = ChangeSelection(
      // rowid names the exact row copied: a row that arrives after this selection is not deleted with it.
      "SELECT rowid AS copied_row, * FROM device_list WHERE " + select +
          " AND mac NOT IN (SELECT mac FROM device_list_prev WHERE mac IS NOT NULL) AND type<>'0'",
      params, 0,
      [&](db::CRecordset& rs) {
        const std::string insert = InsertManagedRow();
        int copiedRows = 0;
        for (; !rs.IsEOF(); rs.MoveNext()) {
          if (rs.GetValue("ip").IsNull() || rs.GetValue("mac").IsNull()) continue;
          Run(insert, ManagedRow(rs));
          Run("DELETE FROM device_list WHERE rowid=?", {rs.GetValue("copied_row")});
          ++copiedRows;
          if (FieldNumber(rs, "type") == 2) moved.push_back({rs.GetText("ip"), rs.GetText("mac")});
        }
        // Rows without an address are never copied; with nothing else selected nothing has moved.
        if (copiedRows == 0) return 0;
        if (all) Run("DELETE FROM device_map");
        return 1;
      },
      std::string("TopologyDBManager ") + method + " RollBackTransact",
      [](const db::CDbError& error) { return ShowDbException(error, __LINE__); });
  if (copied != 1) return false;
  if (movedAps) movedAps->insert(movedAps->end(), moved.begin(), moved.end());
  if (all) WriteActionLog("Save all new device ");
  return true;
}

bool TopologyDBManager::SetNewDeviceToManaged(const std::string& key, bool byIp) {
  return MoveToManaged(byIp ? "ip=?" : "mac=?", {key}, false, nullptr);
}

bool TopologyDBManager::SetAllNewDeviceToManaged(std::vector<MovedAp>* movedAps) {
  return MoveToManaged("1", {}, true, movedAps);
}
