// CAccessDatabase on the load-balance groups (load_balance_group) and their APs (ap_config). Every value
// goes in bound.
#include <cstdlib>

#include "db/AccessDatabase.h"
#include "db/ApInfoRecord.h"
#include "db/LoadBalanceGroupRecord.h"
#include "db/TransactionStatements.h"

namespace {

int Number(const std::string& text) { return static_cast<int>(std::strtol(text.c_str(), nullptr, 10)); }

// The cells of a row by position; a missing cell reads as "".
std::string Cell(const CAccessDatabase::TextRow& row, size_t position) {
  return position < row.size() ? row[position] : std::string();
}

int MaxIndex(db::CConnection& connection) {
  const auto rows = db::ReadStatement(connection, "SELECT MAX(\"index\") FROM load_balance_group");
  if (rows.empty() || rows[0].empty() || rows[0][0].IsNull()) return -1;
  return Number(db::ValueToText(rows[0][0]));
}

}  // namespace

bool CAccessDatabase::GetLoadBalanceGroups(std::vector<LoadBalanceGroupRecord>& groups) {
  const TextRows rows = QueryValues(
      "SELECT load_balance, group_desc, founder_name, found_time, group_name, type, \"index\" "
      "FROM load_balance_group ORDER BY rowid");
  if (rows.empty()) return false;
  std::vector<LoadBalanceGroupRecord> result;
  for (const TextRow& row : rows) {
    LoadBalanceGroupRecord& group = result.emplace_back();
    group.load_balance = Number(Cell(row, 0));
    group.group_desc = Cell(row, 1);
    group.founder_name = Cell(row, 2);
    group.found_time = Cell(row, 3);
    group.group_name = Cell(row, 4);
    group.type = Cell(row, 5);
    group.index = Number(Cell(row, 6));
    for (const TextRow& member :
         QueryValues("SELECT mac, ip, name, group_name, ssid FROM ap_config WHERE group_name=? ORDER BY rowid",
                     {group.group_name})) {
      ApInfoRecord& ap = group.aps.emplace_back();
      ap.mac = Cell(member, 0);
      ap.ip = Cell(member, 1);
      ap.name = Cell(member, 2);
      ap.group_balance = Cell(member, 3);
      ap.ssid = Cell(member, 4);
    }
  }
  groups = std::move(result);
  return true;
}

bool CAccessDatabase::SaveLoadBalanceGroups(std::vector<LoadBalanceGroupRecord>& groups) {
  if (groups.empty()) return false;
  std::vector<int> indexes;
  const bool saved = RunInTransaction(
      [&](db::CConnection& connection) {
        indexes.clear();
        for (const LoadBalanceGroupRecord& group : groups) {
          const int index = MaxIndex(connection) + 1;
          db::RunStatement(connection,
                           "INSERT INTO load_balance_group (load_balance, group_desc, founder_name, found_time, "
                           "group_name, type, \"index\") VALUES (?, ?, ?, ?, ?, ?, ?)",
                           {group.load_balance, group.group_desc, group.founder_name, group.found_time,
                            group.group_name, group.type, index});
          indexes.push_back(index);
          for (const ApInfoRecord& ap : group.aps) {
            // An AP without a property row gets an empty SSID.
            const auto ssid =
                db::ReadStatement(connection, "SELECT crvAPssid FROM ap_property WHERE mac=? LIMIT 1", {ap.mac});
            db::RunStatement(
                connection, "INSERT INTO ap_config (ip, mac, name, group_name, ssid) VALUES (?, ?, ?, ?, ?)",
                {ap.ip, ap.mac, ap.name, group.group_name, ssid.empty() ? std::string() : db::ValueToText(ssid[0][0])});
          }
        }
      },
      __LINE__);
  if (!saved) return false;
  for (size_t i = 0; i < groups.size(); ++i) groups[i].index = indexes[i];
  return true;
}

int CAccessDatabase::GetMaxLoadBalanceGroupIndex() {
  int index = -1;
  RunInTransaction([&](db::CConnection& connection) { index = MaxIndex(connection); }, __LINE__);
  return index;
}

int CAccessDatabase::GetApConfigList(std::vector<ApInfoRecord>& aps) {
  const TextRows rows = QueryValues("SELECT mac, ip, name FROM ap_config ORDER BY rowid");
  if (rows.empty()) return -1;
  std::vector<ApInfoRecord> result;
  for (const TextRow& row : rows) {
    ApInfoRecord& ap = result.emplace_back();
    ap.mac = Cell(row, 0);
    ap.ip = Cell(row, 1);
    ap.name = Cell(row, 2);
  }
  aps = std::move(result);
  return 0;
}

int CAccessDatabase::GetLoadBalanceGroupNames(std::vector<std::string>& names, std::vector<int>& indexes) {
  const TextRows rows = QueryValues("SELECT group_name, \"index\" FROM load_balance_group ORDER BY rowid");
  if (rows.empty()) {
    names.clear();
    return -1;
  }
  std::vector<std::string> foundNames;
  std::vector<int> foundIndexes;
  for (const TextRow& row : rows) {
    foundNames.push_back(Cell(row, 0));
    foundIndexes.push_back(Number(Cell(row, 1)));
  }
  names = std::move(foundNames);
  indexes = std::move(foundIndexes);
  return 0;
}
