#pragma once
// The group store: every question the group views, dialogs, template sheet and apply thread put to the
// database about groups of access points and their templates, the binding check (does an AP that is to
// receive a template already belong to another group whose template sets the same property), and the
// device lookups the consoles need before they talk to a device. No state; one instance per process,
// reached through GetGroupStore at each use.
#include <optional>
#include <string>
#include <vector>

#include "db/ApConfigRecord.h"
#include "db/ApInfoRecord.h"
#include "db/ApPropertyUpdate.h"
#include "db/ApSyncMarker.h"
#include "db/DbAccessBase.h"
#include "db/GroupMemberList.h"
#include "db/GroupTemplateRecord.h"
#include "db/KeyKind.h"
#include "groups/ApConfigFields.h"
#include "groups/GroupBindRecord.h"

class CGroupStore : public CDbAccessBase {
 public:
  CGroupStore() = default;
  ~CGroupStore() override = default;
  CGroupStore(const CGroupStore&) = delete;
  CGroupStore& operator=(const CGroupStore&) = delete;

  // ---- Groups and templates, as CGroupDatabase gives them (GroupStore.cpp) ----
  // The changes write their action-log lines; an AP appears in them by its managed IP and its MAC.

  int GetGroupList(std::vector<GroupMemberList>& groups);
  int AddGroup(const std::string& group, GroupTemplateRecord* record);  // "Add group %s"
  // "Add AP %s[%s] to group %s success" or "... fail"
  int AddApToGroup(const std::string& group, const std::string& mac);
  int GetGroupDevices(const std::string& group, std::vector<ApInfoRecord>& devices);
  int SetGroupDevices(const std::string& group, std::vector<ApInfoRecord> devices);
  int DeleteGroup(const std::string& group);                                    // "Delete group %s"; 2 for "default"
  int DeleteApFromGroup(const std::string& group, const std::string& mac);      // "Delete AP %s[%s] from group %s"
  int RenameGroup(const std::string& oldName, const std::string& newName);      // "Rename group %s to %s"
  int GetDefaultGroupTemplate(GroupTemplateRecord* record);
  int GetGroupTemplate(const std::string& group, GroupTemplateRecord* record);
  int GetGroupTemplateRow(const std::string& group, GroupTemplateRecord* record);
  int SetDefaultGroupTemplate(const GroupTemplateRecord* record);
  int ModifyGroupTemplate(const std::string& group, const GroupTemplateRecord* record);
  int CopyGroupTemplate(const std::string& source, const std::string& target);
  int GetGroupLoadBalance(const std::string& group, GroupTemplateRecord* record);
  int GetManagedApList(std::vector<ApInfoRecord>& aps);
  int GroupExists(const std::string& group);
  // 1 when the group's first row has template 0 (the group "default"), else 0.
  int IsDefaultTemplateGroup(const std::string& group);

  // ---- Property labels and bindings (GroupStoreBindings.cpp) ----

  // The label of a property index 0..20: 0; -1 for any other index (label untouched).
  int GetPropertyLabel(int property, std::string& label);
  // The first group with the template number: 0; -1 when there is none, its name is NULL, or on a
  // database error.
  int GetGroupNameByTemplateIndex(int index, std::string& name);
  int GetDefaultGroupName(std::string& name);
  // Appends one record per other group that shares an AP with the group, holding the properties 0..17
  // its template sets. 0 (an empty list when no AP of the group is managed); -1 on a NULL or a database
  // error.
  int GetGroupBindings(const std::string& group, std::vector<GroupBindRecord>& bindings);
  // True when the AP is a member of a group other than excludedGroup (every group when empty) whose
  // template sets a property the given template includes; the result gets that property and the
  // group's name. The group "default" never binds.
  bool CheckTemplateBinding(const std::string& mac, const GroupTemplateRecord* groupTemplate,
                            GroupBindRecord* result, const std::string& excludedGroup);
  // CheckTemplateBinding with the group's own template, the group itself excluded.
  bool CheckGroupBinding(const std::string& mac, const std::string& group, GroupBindRecord* result);
  // Replaces the list by the new APs of the discovery table (ip and mac): 0; -1 at a NULL ip or mac,
  // keeping the APs before it.
  int GetNewApList(std::vector<ApInfoRecord>& aps);
  int IsApInGroup(const std::string& mac, const std::string& group);  // 1 / 0
  // The template's index 0..12 of an AP's transmit rate (in 500 kbit/s); -1 for a rate outside the table.
  int TxRateValueToIndex(int rate);

  // ---- Device lookups (GroupStoreLookups.cpp) ----
  // A managed device (device_list_prev) is asked before a found one (device_list); a row found in the
  // first table is used even when its column is NULL. An absent device gives "" or -1.

  std::string GetDevIpByMac(const std::string& mac);  // managed devices only
  std::string GetDevPassword(const std::string& key, KeyKind kind);
  bool SetDevPassword(const std::string& ip, const std::string& community);
  std::string GetDevSysObjectID(const std::string& key, KeyKind kind);
  int GetDevPortNum(const std::string& key, KeyKind kind);
  std::string GetSwitchAntiRogue(const std::string& key, KeyKind kind);  // switch_property only
  bool SetSwitchAntiRogue(const std::string& mac, const std::string& value);
  // True when a row was found; mac is set only from a column that is not NULL.
  bool GetDevMacByIp(const std::string& ip, std::string& mac);
  int IsDevIpExist(const std::string& ip);  // 1 when device_list or device_list_prev has the address
  // Appends every supported model name: true; false for no row or at a NULL name (the names before it
  // kept), or after the message box on a database error.
  bool GetSupportSwitchName(std::vector<std::string>* names);
  std::string GetDevRootOIDByModelName(const std::string& model);
  int GetDevTypeByModelName(const std::string& model);
  std::string GetDefaultApSysObjectID(const std::string& ignored);

  // ---- Stored AP configuration (GroupStoreApConfig.cpp) ----

  // Fills a freshly built record with the AP's stored configuration and, for a "Changed" AP, the values
  // it had before the changes found on it (noting the address it answers at now when that pass puts back
  // an address or DHCP mode). 0; -1 when nothing is stored, no address is known for a static AP, or on a
  // database error (the record then holds what was read so far).
  int LoadApPreviousConfig(const std::string& mac, ApConfigRecord* record);
  // Fills filterMacsToAdd with the source AP's filter MACs the target lacks and filterMacsToDelete with
  // the target's the source lacks, both without separators. 0; -1 on a database error (both lists empty).
  int GetApFilterMacs(const std::string& targetMac, const std::string& sourceMac, ApConfigRecord* record);

  // ---- Synchronisation with the AP and its template (GroupStoreSync.cpp) ----

  // The AP's configuration as the device now has it: the stored one, and for a "Changed" AP the values
  // its differences report, each difference appended to markers. 0; -1 when nothing is stored or on a
  // database error.
  int LoadApSyncResult(const std::string& mac, ApConfigRecord* record, std::vector<ApSyncMarker>* markers);
  // How the AP stands against its group's template: -1 not loaded, 0 matches, 1 differs (or balances
  // against a template that does not), 2 matches a load-balance template, 3 differs from one (or does not
  // balance).
  int GetApTemplateState(const std::string& mac, const std::string& groupName);
  // Stores the values the AP accepted in ap_property, filter_entry and the device tables, drops the
  // differences they answer and clears the "Changed" status when none is left, all in one transaction.
  // 0; -1 on a database error, with nothing written.
  int SyncApConfiguration(const std::string& mac, const std::vector<ApPropertyUpdate>& updates);
  // True when the device was in a group and is in none now.
  bool RemoveDevFromGroups(const std::string& mac);

 private:
  // Every row of the query, NULL columns left out: 0 (also for no row); -1 on a database error.
  int ReadRows(const std::string& sql, const db::SqlParams& params, std::vector<groups::ColumnValues>& rows);
  // The first column of the first row of the first query that has a row, bound to params; none when
  // no query has one or on a database error (which shows "<errorBox>()" when given). traced writes
  // the sysObjectID trace lines.
  std::optional<db::SqlValue> LookUp(const std::vector<std::string>& queries, const db::SqlParams& params,
                                     const char* errorBox = nullptr, bool traced = false);
  // The device tables' queries of column by key, managed devices first.
  static std::vector<std::string> DeviceQueries(const char* column, KeyKind kind);
  // Writes an action-log line.
  static void LogAction(const std::string& text);
};

// The process-wide group store, created on first use from any thread; the application deletes it at
// shut-down, first of the process-wide services.
CGroupStore* GetGroupStore();
