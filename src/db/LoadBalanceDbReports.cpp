// CLoadBalanceDb: the report windows over the poll rounds and the history reads nothing calls.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>

#include "db/LoadBalanceDb.h"
#include "platform/Clock.h"
#include "platform/DebugTrace.h"

namespace {

constexpr char kPollTimeFormat[] = "%Y%m%d_%H:%M:%S";

constexpr char kGroupWindowSql[] =
    "SELECT recorder_polling.mac_ap, recorder_polling.count_connected, recorder_polling.time_polling, "
    "device_list_prev.group_balance FROM recorder_polling "
    "LEFT JOIN device_list_prev ON recorder_polling.mac_ap = device_list_prev.mac "
    "WHERE recorder_polling.time_polling >= ? AND recorder_polling.time_polling <= ? "
    "ORDER BY device_list_prev.group_balance, recorder_polling.index_polling";

const ApInfoRecord* FindAp(const std::vector<ApInfoRecord>& aps, const std::string& mac) {
  const auto ap = std::find_if(aps.begin(), aps.end(), [&](const ApInfoRecord& each) { return each.mac == mac; });
  return ap == aps.end() ? nullptr : &*ap;
}

// count characters of the text from position from, read as atoi reads them: 0 when the text is too short
// or holds no digits there.
int Part(const std::string& text, size_t from, size_t count) {
  return from < text.size() ? std::atoi(text.substr(from, count).c_str()) : 0;
}

// Appends the row's round number unless it is NULL.
void AppendIndex(const db::CRecordset& rs, std::vector<int>& indexes, int& appended) {
  const db::SqlValue& index = rs.GetValue("index_polling");
  if (index.IsNull()) return;
  indexes.push_back(static_cast<int>(std::strtol(rs.GetText("index_polling").c_str(), nullptr, 10)));
  ++appended;
}

// Names every row after its AP in the load-balance list; the number of rows.
template <typename Row>
int NameRowsByAp(CLoadBalanceDb& db, std::vector<Row>& rows) {
  std::vector<ApInfoRecord> aps;
  if (db.GetLoadBalanceApList(aps) == 0) return static_cast<int>(rows.size());
  for (Row& row : rows) {
    if (const ApInfoRecord* ap = FindAp(aps, row.mac_ap)) {
      row.ap_name = ap->name;
      row.ap_ip = ap->ip;
    }
  }
  return static_cast<int>(rows.size());
}

}  // namespace

int CLoadBalanceDb::GetRecordersByTime(std::vector<RecorderReportRecord>& rows, const std::string& begin,
                                       const std::string& end) {
  if (begin.empty() || end.empty()) return -1;
  const bool found = ReadRows(
      "SELECT * FROM recorder_polling WHERE time_polling >= ? AND time_polling <= ? ORDER BY mac_ap, index_polling",
      {begin, end}, [&](db::CRecordset& rs) {
        RecorderReportRecord& row = rows.emplace_back();
        row.mac_ap = rs.GetText("mac_ap");
        row.time_polling = rs.GetText("time_polling");
        row.traffic_ap = Number64(rs, "traffic_ap");
        row.count_connected = Number(rs, "count_connected");
      });
  return found ? NameRowsByAp(*this, rows) : -1;
}

int CLoadBalanceDb::GetClientRecordersByTime(std::vector<ClientReportRecord>& rows, const std::string& begin,
                                             const std::string& end) {
  if (begin.empty() || end.empty()) return -1;
  const bool found = ReadRows(
      "SELECT recorder_polling.mac_ap, recorder_polling.index_polling, recorder_polling.time_polling, "
      "client_connect_ap.mac_client, client_connect_ap.mode_client, client_connect_ap.RSSI_client "
      "FROM recorder_polling LEFT JOIN client_connect_ap ON recorder_polling.index_polling = "
      "client_connect_ap.index_polling AND recorder_polling.mac_ap = client_connect_ap.mac_ap "
      "WHERE recorder_polling.time_polling >= ? AND recorder_polling.time_polling <= ? "
      "ORDER BY recorder_polling.mac_ap, recorder_polling.index_polling",
      {begin, end}, [&](db::CRecordset& rs) {
        ClientReportRecord& row = rows.emplace_back();
        row.mac_ap = rs.GetText("mac_ap");
        row.index_polling = Number(rs, "index_polling");
        row.time_polling = rs.GetText("time_polling");
        row.mac_client = rs.GetText("mac_client");
        row.RSSI_client = rs.GetText("RSSI_client");
        row.mode_client = rs.GetText("mode_client");
      });
  return found ? NameRowsByAp(*this, rows) : -1;
}

int CLoadBalanceDb::GetGroupRecordersByTime(std::vector<RecorderReportRecord>& rows, const std::string& begin,
                                            const std::string& end) {
  if (begin.empty() || end.empty()) return -1;
  const bool found = ReadRows(kGroupWindowSql, {begin, end}, [&](db::CRecordset& rs) {
    RecorderReportRecord& row = rows.emplace_back();
    row.mac_ap = rs.GetText("mac_ap");
    row.time_polling = rs.GetText("time_polling");
    row.group_balance = rs.GetText("group_balance");
    row.count_connected = Number(rs, "count_connected");
  });
  return found ? NameRowsByAp(*this, rows) : -1;
}

int CLoadBalanceDb::GetGroupRecordersByTime(std::vector<RecorderReportRecord>& rows, const std::string& begin,
                                            const std::string& end, const std::string& /*unused*/) {
  return GetGroupRecordersByTime(rows, begin, end);
}

int CLoadBalanceDb::GetApRecordersByTime(std::vector<RecorderReportRecord>& rows, const std::string& begin,
                                         const std::string& end, const std::string& mac) {
  if (begin.empty() || end.empty() || mac.empty()) return -1;
  const bool found = ReadRows(
      "SELECT * FROM recorder_polling WHERE time_polling >= ? AND time_polling <= ? AND mac_ap = ? "
      "ORDER BY index_polling",
      {begin, end, mac}, [&](db::CRecordset& rs) {
        RecorderReportRecord& row = rows.emplace_back();
        row.mac_ap = rs.GetText("mac_ap");
        row.time_polling = rs.GetText("time_polling");
        row.traffic_ap = Number64(rs, "traffic_ap");
        row.count_connected = Number(rs, "count_connected");
        row.date_polling = Number(rs, "date_polling");
      });
  if (found) return NameRowsByAp(*this, rows);
  std::vector<ApInfoRecord> aps;
  GetLoadBalanceApList(aps);
  if (const ApInfoRecord* ap = FindAp(aps, mac)) {
    RecorderReportRecord& placeholder = rows.emplace_back();
    placeholder.ap_name = ap->name;
    placeholder.ap_ip = ap->ip;
    placeholder.mac_ap = mac;
    placeholder.time_polling = platform::FormatLocalTime(platform::Now(), kPollTimeFormat);
    placeholder.count_connected = 0;
    placeholder.traffic_ap = 0;
  }
  return 0;
}

std::optional<platform::TimePoint> CLoadBalanceDb::ParseRecorderTime(const std::string& text) {
  if (text.empty()) return platform::Now();
  std::tm local{};
  local.tm_year = Part(text, 0, 4) - 1900;
  local.tm_mon = Part(text, 4, 2) - 1;
  local.tm_mday = Part(text, 6, 2);
  local.tm_hour = Part(text, 9, 2);
  local.tm_min = Part(text, 12, 2);
  local.tm_sec = Part(text, 15, 2);
  local.tm_isdst = -1;
  std::tm normalised = local;
  const std::time_t moment = std::mktime(&normalised);
  // mktime carries parts out of range into the next ones; such a text names no date.
  if (moment == -1 || normalised.tm_year != local.tm_year || normalised.tm_mon != local.tm_mon ||
      normalised.tm_mday != local.tm_mday || normalised.tm_hour != local.tm_hour || normalised.tm_min != local.tm_min ||
      normalised.tm_sec != local.tm_sec)
    return std::nullopt;
  return std::chrono::system_clock::from_time_t(moment);
}

bool CLoadBalanceDb::GetPollCyclesByMinute(std::vector<RecorderPollingRecord>& records, int from, int to) {
  ReadRows(
      "SELECT index_polling, date_polling, time_polling FROM recorder_polling "
      "WHERE date_polling >= ? AND date_polling <= ?",
      {from, to}, [&](db::CRecordset& rs) {
        RecorderPollingRecord& record = records.emplace_back();
        record.nIndex_polling = Number(rs, "index_polling");
        record.strCurrent = rs.GetText("time_polling");
      });
  return true;
}

int CLoadBalanceDb::GetIndexesByMinute(std::vector<int>& indexes, int from, int to) {
  int appended = 0;
  ReadRows("SELECT index_polling FROM recorder_polling WHERE date_polling > ? AND date_polling < ?", {from, to},
           [&](db::CRecordset& rs) { AppendIndex(rs, indexes, appended); });
  return appended;
}

int CLoadBalanceDb::GetAllIndexes(std::vector<int>& indexes) {
  int appended = 0;
  ReadRows("SELECT index_polling FROM recorder_polling", {},
           [&](db::CRecordset& rs) { AppendIndex(rs, indexes, appended); });
  return appended;
}

bool CLoadBalanceDb::GetFilterEntries(std::vector<FilterEntryRecord>& entries) {
  ReadRows("SELECT mac, filterMAC FROM filter_entry", {}, [&](db::CRecordset& rs) {
    entries.push_back({rs.GetText("mac"), rs.GetText("filterMAC")});
  });
  return true;
}

bool CLoadBalanceDb::HasGroupBalance(const std::string& ip) {
  bool grouped = false;
  const int result = ReadSelection(
      "SELECT group_balance FROM device_list_prev WHERE ip = ?", {ip}, 0,
      [&](db::CRecordset& rs) {
        std::string group = rs.GetText("group_balance");
        grouped = group.find_first_not_of(" \t\r\n") != std::string::npos;
        return 1;
      },
      [](const db::CDbError&) { return -1; });
  return result < 0 || grouped;
}

// ---- Client history ----

bool CLoadBalanceDb::GetClientHistory(const std::string& clientMac, int from, int to,
                                      std::vector<ClientHistoryRecord>& records) {
  if (clientMac.empty()) return true;
  const std::string sql =
      "SELECT client_info.mac_client, client_info.index_polling, client_info.RSSI_client, client_info.mode_client, "
      "client_info.mac_ap, client_info.date_time, client_info.client_state, device_list_prev.name, "
      "device_list_prev.ip, client_info.APssid, client_info.date_polling "
      "FROM client_info INNER JOIN device_list_prev ON client_info.mac_ap = device_list_prev.mac "
      "WHERE client_info.mac_client = ? AND client_info.date_polling >= ? AND client_info.date_polling <= ? "
      "ORDER BY client_info.index_polling, client_info.client_state";
  const bool found = ReadRows(sql, {clientMac, from, to}, [&](db::CRecordset& rs) {
    ClientHistoryRecord& record = records.emplace_back();
    record.mac_ap = rs.GetText("mac_ap");
    record.index_polling = Number(rs, "index_polling");
    record.mac_client = rs.GetText("mac_client");
    record.APssid = rs.GetText("APssid");
    record.ip = rs.GetText("ip");
    record.name = rs.GetText("name");
    record.client_state = rs.GetText("client_state");
    record.RSSI_client = rs.GetText("RSSI_client");
    record.mode_client = rs.GetText("mode_client");
    record.date_time = rs.GetText("date_time");
    record.date_polling = Number(rs, "date_polling");
  });
  if (!found) DebugTrace("%s: recorder empty", sql.c_str());
  return !records.empty();
}
