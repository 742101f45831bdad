#include "db/SwitchSystemDb.h"

#include "db/RecordsetFields.h"

namespace {

using db::FieldText;

constexpr const char* kDeviceTables[] = {"device_list_prev", "device_list"};

int Failed(const db::CDbError&) { return -2; }

}  // namespace

int CSwitchSystemDb::LoadSwitchProperty(const std::string& mac, SwitchSettingsRecord& record) {
  int found = 0;
  for (const char* table : kDeviceTables) {
    found = ReadSelection(
        std::string("SELECT ip, name FROM ") + table + " WHERE mac=?", {mac}, 0,
        [&](db::CRecordset& rs) {
          record.ip = FieldText(rs, "ip");
          record.sysName = FieldText(rs, "name");
          return 1;
        },
        Failed);
    if (found != 0) break;
  }
  if (found != 1) return -1;
  record.mac = mac;
  ReadSelection(
      "SELECT location, subnet_mask, gateway, ipmode, LLDPonoff FROM switch_property WHERE mac=?", {mac}, 0,
      [&](db::CRecordset& rs) {
        record.location = FieldText(rs, "location");
        record.netmask = FieldText(rs, "subnet_mask");
        record.gateway = FieldText(rs, "gateway");
        record.ipMode = FieldText(rs, "ipmode");
        record.lldp = FieldText(rs, "LLDPonoff");
        return 1;
      },
      Failed);
  return 0;
}

int CSwitchSystemDb::SetSwitchProperty(const std::string& mac, const SwitchSettingsRecord& record, int parts) {
  if (parts & kDeviceRow) {
    int written = -1;
    for (const char* table : kDeviceTables) {
      written = ChangeSelection(
          std::string("SELECT mac FROM ") + table + " WHERE mac=?", {mac}, -1,
          [&](db::CRecordset&) {
            Run(std::string("UPDATE ") + table + " SET ip=?, name=? WHERE mac=?", {record.ip, record.sysName, mac});
            return 0;
          },
          "TopologyDBManager SetSwitchProperty RollBackTransact---1", Failed);
      if (written != -1) break;
    }
    if (written != 0) return written;
  }
  if (parts & kPropertyRow) {
    const int written = ChangeSelection(
        "SELECT 1", {}, std::nullopt,
        [&](db::CRecordset&) {
          Run("INSERT INTO switch_property (mac) SELECT ? WHERE NOT EXISTS (SELECT 1 FROM switch_property WHERE mac=?)",
              {mac, mac});
          Run("UPDATE switch_property SET sys_name=?, location=?, subnet_mask=?, gateway=?, ipmode=? WHERE mac=?",
              {record.sysName, record.location, record.netmask, record.gateway, record.ipMode, mac});
          return 0;
        },
        "TopologyDBManager SetSwitchProperty RollBackTransact---2", Failed);
    if (written != 0) return written;
  }
  return 0;
}
