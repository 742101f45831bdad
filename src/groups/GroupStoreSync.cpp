// CGroupStore: the AP's configuration as the device now has it, how it stands against its group's
// template, and storing what was just set on it.
#include <algorithm>
#include <cstdlib>
#include <map>

#include "db/ApRowAddedFlag.h"
#include "db/TopologyDBManager.h"
#include "groups/FilterMac.h"
#include "groups/GroupStore.h"
#include "log/LogDBModule.h"

namespace {

constexpr int kStatusChanged = 3;
constexpr int kWarning = 2;

std::string TextIn(const groups::ColumnValues& row, const char* column) {
  const auto value = row.find(column);
  return value == row.end() ? "" : value->second;
}

// A filter MAC as filter_entry keeps it: twelve hex digits in colon-separated pairs.
std::string ColonMac(const std::string& mac) {
  std::string text;
  for (char c : mac)
    if (c != ':') text += c;
  for (size_t at : {2, 5, 8, 11, 14})
    if (at < text.size()) text.insert(at, 1, ':');
  return text;
}

bool IsDefaultKeyColumn(const std::string& column) {
  return column == "crvAPWEP64DefaultKeyValue" || column == "crvAPWEP128DefaultKeyValue" ||
         column == "crvAPWEP152DefaultKeyValue";
}

// True at the first property the template includes that the AP does not have. The load-balance
// comparison leaves the WEP key type out. txRateIndex is the AP's transmit rate as the template counts it.
bool DiffersFromTemplate(const GroupTemplateRecord& t, const ApConfigRecord& ap, int txRateIndex, bool loadBalance) {
  const auto differs = [](int wanted, int actual) { return wanted != -1 && wanted != actual; };
  const auto textDiffers = [](const std::string& wanted, const std::string& actual) {
    return !wanted.empty() && wanted != actual;
  };
  if (textDiffers(t.management_host, ap.enterpriseAPSysSNMPTrapIP) || differs(t.bg_mode, ap.crvAPBGMode) ||
      differs(t.wireless_radio, ap.crvAPWirelessRadio) || textDiffers(t.ssid, ap.crvAPssid) ||
      differs(t.channel, ap.crvAPChannel) || differs(t.super_g_mode, ap.crvAPSuperG) ||
      differs(t.wmm_function, ap.crvAPWMMFunc) || differs(t.ssid_broadcast, ap.crvAPSSIDBroadcast) ||
      differs(t.security_type, ap.crvAPSecurityType))
    return true;
  if (!loadBalance && t.security_type == 2 && ap.crvAPSecurityType == 2 && t.wep_64_key_type != ap.crvAPWEP64KeyType)
    return true;
  if (differs(t.tx_rate, txRateIndex) ||
      differs(t.transmit_power, ap.crvAPAntennaTransmitPower) || differs(t.beacon_interval, ap.crvAPBeaconInterval) ||
      differs(t.rts_threshold, ap.crvAPRTSThreshold) ||
      differs(t.fragmentation_threshold, ap.crvAPFragmentationThreshold) ||
      differs(t.dtim_interval, ap.crvAPDTIMinterval) || differs(t.preamble_type, ap.crvAPPreambleType) ||
      differs(t.cts_mode, ap.crvAPCTSMode))
    return true;
  if (!t.WLAN_Partition.empty() && std::atoi(t.WLAN_Partition.c_str()) != ap.WLAN_Partition) return true;
  if (t.mac_filter_type == -1) return false;
  if (t.mac_filter_type != ap.filterType || t.mac_control.size() != ap.filterMacs.size()) return true;
  return std::any_of(t.mac_control.begin(), t.mac_control.end(), [&](const MacControlEntry& wanted) {
    return std::none_of(ap.filterMacs.begin(), ap.filterMacs.end(),
                        [&](const MacControlEntry& held) { return groups::SameFilterMac(held.mac_address, wanted.mac_address); });
  });
}

}  // namespace

int CGroupStore::LoadApSyncResult(const std::string& mac, ApConfigRecord* record, std::vector<ApSyncMarker>* markers) {
  if (!record || !markers || LoadApPreviousConfig(mac, record) != 0) return -1;
  if (TopologyDBManager().GetDeviceStatus(mac, false) != kStatusChanged) return 0;
  std::vector<groups::ColumnValues> differences;
  if (ReadRows("SELECT * FROM sync_result WHERE mac = ?", {mac}, differences) != 0) return -1;
  for (const auto& difference : differences) {
    ApSyncMarker marker{TextIn(difference, "property"), TextIn(difference, "previous"), TextIn(difference, "current")};
    const std::string& current = marker.current;
    if (marker.property == "APSysDHCP") {
      record->APSysDHCP = current == "1";
      if (record->APSysDHCP) record->ip = GetDevIpByMac(mac);
    } else if (marker.property == "ip") {
      record->ip = current;
    } else if (marker.property == "crvAPAutoChannel") {
      if (!current.empty()) record->crvapautochannel = std::atoi(current.c_str());
    } else if (marker.property == "filter_entry") {
      if (marker.previous.empty() && !current.empty()) {
        record->filterMacs.push_back({current, "", -1});
      } else if (current.empty() && !marker.previous.empty()) {
        std::erase_if(record->filterMacs,
                      [&](const MacControlEntry& e) { return groups::SameFilterMac(e.mac_address, marker.previous); });
      }
    } else {
      groups::ApConfigFields::Apply(marker.property, current, *record);
    }
    markers->push_back(std::move(marker));
  }
  return 0;
}

int CGroupStore::GetApTemplateState(const std::string& mac, const std::string& groupName) {
  GroupTemplateRecord groupTemplate;
  // A template that cannot be read includes nothing, and so matches.
  GetGroupTemplate(groupName, &groupTemplate);
  ApConfigRecord ap;
  std::vector<ApSyncMarker> markers;
  if (LoadApSyncResult(mac, &ap, &markers) == -1) return -1;
  const int balanceGroup = groupTemplate.loadbalance_group;
  if (balanceGroup == 0 && ap.LoadBalanceStatus == 1) return 1;
  if (balanceGroup == 1 && ap.LoadBalanceStatus == 0) return 3;
  const bool loadBalance = balanceGroup == 1 && ap.LoadBalanceStatus == 1;
  const bool differs = DiffersFromTemplate(groupTemplate, ap, TxRateValueToIndex(ap.crvAPTxRates), loadBalance);
  return loadBalance ? (differs ? 3 : 2) : (differs ? 1 : 0);
}

int CGroupStore::SyncApConfiguration(const std::string& mac, const std::vector<ApPropertyUpdate>& updates) {
  if (updates.empty()) return 0;
  bool rowAdded = false;
  const int result = ChangeSelection(
      "SELECT * FROM ap_property WHERE mac = ?", {mac}, std::nullopt,
      [&](db::CRecordset& row) {
        rowAdded = row.Rows().empty();
        std::map<std::string, std::string> values;  // ap_property column -> value to store
        for (const ApPropertyUpdate& update : updates) {
          if (!update.ok || update.column == "auto_select_channel") continue;
          if (update.column == "ap_mac_control") {
            const std::string filterMac = ColonMac(update.value);
            if (update.macFilterOperation == ApPropertyUpdate::kAddFilterMac)
              Run("INSERT INTO filter_entry (mac, filterMAC) VALUES (?, ?)", {mac, filterMac});
            else if (update.macFilterOperation == ApPropertyUpdate::kDeleteFilterMac)
              Run("DELETE FROM filter_entry WHERE mac = ? AND filterMAC = ?", {mac, filterMac});
            continue;
          }
          if (update.column == "ip") {
            for (const char* table : {"device_list_prev", "device_list"})
              Run(std::string("UPDATE ") + table + " SET ip = ? WHERE mac = ?", {update.value, mac});
          } else if (update.column == "crvAPName") {
            for (const char* table : {"device_list_prev", "device_list", "ap_property"})
              Run(std::string("UPDATE ") + table + " SET name = ? WHERE mac = ?", {update.value, mac});
            GetLogDBModule()->WriteSystemLog(kWarning, "AP " + mac + " name stored as " + update.value);
          }
          if (update.value.empty()) continue;
          const int field = row.FindField(update.column);
          if (field < 0) throw db::CDbError("ap_property has no column " + update.column, "SyncApConfiguration");
          // The three default-key columns always hold the same index.
          if (IsDefaultKeyColumn(update.column)) {
            for (const char* column : {"crvAPWEP64DefaultKeyValue", "crvAPWEP128DefaultKeyValue",
                                       "crvAPWEP152DefaultKeyValue"})
              values[column] = update.value;
          } else {
            values[row.GetFieldName(field)] = update.value;
          }
          Run("DELETE FROM sync_result WHERE mac = ? AND property = ?", {mac, update.column});
          if (update.column == "APSysDHCP" && update.value == "1")
            Run("DELETE FROM sync_result WHERE mac = ? AND property = 'ip'", {mac});
        }
        // A difference that no value answered keeps the AP "Changed".
        Run("UPDATE device_list_prev SET status = 0 WHERE mac = ? AND NOT EXISTS "
            "(SELECT 1 FROM sync_result WHERE mac = ?)",
            {mac, mac});
        std::string columns = "mac", marks = "?", assignments;
        db::SqlParams valueParams;
        for (const auto& [column, value] : values) {
          columns += ", " + db::QuoteName(column);
          marks += ", ?";
          assignments += (assignments.empty() ? "" : ", ") + db::QuoteName(column) + " = ?";
          valueParams.emplace_back(value);
        }
        if (rowAdded) {
          db::SqlParams params{mac};
          params.insert(params.end(), valueParams.begin(), valueParams.end());
          Run("INSERT INTO ap_property (" + columns + ") VALUES (" + marks + ")", params);
        } else if (!values.empty()) {
          valueParams.emplace_back(mac);
          Run("UPDATE ap_property SET " + assignments + " WHERE mac = ?", valueParams);
        }
        return 0;
      },
      "", [](const db::CDbError&) { return -1; });
  if (result == 0 && rowAdded) g_ApRowAddedFlag.Set(mac);
  return result;
}

bool CGroupStore::RemoveDevFromGroups(const std::string& mac) {
  const int found = ReadSelection("SELECT * FROM user_def_group WHERE group_device_mac = ?", {mac}, 0,
                                  [](db::CRecordset&) { return 1; }, [](const db::CDbError&) { return 0; });
  return found == 1 && ExecuteCommand("DELETE FROM user_def_group WHERE group_device_mac = ?", {mac});
}
