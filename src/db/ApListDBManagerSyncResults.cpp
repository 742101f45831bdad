// ApListDBManager on sync_result: what a changed AP now reports, clearing its differences, and the
// replacement and system-key markers.
#include "db/ApListDBManager.h"
#include "db/RecordsetFields.h"
#include "db/TopologyDBManager.h"

namespace {

using db::FieldText;

// Device states as the device tables keep them.
constexpr int kStoredChanged = 6;
constexpr int kTypeAp = 2;
constexpr int kOnline = 1;
// Display states.
constexpr int kShownReplace = 4;
constexpr int kShownKeyError = 6;
constexpr int kShownKeyErrorToo = 5;

// The online APs whose status is "changed"; only they show differences.
constexpr char kChangedAps[] = "mac IN (SELECT mac FROM device_list_prev WHERE status=? AND type=? AND online=?)";
constexpr char kDifferenceTypes[] = "(type='ap_property' OR type='ap_filter_mac')";

int Failed(const db::CDbError&) { return 0; }

}  // namespace

bool ApListDBManager::GetApSyncResults(const std::string& mac, const std::vector<ApListColumn>& columns,
                                       std::vector<int>& flags, std::vector<std::string>& texts) {
  if (columns.empty()) return false;
  struct Difference {
    std::string property;
    std::string current;
  };
  std::vector<Difference> differences;
  const int found = ReadSelection(
      std::string("SELECT property, \"current\" FROM sync_result WHERE mac=? AND type='ap_property' AND ") + kChangedAps,
      {mac, kStoredChanged, kTypeAp, kOnline}, 0,
      [&](db::CRecordset& rs) {
        for (; !rs.IsEOF(); rs.MoveNext()) differences.push_back({FieldText(rs, "property"), FieldText(rs, "current")});
        return 1;
      },
      Failed);
  if (found != 1) return false;

  flags.clear();
  std::vector<std::string> values;
  bool anyFlagged = false;
  for (const ApListColumn& column : columns) {
    const Difference* match = nullptr;
    for (const Difference& difference : differences) {
      if (difference.property == column.field_name) {
        match = &difference;
        break;
      }
    }
    flags.push_back(match ? 1 : 0);
    values.push_back(match ? match->current : std::string());
    anyFlagged = anyFlagged || match;
  }
  ApPropertyFieldToText(columns, values, texts);
  return anyFlagged;
}

bool ApListDBManager::ClearApSyncResults(const std::string& mac) {
  // The differences and the status that announces them go together, or neither does.
  const int cleared = ChangeSelection(
      "SELECT 1", {}, std::nullopt,
      [&](db::CRecordset&) {
        Run(std::string("DELETE FROM sync_result WHERE mac=? AND ") + kDifferenceTypes, {mac});
        Run("UPDATE device_list_prev SET status=0 WHERE mac=?", {mac});
        return 1;
      },
      "ApListDBManager ClearApSyncResults RollBackTransact", Failed);
  if (cleared != 1) return false;
  WriteActionLog("Save AP properties");
  return true;
}

bool ApListDBManager::ClearAllApSyncResults() {
  const int cleared = ChangeSelection(
      std::string("SELECT DISTINCT mac FROM sync_result WHERE ") + kDifferenceTypes + " AND " + kChangedAps,
      {kStoredChanged, kTypeAp, kOnline}, 0,
      [&](db::CRecordset& rs) {
        for (; !rs.IsEOF(); rs.MoveNext())
          if (!FieldText(rs, "mac").empty()) Run("UPDATE device_list_prev SET status=0 WHERE mac=?", {rs.GetValue("mac")});
        // Every difference goes, also those of APs that are offline or not marked changed.
        Run(std::string("DELETE FROM sync_result WHERE ") + kDifferenceTypes);
        return 1;
      },
      "ApListDBManager ClearAllApSyncResults RollBackTransact", Failed);
  if (cleared != 1) return false;
  WriteActionLog("Save AP properties");
  return true;
}

int ApListDBManager::DeviceStatus(const std::string& mac) {
  try {
    return TopologyDBManager().GetDeviceStatus(mac, false);
  } catch (const db::CDbError&) {
    return -1;
  }
}

bool ApListDBManager::GetPortReloadState(const std::string& mac, std::string& previous) {
  if (DeviceStatus(mac) != kShownReplace) return false;
  return ReadSelection("SELECT previous FROM sync_result WHERE mac=? AND property='port_reload'", {mac}, 0,
                       [&](db::CRecordset& rs) {
                         if (!rs.GetValue("previous").IsNull()) previous = rs.GetText("previous");
                         return 1;
                       },
                       Failed) == 1;
}

bool ApListDBManager::ClearPortReload(const std::string& mac) {
  return ExecuteCommand("DELETE FROM sync_result WHERE mac=? AND property='port_reload'", {mac});
}

bool ApListDBManager::ClearSystemKeyError(const std::string& mac) {
  const int status = DeviceStatus(mac);
  if (status != kShownKeyError && status != kShownKeyErrorToo) return false;
  return ExecuteCommand("DELETE FROM sync_result WHERE mac=? AND property='system_key_error'", {mac});
}
