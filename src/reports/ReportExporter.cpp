#include "reports/ReportExporter.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <utility>

#include "chartcore/XYChart.h"
#include "image/JpegImage.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "log/LogDBModule.h"
#include "platform/MessageBox.h"
#include "platform/MinuteStamp.h"
#include "reports/ApGraph.h"
#include "reports/PdfReport.h"
#include "reports/ReportCsv.h"
#include "reports/ScopedTempFolder.h"

namespace {

platform::TimePoint AtTimeOfDay(platform::TimePoint day, int hour, int minute, int second) {
  std::tm local = platform::LocalTime(day);
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  return std::chrono::system_clock::from_time_t(std::mktime(&local));
}

std::string LowerExtension(const std::string& path) {
  std::string extension = std::filesystem::path(path).extension().string();
  if (!extension.empty()) extension.erase(0, 1);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

bool WriteFile(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file) return false;
  file << text;
  file.close();
  return !file.fail();
}

// The APs with the given MACs, in the order of the MACs; the whole list when none are given.
std::vector<ApInfoRecord> SelectAps(std::vector<ApInfoRecord> aps, const std::vector<std::string>& macs) {
  if (macs.empty()) return aps;
  std::vector<ApInfoRecord> selected;
  for (const std::string& mac : macs) {
    auto found = std::find_if(aps.begin(), aps.end(), [&](const ApInfoRecord& ap) { return ap.mac == mac; });
    if (found != aps.end()) selected.push_back(*found);
  }
  return selected;
}

}  // namespace

bool SaveChartJpeg(const std::string& bmpPath, const std::string& jpegPath) {
  if (bmpPath.empty() || jpegPath.empty()) return false;
  CJpegImage image;
  image.LoadBmp(bmpPath);
  if (image.IsEmpty()) return false;
  std::error_code ignored;
  std::filesystem::remove(jpegPath, ignored);  // so that only a file written now counts
  image.SaveJpeg(jpegPath, true);
  return std::filesystem::file_size(jpegPath, ignored) > 0 && !ignored;
}

std::string WithFilterExtension(const std::string& path, const std::string& filter, int filterIndex) {
  // The entries before "||", as "description|*.ext" pairs separated by '|'.
  std::vector<std::string> extensions;
  const std::string list = filter.substr(0, filter.find("||"));
  std::size_t start = 0;
  for (int field = 0; start <= list.size(); ++field) {
    const std::size_t end = std::min(list.find('|', start), list.size());
    std::string pattern = list.substr(start, end - start);
    pattern.erase(0, pattern.find_first_not_of(' '));
    pattern.erase(pattern.find_last_not_of(' ') + 1);
    if (field % 2 == 1 && pattern.rfind("*.", 0) == 0) extensions.push_back(pattern.substr(2));
    start = end + 1;
  }
  const std::string extension = LowerExtension(path);
  if (extensions.empty() || path.empty() ||
      std::find(extensions.begin(), extensions.end(), extension) != extensions.end())
    return path;
  const std::size_t chosen = filterIndex >= 0 && static_cast<std::size_t>(filterIndex) < extensions.size()
                                 ? static_cast<std::size_t>(filterIndex)
                                 : 0;
  return path + "." + extensions[chosen];
}

CReportExporter::CReportExporter(LoadBalanceManager_DB& manager, ReportDialogs dialogs, ChartBitmapWriter drawChart)
    : manager_(manager), dialogs_(std::move(dialogs)), drawChart_(std::move(drawChart)) {}

bool CReportExporter::ExportRecorders(int kind, const std::vector<std::string>& macs) {
  const bool csvOnly = kind == kClientReport || kind == kGroupReport;
  const std::string filter = csvOnly ? "CSV format file (*.csv)|*.csv || PDF format file (*.pdf)|*.pdf||"
                                     : "CSV format file (*.csv)|*.csv | PDF format file (*.pdf)|*.pdf||";
  const std::optional<std::string> path = dialogs_.chooseFile(filter, "*.csv");
  if (!path || path->empty()) return false;
  const std::optional<ReportDays> days = dialogs_.chooseDays(*path);
  if (!days) return false;
  SetReportWindow(*days);
  const std::string extension = LowerExtension(*path);
  if (extension == "csv") return ExportCsv(kind, *path);
  if (extension == "pdf") return ExportPdf(kind, macs, *path);
  return false;
}

void CReportExporter::SetReportWindow(const ReportDays& days) {
  manager_.report_start = AtTimeOfDay(days.begin, 0, 0, 0);
  manager_.report_end = AtTimeOfDay(days.end, 23, 59, 59);
  manager_.report_start_minutes = platform::MinuteStampOf(manager_.report_start);
  manager_.report_end_minutes = platform::MinuteStampOf(AtTimeOfDay(days.end, 23, 59, 0));
  begin_ = platform::FormatLocalTime(days.begin, "%Y%m%d_") + "00:00:00";
  end_ = platform::FormatLocalTime(days.end, "%Y%m%d_") + "23:59:59";
}

bool CReportExporter::ExportCsv(int kind, const std::string& path) {
  std::string text;
  std::string logLine;
  if (kind == kClientReport) {
    std::vector<ClientReportRecord> rows;
    manager_.GetClientRecordersByTime(rows, begin_, end_);
    if (rows.empty()) return platform::MessageBox("No recorders"), false;
    text = ClientReportCsv(rows);
    logLine = "Export Connected recorders into file[" + path + "] succeeded";
  } else {
    std::vector<RecorderReportRecord> rows;
    if (kind == kGroupReport) {
      manager_.GetGroupRecordersByTime(rows, begin_, end_);
    } else {
      manager_.GetRecordersByTime(rows, begin_, end_);
    }
    if (rows.empty()) return platform::MessageBox("No recorders"), false;
    text = RecorderReportCsv(kind, rows);
    logLine = kind == kGroupReport ? "Export Loadbalance group recorders into file[" + path + "] succeeded"
                                   : "Export recorders into file[" + path + "] succeeded";
  }
  if (!WriteFile(path, text)) return platform::MessageBox("Opening file failed"), false;
  GetLogDBModule()->WriteActionLog(logLine);
  return true;
}

bool CReportExporter::ExportPdf(int kind, const std::vector<std::string>& macs, const std::string& path) {
  std::vector<ApInfoRecord> aps;
  manager_.GetLoadBalanceApList(aps);
  aps = SelectAps(std::move(aps), macs);
  if (aps.empty()) return false;
  CScopedTempFolder temp;
  if (!temp.IsValid()) return platform::MessageBox("Exporting file Failed"), false;
  const ReportWindow window{manager_.report_start, manager_.report_end};
  const std::string bitmapPath = temp.File("test.bmp");
  int drawn = 0;
  for (ApInfoRecord& ap : aps) {
    std::vector<RecorderReportRecord> rows;
    if (manager_.GetApRecordersByTime(rows, begin_, end_, ap.mac) == -1) continue;
    CXYChart chart;
    BuildApGraph(rows, chart, kind, window);
    if (!drawChart_(chart, kChartWidth, kChartHeight, bitmapPath)) {
      return platform::MessageBox("Exporting file Failed"), false;
    }
    const std::string jpegPath = temp.File("Ap Name" + std::to_string(++drawn) + ".jpg");
    if (!SaveChartJpeg(bitmapPath, jpegPath)) return platform::MessageBox("Exporting file Failed"), false;
    ap.spare = jpegPath;
  }
  if (WritePdfReport(aps, path) != 1) {
    platform::MessageBox("Exporting file Failed");
    std::error_code ignored;
    std::filesystem::remove(path, ignored);  // a half-written report is no report
    return false;
  }
  DeleteChartImages(aps);
  GetLogDBModule()->WriteActionLog("Export recorders into file[" + path + "] succeeded");
  return true;
}
