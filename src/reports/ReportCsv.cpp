#include "reports/ReportCsv.h"

#include <cstdarg>
#include <cstdio>

#include "db/LoadBalanceDb.h"

namespace {

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));

std::string Printf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::string text(length > 0 ? length : 0, '\0');
  std::vsnprintf(text.data(), text.size() + 1, format, args);
  va_end(args);
  return text;
}

// A poll time that forms no date is written as stored.
std::string DateTime(const std::string& pollTime) {
  const auto moment = CLoadBalanceDb::ParseRecorderTime(pollTime);
  return moment ? platform::FormatLocalTime(*moment, "%Y-%m-%d %H:%M:%S") : pollTime;
}

}  // namespace

std::string ClientReportCsv(const std::vector<ClientReportRecord>& rows) {
  constexpr const char* kLine = "%-20s,%-10s,%-20s,%-30s,%-25s,%-10s,%-10s\r\n";
  std::string text = Printf(kLine, " ", "  ", "  ", "System Users Report", " ", " ", " ");
  text += Printf(kLine, "Client MAC", "AP_Name", "AP_IP", "AP_MAC", "DateTime", "Mode", "RSSI");
  for (const ClientReportRecord& row : rows) {
    if (row.mac_client.empty()) continue;
    text += Printf(kLine, row.mac_client.c_str(), row.ap_name.c_str(), row.ap_ip.c_str(), row.mac_ap.c_str(),
                   DateTime(row.time_polling).c_str(), row.mode_client.c_str(), row.RSSI_client.c_str());
  }
  return text;
}

std::string RecorderReportCsv(int kind, const std::vector<RecorderReportRecord>& rows) {
  std::string text;
  if (kind == kGroupReport) {
    constexpr const char* kLine = "%-15s,%-10s,%-20s,%-30s,%-25s,%10s\r\n";
    text = Printf(kLine, " ", "  ", "  ", "Loadbalance Group's Users Report", " ", " ");
    text += Printf(kLine, "Group Name", "AP Name", "IP", "MAC", "DateTime", "Client NO");
    for (const RecorderReportRecord& row : rows) {
      if (row.group_balance.empty()) continue;
      text += Printf("%-15s,%-10s,%-20s,%-30s,%-25s,%10d\r\n", row.group_balance.c_str(), row.ap_name.c_str(),
                     row.ap_ip.c_str(), row.mac_ap.c_str(), DateTime(row.time_polling).c_str(), row.count_connected);
    }
    return text;
  }
  constexpr const char* kLine = "%-10s,%-20s,%-30s,%-25s,%10s\r\n";
  const bool traffic = kind == kTrafficReport;
  text = Printf(kLine, "  ", "  ", traffic ? "Total Traffic Report" : "Users Connected Report", " ", " ");
  text += Printf(kLine, "AP Name", "IP", "MAC", "DateTime", traffic ? "Traffic" : "Client NO");
  for (const RecorderReportRecord& row : rows) {
    const std::string dateTime = DateTime(row.time_polling);
    if (traffic) {
      text += Printf("%-10s,%-20s,%-30s,%-25s,%10lld\r\n", row.ap_name.c_str(), row.ap_ip.c_str(), row.mac_ap.c_str(),
                     dateTime.c_str(), static_cast<long long>(row.traffic_ap));
    } else {
      text += Printf("%-10s,%-20s,%-30s,%-25s,%2d\r\n", row.ap_name.c_str(), row.ap_ip.c_str(), row.mac_ap.c_str(),
                     dateTime.c_str(), row.count_connected);
    }
  }
  return text;
}
