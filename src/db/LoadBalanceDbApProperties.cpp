// CLoadBalanceDb: an AP's load-balance properties in ap_property and the group templates that balance load.
#include "db/LoadBalanceDb.h"

namespace {

// The user limit that goes with a stored balancing switch; none for any other text.
const char* UserLimitFor(const std::string& balancing) {
  if (balancing == "1") return "7";
  if (balancing == "0") return "60";
  return nullptr;
}

}  // namespace

bool CLoadBalanceDb::SetApPropertyColumn(const char* column, const std::string& value, const std::string& mac) {
  if (!ReadRows("SELECT mac FROM ap_property WHERE mac = ? LIMIT 1", {mac}, [](db::CRecordset&) {})) return false;
  return InTransaction(
      [&] {
        Run(std::string("UPDATE ap_property SET ") + column + " = ? WHERE mac = ?", {value, mac});
      },
      std::string("LoadBalanceManager_DB Set ") + column + " RollBackTransact");
}

bool CLoadBalanceDb::SetApUserNumLimit(const std::string& value, const std::string& mac) {
  return SetApPropertyColumn("crvAPUserNumLimit", value, mac);
}

bool CLoadBalanceDb::SetApTrapHost(const std::string& value, const std::string& mac) {
  return SetApPropertyColumn("enterpriseAPSysSNMPTrapIP", value, mac);
}

bool CLoadBalanceDb::SetApLoadBalanceStatus(const std::string& value, const std::string& mac) {
  return SetApPropertyColumn("LoadBalanceStatus", value, mac);
}

bool CLoadBalanceDb::GetStoredLoadBalanceState(const std::string& mac, std::string& value) {
  if (mac.empty()) return false;
  return ReadRows("SELECT mac, crvAPWaterLevelBalancing FROM ap_property WHERE mac = ? LIMIT 1", {mac},
                  [&](db::CRecordset& rs) { value = rs.GetText("crvAPWaterLevelBalancing"); });
}

bool CLoadBalanceDb::SaveApLoadBalanceProperties(const std::vector<ApInfoRecord>& aps,
                                                 std::vector<ApInfoRecord>& failed, bool writeSsid) {
  if (aps.empty()) return true;
  const ApInfoRecord* saving = nullptr;
  const bool saved = InTransaction(
      [&] {
        for (const ApInfoRecord& ap : aps) {
          saving = &ap;
          // Only the AP's first row is written, as the table may hold a MAC twice.
          const std::string row = "rowid = (SELECT rowid FROM ap_property WHERE mac = ? LIMIT 1)";
          Run("UPDATE ap_property SET crvAPWaterLevelBalancing = ? WHERE " + row,
              {ap.crvAPWaterLevelBalancing, ap.mac});
          if (const char* limit = UserLimitFor(ap.crvAPWaterLevelBalancing))
            Run("UPDATE ap_property SET crvAPUserNumLimit = ? WHERE " + row, {limit, ap.mac});
          if (writeSsid) Run("UPDATE ap_property SET crvAPssid = ? WHERE " + row, {ap.ssid, ap.mac});
          if (!ap.enterpriseAPSysSNMPTrapIP.empty())
            Run("UPDATE ap_property SET enterpriseAPSysSNMPTrapIP = ? WHERE " + row,
                {ap.enterpriseAPSysSNMPTrapIP, ap.mac});
        }
      },
      "LoadBalanceManager_DB SaveApLoadBalanceProperties RollBackTransact");
  if (!saved) {
    if (saving) failed.push_back(*saving);
    return false;
  }
  return failed.size() != aps.size();
}

std::vector<std::string> CLoadBalanceDb::GetLoadBalanceGroupMacs(const std::string& mac) {
  std::string group;
  if (!ReadRows("SELECT group_name FROM user_def_group WHERE group_device_mac = ? LIMIT 1", {mac},
                [&](db::CRecordset& rs) { group = rs.GetText("group_name"); }))
    return {};
  std::vector<std::string> macs;
  ReadRows(
      "SELECT user_def_group.group_device_mac FROM user_def_group INNER JOIN user_def_group_main_template "
      "ON user_def_group.group_template_index = user_def_group_main_template.group_template_index "
      "WHERE user_def_group_main_template.loadbalance_group = 1 AND user_def_group.group_name = ?",
      {group}, [&](db::CRecordset& rs) {
        if (!rs.GetValue("group_device_mac").IsNull()) macs.push_back(rs.GetText("group_device_mac"));
      });
  return macs;
}

bool CLoadBalanceDb::IsMacInLoadBalanceTemplate(const std::string& mac) {
  return ReadRows(
      "SELECT user_def_group.group_device_mac FROM user_def_group INNER JOIN user_def_group_main_template "
      "ON user_def_group.group_template_index = user_def_group_main_template.group_template_index "
      "WHERE user_def_group.group_device_mac = ? AND user_def_group_main_template.loadbalance_group = 1 LIMIT 1",
      {mac}, [](db::CRecordset&) {});
}
