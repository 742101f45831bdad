// CGroupDatabase: the groups' templates and their MAC-filter entries.
#include <algorithm>
#include <cstdlib>

#include "db/GroupDatabase.h"
#include "db/MethodBox.h"
#include "platform/DebugTrace.h"

namespace {

// The template row of the group's first row.
const char kGroupTemplate[] =
    "SELECT * FROM user_def_group_main_template WHERE group_template_index = "
    "(SELECT group_template_index FROM user_def_group WHERE group_name = ? ORDER BY rowid LIMIT 1)";
const char kMacFilter[] =
    "SELECT mac_address, alias_name, filter_type FROM user_def_group_mac_control WHERE group_template_index = ?";

// A cell as a number the way the template is read: NULL and other texts give 0.
int NumberOf(const db::SqlValue& value) { return std::atoi(db::ValueToText(value).c_str()); }

// Columns 1 to 48 of a template row, field by field.
GroupTemplateRecord SettingsOf(const db::CRecordset::Row& row) {
  GroupTemplateRecord record;
  const auto settings = GroupTemplateRecord::Settings();
  for (size_t i = 0; i < settings.size(); ++i) {
    const db::SqlValue& cell = row.at(i + 1);
    std::visit(
        [&](auto field) {
          if constexpr (std::is_same_v<decltype(field), int GroupTemplateRecord::*>)
            record.*field = NumberOf(cell);
          else
            record.*field = db::ValueToText(cell);
        },
        settings[i].field);
  }
  return record;
}

MacControlEntry FilterEntryOf(const db::SqlValue& mac, const db::SqlValue& alias, const db::SqlValue& type) {
  MacControlEntry entry;
  entry.mac_address = db::ValueToText(mac);
  entry.alias_name = db::ValueToText(alias);
  if (!type.IsNull()) entry.filter_type = NumberOf(type);
  return entry;
}

// The settings an AP's group templates lay over each other; the other columns are not taken.
const char* const kOverlaidSettings[] = {
    "wireless_radio", "channel", "auto_select_channel", "super_g_mode", "wmm_function", "ssid_broadcast",
    "security_type", "wep_64_key_type", "wep_64_def_key_value", "wep_128_key_type", "wep_128_def_key_value",
    "radius_server1_port", "radius_server2_port", "tx_rate", "transmit_power", "beacon_interval", "rts_threshold",
    "fragmentation_threshold", "dtim_interval", "preamble_type", "cts_mode", "ssid", "wep_64_key1_value",
    "wep_64_key2_value", "wep_64_key3_value", "wep_64_key4_value", "wep_128_key1_value", "wep_128_key2_value",
    "wep_128_key3_value", "wep_128_key4_value", "radius_server1_ip", "radius_server1_secret", "radius_server2_ip",
    "radius_server2_secret"};

// An integer is laid over only when it is set (not -1, not NULL); a text always, NULL as "".
void OverlayTemplate(const db::CRecordset::Row& row, GroupTemplateRecord& record) {
  if (!row.at(0).IsNull() && NumberOf(row[0]) != -1) record.group_template_index = NumberOf(row[0]);
  const auto settings = GroupTemplateRecord::Settings();
  for (const char* name : kOverlaidSettings) {
    const auto setting = std::find_if(settings.begin(), settings.end(),
                                      [&](const auto& s) { return std::string_view(s.column) == name; });
    const db::SqlValue& cell = row.at(static_cast<size_t>(setting - settings.begin()) + 1);
    std::visit(
        [&](auto field) {
          if constexpr (std::is_same_v<decltype(field), int GroupTemplateRecord::*>) {
            if (!cell.IsNull() && NumberOf(cell) != -1) record.*field = NumberOf(cell);
          } else {
            record.*field = db::ValueToText(cell);
          }
        },
        setting->field);
  }
}

}  // namespace

int CGroupDatabase::ReadTemplate(const std::string& group, GroupTemplateRecord& record, bool withFilter,
                                 const char* method) {
  return ReadSelection(
      kGroupTemplate, {group}, -1,
      [&](db::CRecordset& rs) {
        GroupTemplateRecord read = SettingsOf(rs.Rows().front());
        if (withFilter) {
          db::CRecordset filter;
          if (!OpenRecordset(kMacFilter, {rs.GetValue(0)}, filter)) return -1;
          for (const auto& row : filter.Rows()) read.mac_control.push_back(FilterEntryOf(row[0], row[1], row[2]));
          CloseRecordset(filter);
        }
        record = std::move(read);
        return 0;
      },
      db::ShowMethodBox(method, -1));
}

int CGroupDatabase::GetGroupTemplate(const std::string& group, GroupTemplateRecord& record) {
  DebugTrace("Get group template");
  return ReadTemplate(group, record, true, "GetGroupTemplate");
}

int CGroupDatabase::GetGroupTemplateRow(const std::string& group, GroupTemplateRecord& record) {
  return ReadTemplate(group, record, false, "GetGroupTemplateRow");
}

int CGroupDatabase::ModifyGroupTemplate(const std::string& group, const GroupTemplateRecord& record) {
  return ChangeGroup(
      "SELECT group_template_index FROM (" + std::string(kGroupTemplate) + ")", {group}, -1,
      [&](db::CRecordset& rs) {
        const db::SqlValue index = rs.GetValue(0);
        std::string assignments;
        db::SqlParams values;
        for (const auto& setting : GroupTemplateRecord::Settings()) {
          assignments += (assignments.empty() ? "" : ", ") + std::string(setting.column) + " = ?";
          std::visit([&](auto field) { values.emplace_back(record.*field); }, setting.field);
        }
        values.push_back(index);
        Run("UPDATE user_def_group_main_template SET " + assignments + " WHERE group_template_index = ?", values);
        Run("DELETE FROM user_def_group_mac_control WHERE group_template_index = ?", {index});
        for (const MacControlEntry& entry : record.mac_control)
          Run("INSERT INTO user_def_group_mac_control (group_template_index, mac_address, alias_name, filter_type) "
              "VALUES (?, ?, ?, ?)",
              {index, entry.mac_address, entry.alias_name, entry.filter_type});
        return 0;
      },
      "ModifyGroupTemplate");
}

int CGroupDatabase::GetDefaultGroupTemplate(GroupTemplateRecord& record) {
  return GetGroupTemplate(kDefaultGroup, record);
}

int CGroupDatabase::SetDefaultGroupTemplate(const GroupTemplateRecord& record) {
  return ModifyGroupTemplate(kDefaultGroup, record) == -1 ? -1 : 0;
}

int CGroupDatabase::CopyGroupTemplate(const std::string& source, const std::string& target) {
  if (source == target) return -1;
  GroupTemplateRecord record;
  if (GetGroupTemplateRow(source, record) == -1) return -1;
  return ModifyGroupTemplate(target, record) == -1 ? -1 : 0;
}

int CGroupDatabase::GetGroupLoadBalance(const std::string& group, GroupTemplateRecord& record) {
  GroupTemplateRecord settings;
  if (GetGroupTemplateRow(group, settings) == -1) return -1;
  record = GroupTemplateRecord();
  record.loadbalance_group = settings.loadbalance_group;
  return 0;
}

int CGroupDatabase::GetApGroupTemplate(const std::string& mac, GroupTemplateRecord& record) {
  if (mac.empty()) return -1;
  std::vector<db::SqlValue> indexes;
  std::vector<db::CRecordset::Row> templates;
  std::vector<db::CRecordset::Row> filters;
  const auto readColumn = [&](db::CRecordset& rs) {
    for (const auto& row : rs.Rows()) indexes.push_back(row[0]);
    return 0;
  };
  const auto readRows = [](std::vector<db::CRecordset::Row>& rows) {
    return [&rows](db::CRecordset& rs) {
      rows = rs.Rows();
      return 0;
    };
  };
  const auto report = db::ShowMethodBox("GetApGroupTemplate", -1);
  if (ReadSelection("SELECT group_template_index FROM user_def_group WHERE group_device_mac = ?", {mac}, -1,
                    readColumn, report) != 0 ||
      ReadSelection("SELECT * FROM user_def_group_main_template", {}, -1, readRows(templates), report) != 0 ||
      ReadSelection("SELECT group_template_index, mac_address, alias_name, filter_type FROM "
                    "user_def_group_mac_control",
                    {}, -1, readRows(filters), report) != 0)
    return -1;
  GroupTemplateRecord result = record;
  for (const db::SqlValue& index : indexes) {
    const auto ofIndex = [&](const db::CRecordset::Row& row) { return !index.IsNull() && row.at(0) == index; };
    const auto found = std::find_if(templates.begin(), templates.end(), ofIndex);
    if (found != templates.end()) OverlayTemplate(*found, result);
    for (const auto& row : filters)
      if (ofIndex(row)) result.mac_control.push_back(FilterEntryOf(row[1], row[2], row[3]));
  }
  record = std::move(result);
  return 0;
}
