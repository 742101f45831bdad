#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "chartcore/XYChart.h"
#include "support/RecordingChartCanvas.h"
#include "support/TempDir.h"

namespace {

const ChartRect kPlot{100, -100, 1100, -600};  // 1000 wide, 500 high

// x values then y values, as a 2 x N series holds them.
int AddSeries(CXYChart& chart, const std::vector<double>& xs, const std::vector<double>& ys) {
  std::vector<double> values(xs);
  values.insert(values.end(), ys.begin(), ys.end());
  const int sizes[] = {2, static_cast<int>(xs.size())};
  return chart.AddData(values.data(), 2, sizes);
}

std::vector<int> MarkedPoints(CXYChart& chart, int id, int points) {
  RecordingCanvas canvas;
  for (int k = 0; k < points; ++k) {
    const size_t before = canvas.paths.size();
    chart.DrawMarker(canvas, k, 0, chart.FindDataIndex(id), k);
    if (canvas.paths.size() > before) canvas.paths.back().at.y = k;
  }
  std::vector<int> marked;
  for (const RecordedPath& path : canvas.paths) marked.push_back(path.at.y);
  return marked;
}

void DrawData(CXYChart& chart, RecordingCanvas& canvas) {
  double x[2], y[2];
  chart.GetDataRanges(x, y);
  chart.DrawData(canvas, kPlot, x, y);
}

}  // namespace

TEST(XYChartTest, OneSeriesWithoutHandSetRangesFillsThePlotExactly) {
  CXYChart chart;
  const int id = AddSeries(chart, {4, 2, 10, 6}, {5, 1, 3, 9});
  chart.SetChartType(id, kXYLine);
  RecordingCanvas canvas;
  DrawData(chart, canvas);
  ASSERT_EQ(canvas.lines.size(), 3u);
  int left = 1 << 30, right = -(1 << 30), bottom = 1 << 30, top = -(1 << 30);
  for (const RecordedLine& line : canvas.lines) {
    for (ChartPoint p : {line.from, line.to}) {
      left = std::min(left, p.x);
      right = std::max(right, p.x);
      bottom = std::min(bottom, p.y);
      top = std::max(top, p.y);
    }
  }
  EXPECT_EQ(left, kPlot.left);
  EXPECT_EQ(right, kPlot.right);
  EXPECT_EQ(bottom, kPlot.bottom);
  EXPECT_EQ(top, kPlot.top);
  EXPECT_EQ(canvas.lines[0].pen.color, ChartRgb(0, 255, 0)) << "a new series is green, even at index 0";
  ASSERT_EQ(canvas.clips.size(), 1u);
  EXPECT_EQ(canvas.clips[0], (ChartRect{99, -99, 1099, -599}));
  EXPECT_EQ(canvas.saves, canvas.restores);
}

TEST(XYChartTest, SinglePointIsDrawnInsideThePlotWithoutDividingByZero) {
  CXYChart chart;
  const int id = AddSeries(chart, {7}, {3});
  chart.SetDataStyle(id, kMarkerCircle);
  chart.SetMarkFrequency(id, 1);
  RecordingCanvas canvas;
  chart.Draw(canvas, {0, 0, 1200, -700});
  ASSERT_EQ(canvas.paths.size(), 1u);
  const ChartRect plot = chart.GetPlotRect(&canvas, {0, 0, 1200, -700});
  const ChartPoint at = canvas.paths[0].at;
  EXPECT_EQ(at.x, (plot.left + plot.right) / 2);
  EXPECT_NEAR(at.y, (plot.top + plot.bottom) / 2, 1);
}

TEST(XYChartTest, HandSetRangesFixTheScaleAndOnlyTheFirstPointIsClamped) {
  CXYChart chart;
  AddSeries(chart, {-50, 50, 150}, {0, 5, 20});
  chart.AddAxis(kAxisBottom);
  chart.AddAxis(kAxisLeft);
  chart.SetXRange(0, 100);
  chart.SetYRange(0, 10);
  RecordingCanvas canvas;
  DrawData(chart, canvas);
  ASSERT_EQ(canvas.lines.size(), 2u);
  EXPECT_EQ(canvas.lines[0].from, (ChartPoint{kPlot.left, kPlot.bottom})) << "clamped into the plot";
  EXPECT_EQ(canvas.lines[0].to, (ChartPoint{600, -350}));
  EXPECT_EQ(canvas.lines[1].to, (ChartPoint{1600, 400})) << "outside, left to the clipping";

  RecordingCanvas printer;
  printer.printing = true;
  DrawData(chart, printer);
  EXPECT_TRUE(printer.clips.empty());
}

TEST(XYChartTest, RepeatedPointsDrawNoEmptySegmentsButAMarkerEach) {
  CXYChart chart;
  const int id = AddSeries(chart, {0, 1, 1, 1, 2}, {0, 1, 1, 1, 2});
  chart.SetDataStyle(id, kMarkerSquare);
  chart.SetMarkFrequency(id, 1);
  RecordingCanvas canvas;
  DrawData(chart, canvas);
  int dataLines = 0;
  for (const RecordedLine& line : canvas.lines) {
    if (line.pen.width == 1 && line.pen.color == ChartRgb(0, 255, 0) && line.from == line.to) ++dataLines;
  }
  EXPECT_EQ(dataLines, 0);
  EXPECT_EQ(canvas.paths.size(), 5u);
}

TEST(XYChartTest, HistogramStepsHalfwayBetweenPointsAndToThePlotEdges) {
  CXYChart chart;
  const int id = AddSeries(chart, {0, 10, 20}, {1, 3, 2});
  chart.SetChartType(id, kXYHistogram);
  chart.AddAxis(kAxisLeft);
  chart.SetYRange(0, 5);
  RecordingCanvas canvas;
  DrawData(chart, canvas);
  auto yOf = [](double value) { return kPlot.bottom + static_cast<int>(value * 100); };
  std::vector<ChartPoint> path;
  for (const RecordedLine& line : canvas.lines) path.push_back(line.to);
  ASSERT_EQ(canvas.lines.front().from, (ChartPoint{kPlot.left, yOf(1)}));
  EXPECT_EQ(path, (std::vector<ChartPoint>{{350, yOf(1)}, {350, yOf(3)}, {850, yOf(3)}, {850, yOf(2)},
                                           {kPlot.right, yOf(2)}}));
}

TEST(XYChartTest, MarkerFrequencies) {
  const struct {
    int frequency;
    int points;
    std::vector<int> marked;
  } cases[] = {
      {3, 10, {0, 3, 6, 9}},
      {-5, 100, {9, 29, 49, 69, 89}},
      {-10, 5, {0, 1, 2, 3, 4}},  // more markers asked for than points: every point, no division by zero
      {0, 10, {}},
  };
  for (const auto& c : cases) {
    CXYChart chart;
    const int id = AddSeries(chart, std::vector<double>(c.points, 1.0), std::vector<double>(c.points, 2.0));
    chart.SetDataStyle(id, kMarkerCircle);
    chart.SetMarkFrequency(id, c.frequency);
    EXPECT_EQ(MarkedPoints(chart, id, c.points), c.marked) << "frequency " << c.frequency;
    chart.SetDataStyle(id, kMarkerNone);
    EXPECT_TRUE(MarkedPoints(chart, id, c.points).empty()) << "no marker type, frequency " << c.frequency;
  }
}

TEST(XYChartTest, FilledMarkerUsesTheSeriesColourAndKeepsThePosition) {
  CXYChart chart;
  const int id = AddSeries(chart, {0, 1}, {0, 1});
  chart.SetDataColor(id, ChartRgb(255, 0, 0));
  chart.SetDataStyle(id, kMarkerTriangle);
  chart.SetMarkerFill(id, 1);
  chart.SetMarkFrequency(id, 1);
  RecordingCanvas canvas;
  canvas.MoveTo({5, 6});
  chart.DrawMarker(canvas, 100, 100, 0, 0);
  ASSERT_EQ(canvas.paths.size(), 1u);
  EXPECT_TRUE(canvas.paths[0].filled);
  EXPECT_EQ(canvas.paths[0].color, ChartRgb(255, 0, 0));
  EXPECT_EQ(canvas.CurrentPosition(), (ChartPoint{5, 6}));
}

TEST(XYChartTest, RemovingASeriesMovesTheAttributesOfTheLaterOnes) {
  CXYChart chart;
  const int first = AddSeries(chart, {0}, {0});
  const int second = AddSeries(chart, {0}, {0});
  const int third = AddSeries(chart, {0}, {0});
  chart.SetDataColor(second, ChartRgb(1, 2, 3));
  chart.SetLineSize(second, 4);
  chart.SetLineStyle(third, kPenDot);
  chart.SetChartType(third, kXYScatter);
  ASSERT_TRUE(chart.RemoveData(first));
  EXPECT_EQ(chart.Attributes(0).dataColor, ChartRgb(1, 2, 3));
  EXPECT_EQ(chart.GetLineSize(second), 4);
  EXPECT_EQ(chart.GetLineStyle(third), kPenDot);
  EXPECT_EQ(chart.GetChartType(third), kXYScatter);
  EXPECT_FALSE(chart.RemoveData(first));

  // Getters for an identifier no series has.
  EXPECT_EQ(chart.GetChartType(first), -1);
  EXPECT_EQ(chart.GetDataStyle(first), -1);
  EXPECT_EQ(chart.GetMarkerSize(first), -1);
  EXPECT_EQ(chart.GetMarkFrequency(first), 0);
  EXPECT_EQ(chart.GetMarkerFill(first), 0);
  EXPECT_EQ(chart.GetLineSize(first), 1);
  EXPECT_EQ(chart.GetLineStyle(first), 1);
  EXPECT_EQ(chart.GetDataTitle(first), "");
}

TEST(XYChartTest, LineSeriesTitlesFormALegendInTheirColours) {
  CXYChart chart;
  const int users = AddSeries(chart, {0, 1}, {0, 1});
  const int traffic = AddSeries(chart, {0, 1}, {1, 0});
  chart.SetDataTitle(users, "Users");
  chart.SetDataTitle(traffic, "Traffic");
  chart.SetDataColor(traffic, ChartRgb(255, 0, 0));
  RecordingCanvas canvas;
  DrawData(chart, canvas);
  ASSERT_EQ(canvas.texts.size(), 2u);
  EXPECT_EQ(canvas.texts[1].text, "Traffic");
  EXPECT_EQ(canvas.texts[1].rect.left, kPlot.left + 300);
  EXPECT_EQ(canvas.texts[1].rect.top, kPlot.top - 80);
  EXPECT_EQ(canvas.texts[1].color, ChartRgb(255, 0, 0));
}

// A title sits on the chart's background, so the lines never run through it, and a light colour such as
// pure green is darkened for its text (the line keeps its colour).
TEST(XYChartTest, LegendTitlesSitOnTheBackgroundInAColourThatReads) {
  CXYChart chart;
  const int blue = AddSeries(chart, {0, 1}, {0, 1});
  const int green = AddSeries(chart, {0, 1}, {1, 0});
  chart.SetDataTitle(blue, "AP: one");
  chart.SetDataTitle(green, "AP: two");
  chart.SetDataColor(blue, ChartRgb(0, 0, 255));
  chart.SetDataColor(green, ChartRgb(0, 255, 0));
  RecordingCanvas canvas;
  DrawData(chart, canvas);
  ASSERT_EQ(canvas.texts.size(), 2u);
  EXPECT_EQ(canvas.texts[0].color, ChartRgb(0, 0, 255));
  const ChartColor text = canvas.texts[1].color;
  EXPECT_EQ(ChartRed(text), 0);
  EXPECT_EQ(ChartBlue(text), 0);
  EXPECT_GT(ChartGreen(text), 100);
  EXPECT_LT(ChartGreen(text), 160);
  for (const RecordedText& title : canvas.texts) {
    const bool grounded = std::any_of(canvas.fills.begin(), canvas.fills.end(), [&](const RecordingCanvas::Fill& fill) {
      return fill.color == chart.backgroundColor && fill.rect.left < title.rect.left &&
             fill.rect.right >= title.rect.left + static_cast<int>(title.text.size()) * title.font.height / 2 &&
             fill.rect.top == title.rect.top && fill.rect.bottom == title.rect.top - title.font.height;
    });
    EXPECT_TRUE(grounded) << title.text;
  }
  bool greenLine = false;
  for (const RecordedLine& line : canvas.lines) greenLine |= line.pen.color == ChartRgb(0, 255, 0);
  EXPECT_TRUE(greenLine) << "the line keeps its colour";
}

// The box a recorded text covers, by the canvas's measuring rule: a label is anchored at its right end and
// centred on its tick; a turned title is centred in its rectangle.
struct TextBox {
  int left, right, bottom, top;
  bool Overlaps(const TextBox& other) const {
    return left < other.right && other.left < right && bottom < other.top && other.bottom < top;
  }
};

TextBox LabelBox(const RecordedText& label) {
  const int width = static_cast<int>(label.text.size()) * label.font.height / 2;
  const int y = label.rect.top;
  return {label.rect.left - width, label.rect.left, y - label.font.height / 2, y + label.font.height / 2};
}

TextBox TurnedTitleBox(const RecordedText& title) {
  const int length = static_cast<int>(title.text.size()) * title.font.height / 2;
  const int x = (title.rect.left + title.rect.right) / 2;
  const int y = (title.rect.top + title.rect.bottom) / 2;
  return {x - title.font.height / 2, x + title.font.height / 2, y - length / 2, y + length / 2};
}

// However wide the traffic labels grow, the left axis's title lies wholly inside the chart and beside the
// labels, never across one of them.
TEST(XYChartTest, LeftTitleSitsInTheChartClearOfEveryTickLabel) {
  struct Case {
    double top;
    int labelSize;
  };
  for (const Case& c : {Case{250000, 12}, Case{2900000, 12}, Case{2900000000, 12}, Case{2900000000, 24},
                        Case{290000000000, 12}}) {
    CXYChart chart;
    CAxis* left = chart.AddAxis(kAxisLeft);
    left->SetTitle("AP's Traffic (Byte)    ");
    left->SetRange(0, c.top);
    left->LabelFont().height = c.labelSize;
    const ChartRect rect{0, 0, 3000, -1500};
    RecordingCanvas canvas;
    chart.Draw(canvas, rect);
    const auto title = std::find_if(canvas.texts.begin(), canvas.texts.end(),
                                    [&](const RecordedText& text) { return text.text == left->GetTitle(); });
    ASSERT_NE(title, canvas.texts.end()) << c.top;
    const TextBox titleBox = TurnedTitleBox(*title);
    EXPECT_GE(titleBox.left, rect.left) << c.top << " at size " << c.labelSize;
    int labels = 0;
    for (const RecordedText& text : canvas.texts) {
      if (&text == &*title) continue;
      ++labels;
      const TextBox label = LabelBox(text);
      EXPECT_FALSE(titleBox.Overlaps(label)) << text.text << " at size " << c.labelSize;
      EXPECT_LT(titleBox.right, label.left) << text.text << " at size " << c.labelSize;
    }
    EXPECT_EQ(labels, left->GetIntervalCount() + 1) << "every tick is labelled";
  }
}

TEST(XYChartTest, TextExportWritesPointPairsWithAnEmptyLineBetweenSeries) {
  testing_support::TempDir folder;
  CXYChart chart;
  AddSeries(chart, {1, 2}, {10, 20});
  AddSeries(chart, {3, 4}, {30, 40.5});
  ASSERT_TRUE(chart.SaveData(folder.File("xy.txt")));
  std::ifstream file(folder.File("xy.txt"), std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_EQ(text.str(), "1 10\r\n2 20\r\n\r\n3 30\r\n4 40.5\r\n");
}

TEST(XYChartTest, ArchiveHoldsTheAttributeBlocks) {
  CXYChart stored;
  const int id = AddSeries(stored, {0, 1}, {2, 3});
  stored.SetMarkerSize(id, 30);
  stored.SetDataColor(id, ChartRgb(9, 8, 7));
  CChartArchive out;
  stored.Serialize(out);
  ASSERT_EQ(out.Bytes().size(), 1360u);
  CXYChart loaded;
  CChartArchive in(out.Bytes());
  loaded.Serialize(in);
  EXPECT_EQ(loaded.Attributes(0).markerSize, 30);
  EXPECT_EQ(loaded.Attributes(0).dataColor, ChartRgb(9, 8, 7));
  EXPECT_EQ(loaded.Attributes(0).maxY, 3);

  CXYChart untouched;
  CChartArchive cut(std::vector<std::uint8_t>(out.Bytes().begin(), out.Bytes().begin() + 500));
  untouched.Serialize(cut);
  EXPECT_TRUE(cut.Failed());
  EXPECT_EQ(untouched.Attributes(0).dataColor, ChartRgb(0, 0, 255)) << "a short archive changes nothing";
}

TEST(XYChartTest, NearestPointAndRowEnds) {
  CXYChart chart;
  AddSeries(chart, {0, 10, 20}, {5, 6, 7});
  chart.AddAxis(kAxisBottom)->SetRange(0, 20);
  chart.AddAxis(kAxisLeft)->SetRange(0, 10);
  RecordingCanvas canvas;
  const ChartRect rect{0, 0, 1200, -700};
  chart.Draw(canvas, rect);
  const ChartRect plot = chart.GetPlotRect(&canvas, rect);
  double found[2] = {0, 0};
  chart.FindNearestPoint(&canvas, {plot.left + plot.Width() * 9 / 20, plot.bottom}, found, -1);
  EXPECT_EQ(found[0], 10);
  EXPECT_EQ(found[1], 6);
  double ends[2];
  CXYChart::GetDataRowEnds(*chart.GetDataAt(0), 1, ends);
  EXPECT_EQ(ends[0], 5);
  EXPECT_EQ(ends[1], 7);
}

TEST(XYChartTest, SeriesOfOtherShapesStayOutOfRangesDrawingAndExport) {
  CXYChart chart;
  const double values[] = {5, 6, 7};
  const int row[] = {1, 3, 1};  // a 1 x 3 x 1 series: no y row to read
  const int id = chart.AddData(values, 3, row);
  ASSERT_NE(id, -1);
  EXPECT_EQ(chart.Attributes(0).minX, 1e30) << "no extents from a series that is not 2 x N";
  AddSeries(chart, {0, 1}, {0, 1});
  double x[2], y[2];
  chart.GetDataRanges(x, y);
  EXPECT_EQ(x[0], 0);
  EXPECT_EQ(x[1], 1);
  RecordingCanvas canvas;
  chart.DrawData(canvas, kPlot, x, y);
  EXPECT_EQ(canvas.lines.size(), 1u);
  testing_support::TempDir folder;
  ASSERT_TRUE(chart.SaveData(folder.File("mixed.txt")));
  std::ifstream file(folder.File("mixed.txt"), std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  EXPECT_EQ(text.str(), "\r\n0 0\r\n1 1\r\n");
}
