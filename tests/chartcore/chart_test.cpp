#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "chartcore/Chart.h"
#include "chartcore/ChartUtilities.h"
#include "support/MessageRecorder.h"
#include "support/RecordingChartCanvas.h"
#include "support/TempDir.h"

namespace {

const double kValues[] = {1, 2, 3, 10, 20, 30};
const int kTwoByThree[] = {2, 3};

std::string ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

}  // namespace

TEST(ChartTest, TwentySeriesAtMostAndIdentifiersStartAgainAfterRemoveAll) {
  CChart chart;
  for (int i = 1; i <= CChart::kMaxData; ++i) EXPECT_EQ(chart.AddData(kValues, 2, kTwoByThree), i);
  EXPECT_EQ(chart.AddData(kValues, 2, kTwoByThree), -1);
  EXPECT_EQ(chart.GetDataCount(), 20);
  chart.SetDataTitle(-1, "nobody");  // the failed addition's id finds nothing
  EXPECT_EQ(chart.GetData(-1), nullptr);

  const int failing[] = {2, 0};
  chart.RemoveAll();
  EXPECT_EQ(chart.AddData(kValues, 2, failing), -1) << "data that cannot be stored is not added";
  EXPECT_EQ(chart.GetDataCount(), 0);
  EXPECT_EQ(chart.AddData(kValues, 2, kTwoByThree), 1);
}

TEST(ChartTest, RemovingMovesLaterSeriesDownAndClearsTheLastSlot) {
  CChart chart;
  for (int i = 0; i < 3; ++i) chart.AddData(kValues, 2, kTwoByThree);
  chart.SetDataTitle(1, "one");
  chart.SetDataTitle(3, "three");
  EXPECT_TRUE(chart.RemoveData(1));
  EXPECT_FALSE(chart.RemoveData(1));
  EXPECT_EQ(chart.FindDataIndex(3), 1);
  EXPECT_EQ(chart.GetDataTitleAt(1), "three");
  EXPECT_TRUE(chart.RemoveData(3));
  EXPECT_EQ(chart.AddData(kValues, 2, kTwoByThree), 4);
  EXPECT_EQ(chart.GetDataTitleAt(1), "") << "the removed series' title does not come back";
}

TEST(ChartTest, AxesByLocationAndTheirRanges) {
  CChart chart;
  CAxis* bottom = chart.AddAxis(kAxisBottom);
  bottom->SetMajorTicks(3);
  EXPECT_EQ(chart.AddAxis(kAxisBottom), bottom);
  EXPECT_EQ(bottom->GetMajorTickCount(), 9) << "reset";
  CAxis* right = chart.AddAxis(kAxisRight);
  chart.SetYRange(5, 6);
  double range[2];
  right->GetRange(range);
  EXPECT_EQ(range[1], 0) << "only a left axis takes a vertical range";
  chart.SetXRange(-1, 1);
  chart.GetXRange(range);
  EXPECT_EQ(range[0], -1);
  EXPECT_EQ(chart.IsXAutoRange(), 0);
  chart.SetXAutoRange();
  EXPECT_EQ(chart.IsXAutoRange(), 1);
  EXPECT_EQ(chart.IsYAutoRange(), 1);

  chart.AddAxis(kAxisLeft);
  chart.AddAxis(kAxisTop);
  EXPECT_EQ(chart.GetAxisCount(), 4);
  EXPECT_EQ(chart.AddAxis(kAxisBottom), nullptr) << "four axes: even an occupied location is refused";
  EXPECT_EQ(chart.GetAxisAt(4), nullptr);
}

TEST(ChartTest, MajorGridMarksTheInteriorTicksOnly) {
  CChart chart;
  chart.AddAxis(kAxisLeft)->SetRange(0, 100);
  chart.AddAxis(kAxisBottom);  // no range: no vertical lines, and no division by an empty range
  chart.majorHorzGrid = 1;
  chart.majorVertGrid = 1;
  const ChartRect plot{100, -100, 1100, -1100};
  RecordingCanvas canvas;
  chart.DrawGrids(canvas, plot);
  ASSERT_EQ(canvas.lines.size(), 9u);
  for (size_t i = 0; i < canvas.lines.size(); ++i) {
    const RecordedLine& line = canvas.lines[i];
    EXPECT_EQ(line.from.y, line.to.y);
    EXPECT_EQ(line.from.y, -1100 + 100 * static_cast<int>(i + 1));
    EXPECT_EQ(line.pen, (ChartPen{kPenSolid, 1, ChartRgb(128, 128, 128)}));
  }
  chart.minorHorzGrid = 1;
  RecordingCanvas withMinor;
  chart.DrawGrids(withMinor, plot);
  EXPECT_EQ(withMinor.lines.size(), 9u + 10 * 3);
  EXPECT_EQ(withMinor.lines.back().pen.style, kPenDot);
}

TEST(ChartTest, TitleShrinksToFitThePlotWidthButNotBelowSizeFour) {
  CChart chart;
  chart.SetTitle("Users of every access point in the building");
  const ChartRect rect{0, 0, 3000, -1000};
  RecordingCanvas canvas;
  chart.DrawTitle(canvas, rect, {100, -100, 1100, -900});
  ASSERT_EQ(canvas.texts.size(), 1u);
  const int width = canvas.texts[0].font.height * static_cast<int>(chart.GetTitle().size()) / 2;
  EXPECT_LE(width, 1000);
  EXPECT_EQ(canvas.texts[0].rect, (ChartRect{100, 0, 1100, -90}));

  RecordingCanvas narrow;
  chart.DrawTitle(narrow, rect, {100, -100, 150, -900});
  EXPECT_EQ(narrow.texts[0].font.height, 11) << "size 4";
  EXPECT_EQ(chart.TitleFont().height, 12) << "the chart keeps its own size";
}

TEST(ChartTest, LayoutMakesRoomForEveryAxisAndTheTitle) {
  CChart chart;
  chart.AddAxis(kAxisLeft)->SetRange(0, 100);
  chart.AddAxis(kAxisBottom)->SetRange(0, 100);
  RecordingCanvas canvas;
  const ChartRect rect{0, 0, 2000, -1000};
  // Left: across 76, overhangs 34 each end; bottom: across 54, overhangs 8 and 17 (see the axis sizes).
  EXPECT_EQ(chart.AdjustRectForAxes(canvas, rect), (ChartRect{76 + 8, -34, 2000 - 17, -1000 + 34 + 54}));
  chart.SetTitle("T");
  EXPECT_EQ(chart.AdjustRectForTitle(canvas, rect).top, -34);
}

TEST(ChartTest, DataAndPixelConversionsAfterDrawing) {
  CChart chart;
  chart.AddAxis(kAxisBottom)->SetRange(0, 100);
  chart.AddAxis(kAxisLeft)->SetRange(0, 50);
  RecordingCanvas canvas;
  const double value[2] = {25, 10};
  ChartPoint pixel{-1, -1};
  chart.DataToPixel(&canvas, value, &pixel);
  EXPECT_EQ(pixel, (ChartPoint{-1, -1})) << "not drawn yet";
  chart.Draw(canvas, {0, 0, 1000, -500});
  chart.DataToPixel(&canvas, value, &pixel);
  EXPECT_EQ(pixel, (ChartPoint{250, -400}));
  double back[2];
  chart.PixelToData(&canvas, pixel, back);
  EXPECT_DOUBLE_EQ(back[0], 25);
  EXPECT_DOUBLE_EQ(back[1], 10);
}

TEST(ChartTest, TextExportWritesEveryValueAndReportsOtherShapes) {
  testing_support::TempDir folder;
  CChart chart;
  EXPECT_FALSE(chart.SaveData(folder.File("empty.txt"))) << "no series";
  chart.AddData(kValues, 2, kTwoByThree);
  EXPECT_FALSE(chart.SaveData(folder.File("missing/x.txt")));
  ASSERT_TRUE(chart.SaveData(folder.File("one.txt")));
  EXPECT_EQ(ReadFile(folder.File("one.txt")), "1\r\n2\r\n3\r\n10\r\n20\r\n30\r\n");

  const int cube[] = {1, 1, 2};
  chart.AddData(kValues, 3, cube);
  chart.AddData(kValues, 1, cube + 2);
  testing_support::MessageBoxRecorder boxes;
  ASSERT_TRUE(chart.SaveData(folder.File("three.txt")));
  EXPECT_EQ(ReadFile(folder.File("three.txt")), "1\r\n2\r\n3\r\n10\r\n20\r\n30\r\n\r\n\r\n1\r\n2\r\n");
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].text, "Cannot save files of 3 dimensions.");
}

TEST(ChartTest, RangeHelpersGiveRoundBoundsAndCounts) {
  const double range[2] = {3, 97};
  double bounds[2];
  int major = 0, minor = 0;
  CChart::ComputeNiceRange(range, bounds, &major, &minor, 1);
  EXPECT_LE(bounds[0], 3);
  EXPECT_GE(bounds[1], 97);
  EXPECT_EQ(bounds[0], RoundToMultiple(bounds[0], 5));
  EXPECT_GT(major, 0);
  EXPECT_GT(minor, 1);

  const double even[2] = {0, 60};
  CChart::ComputeEvenRange(even, bounds, &major, &minor);
  EXPECT_EQ(bounds[0], 0);
  EXPECT_EQ(bounds[1], 60);
  EXPECT_GT(major, 0);

  const double empty[2] = {5, 5};  // widened instead of dividing by zero
  CChart::ComputeNiceRange(empty, bounds, &major, &minor, 0);
  EXPECT_LT(bounds[0], 5);
  EXPECT_GT(bounds[1], 5);
}

TEST(ChartTest, ArchiveRestoresIntoAChartOfTheSameShapeOnly) {
  CChart stored;
  stored.AddData(kValues, 2, kTwoByThree);
  stored.SetDataTitle(1, "users");
  stored.AddAxis(kAxisLeft)->SetTitle("Users");
  stored.SetTitle("AP 7");
  stored.majorHorzGrid = 1;
  CChartArchive out;
  stored.Serialize(out);

  CChart same;
  same.AddData(kValues, 2, kTwoByThree);
  same.AddAxis(kAxisBottom);
  CChartArchive in(out.Bytes());
  same.Serialize(in);
  ASSERT_FALSE(in.Failed());
  EXPECT_EQ(same.GetTitle(), "AP 7");
  EXPECT_EQ(same.GetDataTitleAt(0), "users");
  EXPECT_EQ(same.GetAxisAt(0)->GetTitle(), "Users");
  EXPECT_EQ(same.majorHorzGrid, 1);

  CChart other;  // no series, no axes
  CChartArchive again(out.Bytes());
  other.Serialize(again);
  EXPECT_TRUE(again.Failed());
  EXPECT_EQ(other.majorHorzGrid, 0);
}
