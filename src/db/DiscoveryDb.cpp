#include "db/DiscoveryDb.h"

#include "db/MethodBox.h"
#include "db/db_maintain.h"
#include "platform/MessageBox.h"

namespace {

const char* const kNewDevicesWhere = " from device_list where (type = '1' or type = '2') and status <> '5'";

}  // namespace

int CDiscoveryDb::ReadRows(const char* method, const std::string& sql, const db::SqlParams& params, int none,
                           const RecordsetWork& read) {
  return ReadSelection(sql, params, none, read, db::ShowMethodBox(method, -1));
}

int CDiscoveryDb::ChangeRows(const char* method, const std::string& select, const db::SqlParams& params,
                             const RecordsetWork& change, int errorResult) {
  return ChangeSelection(select, params, std::nullopt, change, "", db::ShowMethodBox(method, errorResult));
}

int CDiscoveryDb::getManagementSegment(std::vector<CManagementSegment>& segments) {
  return ReadRows("getManagementSegment", "select * from management_segment", {}, 0, [&](db::CRecordset& rs) {
    int count = 0;
    for (; !rs.IsEOF(); rs.MoveNext()) {
      if (rs.GetValue("from_ip").IsNull() || rs.GetValue("to_ip").IsNull()) continue;
      segments.push_back({rs.GetText("from_ip"), rs.GetText("to_ip")});
      ++count;
    }
    return count;
  });
}

// The old segments go in the same transaction as the new ones, so a failure keeps them.
int CDiscoveryDb::setManagementSegment(const std::vector<CManagementSegment>& segments) {
  return ChangeRows("setManagementSegment", "select * from management_segment", {}, [&](db::CRecordset& rs) {
    if (!CDB_Maintain::IsRecordsetEmpty(rs)) Run("delete from management_segment");
    for (const CManagementSegment& segment : segments)
      Run("insert into management_segment (from_ip, to_ip) values (?, ?)", {segment.from_ip, segment.to_ip});
    return 0;
  });
}

int CDiscoveryDb::writeSwitchProperty(const SwitchPropertyRecord& record) {
  return ChangeRows(
      "writeSwitchProperty", "select * from switch_property where mac=?", {record.mac}, [&](db::CRecordset& rs) {
        // An existing row is never overwritten here; the polling layer updates it.
        if (!CDB_Maintain::IsRecordsetEmpty(rs)) return -1;
        Run("insert into switch_property "
            "(mac, sys_name, location, ip_address, subnet_mask, gateway, password, anti_rogue, ipmode) "
            "values (?, ?, ?, ?, ?, ?, ?, ?, ?)",
            {record.mac, record.sys_name, record.location, record.ip_address, record.subnet_mask, record.gateway,
             record.password, record.anti_rogue, record.ipmode});
        return 0;
      },
      kDiscoveryDbError);
}

int CDiscoveryDb::UpdateNewDeviceName(const SwitchPropertyRecord& record) {
  return ChangeRows(
      "UpdateNewDeviceName", "SELECT * FROM device_list WHERE mac=?", {record.mac}, [&](db::CRecordset& rs) {
        if (CDB_Maintain::IsRecordsetEmpty(rs)) return -1;
        // The first row found takes the name.
        Run("update device_list set name=? where rowid in (select rowid from device_list where mac=? limit 1)",
            {record.sys_name, record.mac});
        return 0;
      },
      kDiscoveryDbError);
}

int CDiscoveryDb::getNewDevice(std::vector<NewDeviceEntry>& devices) {
  return ReadRows("getNewDevice", std::string("select name,type,mac") + kNewDevicesWhere, {}, -1,
                  [&](db::CRecordset& rs) {
                    for (; !rs.IsEOF(); rs.MoveNext()) {
                      if (rs.GetValue("name").IsNull() || rs.GetValue("type").IsNull() || rs.GetValue("mac").IsNull())
                        continue;
                      devices.push_back({rs.GetText("name"), rs.GetText("type"), rs.GetText("mac")});
                    }
                    return 1;
                  });
}

bool CDiscoveryDb::HasRows(const std::string& sql, const db::SqlParams& params) {
  db::CRecordset recordset;
  OpenRecordset(sql, params, recordset);
  const bool empty = CDB_Maintain::IsRecordsetEmpty(recordset);
  CloseRecordset(recordset);
  return !empty;
}

int CDiscoveryDb::HasNewDevices() { return HasRows(std::string("select mac") + kNewDevicesWhere) ? 1 : -1; }

int CDiscoveryDb::Clear(const char* method, const std::string& sql) {
  if (ExecuteCommand(sql)) return 0;
  platform::MessageBox(std::string(method) + "()");
  return -1;
}

int CDiscoveryDb::ClearDeviceMap() { return Clear("ClearDeviceMap", "delete from device_map"); }

int CDiscoveryDb::AddLinks(const char* method, const char* table, const std::vector<DeviceMapRow>& links) {
  const std::string name(table);
  return ChangeRows(method, "select * from " + name, {}, [&](db::CRecordset&) {
    for (const DeviceMapRow& link : links)
      Run("insert into " + name + " (src_mac, dest_mac, src_port, dest_port) values (?, ?, ?, ?)",
          {link.src_mac, link.dest_mac, link.src_port, link.dest_port});
    return 0;
  });
}

int CDiscoveryDb::setDevRelationship(const std::vector<DeviceMapRow>& links) {
  return AddLinks("setDevRelationship", "device_map", links);
}

int CDiscoveryDb::ClearDeviceList() { return Clear("ClearDeviceList", "delete from device_list"); }

int CDiscoveryDb::setManagementDevRelationship(const std::vector<DeviceMapRow>& links) {
  return AddLinks("setManagementDevRelationship", "device_map_prev", links);
}

int CDiscoveryDb::setDiscoverDevInfo(const std::vector<DeviceListRow>& devices) {
  return ChangeRows("setDiscoverDevInfo", "select * from device_list", {}, [&](db::CRecordset& rs) {
    if (!CDB_Maintain::IsRecordsetEmpty(rs)) Run("delete from device_list");
    for (const DeviceListRow& device : devices)
      Run("insert into device_list (name, ip, mac, type, port_num, write_community) values (?, ?, ?, ?, ?, ?)",
          {device.name, device.ip, device.mac, device.type, device.port_num, device.write_community});
    return 0;
  });
}

int CDiscoveryDb::IsMacInDeviceList(const std::string& mac) {
  return HasRows("select name from device_list where mac=?", {mac}) ? 1 : -1;
}
