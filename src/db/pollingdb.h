#pragma once
// The database layer of discovery and polling. No state: build one on the stack for one or a few
// calls. Every method reaches the database in one of three ways (see the private helpers): a query read
// row by row, a change of selected rows inside a transaction, or a single command.
#include <optional>
#include <string>
#include <vector>

#include "db/DbAccessBase.h"
#include "db/DbError.h"
#include "db/DeviceListRow.h"
#include "db/LinkRow.h"
#include "db/Recordset.h"
#include "db/SqlValue.h"

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

  // ---- Single-column updates ----

  // LLDPonoff of the switch's switch_property rows: the number of rows changed, 0 when there is none,
  // -1 on a database error.
  int updateLLDP(const std::string& mac, const std::string& value);
  // KipAPIP, the AP's previous address, of the AP's ap_property rows: the number of rows changed, 0 when
  // there is none, -1 on a database error.
  int updatePreAPIP(const std::string& mac, const std::string& ip);

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
  // The table of a device: device_list for new devices, device_list_prev for managed ones.
  static const char* DeviceTable(int inNewList) { return inNewList ? "device_list" : "device_list_prev"; }
};
