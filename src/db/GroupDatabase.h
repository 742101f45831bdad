#pragma once
// The stored user-defined groups of access points and their templates: user_def_group (one row per
// group and member, plus the group's anchor row with an empty MAC), user_def_group_main_template and
// user_def_group_mac_control. No state: build one where needed. Every change runs in one transaction,
// so a failure leaves the group as it was. The group "default" (template 0) comes with the database.
#include <optional>
#include <string>
#include <vector>

#include "db/ApInfoRecord.h"
#include "db/DbAccessBase.h"
#include "db/GroupMemberList.h"
#include "db/GroupTemplateRecord.h"

class CGroupDatabase : public CDbAccessBase {
 public:
  static constexpr const char* kDefaultGroup = "default";

  // ---- Groups and members (GroupDatabase.cpp) ----
  // Lists are replaced only on success; a member MAC without a managed device row is left out.

  // Every group with its members: 0; -1 when there is no group.
  int GetGroupList(std::vector<GroupMemberList>& groups);
  // Creates the group (anchor row, template row, MAC-filter rows) with the next template number, which
  // goes into the record's group_template_index: 0; -1 for an empty name or on a database error.
  int AddGroup(const std::string& group, GroupTemplateRecord* record);
  // 0; -1 when the group has no row or on a database error.
  int AddApToGroup(const std::string& group, const std::string& mac);
  // Removes the member and the MAC-filter entry of its MAC from the group's template; the group keeps
  // an anchor row. 0; -1 when the group has no row or on a database error.
  int DeleteApFromGroup(const std::string& group, const std::string& mac);
  // Removes the group's rows, template and MAC-filter entries; template 0 is never removed. 2 for
  // "default" (nothing removed), -1 on a database error, else 0.
  int DeleteGroup(const std::string& group);
  // 0; -1 for "default", when the old name has no row, the new one is taken, or on a database error.
  int RenameGroup(const std::string& oldName, const std::string& newName);
  int GroupExists(const std::string& group);     // 1 / 0
  int IsDefaultGroup(const std::string& group);  // 1 when the group's first row has template 0, else 0
  // The members: 0; -1 when none has a managed device row.
  int GetGroupDevices(const std::string& group, std::vector<ApInfoRecord>& devices);
  // Replaces the member rows by one per record, then the anchor row (a single blank when the list is
  // empty). 0; -1 when the group has no row or on a database error.
  int SetGroupDevices(const std::string& group, std::vector<ApInfoRecord> devices);
  // The managed APs: 0; -1 when there is none.
  int GetManagedApList(std::vector<ApInfoRecord>& aps);
  // The largest template number, at least 1.
  int GetMaxGroupTemplateIndex();

  // ---- Templates (GroupDatabaseTemplates.cpp) ----
  // Readers leave group_template_index at -1 and the record untouched on failure.

  // The group's template with its MAC-filter entries: 0; -1 when the group or its template is missing.
  int GetGroupTemplate(const std::string& group, GroupTemplateRecord& record);
  // The same without the MAC-filter entries.
  int GetGroupTemplateRow(const std::string& group, GroupTemplateRecord& record);
  // Writes the 48 settings and replaces the MAC-filter entries: 0; -1 when the group or its template is
  // missing or on a database error (nothing changed).
  int ModifyGroupTemplate(const std::string& group, const GroupTemplateRecord& record);
  int GetDefaultGroupTemplate(GroupTemplateRecord& record);
  int SetDefaultGroupTemplate(const GroupTemplateRecord& record);
  // The source's settings onto the target's template, which is left without MAC-filter entries. -1 for
  // equal names, a source without template or a failed write.
  int CopyGroupTemplate(const std::string& source, const std::string& target);
  // A fresh record holding only the group's loadbalance_group: 0; -1 when the template is missing.
  int GetGroupLoadBalance(const std::string& group, GroupTemplateRecord& record);
  // Overlays the templates of every group holding the AP on the record, in row order (integers only
  // when not -1, the radio, key and RADIUS texts always) and appends their MAC-filter entries. 0; -1
  // for an empty MAC, an AP in no group, or empty template tables.
  int GetApGroupTemplate(const std::string& mac, GroupTemplateRecord& record);

 private:
  // Reads the template row of the group's first row into a fresh record, with the MAC-filter entries
  // when withFilter is set.
  int ReadTemplate(const std::string& group, GroupTemplateRecord& record, bool withFilter, const char* method);
  // The devices a query of mac, ip, name gives, replacing the list: 0; none when there is no row.
  int ReadDevices(const std::string& sql, const db::SqlParams& params, std::vector<ApInfoRecord>& devices,
                  const char* method, int none);
  // Inside a change: whether the query has a row; a query that cannot run throws db::CDbError.
  bool HasRow(const std::string& sql, const db::SqlParams& params);
  // Runs change in one transaction on the rows the selection gives: whenEmpty (when set) for an empty
  // selection, -1 on a database error ("<method> RollBackTransact" in the exception log).
  int ChangeGroup(const std::string& select, const db::SqlParams& params, std::optional<int> whenEmpty,
                  const RecordsetWork& change, const char* method);
};
