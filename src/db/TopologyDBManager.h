#pragma once
// The topology's database manager: stateless, created on the stack where it is used.
#include <optional>
#include <string>
#include <vector>

#include "db/DbAccessBase.h"
#include "db/DeviceRecord.h"
#include "db/LocationRecord.h"
#include "db/SwitchPropertyList.h"

class CTopologyData;

class TopologyDBManager : public CDbAccessBase {
 public:
  // Program accounts (TopologyDBManagerAccounts.cpp). Passwords are kept only in their stored form.
  // True when the account exists and the typed password is its own. A missing account, or a query that
  // cannot run, shows "Without get password, user name compared error" and gives false.
  bool CheckUserPassword(const std::string& user, const std::string& password);
  // Stores the new password for an existing account; false when the statement fails or no such account.
  bool SetUserPassword(const std::string& user, const std::string& password);
  // Reads whether the account's login is filled in for the user ("1", else "0"; NULL reads "0"). The stored
  // password cannot be read back, so unlike the auto-login flag it is not an output.
  bool GetUserLogin(const std::string& user, std::string& autologin);
  bool GetUserNames(std::vector<std::string>& names);
  bool SetAutoLogin(const std::string& user, int on);

  // Background-map locations.
  // False, with the array unchanged, when the table is empty or cannot be read.
  bool LoadLocations(std::vector<CLocationRecord>& locations);
  // Writes every record, also after one failed; false when any statement failed or there was none.
  bool SaveLocation(const std::vector<CLocationRecord>& locations);

  // Device lookups (TopologyDBManagerDevices.cpp): the managed table first, then the found devices where a
  // second table is named. Keys are bound, so any text is safe.
  bool GetDeviceIpByMac(const std::string& mac, std::string& ip);
  bool GetDeviceMacByIp(const std::string& ip, std::string& mac);
  int GetDeviceType(const std::string& mac);  // 0 when unknown
  // The managed device's community, else the discovery password of the settings row.
  std::string GetDeviceReadCommunity(const std::string& mac);
  std::string GetDeviceWriteCommunity(const std::string& mac);
  int GetSwitchPortCount(const std::string& mac);
  void GetManagedSwitchMacs(std::vector<std::string>& macs);
  void GetManagedApMacs(std::vector<std::string>& macs);
  // Managed devices with a system-key error, each with the device its polled link comes from (none when
  // it has no polled link); false when there is no such device.
  bool GetSystemKeyErrorLinks(std::vector<std::string>& macs, std::vector<std::optional<std::string>>& upstreamMacs);
  // Every managed switch with a property row, or only mac's when it is not empty.
  void GetSwitchProperties(const std::string& mac, std::vector<SwitchPropertyList>& switches);
  std::string GetDeviceModelId(const std::string& mac);
  // The device's stored sysObjectID (managed table first); empty when there is none.
  std::string GetDeviceSysObjectId(const std::string& mac);
  // With an empty MAC: any switch, or any AP whose properties are stored. With a MAC: that device's.
  bool IsDevicePropertySaved(const std::string& mac);

  // Display status and the event counters (TopologyDBManagerStatus.cpp).
  int GetDeviceStatus(const std::string& key, bool byIp);
  void GetDeviceCounts();

  // Changes (TopologyDBManagerChanges.cpp). Each runs in one transaction: all of it or nothing.
  // Removes the device's rows, properties, sync results and links; false when an IP names no device or
  // a statement failed (then nothing is removed).
  bool DeleteDevice(const std::string& key, bool byIp);
  // Writes each device's location and both positions, placed by hand, into its row (managed first).
  bool SaveCompareTopologyPosition(const CTopologyData& topology);
  // An AP moved into the managed list, for the zero-config that follows the move.
  struct MovedAp {
    std::string ip;
    std::string mac;
  };
  // Copies the found device(s) into the managed list and deletes exactly the copied rows, in one
  // transaction. A device found meanwhile stays new. The moved APs are appended to movedAps when given,
  // so the caller can push their defaults once the database is no longer held.
  bool SetNewDeviceToManaged(const std::string& key, bool byIp);
  bool SetAllNewDeviceToManaged(std::vector<MovedAp>* movedAps = nullptr);

  // Links and managed devices (TopologyDBManagerLinks.cpp). A query that fails reads as no row.
  // The managed devices with a system-key error, in row order (a NULL MAC as ""); false when none.
  bool GetSystemKeyErrorDevices(std::vector<std::string>& macs);
  // The source of the first polled link that ends at mac; none when there is no such link, so "no
  // upstream device" never equals a MAC.
  std::optional<std::string> GetLinkSourceOf(const std::string& mac);
  // Appends the managed APs at the far end of the switch's managed links; false when it has none.
  bool GetAttachedDevices(std::vector<std::string>& macs, const std::string& switchMac);
  // True when no polled link starts at the device and no managed link starts or ends there.
  bool HasNoDeviceLinks(const std::string& mac);
  // The switch port of the device's managed link; "" when it has none.
  std::string GetUplinkPort(const std::string& mac);
  // 1 switch, 2 AP, 0 other kind, -1 not managed.
  int GetManagedDeviceType(const std::string& mac);
  bool IsDeviceOnline(const std::string& mac);
  // Each in one transaction, writing "Delete a device" once it is done; false, nothing deleted, when a
  // statement fails. A switch leaves the managed links that end at it; the discovery engine's delete
  // takes every link of the device.
  bool DeleteSwitchRecords(const std::string& mac);
  bool DeleteDeviceRecords(const std::string& mac);

  // Device rows with their map positions (TopologyDBManagerPositions.cpp); each appends to devices.
  bool GetDevicesWithoutApProperty(std::vector<CDeviceRecord>& devices);
  void LoadManagedDevicePositions(std::vector<CDeviceRecord>& devices);
  void LoadNewDevicePositions(std::vector<CDeviceRecord>& devices);

 private:
  // Runs the statements, each bound to params, in one transaction; rollbackLog names the operation in
  // the exception log when it fails. Writes "Delete a device" when all ran.
  using Statements = std::vector<std::string>;
  bool DeleteInOneTransaction(const Statements& statements, const db::SqlParams& params, const char* rollbackLog);
  // The statements that remove the device's links while its rows still select them.
  static Statements LinkDeletes();
  int CountRows(const std::string& sql, const db::SqlParams& params);
  std::string ManagedCommunity(const char* column, const std::string& mac, const char* errorText);
  // Appends column of every row of the selection.
  void ReadColumn(const std::string& sql, const db::SqlParams& params, const char* column,
                  std::vector<std::string>& texts);
  // Copies the selected found devices and deletes exactly those rows; all also empties the saved links.
  bool MoveToManaged(const std::string& select, const db::SqlParams& params, bool all, std::vector<MovedAp>* movedAps);
};
