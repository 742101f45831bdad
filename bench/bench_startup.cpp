// Start-up of the main window: from opening the database to the window shown on the screen, with an empty
// database and with 1,000 managed devices. The login before it is the user's time and is left out; the
// polling thread is not started (it begins its pass at once and would only add its own load), the trap
// listener and the client monitor are. The goal is under 1 s. The window needs a display: run under
// xvfb-run -a.
#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/init.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/MainFrm.h"
#include "db/db_maintain.h"
#include "platform/Shutdown.h"
#include "support/TempDatabase.h"
#include "support/ui/WxTestEnvironment.h"

namespace {

// Switches and APs in the managed list, on loopback addresses where nothing answers.
bool SeedDevices(testing_support::TempDatabase& database, int count) {
  return database.Exec(
             "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
             "INSERT INTO device_list_prev (name, ip, mac, type, port_num, online, status, isnew, group_balance, "
             "read_community, write_community) SELECT printf(CASE WHEN i % 10 = 0 THEN 'SW_%d' ELSE 'AP_%d' END, i), "
             "printf('127.1.%d.%d', i / 250, i % 250 + 1), printf('02:44:71:%02X:%02X:01', i / 256, i % 256), "
             "CASE WHEN i % 10 = 0 THEN 1 ELSE 2 END, 24, 1, 0, 0, '', 'public', 'private' FROM n",
             {db::SqlValue(count - 1)}) &&
         database.Value("SELECT COUNT(*) FROM device_list_prev") == std::to_string(count);
}

void BM_StartToShownMainWindow(benchmark::State& state) {
  const int devices = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto database = std::make_unique<testing_support::TempDatabase>();
    if (devices > 0 && !SeedDevices(*database, devices)) state.SkipWithError("the devices could not be stored");
    DeleteDBMaintain();  // the start opens the pool itself
    state.ResumeTiming();

    GetDBMaintain();
    auto* frame = new CMainFrame;
    frame->SetSize(wxGetClientDisplayRect());
    frame->Show();
    testing_support::PumpUntil([frame] { return frame->IsShownOnScreen(); });
    testing_support::PumpPending();

    state.PauseTiming();
    frame->Destroy();
    testing_support::PumpUntil([] { return wxTopLevelWindows.IsEmpty(); });
    platform::RunShutdown();
    database.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_StartToShownMainWindow)->Arg(0)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "the toolkit did not start: run under xvfb-run -a\n");
    return 1;
  }
  setenv("PELLION_TRAP_PORT", "16262", 0);  // a high port: no root needed
  CMainFrame::SetPollingFactory([] { return std::unique_ptr<IPollingControl>(); });
  benchmark::RunSpecifiedBenchmarks();
  std::printf("\nGoal: the main window shown within 1000 ms of the start, with 0 and with 1,000 devices.\n");
  wxEntryCleanup();
  benchmark::Shutdown();
  return 0;
}
