// A PDF report of 100 APs with a day of poll rounds each (one every 5 minutes: 28,800 rows), through the
// whole export: one query, one chart drawn off screen, one bitmap and one JPEG per AP, then the PDF. The goal
// is under 5 s. The chart drawing needs a display: run under xvfb-run -a.
#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/init.h>

#include <cstdio>
#include <ctime>

#include "loadbalance/LoadBalanceManager_DB.h"
#include "platform/Shutdown.h"
#include "reports/ReportExporter.h"
#include "reports/ui/ReportWindowsParts.h"
#include "support/LocalTime.h"
#include "support/TempDatabase.h"

namespace {

constexpr int kAps = 100;

// False when the rows did not all go in.
bool Seed(testing_support::TempDatabase& database) {
  return database.Exec(
      "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 99) "
      "INSERT INTO device_list_prev (name, ip, mac, type, online, isnew, group_balance, read_community, "
      "write_community) SELECT printf('AP_%d', i), printf('127.0.1.%d', i), printf('02:44:71:00:02:%02x', i), 2, 1, "
      "0, '', 'public', 'private' FROM n") &&
         database.Exec(
      "WITH RECURSIVE r(k) AS (SELECT 0 UNION ALL SELECT k + 1 FROM r WHERE k < 287), "
      "a(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM a WHERE i < 99) "
      "INSERT INTO recorder_polling (index_polling, mac_ap, date_polling, time_polling, count_connected, "
      "traffic_ap) SELECT k + 1, printf('02:44:71:00:02:%02x', i), 0, printf('20260310_%02d:%02d:00', k / 12, "
      "(k % 12) * 5), (i + k) % 30, k * 1000 + i FROM r, a") &&
         database.Value("SELECT COUNT(*) FROM recorder_polling") == std::to_string(kAps * 288);
}

void BM_PdfReport100Aps(benchmark::State& state) {
  testing_support::TempDatabase database;
  if (!Seed(database)) state.SkipWithError("the rounds could not be stored");
  std::tm day = testing_support::LocalTm(2026, 3, 10, 12, 0);
  const auto moment = std::chrono::system_clock::from_time_t(std::mktime(&day));
  const std::string path = database.Dir().File("report.pdf");
  ReportDialogs dialogs;
  dialogs.chooseFile = [&path](const std::string&, const std::string&) { return path; };
  dialogs.chooseDays = [moment](const std::string&) { return ReportDays{moment, moment}; };
  CReportExporter exporter(*GetLoadBalanceManager(), dialogs, WriteChartBitmap);
  for (auto _ : state) {
    if (!exporter.ExportRecorders(1, {})) state.SkipWithError("the export failed");
  }
  platform::RunShutdown();
}
BENCHMARK(BM_PdfReport100Aps)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "the toolkit did not start: run under xvfb-run -a\n");
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  std::printf("\nGoal: a PDF report of %d APs with a day of rounds each under 5000 ms.\n", kAps);
  wxEntryCleanup();
  benchmark::Shutdown();
  return 0;
}
