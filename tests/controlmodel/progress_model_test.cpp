// The progress percentage and caption, the message text's limit, the remembered position, and the status
// pane's bar rectangle.
#include <gtest/gtest.h>

#include "controlmodel/ProgressModel.h"
#include "controlmodel/StatusPaneFit.h"

namespace {

std::string Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string text = CProgressModel::FormatMessageText(format, args);
  va_end(args);
  return text;
}

TEST(ProgressModelTest, PercentRoundsHalfUpAndCaptionChangesOnlyWithIt) {
  CProgressModel progress;
  progress.SetRange(0, 3, 1);
  EXPECT_EQ(progress.SetPos(1), 0);
  EXPECT_EQ(progress.Percent(), 33);
  EXPECT_TRUE(progress.CaptionChanged());
  progress.StepIt();
  EXPECT_EQ(progress.Position(), 2);
  EXPECT_EQ(progress.Percent(), 67);
  EXPECT_EQ(CProgressModel::Caption("Scanning", progress.Percent()), "Scanning [67%]");
  progress.SetRange(0, 1000, 1);
  progress.SetPos(670);
  EXPECT_FALSE(progress.CaptionChanged());  // still 67 %
  progress.OffsetPos(10);
  EXPECT_EQ(progress.Percent(), 68);
  EXPECT_TRUE(progress.CaptionChanged());
}

TEST(ProgressModelTest, EmptyOrReversedRangeShowsZero) {
  struct Case { int position, lower, upper, percent; };
  for (const Case& c : {Case{5, 0, 0, 0}, Case{0, 0, 0, 0}, Case{3, 10, 2, 0}, Case{-5, -10, 0, 50},
                        Case{100, 0, 100, 100}, Case{2000000000, -2000000000, 2000000000, 100}})
    EXPECT_EQ(CProgressModel::PercentOf(c.position, c.lower, c.upper), c.percent)
        << c.position << " in " << c.lower << ".." << c.upper;
}

TEST(ProgressModelTest, MessageTextIsFormattedAndCutToTheWindowsLimit) {
  EXPECT_EQ(Format("%d of %s", 3, "ten"), "3 of ten");
  const std::string longText(2000, 'x');
  EXPECT_EQ(Format("%s", longText.c_str()).size(), CProgressModel::kMessageTextLimit);
  EXPECT_EQ(CProgressModel::FormatMessageText(nullptr, nullptr), "");
}

TEST(ProgressModelTest, RememberedPositionMustLieOnTheScreen) {
  EXPECT_TRUE(IsOnScreen(0, 0, 1280, 1024));
  EXPECT_TRUE(IsOnScreen(1279, 1023, 1280, 1024));
  EXPECT_FALSE(IsOnScreen(-1, -1, 1280, 1024));  // never stored
  EXPECT_FALSE(IsOnScreen(1280, 10, 1280, 1024));
  EXPECT_FALSE(IsOnScreen(10, 2000, 1280, 1024));
}

TEST(StatusPaneFitTest, BarFollowsTheMessageAndTakesItsShare) {
  const ControlRect pane{100, 0, 500, 20};
  EXPECT_EQ(FitBarToPane(pane, 0, 4, 100), (ControlRect{100, 2, 500, 18}));
  EXPECT_EQ(FitBarToPane(pane, 84, 4, 50), (ControlRect{200, 2, 350, 18}));
  EXPECT_EQ(FitBarToPane(pane, 600, 4, 50), (ControlRect{716, 2, 716, 18}));  // never left of its left edge
}

}  // namespace
