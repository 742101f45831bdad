#include <array>
#include <cstdlib>

#include "db/ActionLogWriter.h"
#include "db/RecordsetFields.h"
#include "db/TopologyDBManager.h"
#include "platform/MessageBox.h"
#include "topology/TopologyData.h"

namespace {

using db::FieldNumber;
using db::FieldText;

int ShowDbException(const db::CDbError& error, int line) {
  platform::MessageBox(db::FormatExceptionText(error, "TopologyDBManagerChanges.cpp", line));
  return 0;
}

// A selection of one row, for the operations whose statements need a transaction but read nothing.
constexpr char kOneRow[] = "SELECT 1";

// The columns of a managed row in the order the move writes them.
constexpr std::array<const char*, 21> kManagedColumns = {
    "ip", "mac", "name", "type", "port_num", "online", "isnew", "status", "lastchangetime", "location", "auto",
    "x_p", "y_p", "auto_position", "x_position", "y_position", "group_balance", "read_community",
    "write_community", "sysobjid", "IsPropertySave"};

// The value a copied column gets when the found row holds NULL there.
struct CopiedColumn {
  const char* name;
  const char* whenNull;
};
constexpr std::array<CopiedColumn, 16> kCopiedColumns = {{{"name", ""}, {"type", ""}, {"port_num", "0"},
                                                          {"online", "1"}, {"lastchangetime", ""}, {"location", ""},
                                                          {"x_p", "0"}, {"y_p", "0"}, {"x_position", "0"},
                                                          {"y_position", "0"}, {"group_balance", ""},
                                                          {"read_community", ""}, {"write_community", ""},
                                                          {"sysobjid", ""}, {"IsPropertySave", ""}}};

std::string CopiedValue(const db::CRecordset& rs, const char* column) {
  for (const CopiedColumn& copied : kCopiedColumns)
    if (std::string_view(copied.name) == column)
      return rs.GetValue(column).IsNull() ? copied.whenNull : rs.GetText(column);
  return {};
}

// The managed row's values for a found row, in the order of kManagedColumns.
db::SqlParams ManagedRow(const db::CRecordset& rs) {
  // A replaced device enters the managed list as normal.
  const int status = FieldNumber(rs, "status");
  db::SqlParams values;
  for (const char* column : kManagedColumns) {
    const std::string_view name = column;
    if (name == "ip" || name == "mac") values.emplace_back(rs.GetText(column));
    else if (name == "isnew") values.emplace_back("0");
    else if (name == "auto" || name == "auto_position") values.emplace_back("1");
    else if (name == "status") values.emplace_back(std::to_string(status == 5 ? 0 : status));
    else values.emplace_back(CopiedValue(rs, column));
  }
  return values;
}

std::string InsertManagedRow() {
  std::string columns, marks;
  for (const char* column : kManagedColumns) {
    columns += (columns.empty() ? "" : ", ") + std::string(column);
    marks += marks.empty() ? "?" : ", ?";
  }
  return "INSERT INTO device_list_prev (" + columns + ") VALUES (" + marks + ")";
}

}  // namespace

bool TopologyDBManager::DeleteDevice(const std::string& key, bool byIp) {
  std::string mac = key;
  if (byIp && !GetDeviceMacByIp(key, mac)) return false;
  const int deleted = ChangeSelection(
      kOneRow, {}, std::nullopt,
      [&](db::CRecordset&) {
        // The links first, while the device rows their conditions select on still exist.
        Run("DELETE FROM device_map_prev WHERE src_mac IN (SELECT mac FROM device_list_prev WHERE mac=?) OR "
            "dest_mac IN (SELECT mac FROM device_list_prev WHERE mac=?)",
            {mac, mac});
        Run("DELETE FROM device_map_polling WHERE src_mac IN (SELECT mac FROM device_list WHERE mac=?) OR "
            "dest_mac IN (SELECT mac FROM device_list WHERE mac=?)",
            {mac, mac});
        Run("DELETE FROM device_map_polling WHERE src_mac IN (SELECT mac FROM device_list_prev WHERE mac=?) OR "
            "dest_mac IN (SELECT mac FROM device_list_prev WHERE mac=?)",
            {mac, mac});
        for (const char* table : {"device_list_prev", "ap_property", "switch_property", "device_list", "sync_result"})
          Run(std::string("DELETE FROM ") + table + " WHERE mac=?", {mac});
        Run("DELETE FROM device_map WHERE dest_mac=?", {mac});
        return 1;
      },
      "TopologyDBManager DeleteDevice RollBackTransact", [](const db::CDbError&) { return 0; });
  if (deleted != 1) return false;
  db::WriteActionLogLine("Delete a device");
  return true;
}

bool TopologyDBManager::SaveCompareTopologyPosition(const CTopologyData& topology) {
  // The row is the managed one when there is one, else the found device's; a device in neither is skipped.
  constexpr char kSet[] =
      " SET location=?, auto_pos_all_location='0', x_pos_all_location=?, y_pos_all_location=?, auto_pos_all='0',"
      " x_pos_all=?, y_pos_all=? WHERE mac=?";
  const std::string managed = std::string("UPDATE device_list_prev") + kSet;
  const std::string found =
      std::string("UPDATE device_list") + kSet +
      " AND mac NOT IN (SELECT mac FROM device_list_prev WHERE mac IS NOT NULL)";
  const CDeviceRecord* failed = nullptr;
  bool failedManaged = true;
  const int saved = ChangeSelection(
      kOneRow, {}, std::nullopt,
      [&](db::CRecordset&) {
        for (const CDeviceRecord& device : topology.m_Devices) {
          failed = &device;
          const db::SqlParams values = {device.location, std::to_string(device.xP), std::to_string(device.yP),
                                        std::to_string(device.xPosition), std::to_string(device.yPosition),
                                        device.mac};
          failedManaged = true;
          Run(managed, values);
          failedManaged = false;
          Run(found, values);
        }
        return 1;
      },
      "", [&](const db::CDbError& error) {
        WriteExceptionLog(failedManaged ? "TopologyDBManager SaveCompareTopologyPosition RollBackTransact"
                                        : "TopologyDBManager SaveCompareTopologyPosition RollBackTransact--1");
        const std::string text = db::FormatExceptionText(error, "TopologyDBManagerChanges.cpp", __LINE__);
        WriteExceptionLog(text);
        if (failed)
          WriteExceptionLog("Field location value " + failed->location + " of " + failed->mac);
        platform::MessageBox(text);
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
  if (all) db::WriteActionLogLine("Save all new device ");
  return true;
}

bool TopologyDBManager::SetNewDeviceToManaged(const std::string& key, bool byIp) {
  return MoveToManaged(byIp ? "ip=?" : "mac=?", {key}, false, nullptr);
}

bool TopologyDBManager::SetAllNewDeviceToManaged(std::vector<MovedAp>* movedAps) {
  return MoveToManaged("1", {}, true, movedAps);
}
