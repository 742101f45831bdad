// CLoadBalanceDb: the poll-round number, the client monitor's rounds and their history queries, and the
// client events.
#include "db/LoadBalanceDb.h"

#include <algorithm>
#include <cstdlib>
#include <set>

#include "db/Transaction.h"
#include "db/db_maintain.h"
#include "platform/Clock.h"
#include "platform/DebugTrace.h"
#include "platform/MinuteStamp.h"

namespace {

constexpr size_t kClientMacLength = 17;
// Clients of one AP's round that are named in the exception log when they cannot be stored; the rest are
// counted in one more record.
constexpr int kLoggedUnstoredClients = 3;
constexpr int kRecordersShown = 5;

// The columns of a client-history row, the joins and the client condition shared by both history queries.
constexpr char kHistorySelect[] =
    "SELECT ap_property.crvAPssid, client_connect_ap.index_polling, client_connect_ap.mac_client, "
    "client_connect_ap.RSSI_client, client_connect_ap.mode_client, recorder_polling.date_polling, "
    "recorder_polling.mac_ap, recorder_polling.time_polling, device_list_prev.ip, device_list_prev.name "
    "FROM ((ap_property INNER JOIN client_connect_ap ON ap_property.mac = client_connect_ap.mac_ap) "
    "INNER JOIN recorder_polling ON (client_connect_ap.index_polling = recorder_polling.index_polling) "
    "AND (client_connect_ap.mac_ap = recorder_polling.mac_ap)) "
    "INNER JOIN device_list_prev ON ap_property.mac = device_list_prev.mac "
    "WHERE client_connect_ap.mac_client = ? AND recorder_polling.date_polling > ? "
    "AND recorder_polling.date_polling < ?";

}  // namespace

int CLoadBalanceDb::Number(const db::CRecordset& rs, const char* column) {
  return static_cast<int>(std::strtol(rs.GetText(column).c_str(), nullptr, 10));
}

std::int64_t CLoadBalanceDb::Number64(const db::CRecordset& rs, const char* column) {
  return std::strtoll(rs.GetText(column).c_str(), nullptr, 10);
}

// ---- Poll-round number ----

int CLoadBalanceDb::LoadIndexPolling() { return std::max(GetFieldMaxValue("global_setting", "index_polling"), 0); }

bool CLoadBalanceDb::SaveIndexPolling(int index) {
  return ExecuteCommand("UPDATE global_setting SET index_polling = ?", {index + 1});
}

int CLoadBalanceDb::StartIndexPolling() {
  const int saved = LoadIndexPolling();
  const int used = std::max(GetFieldMaxValue("recorder_polling", "index_polling"),
                            GetFieldMaxValue("client_connect_ap", "index_polling"));
  return std::max(saved, used);
}

// ---- Shared patterns ----

bool CLoadBalanceDb::InTransaction(const std::function<void()>& work, const std::string& rollbackLog) {
  try {
    db::CTransaction transaction(*GetDBMaintain());
    work();
    transaction.Commit();
    return true;
  } catch (const db::CDbError& error) {  // the transaction rolls back as it goes
    WriteExceptionLog(rollbackLog);
    WriteExceptionLog(db::FormatDbmText(error, "LoadBalanceManager_DB", __LINE__));
    return false;
  }
}

bool CLoadBalanceDb::ReadRows(const std::string& sql, const db::SqlParams& params,
                              const std::function<void(db::CRecordset&)>& row) {
  return ReadSelection(
             sql, params, 0,
             [&](db::CRecordset& rs) {
               for (; !rs.IsEOF(); rs.MoveNext()) row(rs);
               return 1;
             },
             [&](const db::CDbError& error) {
               WriteExceptionLog(db::FormatDbmText(error, "LoadBalanceManager_DB", __LINE__) + " \r\n" + sql);
               return 0;
             }) == 1;
}

// ---- Poll rounds ----

bool CLoadBalanceDb::SetRecordersPolling(std::vector<RecorderPollingRecord>& records) {
  if (records.empty()) return true;
  // Every row of the round carries one number and one time; a failed round still uses up its number.
  const int index = ++index_polling;
  const platform::TimePoint now = platform::Now();
  const std::string timeText = platform::FormatLocalTime(now, "%Y%m%d_%H:%M:%S");
  const int stamp = platform::MinuteStampOf(now);
  std::set<std::string> written;
  for (auto record = records.begin(); record != records.end();) {
    if (record->Mac_ap.empty()) {
      ++record;
      continue;
    }
    if (!written.insert(record->Mac_ap).second) {
      record = records.erase(record);
      continue;
    }
    if (!WriteApRound(*record, index, timeText, stamp)) return false;
    ++record;
  }
  return true;
}

bool CLoadBalanceDb::WriteApRound(const RecorderPollingRecord& record, int index, const std::string& timeText,
                                  int stamp) {
  const bool stored = InTransaction(
      [&] {
        Run("INSERT INTO recorder_polling (mac_ap, index_polling, date_polling, count_connected, traffic_ap, "
            "time_polling) VALUES (?, ?, ?, ?, ?, ?)",
            {record.Mac_ap, index, stamp, record.count_conn_client, record.traffic_ap, timeText});
      },
      "LoadBalanceManager_DB SetRecordersPolling RollBackTransact");
  if (!stored) {
    WriteExceptionLog("Mac_ap " + record.Mac_ap);
    WriteExceptionLog("nIndex_polling " + std::to_string(index));
    WriteExceptionLog("nCurrentTime " + std::to_string(stamp));
    WriteExceptionLog("count_conn_client " + std::to_string(record.count_conn_client));
    WriteExceptionLog("traffic_ap " + std::to_string(record.traffic_ap));
    WriteExceptionLog("strCurrent " + timeText);
    WriteExceptionLog("AP MAC : " + record.Mac_ap + ", Current Index : " + std::to_string(index));
    return false;
  }
  return record.clients.empty() || WriteApClients(record, index);
}

bool CLoadBalanceDb::WriteApClients(const RecorderPollingRecord& record, int index) {
  const ClientConnectRecord* writing = nullptr;
  int unstored = 0;
  const bool stored = InTransaction(
      [&] {
        for (const ClientConnectRecord& client : record.clients) {
          if (client.mac_client.size() != kClientMacLength) {
            if (++unstored <= kLoggedUnstoredClients) {
              WriteExceptionLog("(*iterClient).mac_client > 17, AP_MAC = " + record.Mac_ap);
              WriteExceptionLog(DeviceTextForLog(client.mac_client));
            }
            continue;
          }
          writing = &client;
          Run("INSERT INTO client_connect_ap (mac_ap, index_polling, mac_client, RSSI_client, mode_client) "
              "VALUES (?, ?, ?, ?, ?)",
              {record.Mac_ap, index, client.mac_client, client.RSSI_client, client.mode_client});
        }
      },
      "LoadBalanceManager_DB SetRecordersPolling RollBackTransact-2");
  if (unstored > kLoggedUnstoredClients)
    WriteExceptionLog(std::to_string(unstored - kLoggedUnstoredClients) + " more clients of AP_MAC = " +
                      record.Mac_ap + " not stored");
  if (!stored && writing) {
    WriteExceptionLog("Mac_ap " + record.Mac_ap);
    WriteExceptionLog("nIndex_polling " + std::to_string(index));
    WriteExceptionLog("mac_client " + DeviceTextForLog(writing->mac_client));
    WriteExceptionLog("RSSI_client " + DeviceTextForLog(writing->RSSI_client));
    WriteExceptionLog("mode_client " + DeviceTextForLog(writing->mode_client));
  }
  return stored;
}

bool CLoadBalanceDb::ReadRecorders(const std::string& sql, const db::SqlParams& params,
                                   std::vector<RecorderPollingRecord>& records) {
  ReadRows(sql, params, [&](db::CRecordset& rs) {
    RecorderPollingRecord record;
    record.Mac_ap = rs.GetText("mac_ap");
    record.strCurrent = rs.GetText("time_polling");
    record.nIndex_polling = Number(rs, "index_polling");
    record.nCurrentTime = Number(rs, "date_polling");
    record.traffic_ap = Number64(rs, "traffic_ap");
    record.count_conn_client = Number(rs, "count_connected");
    records.push_back(std::move(record));
  });
  return true;
}

bool CLoadBalanceDb::GetRecordersByApAndDate(const std::string& mac, std::vector<RecorderPollingRecord>& records,
                                             int first, int last) {
  if (mac.empty()) return true;
  return ReadRecorders(
      "SELECT * FROM recorder_polling WHERE mac_ap = ? AND date_polling >= ? AND date_polling <= ? "
      "ORDER BY index_polling ASC",
      {mac, first, last}, records);
}

bool CLoadBalanceDb::GetRecordersByIndex(std::vector<RecorderPollingRecord>& records) {
  const int latest = GetFieldMaxValue("recorder_polling", "index_polling");
  if (latest < 0) return true;
  return ReadRecorders("SELECT * FROM recorder_polling WHERE index_polling = ? ORDER BY count_connected DESC", {latest},
                       records);
}

bool CLoadBalanceDb::GetOldestRecorders(std::vector<RecorderPollingRecord>& records, const std::string& mac) {
  if (mac.empty()) return false;
  return ReadRecorders("SELECT * FROM recorder_polling WHERE mac_ap = ? ORDER BY index_polling ASC LIMIT ?",
                       {mac, kRecordersShown}, records);
}

bool CLoadBalanceDb::GetLatestRecorders(std::vector<RecorderPollingRecord>& records, const std::string& mac) {
  return ReadRecorders("SELECT * FROM recorder_polling WHERE mac_ap = ? ORDER BY index_polling DESC LIMIT ?",
                       {mac, kRecordersShown}, records);
}

bool CLoadBalanceDb::GetDistinctClientMacs(std::vector<std::string>& macs) {
  ReadRows("SELECT DISTINCT mac_client FROM client_connect_ap", {},
           [&](db::CRecordset& rs) { macs.push_back(rs.GetText("mac_client")); });
  return true;
}

std::string CLoadBalanceDb::GetApIpByMac(const std::string& mac) {
  std::string ip;
  ReadRows("SELECT mac, ip FROM device_list_prev WHERE mac = ? LIMIT 1", {mac},
           [&](db::CRecordset& rs) { ip = rs.GetText("ip"); });
  return ip;
}

void CLoadBalanceDb::DateTimeToMinutes(const std::tm& local, int& minutes, bool timeOnly) {
  minutes = timeOnly ? local.tm_hour * 60 + local.tm_min
                     : platform::MinuteStamp(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, 0, 0);
}

bool CLoadBalanceDb::ReadClientHistory(const std::string& sql, const db::SqlParams& params,
                                       std::vector<ClientHistoryRecord>& records) {
  ReadRows(sql, params, [&](db::CRecordset& rs) {
    ClientHistoryRecord record;
    record.mac_ap = rs.GetText("mac_ap");
    record.index_polling = Number(rs, "index_polling");
    record.date_polling = Number(rs, "date_polling");
    record.mac_client = rs.GetText("mac_client");
    record.APssid = rs.GetText("crvAPssid");
    record.ip = rs.GetText("ip");
    record.name = rs.GetText("name");
    record.RSSI_client = rs.GetText("RSSI_client");
    record.mode_client = rs.GetText("mode_client");
    record.date_time = rs.GetText("time_polling");
    records.push_back(std::move(record));
  });
  return !records.empty();
}

bool CLoadBalanceDb::GetClientConnectHistory(const std::string& clientMac, int first, int last,
                                             std::vector<ClientHistoryRecord>& records) {
  if (clientMac.empty()) return true;
  const std::string sql = std::string(kHistorySelect) + " ORDER BY client_connect_ap.index_polling";
  DebugTrace("%s", sql.c_str());
  return ReadClientHistory(sql, {clientMac, first, last}, records);
}

bool CLoadBalanceDb::GetClientFirstRoundHistory(const std::string& clientMac, int first, int last,
                                                std::vector<ClientHistoryRecord>& records) {
  if (clientMac.empty()) return true;
  const int firstRound = GetFieldMinValue("client_connect_ap", "index_polling", clientMac);
  return ReadClientHistory(std::string(kHistorySelect) + " AND client_connect_ap.index_polling = ?",
                           {clientMac, first, last, firstRound}, records);
}

// ---- Client events ----

bool CLoadBalanceDb::GetRecorderTime(int index, std::string& time, std::string& stamp) {
  const bool found = ReadRows("SELECT time_polling, date_polling FROM recorder_polling WHERE index_polling = ? LIMIT 1",
                              {index}, [&](db::CRecordset& rs) {
                                time = rs.GetText("time_polling");
                                stamp = rs.GetText("date_polling");
                              });
  if (!found) DebugTrace("recorder_polling index_polling=%d: recorder empty", index);
  return found;
}

bool CLoadBalanceDb::GetApSsid(const std::string& mac, std::string& ssid) {
  const bool found = ReadRows("SELECT crvAPssid FROM ap_property WHERE mac = ? LIMIT 1", {mac},
                              [&](db::CRecordset& rs) { ssid = rs.GetText("crvAPssid"); });
  if (!found) DebugTrace("ap_property mac=%s: recorder empty", mac.c_str());
  return found;
}

bool CLoadBalanceDb::writeClienttodb(const std::vector<ClientConnectRecord>& clients, int index) {
  std::string time;
  std::string stamp;
  if (clients.empty() || !GetRecorderTime(index, time, stamp)) return false;
  std::string ssid;
  GetApSsid(clients.front().mac_ap, ssid);
  return InTransaction(
      [&] {
        for (const ClientConnectRecord& client : clients) {
          if (client.mac_client.size() != kClientMacLength) continue;
          Run("INSERT INTO client_info (mac_ap, index_polling, mac_client, RSSI_client, mode_client, client_state, "
              "date_time, date_polling, APssid) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
              {client.mac_ap, index, client.mac_client, client.RSSI_client, client.mode_client, client.client_state,
               time, std::strtol(stamp.c_str(), nullptr, 10), ssid});
        }
      },
      "LoadBalanceManager_DB writeClienttodb RollBackTransact");
}
