// The sizing bar's rules: stored sizes and their minimums, edges by row position, the sharing of a
// row's length, floating corner resizes and the edge drag.
#include <gtest/gtest.h>

#include <vector>

#include "controlmodel/SizingBarModel.h"
#include "platform/IniStore.h"
#include "support/TempDir.h"

namespace {

using namespace sizingbar;

std::vector<int> Lengths(const std::vector<RowBar>& row) {
  std::vector<int> lengths;
  for (const RowBar& bar : row) lengths.push_back(bar.length);
  return lengths;
}

RowBar Bar(int length, int minLength = 33, bool sizing = true) {
  RowBar bar;
  bar.length = length;
  bar.minLength = minLength;
  bar.sizing = sizing;
  return bar;
}

TEST(SizingBarModelTest, SizesRoundTripThroughTheirSectionRaisedToMinimums) {
  testing_support::TempDir dir;
  platform::CIniStore store(dir.File("layout.ini"));
  CSizingBarModel bar;
  bar.HorzSize() = {300, 40};
  bar.VertSize() = {60, 500};
  bar.FloatSize() = {250, 150};
  bar.SaveSizes(store, "Main", 7);
  EXPECT_EQ(store.GetInt("Main-SCBar-7", "sizeVertCY"), 500);

  CSizingBarModel loaded;
  loaded.LoadSizes(store, "Main", 7);
  EXPECT_EQ(loaded.HorzSize(), (BarSize{300, 40}));
  EXPECT_EQ(loaded.VertSize(), (BarSize{60, 500}));
  EXPECT_EQ(loaded.FloatSize(), (BarSize{250, 150}));

  store.SetInt("Main-SCBar-7", "sizeFloatCX", 10);
  store.SetInt("Main-SCBar-7", "sizeHorzCY", -5);
  loaded.LoadSizes(store, "Main", 7);
  EXPECT_EQ(loaded.FloatSize(), (BarSize{37, 150}));
  EXPECT_EQ(loaded.HorzSize(), (BarSize{300, 32}));

  CSizingBarModel untouched;
  untouched.LoadSizes(store, "Other", 7);
  EXPECT_EQ(untouched.HorzSize(), (BarSize{200, 200})) << "missing values keep the current size";
}

TEST(SizingBarModelTest, FixedLayoutStretchesOrKeepsMinimums) {
  CSizingBarModel bar;
  bar.HorzSize() = {10, 70};
  bar.VertSize() = {80, 5};
  EXPECT_EQ(bar.CalcFixedLayout(true, true), (BarSize{32767, 70}));
  EXPECT_EQ(bar.CalcFixedLayout(true, false), (BarSize{80, 32767}));
  EXPECT_EQ(bar.CalcFixedLayout(false, true), (BarSize{33, 70}));
  EXPECT_EQ(bar.CalcFixedLayout(false, false), (BarSize{80, 32}));
}

TEST(SizingBarModelTest, EdgesFollowTheRowPositionAndTheDockSide) {
  struct Case {
    Dock dock;
    bool first, last;
    unsigned edges;
  };
  const Case cases[] = {
      {Dock::Top, true, true, kEdgeBottom},
      {Dock::Top, true, false, kEdgeRight | kEdgeBottom},
      {Dock::Top, false, true, kEdgeLeft | kEdgeBottom},
      {Dock::Bottom, false, false, kEdgeLeft | kEdgeRight | kEdgeTop},
      {Dock::Left, false, true, kEdgeTop | kEdgeRight},
      {Dock::Right, true, false, kEdgeBottom | kEdgeLeft},
      {Dock::Floating, false, false, 0},
  };
  for (const Case& c : cases) {
    CSizingBarModel bar;
    bar.SetDock(c.dock);
    bar.UpdateEdges(c.first, c.last);
    bar.CalcClientArea({0, 0, 200, 100});
    EXPECT_EQ(bar.Style() & kEdgeBits, c.edges) << static_cast<int>(c.dock) << c.first << c.last;
  }
}

TEST(SizingBarModelTest, ClientAreaEdgeRectsAndHitCodes) {
  CSizingBarModel bar(true);
  bar.SetDock(Dock::Top);
  bar.SetStyle(kPaintEdges);
  bar.UpdateEdges(false, true);  // left edge, plus the bottom one of a top row
  const ControlRect window{0, 0, 200, 100};
  // 3,5,3,3 then 2,0,2,2 docked, then the edges (5 each) and the gripper room (12) on the left.
  EXPECT_EQ(bar.CalcClientArea(window), (ControlRect{5 + 5 + 12, 5, 195, 95 - 5}));
  EXPECT_EQ(bar.CloseButton(), (ControlRect{9, 5, 20, 16}));
  EXPECT_EQ(bar.EdgeRect(window, 0), (ControlRect{1, 6, 6, 94})) << "shortened at both ends across the row";
  EXPECT_EQ(bar.EdgeRect(window, 3), (ControlRect{1, 94, 199, 99}));
  EXPECT_TRUE(bar.EdgeRect(window, 2).IsEmpty());
  EXPECT_TRUE(bar.EdgeRect(window, 4).IsEmpty());
  EXPECT_EQ(EdgeHitCode(4), HTNOWHERE);

  EXPECT_EQ(bar.HitTest(window, {3, 50}), HTLEFT);
  EXPECT_EQ(bar.HitTest(window, {100, 96}), HTBOTTOM);
  EXPECT_EQ(bar.HitTest(window, {12, 8}), HTCLOSE);
  EXPECT_EQ(bar.HitTest(window, {100, 50}), HTCLIENT);
  bar.SetDock(Dock::Floating);
  EXPECT_EQ(bar.HitTest(window, {3, 50}), HTCLIENT) << "a floating bar has no sizing edges";
  EXPECT_FALSE(bar.ShowsGripper());
}

TEST(SizingBarModelTest, LoneBarTakesTheWholeDifference) {
  std::vector<RowBar> row = {Bar(200)};
  row[0].keepSize = true;
  EXPECT_TRUE(NegotiateRowSpace(row, 0, 500).goOn);
  EXPECT_EQ(row[0].length, 502) << "neighbours overlap by 2 pixels, so a row of 500 holds 502";
  EXPECT_FALSE(row[0].keepSize);

  std::vector<RowBar> withToolBar = {Bar(102, 33, false), Bar(200)};
  NegotiateRowSpace(withToolBar, 1, 500);
  EXPECT_EQ(withToolBar[1].length, 402) << "the other bar takes its share (its length - 2) first";
}

TEST(SizingBarModelTest, SeveralBarsShareAPixelAtATimeInRowOrder) {
  std::vector<RowBar> row = {Bar(100), Bar(100), Bar(100)};
  row[0].thickness = 40;
  row[1].thickness = 60;
  row[2].thickness = 90;
  // total 300: actual 294, so 6 more pixels, two to each.
  NegotiateRowSpace(row, 0, 299);
  EXPECT_EQ(Lengths(row), (std::vector<int>{102, 102, 101}));
  for (const RowBar& bar : row) EXPECT_EQ(bar.thickness, 90) << "all take the widest thickness";

  std::vector<RowBar> kept = {Bar(100), Bar(100)};
  kept[0].keepSize = true;
  NegotiateRowSpace(kept, 0, 190);  // 6 pixels too long: only the second gives
  EXPECT_EQ(Lengths(kept), (std::vector<int>{100, 94}));
  EXPECT_FALSE(kept[0].keepSize) << "a pass that used delta up clears keep-size";

  std::vector<RowBar> atMinimum = {Bar(50, 48), Bar(100)};
  atMinimum[1].keepSize = true;
  NegotiateRowSpace(atMinimum, 0, 130);  // 16 too long; the first gives 2, then the kept one the rest
  EXPECT_EQ(Lengths(atMinimum), (std::vector<int>{48, 86}));
}

TEST(SizingBarModelTest, MinimumsThatDoNotFitSplitTheRow) {
  std::vector<RowBar> row = {Bar(200, 150), Bar(200, 150), Bar(200, 150)};
  // Needed: 2 + 148 per bar; a total of 300 holds two bars' minimums (298).
  Negotiation later = NegotiateRowSpace(row, 0, 300);
  EXPECT_TRUE(later.goOn);
  EXPECT_EQ(later.breakBefore, 2);

  Negotiation earlier = NegotiateRowSpace(row, 2, 200);
  EXPECT_FALSE(earlier.goOn);
  EXPECT_EQ(earlier.breakAfter, 1);

  std::vector<RowBar> alone = {Bar(400, 150), Bar(200, 150)};
  Negotiation self = NegotiateRowSpace(alone, 1, 200);
  EXPECT_TRUE(self.goOn);
  EXPECT_EQ(alone[1].length, 150) << "this bar alone drops to its minimum";
}

TEST(SizingBarModelTest, AlignRowPlacesBarsEdgeToEdge) {
  const std::vector<RowBar> row = {Bar(100), Bar(50), Bar(70)};
  EXPECT_EQ(AlignRow(row, true), (std::vector<int>{-2, 96, 144}));
  EXPECT_EQ(AlignRow(row, false), (std::vector<int>{0, 98, 146}));
}

TEST(SizingBarModelTest, FloatingCornerResizeNeverGoesBelowMinimum) {
  CSizingBarModel bar;
  const ControlRect frame{100, 100, 300, 260};
  const ControlRect window{104, 120, 296, 256};  // 192 x 136
  EXPECT_EQ(bar.ResizeFloatingAtCorner(HTBOTTOMRIGHT, {320, 280}, frame, window), (BarSize{212, 156}));
  EXPECT_EQ(bar.ResizeFloatingAtCorner(HTTOPLEFT, {90, 80}, frame, window), (BarSize{202, 156}));
  EXPECT_EQ(bar.ResizeFloatingAtCorner(HTTOPLEFT, {500, 500}, frame, window), (BarSize{37, 32}));
  EXPECT_EQ(bar.ResizeFloatingAtCorner(HTBOTTOMRIGHT, {0, 0}, frame, window), (BarSize{37, 32}));
  EXPECT_EQ(bar.ResizeFloatingLength(10, true), (BarSize{37, 32}));
  EXPECT_EQ(bar.ResizeFloatingLength(90, false), (BarSize{90, 32}));
}

TEST(SizingBarModelTest, LengthDragGrowsOneSideAndShrinksTheOtherNearestFirst) {
  std::vector<RowBar> row = {Bar(100, 40), Bar(100, 40), Bar(100, 40)};
  // The right edge of bar 0 at x = 100: it may grow by the excess of bars 1 and 2 and shrink by its own.
  CEdgeDrag drag(row, 0, 2, true, 100, 0);
  EXPECT_TRUE(drag.IsLengthDrag());
  EXPECT_EQ(drag.Min(), 40);
  EXPECT_EQ(drag.Max(), 220);
  EXPECT_TRUE(drag.Update(row, 180));
  EXPECT_EQ(Lengths(row), (std::vector<int>{180, 40, 80})) << "the nearest bar gives first";
  EXPECT_TRUE(drag.Update(row, 400));
  EXPECT_EQ(Lengths(row), (std::vector<int>{220, 40, 40})) << "clamped where every other bar is at its minimum";
  EXPECT_FALSE(drag.Update(row, 500)) << "clamped to the same coordinate again";
  EXPECT_TRUE(drag.Update(row, 150));
  EXPECT_EQ(Lengths(row), (std::vector<int>{150, 110, 40})) << "moving back grows the bar after the edge";

  // The left edge of bar 2 moved back: bar 2 grows, bar 1 shrinks.
  CEdgeDrag left(row, 2, 0, true, 220, 0);
  EXPECT_EQ(left.Min(), 40);
  EXPECT_EQ(left.Max(), 220);
  left.Update(row, 200);
  EXPECT_EQ(Lengths(row), (std::vector<int>{150, 90, 60}));
}

TEST(SizingBarModelTest, ThicknessDragChangesTheWholeRowWithinTheRoom) {
  std::vector<RowBar> row = {Bar(100), Bar(100)};
  row[0].thickness = row[1].thickness = 80;
  row[1].minThickness = 50;
  CEdgeDrag bottom(row, 0, 3, true, 80, 100);  // a top row dragged at its bottom edge
  EXPECT_FALSE(bottom.IsLengthDrag());
  EXPECT_EQ(bottom.Min(), 50);
  EXPECT_EQ(bottom.Max(), 180);
  bottom.Update(row, 20);
  EXPECT_EQ(row[0].thickness, 50);
  EXPECT_EQ(row[1].thickness, 50);

  CEdgeDrag top(row, 1, 1, true, 300, 40);  // a bottom row dragged at its top edge
  EXPECT_EQ(top.Min(), 260);
  EXPECT_EQ(top.Max(), 300);
  top.Update(row, 270);
  EXPECT_EQ(row[0].thickness, 80);
}

}  // namespace
