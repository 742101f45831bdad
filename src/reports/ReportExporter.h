#pragma once
// Exports the recorded history as a report file: the user picks the file and the days, then the kind's rows
// go into a CSV file or, for the per-AP kinds, one chart per AP into a PDF file. The choosers and the chart
// drawing come from the windows, so the export runs without them in tests.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "db/ApInfoRecord.h"
#include "platform/Clock.h"

class CChart;
class LoadBalanceManager_DB;

struct ReportDays {
  platform::TimePoint begin{};  // only the dates count
  platform::TimePoint end{};
};

struct ReportDialogs {
  // A save-as dialog for the filter and default extension: the chosen path, nothing when cancelled.
  std::function<std::optional<std::string>(const std::string& filter, const std::string& defaultExtension)>
      chooseFile;
  // The date dialog, preset with the chosen path: nothing when cancelled.
  std::function<std::optional<ReportDays>(const std::string& path)> chooseDays;
};

// Draws a chart off screen into a bitmap file of width x height pixels; false when it cannot.
using ChartBitmapWriter = std::function<bool(CChart& chart, int width, int height, const std::string& bmpPath)>;

class CReportExporter {
 public:
  static constexpr int kChartWidth = 600;
  static constexpr int kChartHeight = 300;

  CReportExporter(LoadBalanceManager_DB& manager, ReportDialogs dialogs, ChartBitmapWriter drawChart);

  // The whole dialogue for kind 1, 2, 4 or 5 (see ReportKind); the APs of a PDF are limited to the given MACs
  // when there are any. True when the file was written.
  bool ExportRecorders(int kind, const std::vector<std::string>& macs);

 private:
  void SetReportWindow(const ReportDays& days);
  bool ExportCsv(int kind, const std::string& path);
  bool ExportPdf(int kind, const std::vector<std::string>& macs, const std::string& path);

  LoadBalanceManager_DB& manager_;
  ReportDialogs dialogs_;
  ChartBitmapWriter drawChart_;
  std::string begin_;  // the window as poll time texts
  std::string end_;
};

// The path a save dialog gives for the name typed: as typed when it ends in one of the filter's extensions
// (in any case), else with the extension of the filter entry chosen (the first for an index out of range).
// The filter is the export's "description|*.ext | description|*.ext||".
std::string WithFilterExtension(const std::string& path, const std::string& filter, int filterIndex);

// Converts a BMP file into a colour JPEG file; false (after the image's own message) when either fails.
bool SaveChartJpeg(const std::string& bmpPath, const std::string& jpegPath);
