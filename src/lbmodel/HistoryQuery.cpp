#include "lbmodel/HistoryQuery.h"

#include "db/LoadBalanceDb.h"

namespace {

// Orders two local times by their calendar fields, without the time zone's help.
long long Ordinal(const std::tm& t) {
  return ((((static_cast<long long>(t.tm_year) * 12 + t.tm_mon) * 31 + t.tm_mday) * 24 + t.tm_hour) * 60 + t.tm_min) *
             60 +
         t.tm_sec;
}

}  // namespace

std::string CheckHistoryPickers(const HistoryPickers& p) {
  if (p.beginDate.tm_year + 1900 < 2000) return "Year must be bigger than 2000, please retry...";
  if (p.endDate.tm_year + 1900 > 2100) return "Year can't be bigger than 2100 , please retry... ";
  if (Ordinal(p.endDate) < Ordinal(p.beginDate)) return "Please select the  begin date , please retry... ";
  if (Ordinal(p.endDate) == Ordinal(p.beginDate) && Ordinal(p.beginTime) >= Ordinal(p.endTime))
    return "Please select the beginning date and time";
  return {};
}

HistoryWindow HistoryWindowOf(const HistoryPickers& p) {
  int beginDay = 0;
  int beginMinute = 0;
  int endDay = 0;
  int endMinute = 0;
  CLoadBalanceDb::DateTimeToMinutes(p.beginDate, beginDay, false);
  CLoadBalanceDb::DateTimeToMinutes(p.beginTime, beginMinute, true);
  CLoadBalanceDb::DateTimeToMinutes(p.endDate, endDay, false);
  CLoadBalanceDb::DateTimeToMinutes(p.endTime, endMinute, true);
  return {beginDay + beginMinute, endDay + endMinute};
}

const std::vector<std::string>& HistoryColumns() {
  static const std::vector<std::string> columns = {"Date_Polling", "Client_State", "RSSI",   "Mode",
                                                   "AP_Name",      "SSID",         "AP_MAC", "AP_IP"};
  return columns;
}

std::vector<std::string> HistoryRowTexts(const ClientHistoryRecord& row) {
  std::string mode = row.mode_client;
  if (mode == "1")
    mode = "g_mode";
  else if (mode == "2")
    mode = "b_mode";
  else if (mode == "3")
    mode = "turbo_mode";
  return {row.date_time, row.client_state == "connect" ? "connect" : "disconnect", row.RSSI_client, mode, row.name,
          row.APssid,    row.mac_ap,   row.ip};
}
