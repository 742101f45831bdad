// Filling and sorting the report list, once in its model alone and once through the window over it, for
// 10,000 and 100,000 rows. The ratio shows what the window adds; the goal is a 10,000-row sort under 50 ms.
// The window needs a display: run under xvfb-run -a.
#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/init.h>
#include <malloc.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/ReportCtrl.h"
#include "listmodel/ReportListModel.h"

namespace {

const char kHeader[] = "Sequence,80;Name,160;Traffic,100,2;Address,140";

// Row i: its number, a name in scrambled order, a descending number and an address.
std::vector<std::string> RowTexts(int row, int rows) {
  const int scrambled = static_cast<int>((row * 7919LL) % rows);
  return {std::to_string(row), "device-" + std::to_string(scrambled), std::to_string(rows - row),
          "10.0." + std::to_string(scrambled / 256 % 256) + "." + std::to_string(scrambled % 256)};
}

template <typename List>
void Fill(List& list, int rows) {
  for (int row = 0; row < rows; ++row) list.InsertRowWithTexts(row, RowTexts(row, rows));
}

wxFrame* g_frame = nullptr;

CReportCtrl* NewControl() {
  auto* control = new CReportCtrl();
  control->CreateReportList(g_frame, wxID_ANY, nullptr);
  control->SetColumnHeader(kHeader);
  return control;
}

void BM_Fill_Model(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();  // making and freeing the list are left out, as on the control's side
    auto model = std::make_unique<listmodel::CReportListModel>();
    model->SetColumnHeader(kHeader);
    state.ResumeTiming();
    Fill(*model, rows);
    if (model->GetItemCount() != rows) state.SkipWithError("the model did not take every row");
    state.PauseTiming();
    model.reset();
    state.ResumeTiming();
  }
}

void BM_Fill_Control(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    CReportCtrl* control = NewControl();
    state.ResumeTiming();
    Fill(*control, rows);
    // The window shows every row; a list that refused them would measure nothing.
    if (control->GetListView()->GetItemCount() != rows) state.SkipWithError("the window does not show every row");
    state.PauseTiming();
    control->Destroy();
    state.ResumeTiming();
  }
}

// Each sort starts from the order the previous one left: by scrambled name, then by number, and so on.
void BM_Sort_Model(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  listmodel::CReportListModel model;
  model.SetColumnHeader(kHeader);
  Fill(model, rows);
  int round = 0;
  for (auto _ : state) model.SortItems(++round % 2 ? 1 : 2, true);
}

void BM_Sort_Control(benchmark::State& state) {
  const int rows = static_cast<int>(state.range(0));
  CReportCtrl* control = NewControl();
  Fill(*control, rows);
  control->GetListView();
  int round = 0;
  for (auto _ : state) {
    control->SortItems(++round % 2 ? 1 : 2, true);
    control->GetListView()->Update();  // the window shows the new order
  }
  control->Destroy();
}

BENCHMARK(BM_Fill_Model)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Fill_Control)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort_Model)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Sort_Control)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Prints the usual table and keeps each benchmark's real time per iteration for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) m_milliseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
  }
  double Milliseconds(const std::string& name) const {
    const auto found = m_milliseconds.find(name);
    return found == m_milliseconds.end() ? 0 : found->second;
  }

 private:
  std::map<std::string, double> m_milliseconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  // Freed rows stay with the allocator. Otherwise a list freed after one round can go back to the system
  // and the next round pays page faults for it, not for the work measured: that made the model's fill
  // look several times slower than the same fill through the window.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_TOP_PAD, 64 << 20);
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "no display: run under xvfb-run -a\n");
    return 1;
  }
  g_frame = new wxFrame(nullptr, wxID_ANY, "bench", wxDefaultPosition, wxSize(800, 600));
  g_frame->Show();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\ncontrol / model (the window's share)\n");
  for (const char* work : {"Fill", "Sort"})
    for (const char* rows : {"10000", "100000"}) {
      const double model = reporter.Milliseconds(std::string("BM_") + work + "_Model/" + rows);
      const double control = reporter.Milliseconds(std::string("BM_") + work + "_Control/" + rows);
      if (model > 0) std::printf("%-4s %6s rows: %.2fx (model %.2f ms, control %.2f ms)\n", work, rows, control / model, model, control);
    }
  const double sort = reporter.Milliseconds("BM_Sort_Control/10000");
  std::printf("10,000-row sort through the control: %.2f ms (goal: under 50 ms)\n", sort);
  g_frame->Destroy();
  wxEntryCleanup();
  benchmark::Shutdown();
  return 0;
}
