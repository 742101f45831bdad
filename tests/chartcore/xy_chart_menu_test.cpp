#include <gtest/gtest.h>

#include <vector>

#include "chartcore/XYChart.h"

namespace {

// Chooses scripted ids in turn and keeps the last menu it was shown.
class ScriptedMenuHost : public CChartMenuHost {
 public:
  explicit ScriptedMenuHost(std::vector<int> choices) : choices_(std::move(choices)) {}
  int TrackPopupMenu(const CChartMenu& menu, int, int) override {
    shown = &menu;
    shownCopy.clear();
    for (const auto& item : menu.Items()) shownCopy.push_back(item.caption);
    const int choice = choices_.empty() ? 0 : choices_.front();
    if (!choices_.empty()) choices_.erase(choices_.begin());
    return choice;
  }
  const CChartMenu* shown = nullptr;
  std::vector<std::string> shownCopy;

 private:
  std::vector<int> choices_;
};

int AddPair(CXYChart& chart) {
  const double values[] = {0, 1, 2, 3};
  const int sizes[] = {2, 2};
  return chart.AddData(values, 2, sizes);
}

}  // namespace

TEST(XYChartMenuTest, WithoutAnOwnerNothingIsShown) {
  CXYChart chart;
  EXPECT_EQ(chart.ShowMenu(nullptr, 10, 10), 0);
}

TEST(XYChartMenuTest, GridChoiceTogglesAndIsCheckedNextTime) {
  CXYChart chart;
  ScriptedMenuHost host({4, 0});
  EXPECT_EQ(chart.ShowMenu(&host, 0, 0), kMenuHandled);
  EXPECT_EQ(chart.minorVertGrid, 1);
  CChartMenu menu;
  EXPECT_EQ(chart.ShowMenu(&menu, &host, 0, 0), kMenuNothing) << "cancelled";
  EXPECT_TRUE(menu.FindCommand(4)->Checked());
  EXPECT_FALSE(menu.FindCommand(1)->Checked());
  EXPECT_EQ(menu.FindCommand(999)->caption, "Settings...");
  EXPECT_EQ(menu.FindPopup("Title size"), nullptr) << "no title, no title size";
}

TEST(XYChartMenuTest, MenuListsTitleAxesAndSeries) {
  CXYChart chart;
  chart.SetTitle("Users");
  chart.AddAxis(kAxisLeft);
  chart.AddAxis(kAxisBottom);
  for (int i = 0; i < 3; ++i) AddPair(chart);
  chart.SetDataTitle(1, "Access point in the hall");
  CChartMenu menu;
  ScriptedMenuHost host({12});
  EXPECT_EQ(chart.ShowMenu(&menu, &host, 0, 0), kMenuHandled);
  EXPECT_EQ(chart.TitleFont().height, 12);
  EXPECT_EQ(host.shownCopy, (std::vector<std::string>{"Grids", "", "Title size", "", "Left Axis", "Bottom Axis", "",
                                                      "Access point in...", "Data set 2 of 3", "Data set 3 of 3",
                                                      "", "Settings..."}));
  EXPECT_EQ(menu.FindCommand(201)->caption, "8") << "bottom axis' title sizes at 200 + 1";
  EXPECT_EQ(menu.FindCommand(1299)->caption, "Settings...") << "second series";
}

TEST(XYChartMenuTest, CommandIdentifiersMapToTheirTargets) {
  CXYChart chart;
  chart.AddAxis(kAxisLeft);
  AddPair(chart);
  const struct {
    int id;
    int result;
  } cases[] = {
      {250, kMenuNothing},   // axis index 1 does not exist
      {140, 140},            // an axis item the axis does not know
      {100, kMenuHandled},   // auto range of axis 0
      {199, kMenuDeclined},  // axis settings decline
      {999, kMenuDeclined},  // chart settings decline
      {1199, kMenuDeclined},
      {1150, kMenuDeclined},  // a series item that does nothing
      {1300, kMenuNothing},   // series index 2 does not exist
      {3000, 3000},
      {4711, 4711},
      {0, kMenuNothing},
      {-5, kMenuNothing},
      {50, kMenuNothing},
  };
  for (const auto& c : cases) EXPECT_EQ(chart.InterpretMenuCommand(c.id), c.result) << c.id;
  EXPECT_EQ(chart.GetAxisAt(0)->IsRangeManual(), 1);
}

TEST(XYChartMenuTest, SeriesCommandsChangeItsAttributes) {
  CXYChart chart;
  const int id = AddPair(chart);
  const struct {
    int item;
    int XYSeriesAttributes::*field;
    int value;
  } cases[] = {
      {0, &XYSeriesAttributes::chartType, 0},       {2, &XYSeriesAttributes::chartType, 2},
      {4, &XYSeriesAttributes::lineSize, 1},        {13, &XYSeriesAttributes::lineSize, 10},
      {15, &XYSeriesAttributes::lineStyle, 0},      {19, &XYSeriesAttributes::lineStyle, 4},
      {22, &XYSeriesAttributes::markerType, 1},     {25, &XYSeriesAttributes::markerType, 4},
      {26, &XYSeriesAttributes::markerFill, 1},     {26, &XYSeriesAttributes::markerFill, 0},
      {29, &XYSeriesAttributes::markerSize, 30},    {34, &XYSeriesAttributes::markerSize, 80},
      {35, &XYSeriesAttributes::markFrequency, 1},  {36, &XYSeriesAttributes::markFrequency, 10},
      {37, &XYSeriesAttributes::markFrequency, -10},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(chart.InterpretMenuCommand(1100 + c.item), kMenuHandled) << c.item;
    EXPECT_EQ(chart.Attributes(0).*c.field, c.value) << "item " << c.item;
  }
  EXPECT_EQ(chart.InterpretDataMenuCommand(0, 14), kMenuDeclined);
  EXPECT_EQ(chart.InterpretDataMenuCommand(0, 20), kMenuDeclined);

  CChartMenu parent;
  chart.SetMarkFrequency(id, 7);
  chart.SetMarkerSize(id, 30);
  chart.BuildDataMenu(0, parent, 1100);
  EXPECT_EQ(parent.FindCommand(1136)->caption, "Mark every 7 points");
  EXPECT_TRUE(parent.FindCommand(1136)->Checked());
  EXPECT_EQ(parent.FindCommand(1137)->caption, "Mark 7 points");
  EXPECT_TRUE(parent.FindCommand(1129)->Checked()) << "marker size entry 3";
  EXPECT_TRUE(parent.FindCommand(1125)->Checked()) << "X marker from the table above";
  EXPECT_TRUE(parent.FindCommand(1102)->Checked()) << "histogram";
  EXPECT_EQ(parent.FindCommand(1117)->caption, "Dotted . . . . . .");
  EXPECT_EQ(parent.FindCommand(1121)->caption, "No marker");
  chart.BuildDataMenu(1, parent, 1200);
  EXPECT_EQ(parent.Items().size(), 1u) << "no series at index 1";
}
