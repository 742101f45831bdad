// CGroupStore: what the database keeps about a device or a supported model, asked before talking to it.
#include <cstdlib>

#include "db/MethodBox.h"
#include "groups/GroupStore.h"
#include "platform/DebugTrace.h"

namespace {

const char* KeyColumn(KeyKind kind) { return kind == KeyKind::Mac ? "mac" : "ip"; }

std::string TextOf(const std::optional<db::SqlValue>& value) { return value ? db::ValueToText(*value) : ""; }

// A number column read as text: -1 when absent or empty.
int NumberOf(const std::optional<db::SqlValue>& value) {
  const std::string text = TextOf(value);
  return text.empty() ? -1 : std::atoi(text.c_str());
}

}  // namespace

std::optional<db::SqlValue> CGroupStore::LookUp(const std::vector<std::string>& queries, const db::SqlParams& params,
                                                const char* errorBox, bool traced) {
  for (size_t i = 0; i < queries.size(); ++i) {
    std::optional<db::SqlValue> value;
    const auto report = errorBox ? db::ShowMethodBox(errorBox, -1) : DbErrorReport([](const db::CDbError&) { return -1; });
    const int found = ReadSelection(
        queries[i], params, 0,
        [&](db::CRecordset& rs) {
          if (traced) DebugTrace("GetDevSysObjectID MoveFirst\n");
          value = rs.GetValue(0);
          if (traced) DebugTrace("GetDevSysObjectID success CloseRecorderset\n");
          return 1;
        },
        report);
    if (found == 1) return value;
    if (found == -1) return std::nullopt;
    if (traced && i == 0) DebugTrace("GetDevSysObjectID #if\n");
  }
  return std::nullopt;
}

std::vector<std::string> CGroupStore::DeviceQueries(const char* column, KeyKind kind) {
  std::vector<std::string> queries;
  for (const char* table : {"device_list_prev", "device_list"})
    queries.push_back(std::string("SELECT ") + column + " FROM " + table + " WHERE " + KeyColumn(kind) + " = ?");
  return queries;
}

std::string CGroupStore::GetDevIpByMac(const std::string& mac) {
  return TextOf(LookUp({"SELECT ip FROM device_list_prev WHERE mac = ?"}, {mac}));
}

std::string CGroupStore::GetDevPassword(const std::string& key, KeyKind kind) {
  return TextOf(LookUp(DeviceQueries("write_community", kind), {key}));
}

bool CGroupStore::SetDevPassword(const std::string& ip, const std::string& community) {
  return ExecuteCommand("UPDATE device_list_prev SET write_community = ? WHERE ip = ?", {community, ip});
}

std::string CGroupStore::GetDevSysObjectID(const std::string& key, KeyKind kind) {
  return TextOf(LookUp(DeviceQueries("sysobjid", kind), {key}, nullptr, true));
}

int CGroupStore::GetDevPortNum(const std::string& key, KeyKind kind) {
  return NumberOf(LookUp(DeviceQueries("port_num", kind), {key}));
}

std::string CGroupStore::GetSwitchAntiRogue(const std::string& key, KeyKind kind) {
  // switch_property keeps a switch's address in ip_address.
  const char* column = kind == KeyKind::Mac ? "mac" : "ip_address";
  return TextOf(LookUp({std::string("SELECT anti_rogue FROM switch_property WHERE ") + column + " = ?"}, {key}));
}

bool CGroupStore::SetSwitchAntiRogue(const std::string& mac, const std::string& value) {
  return ExecuteCommand("UPDATE switch_property SET anti_rogue = ? WHERE mac = ?", {value, mac});
}

bool CGroupStore::GetDevMacByIp(const std::string& ip, std::string& mac) {
  const auto value = LookUp(DeviceQueries("mac", KeyKind::Ip), {ip});
  if (!value) return false;
  if (!value->IsNull()) mac = db::ValueToText(*value);
  return true;
}

int CGroupStore::IsDevIpExist(const std::string& ip) {
  return LookUp({"SELECT ip FROM device_list WHERE ip = ?", "SELECT ip FROM device_list_prev WHERE ip = ?"}, {ip})
             ? 1
             : 0;
}

bool CGroupStore::GetSupportSwitchName(std::vector<std::string>* names) {
  if (names == nullptr) return false;
  return ReadSelection(
             "SELECT model_name FROM support_product", {}, 0,
             [&](db::CRecordset& rs) {
               for (; !rs.IsEOF(); rs.MoveNext()) {
                 if (rs.GetValue(0).IsNull()) return 0;
                 names->push_back(rs.GetText(0));
               }
               return 1;
             },
             db::ShowMethodBox("GetSupportSwitchName", 0)) == 1;
}

std::string CGroupStore::GetDevRootOIDByModelName(const std::string& model) {
  return TextOf(LookUp({"SELECT sys_object_oid FROM support_product WHERE model_name = ?"}, {model},
                       "GetDevRootOIDByModelName"));
}

int CGroupStore::GetDevTypeByModelName(const std::string& model) {
  return NumberOf(
      LookUp({"SELECT dev_type FROM support_product WHERE model_name = ?"}, {model}, "GetDevTypeByModelName"));
}

std::string CGroupStore::GetDefaultApSysObjectID(const std::string&) {
  return TextOf(LookUp({"SELECT sys_object_oid FROM support_product WHERE model_name = 'Velmora-A'"}, {}, nullptr, true));
}
