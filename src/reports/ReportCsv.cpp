#include "reports/ReportCsv.h"

#include <cstdarg>
#include <cstdio>
#include <initializer_list>

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

// A text cell padded to its width, as the header lines are. A cell holding a comma, a quote or a line break
// is quoted, its quotes doubled (RFC 4180), so that it stays one column; the padding goes inside the quotes.
std::string Cell(const std::string& text, std::size_t width) {
  std::string padded = text;
  if (padded.size() < width) padded.append(width - padded.size(), ' ');
  if (text.find_first_of(",\"\r\n") == std::string::npos) return padded;
  std::string quoted = "\"";
  for (const char c : padded) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string Line(std::initializer_list<std::string> cells) {
  std::string line;
  for (const std::string& cell : cells) {
    if (&cell != cells.begin()) line += ',';
    line += cell;
  }
  return line + "\r\n";
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
    text += Line({Cell(row.mac_client, 20), Cell(row.ap_name, 10), Cell(row.ap_ip, 20), Cell(row.mac_ap, 30),
                  Cell(DateTime(row.time_polling), 25), Cell(row.mode_client, 10), Cell(row.RSSI_client, 10)});
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
      text += Line({Cell(row.group_balance, 15), Cell(row.ap_name, 10), Cell(row.ap_ip, 20), Cell(row.mac_ap, 30),
                    Cell(DateTime(row.time_polling), 25), Printf("%10d", row.count_connected)});
    }
    return text;
  }
  constexpr const char* kLine = "%-10s,%-20s,%-30s,%-25s,%10s\r\n";
  const bool traffic = kind == kTrafficReport;
  text = Printf(kLine, "  ", "  ", traffic ? "Total Traffic Report" : "Users Connected Report", " ", " ");
  text += Printf(kLine, "AP Name", "IP", "MAC", "DateTime", traffic ? "Traffic" : "Client NO");
  for (const RecorderReportRecord& row : rows) {
    const std::string dateTime = DateTime(row.time_polling);
    text += Line({Cell(row.ap_name, 10), Cell(row.ap_ip, 20), Cell(row.mac_ap, 30), Cell(dateTime, 25),
                  traffic ? Printf("%10lld", static_cast<long long>(row.traffic_ap)) : Printf("%2d", row.count_connected)});
  }
  return text;
}
