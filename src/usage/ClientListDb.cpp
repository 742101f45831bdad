#include "usage/ClientListDb.h"

#include <cstdlib>

#include "loadbalance/LoadBalanceManager_DB.h"
#include "usage/ClientListFilters.h"

namespace {

constexpr char kClientsOfOnlineAps[] =
    " FROM device_list_prev INNER JOIN client_connect_ap ON device_list_prev.mac = client_connect_ap.mac_ap "
    " WHERE device_list_prev.online='1' and client_connect_ap.index_polling=?";

}  // namespace

int CClientListDb::LoadClientList(std::vector<ClientListRow>& rows) {
  const int round = GetLoadBalanceManager()->GetIndexPolling();
  return ReadRows(std::string(" SELECT client_connect_ap.mac_client, device_list_prev.ip, device_list_prev.name, "
                              "device_list_prev.mac, client_connect_ap.RSSI_client, client_connect_ap.mode_client, "
                              "device_list_prev.online, client_connect_ap.index_polling ") +
                      kClientsOfOnlineAps,
                  {round}, true, rows);
}

void CClientListDb::GetDistinctValues(const std::string& column, std::vector<std::string>& values) {
  const std::optional<std::string> qualified = QualifiedFilterColumn(column);
  if (!qualified) return;
  const int round = LatestStoredRound();
  if (round < 0) return;
  ReadSelection(
      "select distinct " + *qualified + std::string(kClientsOfOnlineAps), {round}, 0,
      [&](db::CRecordset& rs) {
        for (; !rs.IsEOF(); rs.MoveNext())
          if (!rs.GetValue(0).IsNull()) values.push_back(rs.GetText(0));
        return 0;
      },
      [](const db::CDbError&) { return 0; });
}

int CClientListDb::LoadFilteredClientList(std::vector<ClientListRow>& rows, const std::string& column,
                                          const std::string& value) {
  const std::optional<std::string> qualified = QualifiedFilterColumn(column);
  const int round = LatestStoredRound();
  if (!qualified || round < 0) return 0;
  return ReadRows(
      "SELECT device_list_prev.name,device_list_prev.mac,device_list_prev.ip,client_connect_ap.mac_client,"
      "client_connect_ap.RSSI_client,client_connect_ap.mode_client" +
          std::string(kClientsOfOnlineAps) + " and " + *qualified + "=?",
      {round, value}, false, rows);
}

int CClientListDb::LatestStoredRound() { return GetFieldMaxValue("client_connect_ap", "index_polling"); }

int CClientListDb::ReadRows(const std::string& sql, const db::SqlParams& params, bool withRound,
                            std::vector<ClientListRow>& rows) {
  return ReadSelection(
      sql, params, 0,
      [&](db::CRecordset& rs) {
        int count = 0;
        for (; !rs.IsEOF(); rs.MoveNext()) {
          ClientListRow row;  // a fresh row: a NULL cell is "", never the row before's value
          row.ap_name = rs.GetText("name");
          row.ap_mac = rs.GetText("mac");
          row.ap_ip = rs.GetText("ip");
          row.client_mac = rs.GetText("mac_client");
          row.rssi = rs.GetText("RSSI_client");
          row.mode = rs.GetText("mode_client");
          if (withRound)
            row.index_polling = static_cast<int>(std::strtol(rs.GetText("index_polling").c_str(), nullptr, 10));
          rows.push_back(std::move(row));
          ++count;
        }
        return count;
      },
      [](const db::CDbError&) { return -1; });
}
