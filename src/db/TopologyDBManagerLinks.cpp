// TopologyDBManager: small questions about the links and the managed devices, and the deletes of a device
// with its rows in every table.
#include "db/RecordsetFields.h"
#include "db/TopologyDBManager.h"

namespace {

using db::FieldText;

// A query that fails reads as one without rows.
int NoRows(const db::CDbError&) { return 0; }

}  // namespace

bool TopologyDBManager::GetSystemKeyErrorDevices(std::vector<std::string>& macs) {
  return ReadSelection("SELECT mac FROM device_list_prev WHERE status=4", {}, 0,
                       [&](db::CRecordset& rs) {
                         for (; !rs.IsEOF(); rs.MoveNext()) macs.push_back(FieldText(rs, "mac"));
                         return 1;
                       },
                       NoRows) == 1;
}

bool TopologyDBManager::GetSystemKeyErrorLinks(std::vector<std::string>& macs,
                                               std::vector<std::optional<std::string>>& upstreamMacs) {
  // The MACs are read first: the link lookups then run without this query held open.
  std::vector<std::string> found;
  if (!GetSystemKeyErrorDevices(found)) return false;
  for (const std::string& mac : found) {
    macs.push_back(mac);
    upstreamMacs.push_back(GetLinkSourceOf(mac));
  }
  return true;
}

std::optional<std::string> TopologyDBManager::GetLinkSourceOf(const std::string& mac) {
  std::optional<std::string> source;
  ReadSelection("SELECT src_mac FROM device_map_polling WHERE dest_mac=?", {mac}, 0,
                [&](db::CRecordset& rs) {
                  // A link without a source names no device either.
                  if (!FieldText(rs, "src_mac").empty()) source = FieldText(rs, "src_mac");
                  return 1;
                },
                NoRows);
  return source;
}

bool TopologyDBManager::GetAttachedDevices(std::vector<std::string>& macs, const std::string& switchMac) {
  std::vector<std::string> ends;
  const int found = ReadSelection("SELECT dest_mac FROM device_map_prev WHERE src_mac=?", {switchMac}, 0,
                                  [&](db::CRecordset& rs) {
                                    for (; !rs.IsEOF(); rs.MoveNext()) ends.push_back(FieldText(rs, "dest_mac"));
                                    return 1;
                                  },
                                  NoRows);
  if (found != 1) return false;
  for (const std::string& end : ends)
    if (GetManagedDeviceType(end) == 2) macs.push_back(end);
  return true;
}

bool TopologyDBManager::HasNoDeviceLinks(const std::string& mac) {
  const auto any = [](db::CRecordset&) { return 1; };
  return ReadSelection("SELECT 1 FROM device_map_polling WHERE src_mac=?", {mac}, 0, any, NoRows) == 0 &&
         ReadSelection("SELECT 1 FROM device_map_prev WHERE src_mac=?1 OR dest_mac=?1", {mac}, 0, any, NoRows) == 0;
}

std::string TopologyDBManager::GetUplinkPort(const std::string& mac) {
  std::string port;
  ReadSelection("SELECT src_port FROM device_map_prev WHERE dest_mac=?", {mac}, 0,
                [&](db::CRecordset& rs) {
                  port = FieldText(rs, "src_port");
                  return 1;
                },
                NoRows);
  return port;
}

int TopologyDBManager::GetManagedDeviceType(const std::string& mac) {
  return ReadSelection("SELECT type FROM device_list_prev WHERE mac=?", {mac}, -1,
                       [](db::CRecordset& rs) {
                         const std::string type = FieldText(rs, "type");
                         return type == "1" ? 1 : type == "2" ? 2 : 0;
                       },
                       [](const db::CDbError&) { return -1; });
}

bool TopologyDBManager::IsDeviceOnline(const std::string& mac) {
  return ReadSelection("SELECT online FROM device_list_prev WHERE mac=?", {mac}, 0,
                       [](db::CRecordset& rs) { return FieldText(rs, "online") == "1" ? 1 : 0; }, NoRows) == 1;
}

TopologyDBManager::Statements TopologyDBManager::LinkDeletes() {
  return {
      "DELETE FROM device_map_prev WHERE src_mac IN (SELECT mac FROM device_list_prev WHERE mac=?1) OR "
      "dest_mac IN (SELECT mac FROM device_list_prev WHERE mac=?1)",
      "DELETE FROM device_map_polling WHERE src_mac IN (SELECT mac FROM device_list WHERE mac=?1) OR "
      "dest_mac IN (SELECT mac FROM device_list WHERE mac=?1)",
      "DELETE FROM device_map_polling WHERE src_mac IN (SELECT mac FROM device_list_prev WHERE mac=?1) OR "
      "dest_mac IN (SELECT mac FROM device_list_prev WHERE mac=?1)",
  };
}

bool TopologyDBManager::DeleteInOneTransaction(const Statements& statements, const db::SqlParams& params,
                                               const char* rollbackLog) {
  const int deleted = ChangeSelection(
      "SELECT 1", {}, std::nullopt,
      [&](db::CRecordset&) {
        for (const std::string& statement : statements) Run(statement, params);
        return 1;
      },
      rollbackLog, NoRows);
  if (deleted != 1) return false;
  WriteActionLog("Delete a device");
  return true;
}

bool TopologyDBManager::DeleteSwitchRecords(const std::string& mac) {
  return DeleteInOneTransaction(
      {
          "DELETE FROM device_map_prev WHERE src_mac=?1",
          "DELETE FROM device_list_prev WHERE mac=?1",
          "DELETE FROM ap_property WHERE mac=?1",
          "DELETE FROM switch_property WHERE mac=?1",
          "UPDATE device_list SET isnew=1 WHERE mac=?1",
          "DELETE FROM sync_result WHERE mac=?1",
          "DELETE FROM device_map_polling WHERE src_mac=?1",
          "DELETE FROM device_list WHERE mac=?1",
      },
      {mac}, "TopologyDBManager DeleteSwitchRecords RollBackTransact");
}

bool TopologyDBManager::DeleteDeviceRecords(const std::string& mac) {
  Statements statements = LinkDeletes();
  statements.insert(statements.end(), {
                                          "DELETE FROM device_list_prev WHERE mac=?1",
                                          "DELETE FROM ap_property WHERE mac=?1",
                                          "DELETE FROM switch_property WHERE mac=?1",
                                          "UPDATE device_list SET isnew=1 WHERE mac=?1",
                                          "DELETE FROM device_list WHERE mac=?1",
                                          "DELETE FROM sync_result WHERE mac=?1",
                                      });
  return DeleteInOneTransaction(statements, {mac}, "TopologyDBManager DeleteDeviceRecords RollBackTransact");
}
