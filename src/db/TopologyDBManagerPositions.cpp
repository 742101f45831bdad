#include "db/DbErrorBox.h"
#include "db/RecordsetFields.h"
#include "db/TopologyDBManager.h"
#include "platform/MessageBox.h"

namespace {

using db::FieldNumber;
using db::FieldText;

int FlagOr(const db::CRecordset& rs, const char* column, int whenNull) {
  return rs.GetValue(column).IsNull() ? whenNull : (FieldNumber(rs, column) == 1 ? 1 : 0);
}

// The fields every reader fills the same way; online and the statuses are each reader's own.
CDeviceRecord DeviceOf(const db::CRecordset& rs) {
  CDeviceRecord device;
  device.name = FieldText(rs, "name");
  device.ip = FieldText(rs, "ip");
  device.mac = FieldText(rs, "mac");
  device.kind = FieldNumber(rs, "type");
  device.portCount = FieldNumber(rs, "port_num");
  device.location = FieldText(rs, "location");
  return device;
}

// The older columns: auto, x_p, y_p on the location's map; auto_position, x_position, y_position on the
// map of all devices.
void ReadOlderPositions(const db::CRecordset& rs, CDeviceRecord& device) {
  device.autoP = FlagOr(rs, "auto", 1);
  device.xP = FieldNumber(rs, "x_p");
  device.yP = FieldNumber(rs, "y_p");
  device.autoPosition = FlagOr(rs, "auto_position", 1);
  device.xPosition = FieldNumber(rs, "x_position");
  device.yPosition = FieldNumber(rs, "y_position");
}

void SetNewOrOnline(CDeviceRecord& device, const db::CRecordset& rs, int online) {
  device.online = online;
  const bool isNew = FieldNumber(rs, "isnew") == 1;
  device.displayStatus = isNew ? 1 : 0;
  device.furtherStatus = isNew ? 1 : (online ? 0 : 2);
}

}  // namespace

bool TopologyDBManager::GetDevicesWithoutApProperty(std::vector<CDeviceRecord>& devices) {
  return ReadSelection("SELECT * FROM device_list WHERE mac NOT IN (SELECT mac FROM ap_property WHERE mac IS NOT NULL)",
                       {}, 0,
                       [&](db::CRecordset& rs) {
                         for (; !rs.IsEOF(); rs.MoveNext()) {
                           CDeviceRecord device = DeviceOf(rs);
                           device.online = device.displayStatus = device.furtherStatus = 1;
                           ReadOlderPositions(rs, device);
                           devices.push_back(std::move(device));
                         }
                         return 1;
                       },
                       [](const db::CDbError& error) {
                         db::ShowDbErrorBox(error, db::FormatExceptionText(error, "TopologyDBManagerPositions.cpp", __LINE__));
                         return 0;
                       }) == 1;
}

void TopologyDBManager::LoadManagedDevicePositions(std::vector<CDeviceRecord>& devices) {
  ReadSelection("select * from device_list_prev", {}, 0,
                [&](db::CRecordset& rs) {
                  for (; !rs.IsEOF(); rs.MoveNext()) {
                    CDeviceRecord device = DeviceOf(rs);
                    SetNewOrOnline(device, rs, FieldNumber(rs, "online") == 1 ? 1 : 0);
                    ReadOlderPositions(rs, device);
                    devices.push_back(std::move(device));
                  }
                  return 1;
                },
                [](const db::CDbError& error) -> int { throw error; });
}

void TopologyDBManager::LoadNewDevicePositions(std::vector<CDeviceRecord>& devices) {
  ReadSelection("select * from device_list where isnew='1'", {}, 0,
                [&](db::CRecordset& rs) {
                  for (; !rs.IsEOF(); rs.MoveNext()) {
                    CDeviceRecord device = DeviceOf(rs);
                    SetNewOrOnline(device, rs, 1);
                    device.autoPosition = FlagOr(rs, "auto_pos_all", 1);
                    device.xPosition = FieldNumber(rs, "x_pos_all");
                    device.yPosition = FieldNumber(rs, "y_pos_all");
                    device.autoP = FlagOr(rs, "auto_pos_all_location", 1);
                    device.xP = FieldNumber(rs, "x_pos_all_location");
                    device.yP = FieldNumber(rs, "y_pos_all_location");
                    devices.push_back(std::move(device));
                  }
                  return 1;
                },
                [](const db::CDbError& error) -> int { throw error; });
}
