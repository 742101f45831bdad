#pragma once
// The database layer of discovery and polling. No state: build one on the stack for one or a few
// calls. Every method reaches the database in one of three ways (see the private helpers): a query read
// row by row, a change of selected rows inside a transaction, or a single command.
#include <functional>
#include <initializer_list>
#include <list>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "db/ApBalancingRecord.h"
#include "db/ApChannelRecord.h"
#include "db/ApIdentityRecord.h"
#include "db/DbAccessBase.h"
#include "db/DbError.h"
#include "db/DeviceListRow.h"
#include "db/DeviceProperty.h"
#include "db/LinkRow.h"
#include "db/PolledProperty.h"
#include "db/Recordset.h"
#include "db/SqlValue.h"
#include "db/SwitchSettingsRecord.h"

// One device to poll.
struct PollingDeviceRecord {
  std::string name;
  std::string ip;
  std::string mac;
  int type = 0;    // 0 unknown device, 1 switch, 2 AP
  int online = 0;  // 1 online, 0 offline
  int isNew = 0;   // 1 for a row of device_list, 0 for a row of device_list_prev
  std::string groupBalance;
  std::string writeCommunity;
  std::string sysObjectId;
  int status = 0;
  std::string isPropertySave;
};

// One managed device as the client monitor reads it.
struct ManagedDeviceRow {
  std::string name;
  std::string ip;
  std::string mac;
  std::string type;
  std::string write_community;
  std::string sysobjid;
};

class CPollingDb : public CDbAccessBase {
 public:
  CPollingDb() = default;
  ~CPollingDb() override = default;

  // ---- Polling device list and device flags ----

  // Appends the managed devices, then the new devices; the number appended, -1 on a database error.
  int GetPollingDevList(std::vector<PollingDeviceRecord>& list);
  // online 1 also clears the status; 0, -1 when the update fails, or -1 without any write when online is
  // neither 0 nor 1.
  int SetOnline(int inNewList, const std::string& mac, int online);
  // 0, -1 when the update fails.
  int SetPrevIsNew(const std::string& mac, int isNew);
  // The managed device's IP: 1 copied (also when ip is null, then nothing is read), 0 no row, -2 the
  // column is NULL, -1 on a database error.
  int findMangementDevice(const std::string& mac, std::string* ip);
  // 1 when ap_property or device_list has a row for the MAC, else 0; a query that cannot run counts
  // as one without rows. As every reader: -1 and "IsMacRecorded()" on a database error while reading.
  int IsMacRecorded(const std::string& mac);

  // ---- AP property store (pollingdb_ap_properties.cpp) ----
  // Property names are ap_property columns: a name the table lacks is a database error, never SQL.

  // Appends one item per ap_polling_data row with oid and name, the oid made whole under rootOid: the
  // number appended; -1 and "GetPollingData()" on a database error.
  int GetPollingData(std::vector<PolledProperty>& items, const std::string& rootOid);
  // Inserts (name, stored value) for every polled property, NULL as "", keeping pairs already in the
  // map: the number of pairs taken; 0 when the AP has no row; -1 without a map, when nothing is polled,
  // or with "GetAPProperty()" on a database error.
  int GetAPProperty(std::map<std::string, std::string>* values, const std::string& mac);
  // Appends the polled properties whose stored value is "GETFAIL", their oid made whole under rootOid
  // as GetPollingData does, so they are read again where the AP answers: the number appended; 0 when the
  // AP has no row; -1 without a list, when nothing is polled, or with "readAPFailProperty()" on a
  // database error.
  int readAPFailProperty(std::vector<PolledProperty>* items, const std::string& mac, const std::string& rootOid);
  // Creates the AP's row, keyed by mac, from the items (name = column): 1; 0 when it has a row already
  // (nothing written); -1 when the MAC is in neither device table, or on a database error (nothing
  // written, "pollingdb insertAPProperty RollBackTransact" in the exception log).
  int insertAPProperty(const std::vector<PolledProperty>& items, const std::string& mac);
  // Writes the items' values into the AP's row in one statement; the key is never rewritten, nor
  // autoAssignChannel once the synchroniser has created a row. 0 written; 1 nothing to set (no
  // statement run); -1 when an item names no column or the statement fails (nothing written).
  int UpdateApProperties(const std::vector<PolledProperty>& items, const std::string& mac);
  // Writes one item's value: 0, also when a value of more than 64 characters is refused (location
  // takes any length); -1 when the item names no column or the statement fails.
  int UpdateApProperty(const PolledProperty* item, const std::string& mac);

  // ---- Stored values compared with the devices (pollingdb_compare.cpp) ----
  // A reader copies each column that is not NULL into its field and leaves the others as the caller set
  // them: 1 row read, 0 no row, -1 and "GetCompareInfo()" on a database error.

  int GetCompareInfo(ApIdentityRecord& identity, const std::string& mac);
  // The first field receives crvapautochannel, the second crvAPChannel.
  int GetCompareInfo(ApChannelRecord& channel, const std::string& mac);
  int GetCompareInfo(ApBalancingRecord& balancing, const std::string& mac);
  // The AP's APSysDHCP.
  int GetCompareInfo(std::string& dhcpMode, const std::string& mac);
  // What a switch's stored settings give: write community and sysObjectID from its managed row by ip,
  // the LLDP setting from its switch_property row by ip, or write community, sysObjectID and ip from
  // its managed row by mac.
  enum class SwitchSettingsLookup { CommunityByIp, LldpByIp, CommunityByMac };
  int GetCompareInfo(SwitchSettingsRecord& settings, const std::string& key, SwitchSettingsLookup lookup);
  // A managed switch's online state (2 online, 1 offline) or its LLDP setting (1 on, 2 off); 0 for any
  // other stored value, NULL or no row; -1 and "GetCompareInfo()" on a database error.
  enum class SwitchCode { Online, Lldp };
  int GetCompareInfo(const std::string& mac, SwitchCode code);
  // The write community of the device's managed row (inNewList 0) or new row (1); "" when there is
  // none or it is NULL, and with "GetCommunityByMac()" on a database error.
  std::string GetCommunityByMac(const std::string& mac, int inNewList = 0);

  // ---- AP property sync results (pollingdb_sync_results.cpp) ----

  // Merges the pass's differences into the stored ones, keyed by (mac, property): a pair stored with
  // other values is replaced, a new pair appended, and the table rewritten in one transaction. 1 written
  // (also when the table was empty); 0 every difference was stored already; -1 on a database error,
  // the stored rows kept ("saveSyncResult()" when reading, as insertSyncResult when writing).
  int saveSyncResult(const std::list<CDeviceProperty>& changes);
  // Appends one row per difference, leaving out filter entries that are neither a MAC text of 17
  // characters nor empty, in one transaction: 1; -1 on a database error (nothing written, exception log
  // and three message boxes naming the difference).
  int insertSyncResult(const std::list<CDeviceProperty>& rows);
  // Empties sync_result: 0; -1 when the statement fails.
  int ClearSyncResult();

  // ---- Single-column updates ----

  // LLDPonoff of the switch's switch_property rows: the number of rows changed, 0 when there is none,
  // -1 on a database error.
  int updateLLDP(const std::string& mac, const std::string& value);
  // KipAPIP, the AP's previous address, of the AP's ap_property rows: the number of rows changed, 0 when
  // there is none, -1 on a database error.
  int updatePreAPIP(const std::string& mac, const std::string& ip);
  // KipAPchannel, the AP's previous channel, likewise.
  int updatePreAPChannel(const std::string& mac, const std::string& channel);
  // anti_rogue, sys_name, location and LLDPonoff of every switch_property row of the settings' ip:
  // the number of rows changed, 0 when there is none, -1 on a database error.
  int updateAntiRogue(const SwitchSettingsRecord* settings);

  // ---- Settings row and discovery password ----

  // Reads the first global_setting row; a NULL column gives its default (60, 1, 600, 15, 1, 5). 1 read;
  // 0 no row (outputs unchanged); -1 and "getGlobalSetting()" on a database error.
  int getGlobalSetting(int& interval, int& timeout, int& monitorTime, int& logLevel, int& countryIndex,
                       int& threadNo);
  // Writes the first row: 0; -1 and "saveGlobalSetting()" on a database error, the empty table included.
  int saveGlobalSetting(const int& interval, const int& timeout, const int& monitorTime, const int& logLevel,
                        const int& countryIndex, const unsigned& countryCode, const int& threadNo);
  // The discovery password (w_community): 1 read (a NULL leaves community unchanged); -1 no row; -2 and
  // "getPassword()" on a database error.
  int getPassword(std::string& community);
  // 0 stored; -1 and "setPassword()" on a database error, the empty table included.
  int setPassword(const std::string& community);
  // APSysCountryCode of the first ap_property row, read like atoi: 1; -1 no row or NULL (code unchanged);
  // -2 and "getCountryCode()" on a database error.
  int getCountryCode(int& code);

  // ---- Link tables and their rotation ----

  // Appends the usable links (no NULL column) of the latest pass: their number; -1 on a database error.
  int getConnection(std::vector<LinkRow>& links);
  // Replaces the links of the latest pass by links, in one transaction: 0; -1 on a database error, the
  // previous links kept.
  int updateConnection(const std::vector<LinkRow>& links);
  // Folds the latest pass's links into the remembered links (device_map_prev), in one transaction. 0 when
  // the latest pass has no link; 1 remembered links written; -1 when nothing changed or on a database
  // error (the remembered links kept).
  int backupConnectTable();

  // ---- Link lookups and edits of the saved links ----
  // A lookup reads the first row the database returns; "" when there is none. A database error shows
  // "<method>()" and gives "".

  // The device remembered (device_map_prev) or saved (device_map) on the switch's port.
  std::string GetPrevPeerMacByPort(int port, const std::string& switchMac);
  std::string GetSavedPeerMacByPort(int port, const std::string& switchMac);
  // The switch the device hangs on, in the latest pass or else in the remembered links.
  std::string GetSrcMacByDestMac(const std::string& deviceMac, bool latestPass);
  // The switch the device hangs on in the saved links.
  std::string GetSavedSrcMacByDestMac(const std::string& deviceMac);
  // The switch port the device hangs on in the latest pass.
  std::string GetPollingSrcPortByDestMac(const std::string& deviceMac);
  // Deletes every saved link of the switch's port: 1 when the command ran, 0 when it failed.
  int DeleteDeviceMapLink(const std::string& switchMac, const std::string& port);
  // Copies the replaced device's remembered links into the saved links, unless the saved links already
  // hold the device on that switch. 0; -1 on a database error ("backupConnectTable()1" reading,
  // "backupConnectTable()2" writing, nothing written).
  int KeepReplacedDeviceLinks(const std::string& previousMac, const std::string& switchMac);

  // ---- Device rows ----

  // Stores the device in device_list (newDeviceMark not 0) or device_list_prev, marked new: 1 row added;
  // -1 row of the MAC updated, or a database error ("insertNewDevTable()").
  int insertNewDevTable(const DeviceListRow& row);
  // The device's ip in device_list (inNewList 1) or device_list_prev; online is not used. 0.
  int UpdateDeviceIp(const std::string& ip, int online, int inNewList, const std::string& mac);
  void SetDeviceStatus(int inNewList, const std::string& mac, int status);
  // The managed device's write community. 0.
  int UpdatePrevWriteCommunity(const std::string& community, const std::string& mac);
  void DeleteNewDevice(const std::string& mac);
  // Marks the new device's properties as stored. False when device_list has no row for the MAC or on
  // a database error.
  bool SetIsPropertySave(const std::string& mac);
  // 1 when the companion row exists, else 0 (HasSyncResult: -1).
  int HasApProperty(const std::string& mac);
  int HasSwitchProperty(const std::string& mac);
  int HasSyncResult(const std::string& mac);

  // ---- Device lists ----

  // Appends the managed devices with ip, mac, type and write_community set: their number; -1 and
  // "GetManagementDevList()" on a database error (rows appended stay).
  int GetManagementDevList(std::vector<ManagedDeviceRow>& devices);
  // Appends ip and mac of every new device that has both: their number, also after a database error
  // (which shows nothing).
  int GetNewDeviceAddresses(std::vector<PollingDeviceRecord>& devices);
  // As GetNewDeviceAddresses for the new APs; -1 and "GetNewAPDevList()" on a database error.
  int GetNewAPDevList(std::vector<PollingDeviceRecord>& devices);

  // ---- MAC filter entries, anti-rogue ports and vendor prefix ----

  // Replaces the AP's filter_entry rows by the entries of exactly 17 characters, in list order, in one
  // transaction (a failure keeps the rows the AP had). The number written; -1 on a database error.
  int insertFilterEntry(const std::string& apMac, const std::vector<std::string>& entries);
  // Appends the AP's filterMAC values; the number appended, 0 when there is none, -1 on a database error.
  int getFilterEntry(const std::string& apMac, std::vector<std::string>& entries);
  // The model's OUI text ("02 44 71"): 1 copied; -1 no row for the sysObjectID or its oui is NULL
  // (output unchanged); -2 on a database error.
  int GetSwitchOUI(const std::string& sysObjectId, std::string& oui);
  // 1 when the port is set in the switch's stored anti-rogue mask, 0 when not (or when the mask or model
  // is NULL), -1 when the switch has no switch_property row or on a database error. objid receives the
  // stored model.
  int CheckAntiRogue(const std::string& switchMac, int port, std::string& objid);

  // ---- Name numbers ----

  // Appends the name numbers of 1 or more used by devices of the kind (device_list first, then
  // device_list_prev), in table order, duplicates included. 0; -1 on a database error (message box
  // "loadId()"; a failure on device_list skips device_list_prev; numbers appended stay).
  int loadId(std::vector<int>& numbers, int type);
  // The integer atoi reads after the first '_' of the name (0 when no digits follow), -1 without '_'.
  static int GetNameNumber(const char* name);

 private:
  enum class ErrorBox { MethodName, ErrorText };

  // Read pattern: an empty result, or a query that could not be opened, returns none. A database
  // error while reading closes the recordset, shows "<method>()" (or the error's own text) and returns
  // errorResult; what read appended to an output list stays there.
  int ReadQuery(const char* method, const std::string& sql, const db::SqlParams& params, int none,
                const RecordsetWork& read, int errorResult = -1, ErrorBox box = ErrorBox::MethodName);

  // Write pattern: selects the rows to change; when there are none, returns 0 unless addWhenEmpty.
  // Otherwise runs change (bound statements through Run) in a transaction on the recordset's
  // connection and commits. A database error, a failed commit included, writes
  // "pollingdb <method> RollBackTransact" to the exception log, rolls back and returns -1, or what
  // report gives when the method reports more.
  int ChangeRows(const char* method, const std::string& select, const db::SqlParams& params, bool addWhenEmpty,
                 const RecordsetWork& change, const DbErrorReport& report = {});

  // Command pattern: one statement in a transaction of its own; 0, or -1 when it fails (the pool logs
  // why).
  int RunCommand(const std::string& sql, const db::SqlParams& params = {});

  // Throws db::CDbError when the recordset has no row to change.
  static void RequireRow(const db::CRecordset& recordset);
  // The column's text; a NULL value is a database error (db::CDbError).
  static std::string RequiredText(const db::CRecordset& recordset, const char* column);
  static bool IsNull(const db::CRecordset& recordset, const char* column);
  // The column read as a number like atoi; NULL gives fallback.
  static int NumberOr(const db::CRecordset& recordset, const char* column, int fallback);
  // The device of a row of device_list (isNew 1) or device_list_prev (0); none for a row without IP or
  // write community. A NULL name or MAC is a database error.
  static std::optional<PollingDeviceRecord> PollingDevice(const db::CRecordset& rs, int isNew);
  // The text of the column in the query's first row; "" when there is none or on a database error.
  std::string FirstText(const char* method, const std::string& sql, const db::SqlParams& params,
                        const char* column);
  // 1 when the query returns a row, else none.
  int HasRow(const char* method, const std::string& sql, const std::string& mac, int none);
  // Appends the usable links (no NULL column) from the cursor to the end; their number.
  static int ReadLinks(db::CRecordset& rs, std::vector<LinkRow>& links);
  // Inserts the links into the table, in order (inside a change).
  void InsertLinks(const char* table, const std::vector<LinkRow>& links);
  // Reads the polled property names (and oids) of ap_polling_data, then runs take on the AP's
  // ap_property rows: as GetAPProperty and readAPFailProperty give their results.
  using PolledRowWork = std::function<int(db::CRecordset& apRows, const std::vector<PolledProperty>& polled)>;
  int ReadPolledRows(const char* method, bool withOid, const std::string& rootOid, const std::string& mac,
                     const PolledRowWork& take);
  // Copies the columns that are not NULL of the first row into their fields (inside a read).
  static void CopyColumns(const db::CRecordset& rs, std::initializer_list<std::pair<const char*, std::string*>> fields);
  // The sync-result rows, read and written inside one change.
  static std::list<CDeviceProperty> ReadSyncRows(db::CRecordset& rs);
  void WriteSyncRows(const std::list<CDeviceProperty>& rows, CDeviceProperty& writing);
  // What a failed write of sync_result reports, naming the difference being written.
  int ReportSyncWriteFailure(const db::CDbError& error, const CDeviceProperty& writing);
  // The table of a device: device_list for new devices, device_list_prev for managed ones.
  static const char* DeviceTable(int inNewList) { return inNewList ? "device_list" : "device_list_prev"; }
};
