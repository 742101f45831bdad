// Rendering a chart off-screen: an XY chart of 10,000 points, filled the way the utilisation views fill
// it (time axis, value axis, grids, title), drawn into an 800 x 600 image; against it the floor of that
// work, the same 10,000 points stroked as one path straight into an image of the same size. Goal: the
// chart under 50 ms. Needs the toolkit, so run it under xvfb-run -a.
#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/graphics.h>
#include <wx/image.h>
#include <wx/init.h>

#include <cmath>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "chartcore/XYChart.h"
#include "charts/ChartImage.h"

namespace {

constexpr int kPoints = 10000;
constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr std::time_t kStart = 1767225600;  // a day's polls, one every 8.64 s

std::vector<double> SeriesValues() {
  std::vector<double> values(2 * kPoints);
  for (int k = 0; k < kPoints; ++k) {
    values[k] = static_cast<double>(kStart) + k * 8.64;
    values[kPoints + k] = 40 + 30 * std::sin(k / 300.0) + (k * 7919 % 13);
  }
  return values;
}

void FillChart(CXYChart& chart, const std::vector<double>& values) {
  const int sizes[] = {2, kPoints};
  const int id = chart.AddData(values.data(), 2, sizes);
  chart.SetDataTitle(id, "AP 12");
  chart.SetDataStyle(id, kMarkerNone);
  chart.SetChartType(id, kXYLine);
  chart.SetDataColor(id, ChartRgb(0, 0, 255));
  chart.SetTitle("Users");
  CAxis* bottom = chart.AddAxis(kAxisBottom);
  bottom->timeMode = true;
  bottom->startTime = kStart;
  bottom->endTime = kStart + 86400;
  bottom->SetTitle("Time");
  chart.AddAxis(kAxisLeft)->SetTitle("Users");
  chart.AddAxis(kAxisRight);
  chart.AddAxis(kAxisTop);
  chart.SetXRange(static_cast<double>(kStart), static_cast<double>(kStart + 86400));
  chart.SetYRange(0, 90);
  chart.majorHorzGrid = chart.majorVertGrid = 1;
}

void BM_ChartRender(benchmark::State& state) {
  const std::vector<double> values = SeriesValues();
  CXYChart chart;
  FillChart(chart, values);
  for (auto _ : state) {
    wxImage image = RenderChartImage(chart, kWidth, kHeight);
    benchmark::DoNotOptimize(image.GetData());
  }
}

void BM_RawPolyline(benchmark::State& state) {
  const std::vector<double> values = SeriesValues();
  for (auto _ : state) {
    wxImage image(kWidth, kHeight, false);
    image.SetRGB(wxRect(0, 0, kWidth, kHeight), 255, 255, 255);
    {
      std::unique_ptr<wxGraphicsContext> context(wxGraphicsContext::Create(image));
      context->SetAntialiasMode(wxANTIALIAS_NONE);
      context->SetPen(context->CreatePen(wxGraphicsPenInfo(*wxBLUE, 1)));
      wxGraphicsPath path = context->CreatePath();
      for (int k = 0; k < kPoints; ++k) {
        const double x = 40 + (values[k] - kStart) * (kWidth - 80) / 86400.0;
        const double y = kHeight - 40 - values[kPoints + k] * (kHeight - 80) / 90.0;
        if (k == 0) {
          path.MoveToPoint(x, y);
        } else {
          path.AddLineToPoint(x, y);
        }
      }
      context->StrokePath(path);
    }
    benchmark::DoNotOptimize(image.GetData());
  }
}

constexpr int kRepetitions = 5;
BENCHMARK(BM_ChartRender)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(BM_RawPolyline)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

// Keeps each benchmark's median real time per iteration, in milliseconds.
class MedianReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name != "median") continue;
      medians[run.run_name.function_name] = run.GetAdjustedRealTime();
    }
  }
  std::map<std::string, double> medians;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  wxApp::SetInstance(new wxApp);
  if (!wxEntryStart(argc, argv)) {
    std::fprintf(stderr, "the toolkit did not start: run under xvfb-run -a\n");
    return 1;
  }
  MedianReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double chart = reporter.medians["BM_ChartRender"];
  const double raw = reporter.medians["BM_RawPolyline"];
  if (chart > 0 && raw > 0) {
    std::printf("\nChart of %d points into %dx%d: %.1f ms (goal under 50 ms); the bare polyline %.1f ms; ratio %.2f\n",
                kPoints, kWidth, kHeight, chart, raw, chart / raw);
  }
  wxEntryCleanup();
  benchmark::Shutdown();
  return 0;
}
