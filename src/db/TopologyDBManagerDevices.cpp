#include "db/DbErrorBox.h"
#include "db/RecordsetFields.h"
#include "db/TopologyDBManager.h"
#include "db/pollingdb.h"
#include "platform/MessageBox.h"

namespace {

using db::FieldNumber;
using db::FieldText;

// The model id every AP, and every device that is not a switch, answers with.
constexpr char kApModelId[] = "QR7V-TOLNA           -00";

// The managed table, then the table of found devices.
constexpr const char* kDeviceTables[] = {"device_list_prev", "device_list"};

// Lookups that do not handle a database error pass it to their caller, with the recordset closed.
int PassOn(const db::CDbError& error) { throw error; }

int ShowDbException(const db::CDbError& error, int line) {
  db::ShowDbErrorBox(error, db::FormatExceptionText(error, "TopologyDBManagerDevices.cpp", line));
  return -1;
}

}  // namespace

bool TopologyDBManager::GetDeviceIpByMac(const std::string& mac, std::string& ip) {
  for (const char* table : kDeviceTables) {
    const int found = ReadSelection(
        std::string("SELECT ip FROM ") + table + " WHERE mac=?", {mac}, 0,
        [&](db::CRecordset& rs) {
          ip = FieldText(rs, "ip");
          return 1;
        },
        [](const db::CDbError& error) { return ShowDbException(error, __LINE__); });
    if (found != 0) return found == 1;
  }
  return false;
}

bool TopologyDBManager::GetDeviceMacByIp(const std::string& ip, std::string& mac) {
  for (const char* table : kDeviceTables) {
    const int found = ReadSelection(
        std::string("SELECT mac FROM ") + table + " WHERE ip=?", {ip}, 0,
        [&](db::CRecordset& rs) {
          mac = FieldText(rs, "mac");
          return 1;
        },
        [](const db::CDbError& error) { return ShowDbException(error, __LINE__); });
    if (found != 0) return found == 1;
  }
  return false;
}

int TopologyDBManager::GetDeviceType(const std::string& mac) {
  for (const char* table : kDeviceTables) {
    int type = 0;
    const int found = ReadSelection(
        std::string("SELECT type FROM ") + table + " WHERE mac=?", {mac}, 0,
        [&](db::CRecordset& rs) {
          type = FieldNumber(rs, "type");
          return 1;
        },
        [](const db::CDbError&) {
          platform::MessageBox("GetDeviceType()");
          return -1;
        });
    if (found == 1) return type;
    if (found == -1) return 0;
  }
  return 0;
}

std::string TopologyDBManager::ManagedCommunity(const char* column, const std::string& mac, const char* errorText) {
  std::string community;
  const int found = ReadSelection(
      std::string("SELECT ") + column + " FROM device_list_prev WHERE mac=?", {mac}, 0,
      [&](db::CRecordset& rs) {
        community = FieldText(rs, column);
        return 1;
      },
      [&](const db::CDbError&) {
        platform::MessageBox(errorText);
        return -1;
      });
  if (found == -1) return {};
  // No managed row, or no community stored: the discovery password stands in.
  if (community.empty()) CPollingDb().getPassword(community);
  return community;
}

std::string TopologyDBManager::GetDeviceReadCommunity(const std::string& mac) {
  return ManagedCommunity("read_community", mac, "GetDeviceReadCommunity()");
}

std::string TopologyDBManager::GetDeviceWriteCommunity(const std::string& mac) {
  return ManagedCommunity("write_community", mac, "GetDeviceWriteCommunity()");
}

int TopologyDBManager::GetSwitchPortCount(const std::string& mac) {
  return ReadSelection("SELECT port_num FROM device_list_prev WHERE type='1' AND mac=?", {mac}, 0,
                       [](db::CRecordset& rs) { return FieldNumber(rs, "port_num"); }, PassOn);
}

void TopologyDBManager::ReadColumn(const std::string& sql, const db::SqlParams& params, const char* column,
                                   std::vector<std::string>& texts) {
  ReadSelection(sql, params, 0,
                [&](db::CRecordset& rs) {
                  for (; !rs.IsEOF(); rs.MoveNext()) texts.push_back(FieldText(rs, column));
                  return 1;
                },
                PassOn);
}

void TopologyDBManager::GetManagedSwitchMacs(std::vector<std::string>& macs) {
  ReadColumn("SELECT mac FROM device_list_prev WHERE type='1'", {}, "mac", macs);
}

void TopologyDBManager::GetManagedApMacs(std::vector<std::string>& macs) {
  ReadColumn("SELECT mac FROM device_list_prev WHERE type='2'", {}, "mac", macs);
}

void TopologyDBManager::GetSwitchProperties(const std::string& mac, std::vector<SwitchPropertyList>& switches) {
  std::string sql = "SELECT * FROM switch_property WHERE mac IN (SELECT mac FROM device_list_prev)";
  db::SqlParams params;
  if (!mac.empty()) {
    sql += " AND mac=?";
    params.push_back(mac);
  }
  std::vector<SwitchPropertyList> read;
  ReadSelection(sql, params, 0,
                [&](db::CRecordset& rs) {
                  for (; !rs.IsEOF(); rs.MoveNext()) {
                    if (rs.GetValue("mac").IsNull()) continue;
                    SwitchPropertyList entry{FieldText(rs, "mac"), {}};
                    entry.texts = {entry.mac, FieldText(rs, "sys_name"), FieldText(rs, "location"), "",
                                   FieldText(rs, "subnet_mask"), FieldText(rs, "gateway")};
                    read.push_back(std::move(entry));
                  }
                  return 1;
                },
                PassOn);
  // The IPs are looked up once the property rows are no longer held.
  for (SwitchPropertyList& entry : read) {
    GetDeviceIpByMac(entry.mac, entry.texts[3]);
    switches.push_back(std::move(entry));
  }
}

std::string TopologyDBManager::GetDeviceSysObjectId(const std::string& mac) {
  for (const char* table : kDeviceTables) {
    std::string id;
    if (ReadSelection(std::string("SELECT sysobjid FROM ") + table + " WHERE mac=?", {mac}, 0,
                      [&](db::CRecordset& rs) {
                        id = FieldText(rs, "sysobjid");
                        return 1;
                      },
                      PassOn) == 1)
      return id;
  }
  return {};
}

std::string TopologyDBManager::GetDeviceModelId(const std::string& mac) {
  return GetDeviceType(mac) == 1 ? GetDeviceSysObjectId(mac) : kApModelId;
}

bool TopologyDBManager::IsDevicePropertySaved(const std::string& mac) {
  std::string condition = "(type='2' AND IsPropertySave='1') OR (type='1')";
  db::SqlParams params;
  if (!mac.empty()) {
    const int type = GetDeviceType(mac);
    if (type == 1) return true;
    if (type != 2) return false;
    condition = "type='2' AND IsPropertySave='1' AND mac=?";
    params.push_back(mac);
  }
  for (const char* table : kDeviceTables) {
    if (ReadSelection(std::string("SELECT mac FROM ") + table + " WHERE " + condition, params, 0,
                      [](db::CRecordset&) { return 1; }, PassOn) == 1)
      return true;
  }
  return false;
}
