#include <gtest/gtest.h>

#include "chartcore/ChartUtilities.h"
#include "support/RecordingChartCanvas.h"

TEST(ChartUtilitiesTest, PointFontIsSelectedInLogicalUnitsAndKeepsItsSizeNumber) {
  RecordingCanvas canvas;
  const struct {
    int size;
    int logical;
  } cases[] = {{12, 34}, {8, 22}, {48, 136}};
  for (const auto& c : cases) {
    ChartLogFont font = DefaultChartFont(c.size);
    const ChartLogFont before = canvas.Font();
    const std::optional<ChartLogFont> previous = SelectPointFont(&canvas, font);
    ASSERT_TRUE(previous.has_value());
    EXPECT_EQ(*previous, before);
    EXPECT_EQ(canvas.Font().height, c.logical) << "size " << c.size;
    EXPECT_EQ(font.height, c.size);
  }
  ChartLogFont font = DefaultChartFont(12);
  EXPECT_FALSE(SelectPointFont(nullptr, font).has_value());
}

TEST(ChartUtilitiesTest, ComparisonsAndRounding) {
  EXPECT_TRUE(NearlyEqual(1.0, 1.00005));
  EXPECT_FALSE(NearlyEqual(0.0, 0.0001));
  EXPECT_TRUE(FloatNearlyEqual(1000.0f, 1000.05f));
  EXPECT_FALSE(FloatNearlyEqual(1.0f, 1.001f));
  EXPECT_TRUE(FloatNearlyEqual(0.0f, 0.0001f));
  EXPECT_FALSE(FloatNearlyEqual(0.0f, 0.001f));

  const struct {
    double value, step, expected;
  } rounding[] = {{2.5, 1.0, 3.0}, {-2.5, 1.0, -2.0}, {-2.6, 1.0, -3.0}, {0.0, 1.0, 0.0},
                  {2.4, 1.0, 2.0}, {7.0, 5.0, 5.0},   {8.0, 5.0, 10.0}, {0.25, 0.5, 0.5}};
  for (const auto& c : rounding) {
    EXPECT_DOUBLE_EQ(RoundToMultiple(c.value, c.step), c.expected) << c.value << " by " << c.step;
  }
}

TEST(ChartUtilitiesTest, FontNameAndSizeMenu) {
  const ChartLogFont arial = DefaultChartFont(12);
  EXPECT_EQ(FormatFontName(&arial), "12 point Arial");
  EXPECT_EQ(FormatFontName(nullptr), "");

  CChartMenu parent;
  BuildFontSizeMenu(parent, "Title size", 18, 50);
  const CChartMenu* sizes = parent.FindPopup("Title size");
  ASSERT_NE(sizes, nullptr);
  ASSERT_EQ(sizes->Items().size(), 7u);
  const char* captions[] = {"8", "10", "12", "18", "24", "36", "48"};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(sizes->Items()[i].id, 50 + i);
    EXPECT_EQ(sizes->Items()[i].caption, captions[i]);
    EXPECT_EQ(sizes->Items()[i].Checked(), i == 3);
  }
  EXPECT_EQ(MenuCheckFlag(true), 8u);
  EXPECT_EQ(MenuCheckFlag(false), 0u);
}

TEST(ChartUtilitiesTest, RectOutlineClosesTheRectangleAndKeepsThePosition) {
  RecordingCanvas canvas;
  canvas.MoveTo({7, 8});
  DrawRectOutline(&canvas, 0, 100, 50, 0);
  ASSERT_EQ(canvas.lines.size(), 4u);
  EXPECT_EQ(canvas.lines[0].from, (ChartPoint{0, 100}));
  EXPECT_EQ(canvas.lines[3].to, (ChartPoint{0, 100}));
  EXPECT_EQ(canvas.CurrentPosition(), (ChartPoint{7, 8}));
  DrawRectOutline(nullptr, 0, 0, 1, 1);  // nothing to draw on: no effect
}
