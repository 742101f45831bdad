// CGroupStore: an AP's stored configuration, and the filter difference between two APs.
#include <algorithm>
#include <cstdlib>

#include "db/TopologyDBManager.h"
#include "groups/ApConfigFields.h"
#include "groups/GroupStore.h"
#include "groups/PreviousApAddress.h"

namespace {

constexpr int kStatusChanged = 3;

// The difference rows' values; a NULL reads as "".
std::string TextIn(const groups::ColumnValues& row, const char* column) {
  const auto value = row.find(column);
  return value == row.end() ? "" : value->second;
}

}  // namespace

int CGroupStore::ReadRows(const std::string& sql, const db::SqlParams& params, std::vector<groups::ColumnValues>& rows) {
  rows.clear();
  return ReadSelection(
      sql, params, 0,
      [&](db::CRecordset& rs) {
        for (; !rs.IsEOF(); rs.MoveNext()) {
          groups::ColumnValues row;
          for (int i = 0; i < rs.GetFieldCount(); ++i)
            if (!rs.GetValue(i).IsNull()) row[rs.GetFieldName(i)] = rs.GetText(i);
          rows.push_back(std::move(row));
        }
        return 0;
      },
      [](const db::CDbError&) { return -1; });
}

int CGroupStore::LoadApPreviousConfig(const std::string& mac, ApConfigRecord* record) {
  std::vector<groups::ColumnValues> rows;
  if (!record || ReadRows("SELECT * FROM ap_property WHERE mac = ?", {mac}, rows) != 0 || rows.empty()) return -1;
  const groups::ColumnValues& stored = rows.front();
  using groups::ApConfigFields;
  ApConfigFields::Read(stored, {{"APSysCountryCode", &ApConfigRecord::APSysCountryCode}}, *record);

  if (const std::string dhcp = TextIn(stored, "APSysDHCP"); !dhcp.empty()) {
    record->APSysDHCP = std::atoi(dhcp.c_str()) != 0;
    // The address the poller last saw on the device comes before the stored one.
    std::vector<groups::ColumnValues> seen;
    if (ReadRows("SELECT * FROM sync_result WHERE mac = ? AND property = 'ip'", {mac}, seen) != 0) return -1;
    if (!seen.empty()) {
      record->ip = TextIn(seen.front(), "current");
    } else {
      const auto address = LookUp(DeviceQueries("ip", KeyKind::Mac), {mac});
      if (!address) return -1;
      record->ip = db::ValueToText(*address);
    }
    ApConfigFields::Read(stored,
                         {{"APSysSubnetMask", &ApConfigRecord::APSysSubnetMask},
                          {"APSysDefaultGateway", &ApConfigRecord::APSysDefaultGateway}},
                         *record);
  }
  if (const auto name = LookUp(DeviceQueries("name", KeyKind::Mac), {mac})) record->name = db::ValueToText(*name);

  ApConfigFields::Read(stored, ApConfigFields::General(), *record);
  const int security = record->crvAPSecurityType;
  if (security >= 2 && security <= 7) {
    // Every WEP AP carries the 64-bit key type, whichever key length it uses.
    ApConfigFields::Read(stored, {ApConfigFields::Wep64().front()}, *record);
    const auto& keys = security <= 3 ? ApConfigFields::Wep64() : security <= 5 ? ApConfigFields::Wep128()
                                                                               : ApConfigFields::Wep152();
    ApConfigFields::Read(stored, keys, *record);
  } else if (security >= 8) {
    ApConfigFields::Read(stored, ApConfigFields::Wpa(), *record);
  }
  ApConfigFields::Read(stored, ApConfigFields::Radio(), *record);
  // Written by the poller when the AP's channel or address changed; only the previous values use them.
  std::optional<int> previousChannel;
  if (const auto channel = stored.find("KipAPchannel"); channel != stored.end())
    previousChannel = std::atoi(channel->second.c_str());
  const std::string previousIp = TextIn(stored, "KipAPIP");

  std::vector<groups::ColumnValues> filter;
  if (ReadRows("SELECT filterMAC FROM filter_entry WHERE mac = ?", {mac}, filter) != 0) return -1;
  record->filterMacs.clear();
  for (const auto& entry : filter)
    if (entry.contains("filterMAC")) record->filterMacs.push_back({TextIn(entry, "filterMAC"), "", -1});

  if (TopologyDBManager().GetDeviceStatus(mac, false) != kStatusChanged) return 0;
  std::vector<groups::ColumnValues> differences;
  if (ReadRows("SELECT * FROM sync_result WHERE mac = ?", {mac}, differences) != 0) return -1;
  for (const auto& difference : differences) {
    const std::string property = TextIn(difference, "property");
    const std::string previous = TextIn(difference, "previous");
    const std::string current = TextIn(difference, "current");
    if (property == "APSysDHCP") {
      groups::SetPreviousApIp(GetDevIpByMac(mac));
      record->APSysDHCP = previous == "1";
      if (!record->APSysDHCP) record->ip = previousIp;
    } else if (property == "ip") {
      groups::SetPreviousApIp(GetDevIpByMac(mac));
      record->ip = previous;
    } else if (property == "crvAPAutoChannel") {
      record->crvapautochannel = std::atoi(previous.c_str());
      // Without a noted previous channel the loaded one stays.
      if (record->crvapautochannel == 0 && previousChannel) record->crvAPChannel = *previousChannel;
    } else if (property == "filter_entry") {
      auto& macs = record->filterMacs;
      if (previous.empty() && !current.empty()) {
        std::erase_if(macs, [&](const MacControlEntry& e) { return e.mac_address == current; });
        record->filterMacsToDelete.push_back(groups::BareMac(current));
      } else if (current.empty() && !previous.empty()) {
        macs.push_back({previous, "", -1});
        record->filterMacsToAdd.push_back(groups::BareMac(previous));
      }
    } else {
      groups::ApConfigFields::Apply(property, previous, *record);
    }
  }
  return 0;
}

int CGroupStore::GetApFilterMacs(const std::string& targetMac, const std::string& sourceMac, ApConfigRecord* record) {
  if (!record) return -1;
  record->filterMacsToAdd.clear();
  record->filterMacsToDelete.clear();
  std::vector<groups::ColumnValues> source, target;
  constexpr char kFilter[] = "SELECT filterMAC FROM filter_entry WHERE mac = ?";
  if (ReadRows(kFilter, {sourceMac}, source) != 0 || ReadRows(kFilter, {targetMac}, target) != 0) return -1;
  auto& toAdd = record->filterMacsToAdd;
  for (const auto& row : source)
    if (row.contains("filterMAC")) toAdd.push_back(groups::BareMac(TextIn(row, "filterMAC")));
  for (const auto& row : target) {
    if (!row.contains("filterMAC")) continue;
    const std::string mac = groups::BareMac(TextIn(row, "filterMAC"));
    if (auto found = std::find(toAdd.begin(), toAdd.end(), mac); found != toAdd.end()) {
      toAdd.erase(found);
    } else {
      record->filterMacsToDelete.push_back(mac);
    }
  }
  return 0;
}
