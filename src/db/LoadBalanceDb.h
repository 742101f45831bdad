#pragma once
// The data access of load balancing: the load-balance groups and the APs' group membership, the AP lists
// with their load-balance properties, the client monitor's poll rounds with their history queries, and
// the client events. It carries the poll-round number index_polling that every round and event shares.
// Every value reaches the database bound, never pasted into the statement.
#include <atomic>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "db/ApInfoRecord.h"
#include "db/ClientConnectRecord.h"
#include "db/ClientHistoryRecord.h"
#include "db/DbAccessBase.h"
#include "db/LoadBalanceGroupRecord.h"
#include "db/RecorderPollingRecord.h"

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
