// Charts drawn off-screen and checked by their pixels.
#include <gtest/gtest.h>
#include <wx/graphics.h>
#include <wx/image.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "chartcore/XYChart.h"
#include "charts/ChartImage.h"
#include "charts/WxChartCanvas.h"
#include "support/TempDir.h"

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 300;
constexpr ChartColor kBlue = ChartRgb(0, 0, 255);

bool HasColour(const wxImage& image, int x, int y, ChartColor colour) {
  return x >= 0 && y >= 0 && x < image.GetWidth() && y < image.GetHeight() && image.GetRed(x, y) == ChartRed(colour) &&
         image.GetGreen(x, y) == ChartGreen(colour) && image.GetBlue(x, y) == ChartBlue(colour);
}

bool ColourNear(const wxImage& image, int x, int y, ChartColor colour) {
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      if (HasColour(image, x + dx, y + dy, colour)) return true;
    }
  }
  return false;
}

bool IsDark(const wxImage& image, int x, int y) {
  return image.GetRed(x, y) < 64 && image.GetGreen(x, y) < 64 && image.GetBlue(x, y) < 64;
}

// The layout the renderer finds, worked out on a scratch canvas with the same fonts and scale.
struct Layout {
  ChartRect chart;
  ChartRect plot;
  wxPoint topLeft;      // plot corners in pixels
  wxPoint bottomRight;
  std::unique_ptr<wxImage> scratch = std::make_unique<wxImage>(8, 8);
  std::unique_ptr<wxGraphicsContext> context;
  std::unique_ptr<CWxChartCanvas> canvas;

  explicit Layout(CXYChart& chart) {
    context.reset(wxGraphicsContext::Create(*scratch));
    canvas = std::make_unique<CWxChartCanvas>(*context);
    this->chart = canvas->LogicalRectOfPixels(kWidth, kHeight);
    plot = chart.GetPlotRect(canvas.get(), this->chart);
    topLeft = canvas->ToDevice({plot.left, plot.top});
    bottomRight = canvas->ToDevice({plot.right, plot.bottom});
  }

  // Where the chart draws the data point (x, y) for the given ranges.
  wxPoint PointAt(double x, double y, double xMin, double xMax, double yMin, double yMax) const {
    const int px = static_cast<int>((x - xMin) * plot.Width() / (xMax - xMin) + plot.left);
    const int py = static_cast<int>(plot.bottom - (y - yMin) * plot.Height() / (yMax - yMin));
    return canvas->ToDevice({px, py});
  }
};

void AddSeries(CXYChart& chart, const std::vector<double>& xs, const std::vector<double>& ys, ChartColor colour) {
  std::vector<double> values(xs);
  values.insert(values.end(), ys.begin(), ys.end());
  const int sizes[] = {2, static_cast<int>(xs.size())};
  const int id = chart.AddData(values.data(), 2, sizes);
  chart.SetDataColor(id, colour);
  chart.SetDataStyle(id, kMarkerNone);
  chart.SetChartType(id, kXYLine);
}

// A chart the way the utilisation views fill it: time along the bottom, counts up the left.
void AddAxes(CXYChart& chart, double xMax, double yMax) {
  chart.AddAxis(kAxisBottom)->SetTitle("Time");
  chart.AddAxis(kAxisLeft)->SetTitle("Users");
  chart.AddAxis(kAxisRight);
  chart.AddAxis(kAxisTop);
  chart.SetXRange(0, xMax);
  chart.SetYRange(0, yMax);
}

}  // namespace

TEST(RenderedChartTest, AxisLinesFrameThePlotAndTheSeriesLiesOnItsPoints) {
  CXYChart chart;
  chart.SetTitle("Users of AP 3");
  AddAxes(chart, 100, 100);
  const std::vector<double> xs = {0, 20, 45, 70, 100};
  const std::vector<double> ys = {10, 60, 30, 90, 50};
  AddSeries(chart, xs, ys, kBlue);
  const wxImage image = RenderChartImage(chart, kWidth, kHeight);
  ASSERT_TRUE(image.IsOk());
  const Layout layout(chart);
  ASSERT_LT(layout.topLeft.x, layout.bottomRight.x);
  ASSERT_LT(layout.topLeft.y, layout.bottomRight.y);

  // The left and bottom edges carry the frame and the axes: dark along their whole length.
  int darkLeft = 0, darkBottom = 0;
  for (int y = layout.topLeft.y; y <= layout.bottomRight.y; ++y) darkLeft += IsDark(image, layout.topLeft.x, y);
  for (int x = layout.topLeft.x; x <= layout.bottomRight.x; ++x) darkBottom += IsDark(image, x, layout.bottomRight.y);
  EXPECT_GE(darkLeft, layout.bottomRight.y - layout.topLeft.y);
  EXPECT_GE(darkBottom, layout.bottomRight.x - layout.topLeft.x);
  EXPECT_TRUE(HasColour(image, 2, 2, ChartRgb(255, 255, 255))) << "white background";

  for (size_t k = 0; k < xs.size(); ++k) {
    const wxPoint p = layout.PointAt(xs[k], ys[k], 0, 100, 0, 100);
    EXPECT_TRUE(ColourNear(image, p.x, p.y, kBlue)) << "point " << k << " at " << p.x << "," << p.y;
  }
  // Half-way along the second segment.
  const wxPoint a = layout.PointAt(xs[1], ys[1], 0, 100, 0, 100);
  const wxPoint b = layout.PointAt(xs[2], ys[2], 0, 100, 0, 100);
  EXPECT_TRUE(ColourNear(image, (a.x + b.x) / 2, (a.y + b.y) / 2, kBlue));
}

TEST(RenderedChartTest, NothingIsDrawnOutsideThePlot) {
  CXYChart chart;
  AddAxes(chart, 10, 10);
  // Points far outside the hand-set ranges on every side.
  AddSeries(chart, {-20, 5, 30, 5, -10}, {5, 40, 5, -30, 5}, kBlue);
  const wxImage image = RenderChartImage(chart, kWidth, kHeight);
  const Layout layout(chart);
  int inside = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (!HasColour(image, x, y, kBlue)) continue;
      const bool within = x >= layout.topLeft.x - 1 && x <= layout.bottomRight.x + 1 && y >= layout.topLeft.y - 1 &&
                          y <= layout.bottomRight.y + 1;
      EXPECT_TRUE(within) << "series pixel outside the plot at " << x << "," << y;
      if (!within) return;
      ++inside;
    }
  }
  EXPECT_GT(inside, 50) << "the lines cross the plot";
}

TEST(RenderedChartTest, GridsMarkersAndASinglePoint) {
  CXYChart chart;
  AddAxes(chart, 100, 100);
  chart.majorVertGrid = 1;
  AddSeries(chart, {50}, {50}, ChartRgb(255, 0, 0));
  chart.SetDataStyle(1, kMarkerSquare);
  chart.SetMarkerSize(1, 30);
  chart.SetMarkerFill(1, 1);
  chart.SetMarkFrequency(1, 1);
  const wxImage image = RenderChartImage(chart, kWidth, kHeight);
  const Layout layout(chart);
  // Grid line at the fifth interior tick (x = 50) runs through the plot in grey; the marker sits on it.
  const wxPoint centre = layout.PointAt(50, 50, 0, 100, 0, 100);
  EXPECT_TRUE(ColourNear(image, centre.x, centre.y, ChartRgb(255, 0, 0)));
  const int gridX = layout.canvas->ToDevice({layout.plot.left + layout.plot.Width() / 2, 0}).x;
  EXPECT_TRUE(ColourNear(image, gridX, layout.topLeft.y + 5, ChartRgb(128, 128, 128)));

  CXYChart lonely;  // no ranges set: one point in the middle of a widened range
  AddSeries(lonely, {7}, {3}, kBlue);
  lonely.SetDataStyle(1, kMarkerSquare);
  lonely.SetMarkerSize(1, 20);
  lonely.SetMarkFrequency(1, 1);
  const wxImage single = RenderChartImage(lonely, kWidth, kHeight);
  const Layout middle(lonely);
  const wxPoint at = middle.PointAt(7, 3, 6, 8, 2, 4);
  EXPECT_TRUE(ColourNear(single, at.x - 7, at.y, kBlue) || ColourNear(single, at.x - 8, at.y, kBlue))
      << "the square's left side";
}

TEST(RenderedChartTest, PngFileHoldsTheRenderedChart) {
  testing_support::TempDir folder;
  CXYChart chart;
  AddAxes(chart, 10, 10);
  AddSeries(chart, {0, 10}, {0, 10}, kBlue);
  const std::string path = folder.File("chart.png");
  ASSERT_TRUE(SaveChartPng(chart, kWidth, kHeight, path));
  wxImage loaded;
  ASSERT_TRUE(loaded.LoadFile(wxString::FromUTF8(path), wxBITMAP_TYPE_PNG));
  const wxImage rendered = RenderChartImage(chart, kWidth, kHeight);
  ASSERT_EQ(loaded.GetSize(), rendered.GetSize());
  EXPECT_EQ(0, std::memcmp(loaded.GetData(), rendered.GetData(), kWidth * kHeight * 3));
  EXPECT_FALSE(SaveChartPng(chart, kWidth, kHeight, folder.File("missing/chart.png")));
  EXPECT_FALSE(RenderChartImage(chart, 0, 10).IsOk());
}
