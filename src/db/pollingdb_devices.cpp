// The device rows of the polling database: single rows written and tested, the device lists read, and
// the numbers the device names use.
#include <cstdlib>
#include <cstring>

#include "db/MethodBox.h"
#include "db/db_maintain.h"
#include "db/pollingdb.h"

namespace {

constexpr int kApType = 2;  // the type column of an AP

// Appends ip and mac of every row that has both, from the cursor to the end; count follows the appends,
// so that it is right also when a later row fails.
int AppendAddresses(db::CRecordset& rs, std::vector<PollingDeviceRecord>& devices, int& count) {
  for (; !rs.IsEOF(); rs.MoveNext()) {
    if (rs.GetValue("ip").IsNull() || rs.GetValue("mac").IsNull()) continue;
    PollingDeviceRecord record;
    record.ip = rs.GetText("ip");
    record.mac = rs.GetText("mac");
    devices.push_back(std::move(record));
    ++count;
  }
  return count;
}

}  // namespace

// ---- Device rows ----

int CPollingDb::insertNewDevTable(const DeviceListRow& row) {
  const std::string table = DeviceTable(row.newDeviceMark);
  return ChangeRows(
      "insertNewDevTable", "select * from " + table + " where mac=?", {row.mac}, true,
      [&](db::CRecordset& rs) {
        if (!CDB_Maintain::IsRecordsetEmpty(rs)) {
          // The device is known: its row is updated by a command whose failure the pool logs.
          RunCommand("update " + table +
                         " set ip=?,name=?,type=?,port_num=?,write_community=?,online=?,isnew='1',status=?,"
                         "sysobjid=? where mac=?",
                     {row.ip, row.name, row.type, row.port_num, row.write_community, row.online, row.status,
                      row.sysobjid, row.mac});
          return -1;
        }
        Run("insert into " + table +
                " (name, ip, mac, type, port_num, online, write_community, isnew, status, sysobjid)"
                " values (?, ?, ?, ?, ?, ?, ?, '1', ?, ?)",
            {row.name, row.ip, row.mac, row.type, row.port_num, row.online, row.write_community, row.status,
             row.sysobjid});
        return 1;
      },
      db::ShowMethodBox("insertNewDevTable", -1));
}

int CPollingDb::UpdateDeviceIp(const std::string& ip, int /*online*/, int inNewList, const std::string& mac) {
  RunCommand(std::string("update ") + DeviceTable(inNewList == 1) + " set ip=? where mac=?", {ip, mac});
  return 0;
}

void CPollingDb::SetDeviceStatus(int inNewList, const std::string& mac, int status) {
  RunCommand(std::string("update ") + DeviceTable(inNewList) + " set status=? where mac=?", {status, mac});
}

int CPollingDb::UpdatePrevWriteCommunity(const std::string& community, const std::string& mac) {
  RunCommand("update device_list_prev set write_community=? where mac=?", {community, mac});
  return 0;
}

void CPollingDb::DeleteNewDevice(const std::string& mac) { RunCommand("delete from device_list where mac=?", {mac}); }

bool CPollingDb::SetIsPropertySave(const std::string& mac) {
  // Only the first row of the MAC is marked, as the row found by the query.
  return ChangeRows("SetIsPropertySave", "SELECT * FROM device_list WHERE mac=?", {mac}, false, [&](db::CRecordset&) {
           Run("UPDATE device_list SET IsPropertySave='1' "
               "WHERE rowid IN (SELECT rowid FROM device_list WHERE mac=? LIMIT 1)",
               {mac});
           return 1;
         }) > 0;
}

int CPollingDb::HasApProperty(const std::string& mac) {
  return HasRow("HasApProperty", "select mac from ap_property where mac=?", mac, 0);
}

int CPollingDb::HasSwitchProperty(const std::string& mac) {
  return HasRow("HasSwitchProperty", "select mac from switch_property where mac=?", mac, 0);
}

int CPollingDb::HasSyncResult(const std::string& mac) {
  return HasRow("HasSyncResult", "select mac from sync_result where mac=?", mac, -1);
}

// ---- Device lists ----

int CPollingDb::GetManagementDevList(std::vector<ManagedDeviceRow>& devices) {
  return ReadQuery("GetManagementDevList", "select name,ip,mac,type,write_community,sysobjid FROM device_list_prev", {},
                   0, [&](db::CRecordset& rs) {
                     int count = 0;
                     for (; !rs.IsEOF(); rs.MoveNext()) {
                       if (IsNull(rs, "ip") || IsNull(rs, "mac") || IsNull(rs, "type") || IsNull(rs, "write_community"))
                         continue;
                       ManagedDeviceRow row;
                       row.name = RequiredText(rs, "name");
                       row.ip = rs.GetText("ip");
                       row.mac = rs.GetText("mac");
                       row.type = rs.GetText("type");
                       row.write_community = rs.GetText("write_community");
                       row.sysobjid = rs.GetText("sysobjid");  // NULL reads as ""
                       devices.push_back(std::move(row));
                       ++count;
                     }
                     return count;
                   });
}

int CPollingDb::GetNewDeviceAddresses(std::vector<PollingDeviceRecord>& devices) {
  int count = 0;
  return ReadSelection(
      "SELECT * FROM device_list", {}, 0, [&](db::CRecordset& rs) { return AppendAddresses(rs, devices, count); },
      [&count](const db::CDbError&) { return count; });
}

int CPollingDb::GetNewAPDevList(std::vector<PollingDeviceRecord>& devices) {
  int count = 0;
  return ReadQuery("GetNewAPDevList", "select ip,mac FROM device_list where type=?", {kApType}, 0,
                   [&](db::CRecordset& rs) { return AppendAddresses(rs, devices, count); });
}

// ---- Name numbers ----

int CPollingDb::GetNameNumber(const char* name) {
  const char* underscore = std::strchr(name, '_');
  return underscore ? std::atoi(underscore + 1) : -1;
}

int CPollingDb::loadId(std::vector<int>& numbers, int type) {
  const auto collect = [&numbers](db::CRecordset& rs) {
    for (; !rs.IsEOF(); rs.MoveNext()) {
      if (IsNull(rs, "name")) continue;
      const int number = GetNameNumber(rs.GetText("name").c_str());
      if (number >= 1) numbers.push_back(number);
    }
    return 0;
  };
  const db::SqlParams kind{std::to_string(type)};
  if (ReadQuery("loadId", "select name from device_list where type=?", kind, 0, collect) < 0) return -1;
  return ReadQuery("loadId", "select name from device_list_prev where type=?", kind, 0, collect) < 0 ? -1 : 0;
}
