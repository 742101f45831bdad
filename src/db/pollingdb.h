#pragma once
// The database layer of discovery and polling. No state: build one on the stack for one or a few
// calls. Every method reaches the database in one of three ways (see the private helpers): a query read
// row by row, a change of selected rows inside a transaction, or a single command.
#include <optional>
#include <string>
#include <vector>

#include "db/DbAccessBase.h"
#include "db/DbError.h"
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

class CPollingDb : public CDbAccessBase {
 public:
  CPollingDb() = default;
  ~CPollingDb() override = default;

  // ---- Polling device list and device flags ----

  // Appends the managed devices, then the new devices; the number appended, -1 on a database error.
  int GetPollingDevList(std::vector<PollingDeviceRecord>& list);
  // online 1 also clears the status; 0, or -1 without any write when online is neither 0 nor 1.
  int SetOnline(int inNewList, const std::string& mac, int online);
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

  // ---- Device rows ----

  // Marks the new device's properties as stored. False when device_list has no row for the MAC or on
  // a database error.
  bool SetIsPropertySave(const std::string& mac);

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

  // Command pattern: one statement in a transaction of its own; the pool logs a failure, and the
  // method does not look at the outcome.
  void RunCommand(const std::string& sql, const db::SqlParams& params = {});

  // The column's text; a NULL value is a database error (db::CDbError).
  static std::string RequiredText(const db::CRecordset& recordset, const char* column);
  static bool IsNull(const db::CRecordset& recordset, const char* column);
  // The column read as a number like atoi; NULL gives fallback.
  static int NumberOr(const db::CRecordset& recordset, const char* column, int fallback);
  // The device of a row of device_list (isNew 1) or device_list_prev (0); none for a row without IP or
  // write community. A NULL name or MAC is a database error.
  static std::optional<PollingDeviceRecord> PollingDevice(const db::CRecordset& rs, int isNew);
  // The table of a device: device_list for new devices, device_list_prev for managed ones.
  static const char* DeviceTable(int inNewList) { return inNewList ? "device_list" : "device_list_prev"; }
};
