// CGroupStore: property labels, the binding check between groups that share an AP, and the small
// group queries of the group dialogs.
#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "db/GroupDatabase.h"
#include "groups/GroupStore.h"

namespace {

const char* const kPropertyLabels[] = {
    "bgMode",       "wireless radio",   "ssid",          "channel",        "superG",
    "wmm function", "ssid broadcast",   "security",      "tx rates",       "transmit power",
    "beacon interval", "rts threshold", "fragmentation", "dtim interval",  "preamble type",
    "cts mode",     "mac control",      "Load Balance status", "Management host", "User number limit",
    "WLAN Partition"};
constexpr int kMacControlProperty = 16;

template <int GroupTemplateRecord::*Field>
bool IsSet(const GroupTemplateRecord& t) {
  return t.*Field != -1;
}
template <std::string GroupTemplateRecord::*Field>
bool HasText(const GroupTemplateRecord& t) {
  return !(t.*Field).empty();
}
bool ChannelSet(const GroupTemplateRecord& t) { return t.channel != -1 || t.auto_select_channel != -1; }
bool HasFilter(const GroupTemplateRecord& t) { return !t.mac_control.empty(); }

// One test of the binding check, in the order they run: when the given template includes the
// property, it fires on another group's template whose column is set. No column: that template's
// MAC-filter entries.
struct BindingTest {
  bool (*included)(const GroupTemplateRecord&);
  const char* column;
  bool text;
  int property;
};

using T = GroupTemplateRecord;
const BindingTest kBindingTests[] = {
    {IsSet<&T::bg_mode>, "super_g_mode", false, 4},
    {IsSet<&T::bg_mode>, "bg_mode", false, 0},
    {IsSet<&T::wireless_radio>, "wireless_radio", false, 1},
    {HasText<&T::ssid>, "ssid", true, 2},
    {ChannelSet, "channel", false, 3},
    {ChannelSet, "auto_select_channel", false, 3},
    {IsSet<&T::super_g_mode>, "super_g_mode", false, 4},
    {IsSet<&T::wmm_function>, "wmm_function", false, 5},
    {IsSet<&T::ssid_broadcast>, "ssid_broadcast", false, 6},
    {IsSet<&T::security_type>, "security_type", false, 7},
    {IsSet<&T::tx_rate>, "tx_rate", false, 8},
    {IsSet<&T::transmit_power>, "transmit_power", false, 9},
    {IsSet<&T::beacon_interval>, "beacon_interval", false, 10},
    {IsSet<&T::rts_threshold>, "rts_threshold", false, 11},
    {IsSet<&T::fragmentation_threshold>, "fragmentation_threshold", false, 12},
    {IsSet<&T::dtim_interval>, "dtim_interval", false, 13},
    {IsSet<&T::preamble_type>, "preamble_type", false, 14},
    {IsSet<&T::cts_mode>, "cts_mode", false, 15},
    {HasFilter, nullptr, false, kMacControlProperty},
    {IsSet<&T::loadbalance_group>, "loadbalance_group", false, 17},
    {HasText<&T::management_host>, "management_host", true, 18},
    {HasText<&T::UserNumberLimit>, "UserNumberLimit", true, 19},
    {HasText<&T::WLAN_Partition>, "WLAN_Partition", true, 20},
};

bool ColumnSet(const db::SqlValue& value, bool text) {
  if (value.IsNull()) return false;
  const std::string cell = db::ValueToText(value);
  return text ? !cell.empty() : std::atoi(cell.c_str()) != -1;
}

// The properties 0..17 a template sets, as the template sheet is told about another group.
std::set<int> SetProperties(const GroupTemplateRecord& t) {
  std::set<int> properties;
  const std::pair<bool, int> checks[] = {
      {t.bg_mode != -1, 0},
      {t.wireless_radio != -1, 1},
      {!t.ssid.empty(), 2},
      {t.channel != -1 || t.auto_select_channel == 1, 3},
      {t.super_g_mode != -1, 4},
      {t.wmm_function != -1, 5},
      {t.ssid_broadcast != -1, 6},
      {t.security_type != -1, 7},
      {t.tx_rate != -1, 8},
      {t.transmit_power != -1, 9},
      {t.beacon_interval != -1, 10},
      {t.rts_threshold != -1, 11},
      {t.fragmentation_threshold != -1, 12},
      {t.dtim_interval != -1, 13},
      {t.preamble_type != -1, 14},
      {t.cts_mode != -1, 15},
      {!t.mac_control.empty(), kMacControlProperty},
      {t.loadbalance_group != -1, 17},
  };
  for (const auto& [set, property] : checks)
    if (set) properties.insert(property);
  return properties;
}

int Fail(const db::CDbError&) { return -1; }

}  // namespace

int CGroupStore::GetPropertyLabel(int property, std::string& label) {
  if (property < 0 || property >= static_cast<int>(std::size(kPropertyLabels))) return -1;
  label = kPropertyLabels[property];
  return 0;
}

int CGroupStore::GetGroupNameByTemplateIndex(int index, std::string& name) {
  return ReadSelection(
      "SELECT group_name FROM user_def_group WHERE user_def_group.group_template_index = ?", {index}, -1,
      [&](db::CRecordset& rs) {
        if (rs.GetValue(0).IsNull()) return -1;
        name = rs.GetText(0);
        return 0;
      },
      Fail);
}

int CGroupStore::GetDefaultGroupName(std::string& name) { return GetGroupNameByTemplateIndex(0, name); }

int CGroupStore::GetGroupBindings(const std::string& group, std::vector<GroupBindRecord>& bindings) {
  const int result = ReadSelection(
      "SELECT DISTINCT user_def_group.group_name, user_def_group.group_device_mac, device_list_prev.ip "
      "FROM user_def_group, device_list_prev WHERE user_def_group.group_device_mac = device_list_prev.mac "
      "AND user_def_group.group_device_mac IN (SELECT group_device_mac FROM user_def_group WHERE group_name = ?)",
      {group}, 1,
      [&](db::CRecordset& rs) {
        for (; !rs.IsEOF(); rs.MoveNext()) {
          if (rs.GetValue(0).IsNull()) return -1;
          const std::string other = rs.GetText(0);
          const bool known = std::any_of(bindings.begin(), bindings.end(),
                                         [&](const GroupBindRecord& b) { return b.groupName == other; });
          if (other == group || known) continue;
          if (rs.GetValue(1).IsNull() || rs.GetValue(2).IsNull()) return -1;
          GroupBindRecord binding;
          binding.mac = rs.GetText(1);
          binding.ip = rs.GetText(2);
          binding.groupName = other;
          // A template that cannot be read sets nothing.
          GroupTemplateRecord otherTemplate;
          CGroupDatabase().GetGroupTemplate(other, otherTemplate);
          binding.properties = SetProperties(otherTemplate);
          bindings.push_back(std::move(binding));
        }
        return 0;
      },
      Fail);
  if (result == 1) bindings.clear();  // no AP of the group is managed
  return result == 1 ? 0 : result;
}

bool CGroupStore::CheckTemplateBinding(const std::string& mac, const GroupTemplateRecord* groupTemplate,
                                       GroupBindRecord* result, const std::string& excludedGroup) {
  if (groupTemplate == nullptr || result == nullptr) return false;
  std::string sql =
      "SELECT * FROM user_def_group_main_template WHERE user_def_group_main_template.group_template_index IN "
      "(SELECT group_template_index FROM user_def_group WHERE group_device_mac = ?";
  db::SqlParams params{mac};
  if (!excludedGroup.empty()) {
    sql += " AND group_name <> ?";
    params.emplace_back(excludedGroup);
  }
  sql += ")";
  std::string groupName;
  return ReadSelection(
             sql, params, 0,
             [&](db::CRecordset& rs) {
               for (; !rs.IsEOF(); rs.MoveNext()) {
                 const db::SqlValue index = rs.GetValue("group_template_index");
                 const int number = std::atoi(db::ValueToText(index).c_str());
                 if (index.IsNull() || number == 0) continue;  // the group "default" never binds
                 GetGroupNameByTemplateIndex(number, groupName);  // the name stays as it was when none is found
                 for (const BindingTest& test : kBindingTests) {
                   if (!test.included(*groupTemplate)) continue;
                   const bool fired =
                       test.column ? ColumnSet(rs.GetValue(test.column), test.text)
                                   : ReadSelection("SELECT group_template_index FROM user_def_group_mac_control "
                                                   "WHERE group_template_index = ?",
                                                   {number}, 0, [](db::CRecordset&) { return 1; },
                                                   [](const db::CDbError& error) -> int { throw error; }) == 1;
                   if (!fired) continue;
                   result->properties.insert(test.property);
                   result->groupName = groupName;
                   return 1;
                 }
               }
               return 0;
             },
             [](const db::CDbError&) { return 0; }) == 1;
}

bool CGroupStore::CheckGroupBinding(const std::string& mac, const std::string& group, GroupBindRecord* result) {
  // A template that cannot be read includes nothing and never binds.
  GroupTemplateRecord groupTemplate;
  CGroupDatabase().GetGroupTemplate(group, groupTemplate);
  return CheckTemplateBinding(mac, &groupTemplate, result, group);
}

int CGroupStore::GetNewApList(std::vector<ApInfoRecord>& aps) {
  aps.clear();
  return ReadSelection(
      "SELECT ip, mac FROM device_list WHERE type = 2 AND isnew = 1", {}, 0,
      [&](db::CRecordset& rs) {
        for (; !rs.IsEOF(); rs.MoveNext()) {
          if (rs.GetValue(0).IsNull() || rs.GetValue(1).IsNull()) return -1;
          ApInfoRecord& ap = aps.emplace_back();
          ap.ip = rs.GetText(0);
          ap.mac = rs.GetText(1);
        }
        return 0;
      },
      Fail);
}

int CGroupStore::IsApInGroup(const std::string& mac, const std::string& group) {
  return ReadSelection("SELECT 1 FROM user_def_group WHERE group_device_mac = ? AND group_name = ?", {mac, group}, 0,
                       [](db::CRecordset&) { return 1; }, [](const db::CDbError&) { return 0; });
}

int CGroupStore::TxRateValueToIndex(int rate) {
  static const int kRates[] = {0, 2, 4, 11, 12, 18, 22, 24, 36, 48, 72, 96, 108};
  const auto found = std::find(std::begin(kRates), std::end(kRates), rate);
  return found == std::end(kRates) ? -1 : static_cast<int>(found - std::begin(kRates));
}
