#pragma once
// The discovery tables: the Discovery Wizard's IP segments, the devices found but not yet managed, the
// links found between switches and their port devices, and the properties of a found switch. No state:
// build one where it is needed.
#include <string>
#include <vector>

#include "db/DbAccessBase.h"
#include "db/DbError.h"
#include "db/DeviceListRow.h"
#include "db/LinkRow.h"
#include "db/Recordset.h"

// What writeSwitchProperty and UpdateNewDeviceName give on a database error, so that their callers can
// tell a failure from the -1 of "the MAC already has a row" or "has no row".
constexpr int kDiscoveryDbError = -2;

// One IP range the Discovery Wizard scans, as typed (dotted IPv4 texts).
struct CManagementSegment {
  std::string from_ip;
  std::string to_ip;
};

struct NewDeviceEntry {
  std::string name;
  std::string type;  // "1" switch, "2" AP
  std::string mac;
};

// One link found by discovery.
using DeviceMapRow = LinkRow;

// What the switch's detail collection stores; sys_object_id is carried but not stored.
struct SwitchPropertyRecord {
  std::string sys_name;
  std::string location;
  std::string mac;
  std::string ip_address;
  std::string subnet_mask;
  std::string password;
  std::string gateway;
  std::string anti_rogue;
  std::string sys_object_id;
  std::string ipmode;
};

class CDiscoveryDb : public CDbAccessBase {
 public:
  CDiscoveryDb() = default;
  ~CDiscoveryDb() override = default;

  // Appends the segments whose bounds are both set; their count, -1 on a database error.
  int getManagementSegment(std::vector<CManagementSegment>& segments);
  // Replaces every segment by the list, all or nothing; 0, -1 on a database error.
  int setManagementSegment(const std::vector<CManagementSegment>& segments);
  // Adds the switch's switch_property row; 0 when added, -1 when the MAC has one, kDiscoveryDbError on a
  // database error.
  int writeSwitchProperty(const SwitchPropertyRecord& record);
  // Names the new device after the record's sys_name; 0, -1 when device_list has no row for its MAC,
  // kDiscoveryDbError on a database error.
  int UpdateNewDeviceName(const SwitchPropertyRecord& record);
  // Appends the new switches and APs (replacing devices excluded); 1, or -1 when there is none or on a
  // database error.
  int getNewDevice(std::vector<NewDeviceEntry>& devices);
  // 1 when a new switch or AP exists, -1 otherwise.
  int HasNewDevices();
  // Deletes every link of device_map; 0, -1 on a database error ("ClearDeviceMap()").
  int ClearDeviceMap();
  // Adds the links to device_map; 0, -1 on a database error.
  int setDevRelationship(const std::vector<DeviceMapRow>& links);

  // Operations that nothing in the program calls.
  // Deletes every row of device_list; 0, -1 on a database error ("ClearDeviceList()").
  int ClearDeviceList();
  // Adds the links to device_map_prev; 0, -1 on a database error.
  int setManagementDevRelationship(const std::vector<DeviceMapRow>& links);
  // Replaces every row of device_list by the list, all or nothing; 0, -1 on a database error.
  int setDiscoverDevInfo(const std::vector<DeviceListRow>& devices);
  // 1 when device_list has a row for the MAC, -1 otherwise.
  int IsMacInDeviceList(const std::string& mac);

 private:
  // Opens the query; an empty result (or one that could not be opened) returns none. Otherwise read
  // runs with the cursor on the first row. A database error closes the recordset, shows "<method>()"
  // and returns -1.
  int ReadRows(const char* method, const std::string& sql, const db::SqlParams& params, int none,
               const RecordsetWork& read);
  // Opens the selection and runs change inside a transaction on its connection, then commits. A
  // database error (a failed commit included) rolls back, closes, shows "<method>()" and returns
  // errorResult.
  int ChangeRows(const char* method, const std::string& select, const db::SqlParams& params,
                 const RecordsetWork& change, int errorResult = -1);
  // A failed query counts as one without rows.
  bool HasRows(const std::string& sql, const db::SqlParams& params = {});
  int AddLinks(const char* method, const char* table, const std::vector<DeviceMapRow>& links);
  // Runs one command; 0, or -1 after showing "<method>()" when it fails.
  int Clear(const char* method, const std::string& sql);
};
