// CLoadBalanceDb: the load-balance groups, the APs' membership (device_list_prev.group_balance) and the AP
// lists with their load-balance properties. Each group operation runs in one transaction: it changes all
// it should or nothing.
#include <algorithm>
#include <cstdlib>

#include "db/LoadBalanceDb.h"
#include "platform/Clock.h"
#include "platform/DebugTrace.h"

namespace {

constexpr char kApColumns[] = "SELECT name, ip, mac, online, isnew, group_balance, read_community, write_community ";
constexpr char kApPropertyColumns[] =
    "SELECT crvAPssid, enterpriseAPSysSNMPTrapIP, location, crvAPWaterLevelBalancing, crvAPSecurityType "
    "FROM ap_property WHERE mac = ? LIMIT 1";

// The first row of a group's name in load_balance_group, as a statement's condition.
constexpr char kFirstGroupRow[] = "rowid = (SELECT rowid FROM load_balance_group WHERE group_name = ? LIMIT 1)";

bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](unsigned char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

void CLoadBalanceDb::FillDeviceFields(const db::CRecordset& rs, ApInfoRecord& ap) {
  ap.name = rs.GetText("name");
  ap.ip = rs.GetText("ip");
  ap.mac = rs.GetText("mac");
  ap.online = rs.GetText("online");
  ap.isnew = rs.GetText("isnew");
  ap.group_balance = rs.GetText("group_balance");
  ap.read_community = rs.GetText("read_community");
  ap.write_community = rs.GetText("write_community");
}

bool CLoadBalanceDb::FillApProperties(ApInfoRecord& ap, bool full) {
  return ReadRows(kApPropertyColumns, {ap.mac}, [&](db::CRecordset& rs) {
    ap.ssid = rs.GetText("crvAPssid");
    if (full && !rs.GetValue("crvAPssid").IsNull()) ap.saved_ssid = ap.ssid;
    ap.enterpriseAPSysSNMPTrapIP = rs.GetText("enterpriseAPSysSNMPTrapIP");
    ap.crvAPWaterLevelBalancing = rs.GetText("crvAPWaterLevelBalancing");
    if (!full) return;
    ap.location = rs.GetText("location");
    ap.crvAPSecurityType = rs.GetText("crvAPSecurityType");
  });
}

int CLoadBalanceDb::GetLoadBalanceApList(std::vector<ApInfoRecord>& aps) {
  const auto append = [&](db::CRecordset& rs) {
    ApInfoRecord ap;
    FillDeviceFields(rs, ap);
    aps.push_back(std::move(ap));
  };
  // The new APs stand in only while no AP is managed.
  if (!ReadRows(std::string(kApColumns) + "FROM device_list_prev WHERE type = '2'", {}, append))
    ReadRows(std::string(kApColumns) + "FROM device_list WHERE type = '2'", {}, append);
  for (ApInfoRecord& ap : aps) FillApProperties(ap, true);  // also the records the caller had put there
  return static_cast<int>(aps.size());
}

int CLoadBalanceDb::GetApNode(ApInfoRecord& ap, const std::string& mac) {
  const std::string sql = std::string(kApColumns) + "FROM device_list_prev WHERE type = '2' AND mac = ?";
  DebugTrace("%s", sql.c_str());
  if (!ReadRows(sql, {mac}, [&](db::CRecordset& rs) { FillDeviceFields(rs, ap); })) {
    DebugTrace("AP node get fail");
    return -1;
  }
  if (!FillApProperties(ap, true)) return -2;
  DebugTrace("AP node get succeed");
  return 1;
}

int CLoadBalanceDb::GetCurrentApList(std::vector<ApInfoRecord>& aps) {
  ReadRows(std::string(kApColumns) + "FROM device_list WHERE type = '2'", {}, [&](db::CRecordset& rs) {
    ApInfoRecord ap;
    FillDeviceFields(rs, ap);
    aps.push_back(std::move(ap));
  });
  for (ApInfoRecord& ap : aps) FillApProperties(ap, false);
  return static_cast<int>(aps.size());
}

bool CLoadBalanceDb::loadGroupList(std::vector<LoadBalanceGroupRecord>& groups) {
  // Rows of one group come together, whatever order the group store wrote them in; a row without a MAC
  // is the group's own row, the others are its members.
  std::vector<LoadBalanceGroupRecord> found;
  bool grouped = false;
  int previousTemplate = 0;
  ReadRows(
      "SELECT user_def_group.group_name, user_def_group.group_device_mac, user_def_group.group_template_index "
      "FROM user_def_group INNER JOIN user_def_group_main_template "
      "ON user_def_group.group_template_index = user_def_group_main_template.group_template_index "
      "WHERE user_def_group_main_template.loadbalance_group = 1 "
      "ORDER BY user_def_group.group_template_index, user_def_group.rowid",
      {}, [&](db::CRecordset& rs) {
        if (rs.GetValue("group_template_index").IsNull()) return;
        const int templateIndex =
            static_cast<int>(std::strtol(rs.GetText("group_template_index").c_str(), nullptr, 10));
        if (!grouped || templateIndex != previousTemplate) {
          LoadBalanceGroupRecord& group = found.emplace_back();
          group.group_name = rs.GetText("group_name");
          group.index = -1;
          group.load_balance = 1;
          previousTemplate = templateIndex;
          grouped = true;
        }
        const std::string mac = rs.GetText("group_device_mac");
        if (IsBlank(mac)) return;
        ApInfoRecord member;
        if (GetApNode(member, mac) != -1) found.back().aps.push_back(std::move(member));  // unknown MACs are left out
      });
  if (found.empty()) DebugTrace("loadGroupList is empty");
  for (LoadBalanceGroupRecord& group : found) groups.push_back(std::move(group));
  return true;
}

bool CLoadBalanceDb::CreateGroup(std::vector<LoadBalanceGroupRecord>& groups) {
  if (groups.empty()) return true;
  std::vector<int> indexes;
  const bool created = InTransaction(
      [&] {
        indexes.clear();
        int next = -1;  // an empty table gives the first group 0
        if (!ReadRows("SELECT MAX(\"index\") AS largest FROM load_balance_group", {}, [&](db::CRecordset& rs) {
              if (!rs.GetValue("largest").IsNull())
                next = static_cast<int>(std::strtol(rs.GetText("largest").c_str(), nullptr, 10));
            }))
          throw db::CDbError("The group numbers could not be read", "CreateGroup");
        const std::string now = platform::NowText();
        for (const LoadBalanceGroupRecord& group : groups) {
          indexes.push_back(++next);
          Run("INSERT INTO load_balance_group (group_name, \"index\", load_balance, group_desc, found_time, type) "
              "VALUES (?, ?, ?, ?, ?, ?)",
              {group.group_name, next, group.load_balance, group.group_desc, now, group.type});
          for (const ApInfoRecord& ap : group.aps)  // an AP without a row is passed over
            Run("UPDATE device_list_prev SET group_balance = ? WHERE mac = ?", {group.group_name, ap.mac});
        }
      },
      "LoadBalanceManager_DB CreateGroup RollBackTransact");
  if (created)
    for (size_t i = 0; i < groups.size(); ++i) groups[i].index = indexes[i];
  return created;
}

bool CLoadBalanceDb::AddApsToGroup(const std::vector<LoadBalanceGroupRecord>& groups) {
  if (groups.empty()) return true;
  return InTransaction(
      [&] {
        for (const LoadBalanceGroupRecord& group : groups) {
          for (const ApInfoRecord& ap : group.aps)
            Run("UPDATE device_list_prev SET group_balance = ? WHERE mac = ?", {group.group_name, ap.mac});
          Run(std::string("UPDATE load_balance_group SET type = ?, group_desc = ? WHERE ") + kFirstGroupRow,
              {group.type, group.group_desc, group.group_name});
        }
      },
      "LoadBalanceManager_DB AddApsToGroup RollBackTransact");
}

bool CLoadBalanceDb::RenameGroup(const std::vector<LoadBalanceGroupRecord>& groups,
                                 const std::vector<std::string>& formerNames) {
  if (groups.empty()) return true;
  return InTransaction(
      [&] {
        for (size_t i = 0; i < groups.size() && i < formerNames.size(); ++i) {
          const std::string& former = formerNames[i];
          if (!ReadRows(std::string("SELECT group_name FROM load_balance_group WHERE ") + kFirstGroupRow, {former},
                        [](db::CRecordset&) {}))
            continue;  // a name that matches no group is passed over
          Run(std::string("UPDATE load_balance_group SET group_name = ? WHERE ") + kFirstGroupRow,
              {groups[i].group_name, former});
          Run("UPDATE device_list_prev SET group_balance = ? WHERE IFNULL(group_balance, '') = ?",
              {groups[i].group_name, former});
        }
      },
      "LoadBalanceManager_DB RenameGroup RollBackTransact");
}

bool CLoadBalanceDb::DeleteGroup(const std::vector<LoadBalanceGroupRecord>& groups) {
  if (groups.empty()) return true;
  return InTransaction(
      [&] {
        for (const LoadBalanceGroupRecord& group : groups) {
          if (!ReadRows(std::string("SELECT group_name FROM load_balance_group WHERE ") + kFirstGroupRow,
                        {group.group_name}, [](db::CRecordset&) {}))
            continue;
          Run(std::string("DELETE FROM load_balance_group WHERE ") + kFirstGroupRow, {group.group_name});
          Run("UPDATE device_list_prev SET group_balance = '' WHERE IFNULL(group_balance, '') = ?", {group.group_name});
        }
      },
      "LoadBalanceManager_DB DeleteGroup RollBackTransact");
}

bool CLoadBalanceDb::RemoveApsFromGroup(const std::string& group, const std::string& mac) {
  if (group.empty() || mac.empty()) return true;
  return InTransaction(
      [&] {
        Run("UPDATE device_list_prev SET group_balance = '' "
            "WHERE rowid = (SELECT rowid FROM device_list_prev WHERE mac = ? LIMIT 1)",
            {mac});
      },
      "LoadBalanceManager_DB RemoveApsFromGroup RollBackTransact");
}

bool CLoadBalanceDb::SetGroupLoadBalance(const std::string& group, int on) {
  // No group at all changes nothing and is no failure; a name that matches none of them is.
  if (group.empty() || !ReadRows("SELECT group_name FROM load_balance_group LIMIT 1", {}, [](db::CRecordset&) {}))
    return true;
  if (!ReadRows(std::string("SELECT group_name FROM load_balance_group WHERE ") + kFirstGroupRow, {group},
                [](db::CRecordset&) {}))
    return false;
  return InTransaction(
      [&] {
        Run(std::string("UPDATE load_balance_group SET load_balance = ? WHERE ") + kFirstGroupRow, {on ? 1 : 0, group});
      },
      "LoadBalanceManager_DB SetGroupLoadBalance RollBackTransact");
}

bool CLoadBalanceDb::LoadGroupsByName(const std::vector<std::string>& names,
                                      std::vector<LoadBalanceGroupRecord>& groups) {
  std::vector<LoadBalanceGroupRecord> found;
  for (const std::string& name : names) {
    ReadRows(std::string("SELECT \"index\" AS number, group_name, load_balance, group_desc, found_time, type "
                         "FROM load_balance_group WHERE ") +
                 kFirstGroupRow,
             {name}, [&](db::CRecordset& rs) {
               LoadBalanceGroupRecord& group = found.emplace_back();
               group.group_name = rs.GetText("group_name");
               group.index = static_cast<int>(std::strtol(rs.GetText("number").c_str(), nullptr, 10));
               group.load_balance = static_cast<int>(std::strtol(rs.GetText("load_balance").c_str(), nullptr, 10));
               group.group_desc = rs.GetText("group_desc");
               group.found_time = rs.GetText("found_time");
               group.type = rs.GetText("type");
             });
  }
  if (!found.empty()) {
    std::vector<ApInfoRecord> aps;
    GetLoadBalanceApList(aps);
    for (LoadBalanceGroupRecord& group : found)
      for (const ApInfoRecord& ap : aps)
        if (!ap.group_balance.empty() && ap.group_balance == group.group_name) group.aps.push_back(ap);
  }
  for (LoadBalanceGroupRecord& group : found) groups.push_back(std::move(group));
  return true;
}

bool CLoadBalanceDb::GetGroupPeers(const std::string& ip, std::vector<ApInfoRecord>& peers) {
  if (ip.empty()) return false;
  peers.clear();
  std::vector<ApInfoRecord> aps;
  GetLoadBalanceApList(aps);
  const auto self = std::find_if(aps.begin(), aps.end(), [&](const ApInfoRecord& ap) { return ap.ip == ip; });
  if (self == aps.end() || self->group_balance.empty()) return false;
  for (const ApInfoRecord& ap : aps)
    if (ap.ip != ip && ap.group_balance == self->group_balance) peers.push_back(ap);
  return !peers.empty();
}
