#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "chartcore/Axis.h"
#include "chartcore/Chart.h"
#include "chartcore/TimeTicks.h"
#include "support/LocalTime.h"
#include "support/RecordingChartCanvas.h"

namespace {

std::time_t LocalSeconds(int year, int month, int day, int hour) {
  std::tm local = testing_support::LocalTm(year, month, day, hour, 0);
  return std::mktime(&local);
}

const ChartRect kChartRect{0, 0, 2000, -1000};
const ChartRect kPlotRect{200, -100, 1800, -900};

std::vector<std::string> DrawnLabels(const CAxis& axis) {
  RecordingCanvas canvas;
  axis.Draw(canvas, kChartRect, kPlotRect);
  std::vector<std::string> labels;
  for (const RecordedText& text : canvas.texts) {
    if (text.text != axis.GetTitle()) labels.push_back(text.text);
  }
  return labels;
}

// Minor tick lines are the short ones: minorTickLength (10) against majorTickLength (20).
int MinorTickCount(const RecordingCanvas& canvas) {
  return static_cast<int>(std::count_if(canvas.lines.begin(), canvas.lines.end(), [](const RecordedLine& line) {
    return std::abs(line.to.x - line.from.x) + std::abs(line.to.y - line.from.y) == 10;
  }));
}

}  // namespace

TEST(AxisTest, NewAxisDrawsInBlackAndAReusedOneInDarkGreen) {
  CChart chart;
  CAxis* axis = chart.AddAxis(kAxisLeft);
  EXPECT_EQ(axis->GetColor(), ChartRgb(0, 0, 0));
  axis->SetRange(0, 10);
  axis->SetTitle("Users");
  EXPECT_EQ(chart.AddAxis(kAxisLeft), axis);
  EXPECT_EQ(axis->GetColor(), ChartRgb(0, 100, 0));
  EXPECT_EQ(axis->GetTitle(), "");
  EXPECT_EQ(axis->IsRangeManual(), 0);
  EXPECT_EQ(axis->GetLocation(), kAxisLeft);

  RecordingCanvas canvas;
  axis->SetRange(0, 10);
  axis->Draw(canvas, kChartRect, kPlotRect);
  ASSERT_FALSE(canvas.lines.empty());
  EXPECT_EQ(canvas.lines.front().pen.color, ChartRgb(0, 100, 0));
}

TEST(AxisTest, TickValuesAndCounts) {
  CAxis axis;
  axis.SetRange(0, 100);
  EXPECT_EQ(axis.GetMajorTickCount(), 9);
  EXPECT_DOUBLE_EQ(axis.GetTickValue(0), 0);
  EXPECT_DOUBLE_EQ(axis.GetTickValue(3), 30);
  EXPECT_DOUBLE_EQ(axis.GetTickValue(10), 100);
  EXPECT_DOUBLE_EQ(axis.GetTickValue(11), 0) << "past the last tick";
  EXPECT_DOUBLE_EQ(axis.GetTickValue(-1), 0);
  EXPECT_EQ(axis.GetTickLabel(3), "30");

  axis.SetMajorTicks(0);
  EXPECT_DOUBLE_EQ(axis.GetTickValue(1), 20) << "no major count: five intervals";

  axis.SetMajorTicks(4);
  axis.SetMajorTicks(-7);
  EXPECT_EQ(axis.GetMajorTickCount(), 4) << "a negative count leaves a positive one";
  axis.InterpretMenuCommand(15);  // "Auto": the sign changes, the drawn count stays
  EXPECT_EQ(axis.GetMajorTickCount(), 4);
}

TEST(AxisTest, VerticalLabelsAreTheTickValuesForAnyTickCount) {
  CAxis axis;
  axis.SetLocation(kAxisLeft);
  axis.SetRange(0, 100);
  EXPECT_EQ(DrawnLabels(axis),
            (std::vector<std::string>{" 0", "10", "20", "30", "40", "50", "60", "70", "80", "90", "100"}));
  axis.SetMajorTicks(4);
  EXPECT_EQ(DrawnLabels(axis), (std::vector<std::string>{" 0", "20", "40", "60", "80", "100"}));
  axis.SetRange(50, 60);
  axis.SetMajorTicks(3);
  EXPECT_EQ(DrawnLabels(axis), (std::vector<std::string>{"50", "52.5", "55", "57.5", "60"}));
}

TEST(AxisTest, HorizontalLabelsShowHoursDatesOrMinuteCounts) {
  CAxis axis;  // bottom
  const std::time_t midnight = LocalSeconds(2026, 3, 10, 0);
  axis.timeMode = true;
  axis.startTime = midnight;
  axis.endTime = midnight + 20 * 3600;
  axis.SetRange(static_cast<double>(axis.startTime), static_cast<double>(axis.endTime));
  const std::vector<std::string> hours = DrawnLabels(axis);
  ASSERT_EQ(hours.size(), 11u);
  EXPECT_EQ(hours.front(), "00");
  EXPECT_EQ(hours[1], "02");
  EXPECT_EQ(hours.back(), "20");

  axis.endTime = midnight + 3 * 86400;
  axis.SetRange(static_cast<double>(axis.startTime), static_cast<double>(axis.endTime));
  const std::vector<std::string> dates = DrawnLabels(axis);
  EXPECT_EQ(dates.front(), "03/10");
  EXPECT_EQ(dates.back(), "03/13");

  axis.timeMode = false;
  axis.SetMajorTicks(1);
  axis.SetRange(0, 2 * 1440 + 3 * 60 + 4);  // day 2, 03:04 as a minute count; a span below a day in seconds
  EXPECT_EQ(DrawnLabels(axis).back(), "02-03:04");
  axis.SetRange(0, 100000);  // a longer span: month/day-hour
  EXPECT_EQ(DrawnLabels(axis).back(), "02/09-10");
}

// Labels 0 .. n of a time window: start plus n steps, each formatted by its own unit.
std::vector<std::string> Expected(std::time_t start, int count, int stepSeconds, int stepDays, const char* format) {
  std::vector<std::string> labels;
  std::tm local{};
  localtime_r(&start, &local);
  for (int i = 0; i < count; ++i) {
    std::tm tick = local;
    tick.tm_sec += i * stepSeconds;
    tick.tm_mday += i * stepDays;
    tick.tm_isdst = -1;
    std::mktime(&tick);
    char text[32];
    std::strftime(text, sizeof text, format, &tick);
    labels.emplace_back(text);
  }
  return labels;
}

TEST(AxisTest, ATimeWindowPutsEveryLabelOnATrueAndDistinctTime) {
  const std::time_t march10 = LocalSeconds(2026, 3, 10, 0);
  const std::time_t sunday = LocalSeconds(2026, 3, 8, 0);
  const std::time_t december = LocalSeconds(2026, 12, 1, 0);
  const std::time_t february = LocalSeconds(2026, 2, 1, 0);
  const struct {
    std::time_t start;
    std::time_t end;
    std::vector<std::string> labels;
  } cases[] = {
      {march10 + 11 * 3600, march10 + 12 * 3600, Expected(march10 + 11 * 3600, 13, 300, 0, "%H:%M")},  // an hour
      {march10, march10 + 86400, Expected(march10, 25, 3600, 0, "%H")},                                // a day
      {march10, march10 + 86399, Expected(march10, 25, 3600, 0, "%H")},  // a report day, to 23:59:59
      {sunday, LocalSeconds(2026, 3, 15, 0), Expected(sunday, 8, 0, 1, "%m/%d")},                      // a week
      {december, LocalSeconds(2027, 1, 1, 0), Expected(december, 32, 0, 1, "%d")},   // a month of 31 days
      {february, LocalSeconds(2026, 3, 1, 0), Expected(february, 5, 0, 7, "%m/%d")},  // of 28 days: by weeks
      {march10, LocalSeconds(2026, 3, 13, 0) - 1, Expected(march10, 4, 0, 1, "%m/%d")},  // a three-day report
  };
  for (const auto& c : cases) {
    CAxis axis;
    axis.SetTimeWindow(c.start, c.end);
    axis.SetRange(static_cast<double>(c.start), static_cast<double>(c.end));
    const std::vector<std::string> labels = DrawnLabels(axis);
    EXPECT_EQ(labels, c.labels) << c.end - c.start;
    // Only the last label may repeat the first: the same hour or day of the next day or month.
    std::vector<std::string> inner(labels.begin(), labels.end() - 1);
    std::sort(inner.begin(), inner.end());
    EXPECT_EQ(std::adjacent_find(inner.begin(), inner.end()), inner.end()) << c.end - c.start;
  }
}

TEST(AxisTest, TimeTicksOfAnUnevenWindowStillNameEachTickToTheMinute) {
  const TimeTicks ticks = ChooseTimeTicks(1000, 1000 + 37 * 86400 + 5000);
  EXPECT_EQ(ticks.intervals, 5);
  EXPECT_STREQ(ticks.format, "%m/%d %H:%M");
  EXPECT_EQ(ChooseTimeTicks(1000, 1000 + 36 * 86400).intervals, 12) << "thirty-six days by threes";
  EXPECT_GE(ChooseTimeTicks(1000, 1000).intervals, 2);
}

TEST(AxisTest, EmptyRangeDrawsOnlyTheTitle) {
  CAxis axis;
  axis.SetTitle("Time");
  RecordingCanvas canvas;
  axis.Draw(canvas, kChartRect, kPlotRect);
  EXPECT_TRUE(canvas.lines.empty());
  ASSERT_EQ(canvas.texts.size(), 1u);
  EXPECT_EQ(canvas.texts[0].text, "Time");
}

TEST(AxisTest, MinorTickMenuKeepsTheDrawnCountUntilANumberIsChosen) {
  CAxis axis;
  axis.SetRange(0, 10);
  RecordingCanvas before;
  axis.Draw(before, kChartRect, kPlotRect);
  EXPECT_EQ(MinorTickCount(before), 10 * 3);

  EXPECT_EQ(axis.InterpretMenuCommand(25), kMenuHandled);  // "Auto"
  CChartMenu menu;
  axis.BuildMenu(menu, 100);
  EXPECT_TRUE(menu.FindCommand(125)->Checked());
  EXPECT_FALSE(menu.FindCommand(129)->Checked());
  RecordingCanvas automatic;
  axis.Draw(automatic, kChartRect, kPlotRect);
  EXPECT_EQ(MinorTickCount(automatic), 10 * 3);

  EXPECT_EQ(axis.InterpretMenuCommand(29), kMenuHandled);  // entry 5
  RecordingCanvas five;
  axis.Draw(five, kChartRect, kPlotRect);
  EXPECT_EQ(MinorTickCount(five), 10 * 4);
}

TEST(AxisTest, MenuItemsAndTheirEffects) {
  CAxis axis;
  axis.SetLocation(kAxisRight);
  CChartMenu parent;
  axis.BuildMenu(parent, 300);
  const CChartMenu* popup = parent.FindPopup("Right Axis");
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(parent.FindCommand(300)->Checked()) << "auto range";
  EXPECT_FALSE(parent.FindCommand(303)->Checked()) << "title size 16 is not listed: no size is checked";
  EXPECT_EQ(parent.FindCommand(303)->caption, "12");
  EXPECT_TRUE(parent.FindCommand(310)->Checked()) << "label size 12";
  EXPECT_TRUE(parent.FindCommand(324)->Checked()) << "major ticks: 10 intervals";
  EXPECT_TRUE(parent.FindCommand(328)->Checked()) << "minor ticks: 4";
  EXPECT_EQ(parent.FindCommand(399)->caption, "Settings...");
  EXPECT_EQ(CAxis::LocationName(7), "Error");

  const struct {
    int item;
    int majorCount;
    int titleSize;
    int labelSize;
    int manual;
  } cases[] = {{0, 9, 16, 12, 1}, {7, 9, 48, 12, 1}, {8, 9, 48, 8, 1}, {16, 1, 48, 8, 1}, {0, 1, 48, 8, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(axis.InterpretMenuCommand(c.item), kMenuHandled);
    EXPECT_EQ(axis.GetMajorTickCount(), c.majorCount) << "item " << c.item;
    EXPECT_EQ(axis.TitleFont().height, c.titleSize) << "item " << c.item;
    EXPECT_EQ(axis.LabelFont().height, c.labelSize) << "item " << c.item;
    EXPECT_EQ(axis.IsRangeManual(), c.manual) << "item " << c.item;
  }
  for (int item : {-1, 35, 40, 99}) EXPECT_EQ(axis.InterpretMenuCommand(item), kMenuNothing) << item;
}

TEST(AxisTest, LongVerticalTitleShrinksToSizeFourAndStaysInTheChart) {
  CAxis axis;
  axis.SetLocation(kAxisLeft);
  axis.SetTitle(std::string(200, 'W'));
  axis.SetRange(0, 10);
  const ChartRect chart{0, 0, 2000, -300};
  const ChartRect plot{200, -50, 1800, -250};
  RecordingCanvas canvas;
  axis.Draw(canvas, chart, plot);
  const RecordedText& title = canvas.texts.back();
  ASSERT_EQ(title.text, axis.GetTitle());
  EXPECT_EQ(title.font.height, 11) << "size 4 in logical units";
  EXPECT_EQ(title.font.escapement, 2700);
  EXPECT_LE(title.rect.top, chart.top);
  EXPECT_GE(title.rect.bottom, chart.bottom);
}

TEST(AxisTest, SizeAndOverhangFollowTheLabels) {
  RecordingCanvas canvas;
  CAxis bottom;
  bottom.SetRange(0, 100);
  // Labels "00-00:00" .. "00-01:40" in a 34-unit font: widest 136, tallest 34; plus the half tick extent 10.
  EXPECT_EQ(bottom.GetSize(canvas), (ChartSize{146, 54}));
  EXPECT_EQ(bottom.GetLabelOverhang(canvas), (ChartSize{8, 17}));
  CAxis left;
  left.SetLocation(kAxisLeft);
  left.SetRange(0, 100);
  EXPECT_EQ(left.GetSize(canvas), (ChartSize{76, 49}));
  EXPECT_EQ(left.GetLabelOverhang(canvas), (ChartSize{34, 34}));
}

TEST(AxisTest, ArchiveRoundTrip) {
  CAxis axis;
  axis.SetLocation(kAxisTop);
  axis.SetRange(-5, 5);
  axis.SetTitle("Traffic");
  axis.SetMinorTicks(7);
  axis.TitleFont().height = 24;
  CChartArchive out;
  axis.Serialize(out);
  EXPECT_EQ(out.Bytes().size(), 4u * 4 + 8 * 2 + 4 + 8 + 2 + 4 * 4 + 60 * 2);
  CChartArchive in(out.Bytes());
  CAxis loaded;
  loaded.Serialize(in);
  EXPECT_FALSE(in.Failed());
  EXPECT_EQ(loaded.GetLocation(), kAxisTop);
  EXPECT_EQ(loaded.GetTitle(), "Traffic");
  EXPECT_EQ(loaded.GetMinorTickCount(), 7);
  EXPECT_EQ(loaded.TitleFont(), axis.TitleFont());
  double range[2];
  loaded.GetRange(range);
  EXPECT_EQ(range[0], -5);
}
