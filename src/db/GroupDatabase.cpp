// CGroupDatabase: groups and their members.
#include "db/GroupDatabase.h"

#include <cstdlib>

#include "db/MethodBox.h"
#include "db/db_maintain.h"

namespace {

// The group's template number, read from its first row.
const char kFirstRowIndex[] =
    "SELECT group_template_index FROM user_def_group WHERE group_name = ? ORDER BY rowid LIMIT 1";
const char kMaxTemplateIndex[] = "SELECT MAX(group_template_index) FROM user_def_group_main_template";
const char kInsertGroupRow[] =
    "INSERT INTO user_def_group (group_name, group_template_index, group_device_mac) VALUES (?, ?, ?)";
const char kGroupMembers[] =
    "SELECT mac, ip, name FROM device_list_prev WHERE mac IN "
    "(SELECT group_device_mac FROM user_def_group WHERE group_name = ?)";

// A MAX of template numbers as the largest one in use: at least 1, so new groups start at 2.
int MaxIndexOf(const db::SqlValue& value) {
  const int index = value.IsNull() ? 1 : std::atoi(db::ValueToText(value).c_str());
  return index < 1 ? 1 : index;
}

int TemplateIndexOf(const db::CRecordset& rs) { return std::atoi(rs.GetText("group_template_index").c_str()); }

db::SqlParams TemplateValues(int index, const GroupTemplateRecord& record) {
  db::SqlParams values{index};
  for (const auto& setting : GroupTemplateRecord::Settings())
    std::visit([&](auto field) { values.emplace_back(record.*field); }, setting.field);
  return values;
}

}  // namespace

int CGroupDatabase::ChangeGroup(const std::string& select, const db::SqlParams& params, std::optional<int> whenEmpty,
                                const RecordsetWork& change, const char* method) {
  return ChangeSelection(select, params, whenEmpty, change, std::string(method) + " RollBackTransact",
                         [](const db::CDbError&) { return -1; });
}

bool CGroupDatabase::HasRow(const std::string& sql, const db::SqlParams& params) {
  db::CRecordset recordset;
  const bool opened = OpenRecordset(sql, params, recordset);
  const bool found = opened && !CDB_Maintain::IsRecordsetEmpty(recordset);
  CloseRecordset(recordset);
  if (!opened) throw db::CDbError("The rows could not be read: " + sql, "HasRow");
  return found;
}

int CGroupDatabase::ReadDevices(const std::string& sql, const db::SqlParams& params,
                                std::vector<ApInfoRecord>& devices, const char* method, int none) {
  return ReadSelection(
      sql, params, none,
      [&](db::CRecordset& rs) {
        std::vector<ApInfoRecord> read;
        for (; !rs.IsEOF(); rs.MoveNext()) {
          ApInfoRecord& device = read.emplace_back();
          device.mac = rs.GetText(0);
          device.ip = rs.GetText(1);
          device.name = rs.GetText(2);
        }
        devices = std::move(read);
        return 0;
      },
      db::ShowMethodBox(method, -1));
}

int CGroupDatabase::GetGroupList(std::vector<GroupMemberList>& groups) {
  return ReadSelection(
      "SELECT DISTINCT group_name FROM user_def_group", {}, -1,
      [&](db::CRecordset& rs) {
        std::vector<GroupMemberList> read;
        for (; !rs.IsEOF(); rs.MoveNext()) {
          GroupMemberList& group = read.emplace_back();
          group.group_name = rs.GetText(0);
          // A group without managed members is listed with none.
          if (ReadDevices(kGroupMembers, {group.group_name}, group.members, "GetGroupList", 0) != 0) return -1;
        }
        groups = std::move(read);
        return 0;
      },
      db::ShowMethodBox("GetGroupList", -1));
}

int CGroupDatabase::AddGroup(const std::string& group, GroupTemplateRecord* record) {
  if (group.empty() || record == nullptr) return -1;
  int index = -1;
  const int result = ChangeGroup(kMaxTemplateIndex, {}, std::nullopt, [&](db::CRecordset& rs) {
    index = MaxIndexOf(rs.GetValue(0)) + 1;
    Run(kInsertGroupRow, {group, index, ""});
    for (const MacControlEntry& entry : record->mac_control)
      Run("INSERT INTO user_def_group_mac_control (group_template_index, mac_address, alias_name, filter_type) "
          "VALUES (?, ?, ?, ?)",
          {index, entry.mac_address, entry.alias_name, entry.filter_type});
    const db::SqlParams values = TemplateValues(index, *record);
    std::string placeholders = "?";
    for (size_t i = 1; i < values.size(); ++i) placeholders += ", ?";
    Run("INSERT INTO user_def_group_main_template VALUES (" + placeholders + ")", values);
    return 0;
  }, "AddGroup");
  if (result == 0) record->group_template_index = index;
  return result;
}

int CGroupDatabase::AddApToGroup(const std::string& group, const std::string& mac) {
  if (group.empty()) return -1;
  return ChangeGroup(kFirstRowIndex, {group}, -1, [&](db::CRecordset& rs) {
    Run(kInsertGroupRow, {group, TemplateIndexOf(rs), mac});
    return 0;
  }, "AddApToGroup");
}

int CGroupDatabase::DeleteApFromGroup(const std::string& group, const std::string& mac) {
  return ChangeGroup(kFirstRowIndex, {group}, -1, [&](db::CRecordset& rs) {
    const int index = TemplateIndexOf(rs);
    Run("DELETE FROM user_def_group WHERE group_name = ? AND group_device_mac = ?", {group, mac});
    Run("DELETE FROM user_def_group_mac_control WHERE group_template_index = ? AND mac_address = ?", {index, mac});
    // The group lives on in its anchor row.
    if (!HasRow("SELECT 1 FROM user_def_group WHERE group_name = ?", {group}))
      Run(kInsertGroupRow, {group, index, ""});
    return 0;
  }, "DeleteApFromGroup");
}

int CGroupDatabase::DeleteGroup(const std::string& group) {
  if (group == kDefaultGroup) return 2;
  return ChangeGroup(kFirstRowIndex, {group}, std::nullopt, [&](db::CRecordset&) {
    const std::string ofGroup =
        " WHERE group_template_index IN (SELECT group_template_index FROM user_def_group WHERE group_name = ?)"
        " AND group_template_index <> 0";
    Run("DELETE FROM user_def_group_mac_control" + ofGroup, {group});
    Run("DELETE FROM user_def_group_main_template" + ofGroup, {group});
    Run("DELETE FROM user_def_group WHERE group_name = ? AND group_name <> 'default'", {group});
    return 0;
  }, "DeleteGroup");
}

int CGroupDatabase::RenameGroup(const std::string& oldName, const std::string& newName) {
  // The built-in group is found by its name (its template, the guard of DeleteGroup): it keeps it.
  if (oldName == kDefaultGroup) return -1;
  return ChangeGroup(kFirstRowIndex, {oldName}, -1, [&](db::CRecordset&) {
    if (HasRow("SELECT 1 FROM user_def_group WHERE group_name = ?", {newName})) return -1;
    Run("UPDATE user_def_group SET group_name = ? WHERE group_name = ?", {newName, oldName});
    return 0;
  }, "RenameGroup");
}

int CGroupDatabase::GroupExists(const std::string& group) {
  return ReadSelection("SELECT 1 FROM user_def_group WHERE group_name = ?", {group}, 0,
                       [](db::CRecordset&) { return 1; }, db::ShowMethodBox("GroupExists", 0));
}

int CGroupDatabase::IsDefaultGroup(const std::string& group) {
  return ReadSelection(
      kFirstRowIndex, {group}, 0,
      [](db::CRecordset& rs) {
        const db::SqlValue& index = rs.GetValue(0);
        return !index.IsNull() && TemplateIndexOf(rs) == 0 ? 1 : 0;
      },
      db::ShowMethodBox("IsDefaultGroup", 0));
}

int CGroupDatabase::GetGroupDevices(const std::string& group, std::vector<ApInfoRecord>& devices) {
  return ReadDevices(kGroupMembers, {group}, devices, "GetGroupDevices", -1);
}

int CGroupDatabase::SetGroupDevices(const std::string& group, std::vector<ApInfoRecord> devices) {
  return ChangeGroup(kFirstRowIndex, {group}, -1, [&](db::CRecordset& rs) {
    const int index = TemplateIndexOf(rs);
    Run("DELETE FROM user_def_group WHERE group_name = ?", {group});
    if (devices.empty()) {
      Run(kInsertGroupRow, {group, index, " "});
      return 0;
    }
    for (const ApInfoRecord& device : devices) Run(kInsertGroupRow, {group, index, device.mac});
    Run(kInsertGroupRow, {group, index, ""});
    return 0;
  }, "SetGroupDevices");
}

int CGroupDatabase::GetManagedApList(std::vector<ApInfoRecord>& aps) {
  return ReadDevices("SELECT mac, ip, name FROM device_list_prev WHERE type = 2 AND status = 0", {}, aps,
                     "GetManagedApList", -1);
}

int CGroupDatabase::GetMaxGroupTemplateIndex() {
  return ReadSelection(kMaxTemplateIndex, {}, 1, [](db::CRecordset& rs) { return MaxIndexOf(rs.GetValue(0)); },
                       [](const db::CDbError&) { return 1; });
}
