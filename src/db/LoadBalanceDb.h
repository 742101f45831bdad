#pragma once
// The data access of load balancing: the load-balance groups and the APs' group membership, the AP lists
// with their load-balance properties, the client monitor's poll rounds with their history queries, and
// the client events. It carries the poll-round number index_polling that every round and event shares.
// Every value reaches the database bound, never pasted into the statement.
#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "db/ApInfoRecord.h"
#include "db/ClientConnectRecord.h"
#include "db/ClientHistoryRecord.h"
#include "db/ClientReportRecord.h"
#include "db/DbAccessBase.h"
#include "db/FilterEntryRecord.h"
#include "db/LoadBalanceGroupRecord.h"
#include "db/RecorderPollingRecord.h"
#include "db/RecorderReportRecord.h"
#include "platform/Clock.h"

class CLoadBalanceDb : public CDbAccessBase {
 public:
  CLoadBalanceDb() = default;
  ~CLoadBalanceDb() override = default;

  // ---- Poll-round number ----

  int GetIndexPolling() const { return index_polling.load(); }
  // The largest index_polling of global_setting; 0 when there is none.
  int LoadIndexPolling();
  // Stores index + 1, the next number to use, in global_setting; false when the update fails.
  bool SaveIndexPolling(int index);
  // Where a run starts counting: the largest of the saved number and the numbers recorder_polling and
  // client_connect_ap already hold.
  int StartIndexPolling();

  // ---- Poll rounds (LoadBalanceDb.cpp) ----

  // Stores one monitor round under the next poll-round number and the current time: one recorder_polling
  // row per AP, one client_connect_ap row per client of exactly 17 characters. A record without an AP MAC
  // is passed over and stays; a later record of an AP met before is removed from the list. An empty list
  // stores nothing and keeps the number. False after a database error (the APs before stay stored).
  bool SetRecordersPolling(std::vector<RecorderPollingRecord>& records);
  // The AP's rows with first <= minute stamp <= last, oldest first. True (nothing for an empty MAC).
  bool GetRecordersByApAndDate(const std::string& mac, std::vector<RecorderPollingRecord>& records, int first,
                               int last);
  // The rows of the latest round, most clients first. True.
  bool GetRecordersByIndex(std::vector<RecorderPollingRecord>& records);
  // The AP's first five rows, oldest first; false for an empty MAC.
  bool GetOldestRecorders(std::vector<RecorderPollingRecord>& records, const std::string& mac);
  // The AP's last five rows, newest first. True.
  bool GetLatestRecorders(std::vector<RecorderPollingRecord>& records, const std::string& mac);
  // Every client MAC recorded in a round. True.
  bool GetDistinctClientMacs(std::vector<std::string>& macs);
  // The managed AP's address; "" when the MAC has no row.
  std::string GetApIpByMac(const std::string& mac);
  // The minute stamp of a local date and time: its date part (minutes since 2000-01-01 to the day's start)
  // or, with timeOnly, its time part (hour * 60 + minute). A window is date part + time part at each end.
  static void DateTimeToMinutes(const std::tm& local, int& minutes, bool timeOnly);
  // The client's rounds with first < minute stamp < last on APs that are managed and have properties,
  // in round order; false when there is none. True, nothing read, for an empty MAC.
  bool GetClientConnectHistory(const std::string& clientMac, int first, int last,
                               std::vector<ClientHistoryRecord>& records);
  // As GetClientConnectHistory, only the client's first recorded round.
  bool GetClientFirstRoundHistory(const std::string& clientMac, int first, int last,
                                  std::vector<ClientHistoryRecord>& records);

  // ---- Client events (LoadBalanceDb.cpp) ----

  // Appends one client_info row per client of exactly 17 characters, stamped with the time of the round
  // index and the SSID of the first client's AP, in one transaction. False when the round has no
  // recorder_polling row (nothing written) or on a database error (nothing written).
  bool writeClienttodb(const std::vector<ClientConnectRecord>& clients, int index);
  // The time text and minute stamp (as text) of a round; false when it has no row.
  bool GetRecorderTime(int index, std::string& time, std::string& stamp);
  // The AP's crvAPssid ("" when NULL); false when the AP has no ap_property row.
  bool GetApSsid(const std::string& mac, std::string& ssid);

  // The client's events with from <= minute stamp <= to on APs still managed, by round and with "connect"
  // before "disconnect"; true when records holds any afterwards. True, nothing read, for an empty MAC.
  bool GetClientHistory(const std::string& clientMac, int from, int to, std::vector<ClientHistoryRecord>& records);

  // ---- Report windows (LoadBalanceDbReports.cpp) ----
  // begin and end are poll time texts ("%Y%m%d_%H:%M:%S"), both ends included. Rows are appended; then
  // every row of the list, also those there before, gets the name and address of its AP from
  // GetLoadBalanceApList (empty when the AP is not listed). -1 for an empty bound or no row, else the
  // number of rows in the list.

  // Each AP's rounds, by AP and round: MAC, time, traffic, users.
  int GetRecordersByTime(std::vector<RecorderReportRecord>& rows, const std::string& begin, const std::string& end);
  // Each client of each AP's rounds, one row with an empty client for a round without clients.
  int GetClientRecordersByTime(std::vector<ClientReportRecord>& rows, const std::string& begin, const std::string& end);
  // Each AP's rounds by load-balance group ("" for none): MAC, time, group, users.
  int GetGroupRecordersByTime(std::vector<RecorderReportRecord>& rows, const std::string& begin,
                              const std::string& end);
  // One AP's rounds: MAC, time, traffic, users, minute stamp. Without a round in the window: 0, and a
  // listed AP gets one row dated now with 0 users and 0 traffic (a one-point chart).
  int GetApRecordersByTime(std::vector<RecorderReportRecord>& rows, const std::string& begin, const std::string& end,
                           const std::string& mac);
  // A poll time text as a moment; now for an empty text; none when its parts form no date.
  static std::optional<platform::TimePoint> ParseRecorderTime(const std::string& text);

  // Report reads that nothing in the program calls.
  // As GetGroupRecordersByTime; the last argument is not used.
  int GetGroupRecordersByTime(std::vector<RecorderReportRecord>& rows, const std::string& begin, const std::string& end,
                              const std::string& unused);
  // Appends index and time of the rounds with from <= minute stamp <= to. True.
  bool GetPollCyclesByMinute(std::vector<RecorderPollingRecord>& records, int from, int to);
  // Appends the round numbers of the rows with from < minute stamp < to; the number appended.
  int GetIndexesByMinute(std::vector<int>& indexes, int from, int to);
  // Appends the round number of every row; the number appended.
  int GetAllIndexes(std::vector<int>& indexes);
  // Appends every MAC-filter entry (a NULL as ""). True.
  bool GetFilterEntries(std::vector<FilterEntryRecord>& entries);
  // True when the managed AP at the address belongs to a load-balance group, and after a database error.
  bool HasGroupBalance(const std::string& ip);

  // ---- One AP's stored load-balance properties (LoadBalanceDbApProperties.cpp) ----

  // Each stores the value in the AP's ap_property row; false when it has none or on a database error.
  bool SetApUserNumLimit(const std::string& value, const std::string& mac);
  bool SetApTrapHost(const std::string& value, const std::string& mac);
  bool SetApLoadBalanceStatus(const std::string& value, const std::string& mac);
  // The AP's stored balancing switch ("" when NULL); false for an empty MAC or no row.
  bool GetStoredLoadBalanceState(const std::string& mac, std::string& value);
  // Stores each AP's balancing switch with its user limit ("7" on, "60" off, unchanged otherwise), with
  // writeSsid its SSID, and its trap host when it has one, in one transaction. An AP without a row is
  // passed over. A database error rolls all back, appends the AP to failed and gives false; false also
  // when failed then holds as many records as aps. True for an empty list or table.
  bool SaveApLoadBalanceProperties(const std::vector<ApInfoRecord>& aps, std::vector<ApInfoRecord>& failed,
                                   bool writeSsid);
  // The MACs of the members of the AP's group when that group's template balances load, the AP itself
  // included; empty when the AP is in no such group.
  std::vector<std::string> GetLoadBalanceGroupMacs(const std::string& mac);
  // True when the AP belongs to a group whose template balances load.
  bool IsMacInLoadBalanceTemplate(const std::string& mac);

  // ---- Groups and AP lists (LoadBalanceDbGroups.cpp) ----

  // Appends the groups whose template has load balancing on, each with its member APs. True.
  bool loadGroupList(std::vector<LoadBalanceGroupRecord>& groups);
  // Adds a load_balance_group row per group (index: the largest + 1, 0 in an empty table, written back
  // into the record) and binds the group's APs. All or nothing; true for an empty list.
  bool CreateGroup(std::vector<LoadBalanceGroupRecord>& groups);
  // Binds each group's APs to it and rewrites the group's type and description. All or nothing.
  bool AddApsToGroup(const std::vector<LoadBalanceGroupRecord>& groups);
  // Renames formerNames[i] to groups[i].group_name, the group row and every AP bound to it. A name that
  // matches no group changes nothing and still gives true. All or nothing.
  bool RenameGroup(const std::vector<LoadBalanceGroupRecord>& groups, const std::vector<std::string>& formerNames);
  // Deletes the groups' rows and unbinds every AP of them. All or nothing.
  bool DeleteGroup(const std::vector<LoadBalanceGroupRecord>& groups);
  // Unbinds one AP; true at once for an empty group name or MAC.
  bool RemoveApsFromGroup(const std::string& group, const std::string& mac);
  // Switches the group's load_balance on (non-zero) or off; false when no group has the name (true when
  // there is no group at all).
  bool SetGroupLoadBalance(const std::string& group, int on);
  // Appends the managed APs (the new ones when none is managed) and fills the load-balance properties of
  // every record in the list from ap_property. The list's size.
  int GetLoadBalanceApList(std::vector<ApInfoRecord>& aps);
  // One managed AP by MAC: 1 found; -1 no device row (record untouched); -2 no ap_property row (device
  // fields filled).
  int GetApNode(ApInfoRecord& ap, const std::string& mac);
  // Appends the APs of the current discovery with SSID, trap host and balancing. The list's size.
  int GetCurrentApList(std::vector<ApInfoRecord>& aps);

  // Operations that nothing in the program calls.
  // Appends the stored group of each name with the APs bound to it; true also when a name has no group.
  bool LoadGroupsByName(const std::vector<std::string>& names, std::vector<LoadBalanceGroupRecord>& groups);
  // Replaces peers by the other APs of the AP's group (the AP found by address); false when there is
  // none, or for an empty address.
  bool GetGroupPeers(const std::string& ip, std::vector<ApInfoRecord>& peers);

 protected:
  std::atomic<int> index_polling{0};

 private:
  static int Number(const db::CRecordset& rs, const char* column);
  // Traffic is the sum of two 32-bit counters and needs more than an int.
  static std::int64_t Number64(const db::CRecordset& rs, const char* column);
  // Stores the value in one ap_property column of the AP's row; false without a row.
  bool SetApPropertyColumn(const char* column, const std::string& value, const std::string& mac);
  // Runs work (statements through Run) in one transaction; a database error rolls it back, writes
  // rollbackLog and the error to the exception log and gives false.
  bool InTransaction(const std::function<void()>& work, const std::string& rollbackLog);
  // Reads the rows of a query; false when there is none, or after a database error (logged).
  bool ReadRows(const std::string& sql, const db::SqlParams& params, const std::function<void(db::CRecordset&)>& row);
  bool ReadRecorders(const std::string& sql, const db::SqlParams& params, std::vector<RecorderPollingRecord>& records);
  bool ReadClientHistory(const std::string& sql, const db::SqlParams& params,
                         std::vector<ClientHistoryRecord>& records);
  // The AP row and the client rows of one AP of a round; false after a database error (logged).
  bool WriteApRound(const RecorderPollingRecord& record, int index, const std::string& timeText, int stamp);
  bool WriteApClients(const RecorderPollingRecord& record, int index);
  // Fills SSID, trap host and balancing from the AP's ap_property row, with full also the saved SSID (when
  // not NULL), location and security type; false when the AP has no row (the record unchanged).
  bool FillApProperties(ApInfoRecord& ap, bool full);
  static void FillDeviceFields(const db::CRecordset& rs, ApInfoRecord& ap);
};
