#include <cstdlib>
#include <mutex>

#include "db/DeviceEventCounters.h"
#include "db/RecordsetFields.h"
#include "db/TopologyDBManager.h"

namespace {

using db::FieldNumber;

int PassOn(const db::CDbError& error) { throw error; }

// The display status of an online managed device by its stored status.
int ManagedStatus(int stored) {
  switch (stored) {
    case 1: return 7;  // DHCP error
    case 2: return 8;  // not available
    case 4: return 6;  // system-key error
    case 5: return 4;  // replaced
    case 6: return 3;  // changed
    default: return 0;
  }
}

}  // namespace

int TopologyDBManager::GetDeviceStatus(const std::string& key, bool byIp) {
  std::string mac = key;
  // An IP that names no device stays the key and so matches no row.
  if (byIp) TopologyDBManager().GetDeviceMacByIp(key, mac);
  // A NULL online, status or type reads as 0, so a half-written row shows a status instead of failing
  // the view that asked.
  const int managed = ReadSelection(
      "SELECT online, status FROM device_list_prev WHERE mac=?", {mac}, -2,
      [](db::CRecordset& rs) { return FieldNumber(rs, "online") != 1 ? 2 : ManagedStatus(FieldNumber(rs, "status")); },
      PassOn);
  if (managed != -2) return managed;
  return ReadSelection("SELECT type, status FROM device_list WHERE mac=?", {mac}, -1,
                       [](db::CRecordset& rs) {
                         if (FieldNumber(rs, "status") == 5) return 4;
                         return FieldNumber(rs, "type") == 0 ? -1 : 1;
                       },
                       PassOn);
}

int TopologyDBManager::CountRows(const std::string& sql, const db::SqlParams& params) {
  return ReadSelection(sql, params, 0, [](db::CRecordset& rs) { return std::atoi(rs.GetText(0).c_str()); }, PassOn);
}

void TopologyDBManager::GetDeviceCounts() {
  constexpr char kFound[] = "SELECT count(mac) FROM device_list WHERE status=? AND type=? AND online=?";
  const int newAp = CountRows(kFound, {"0", "2", "1"});
  const int changedAp = CountRows("SELECT count(mac) FROM device_list_prev WHERE status=? AND online='1'", {"6"});
  const int replacedAp = CountRows(kFound, {"5", "2", "1"});
  const int newSwitch = CountRows(kFound, {"0", "1", "1"});
  const int unknown = CountRows("SELECT count(mac) FROM device_list WHERE type=?", {"0"}) +
                      CountRows("SELECT count(mac) FROM device_list_prev WHERE status='2'", {});
  const int managedSwitch = CountRows("SELECT count(mac) FROM device_list_prev WHERE type=?", {"1"});
  const int managedAp = CountRows("SELECT count(mac) FROM device_list_prev WHERE type=? AND status <> '2'", {"2"});

  std::lock_guard lock(DeviceEventCounters.cs);
  DeviceEventCounters.nNewAp = newAp;
  DeviceEventCounters.nChangedAp = changedAp;
  DeviceEventCounters.nReplacedAp = replacedAp;
  DeviceEventCounters.nNewSwitch = newSwitch;
  DeviceEventCounters.nUnknownDevice = unknown;
  DeviceEventCounters.nManagedSwitch = managedSwitch;
  DeviceEventCounters.nManagedAp = managedAp;
}
