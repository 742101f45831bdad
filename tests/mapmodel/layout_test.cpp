// Automatic layout of the device trees on the grid.
#include <gtest/gtest.h>

#include "TopologyRows.h"
#include "mapmodel/TopologyLayoutSet.h"
#include "mapmodel/TopologyTreeList.h"

namespace {

// The laid-out position of every device of the topology.
struct Laid {
  CTopologyTreeList trees;
  CTopologyLayoutSet set;
  explicit Laid(CLayoutContext& context, const CTopologyData& topology) : set(context) {
    trees.Build(topology);
    set.LayoutTrees(trees);
  }
  MapPoint At(const std::string& mac) const {
    MapPoint p{-1, -1};
    EXPECT_TRUE(set.GetPosition(mac, p.x, p.y)) << mac;
    return p;
  }
};

}  // namespace

TEST(Layout, SwitchIsCentredOverItsAccessPoints) {
  CTopologyData topology;
  topology.m_Devices = {Device("S", 1), Device("A1"), Device("A2"), Device("A3")};
  topology.m_Connections = {Link("S", 1, "A1", 1), Link("S", 2, "A2", 1), Link("S", 3, "A3", 1)};
  CLayoutContext context;
  Laid laid(context, topology);
  EXPECT_EQ(laid.At("S"), (MapPoint{600, 50}));
  EXPECT_EQ(laid.At("A1"), (MapPoint{500, 150}));
  EXPECT_EQ(laid.At("A2"), (MapPoint{600, 150}));
  EXPECT_EQ(laid.At("A3"), (MapPoint{700, 150}));
  EXPECT_TRUE(laid.set.GetLayouts()[0]->IsOccupied(1, 29));
  EXPECT_TRUE(laid.set.GetLayouts()[0]->IsOccupied(2, 28));
  EXPECT_FALSE(laid.set.GetLayouts()[0]->IsOccupied(1, 28));
}

TEST(Layout, OnlyTheVeryFirstTreeSitsFiftyUnitsLower) {
  CTopologyData topology;
  topology.m_Devices = {Device("A")};
  CLayoutContext context;
  {
    Laid first(context, topology);
    EXPECT_EQ(first.At("A"), (MapPoint{500, 50}));
    EXPECT_EQ(first.set.GetLayouts()[0]->GetHeight(), 250);
  }
  Laid next(context, topology);
  EXPECT_EQ(next.At("A"), (MapPoint{500, 0}));
  EXPECT_EQ(next.set.GetLayouts()[0]->GetHeight(), 200);
  context.Reset();
  Laid afterClear(context, topology);
  EXPECT_EQ(afterClear.At("A"), (MapPoint{500, 50})) << "clearing the database starts the count again";
}

TEST(Layout, TreesStackBelowTheSumOfTheHeightsBeforeThem) {
  CTopologyData topology;
  topology.m_Devices = {Device("S", 1), Device("A1"), Device("B"), Device("C")};
  topology.m_Connections = {Link("S", 1, "A1", 1)};
  CLayoutContext context;
  Laid laid(context, topology);
  // The first tree: S at y 50, A1 at 150, height 350. Then B (y 0, height 200) and C.
  EXPECT_EQ(laid.At("S"), (MapPoint{500, 50}));
  EXPECT_EQ(laid.At("A1"), (MapPoint{500, 150}));
  EXPECT_EQ(laid.At("B"), (MapPoint{500, 350}));
  EXPECT_EQ(laid.At("C"), (MapPoint{500, 550}));
}

TEST(Layout, SiblingGroupsStayTogetherUnderTheirParents) {
  CTopologyData topology;
  topology.m_Devices = {Device("R", 1), Device("P", 1), Device("Q", 1), Device("P1"), Device("P2"), Device("Q1"),
                        Device("Q2")};
  topology.m_Connections = {Link("R", 1, "P", 1), Link("R", 2, "Q", 1), Link("P", 2, "P1", 1), Link("P", 3, "P2", 1),
                            Link("Q", 2, "Q1", 1), Link("Q", 3, "Q2", 1)};
  CLayoutContext context;
  Laid laid(context, topology);
  const int p1 = laid.At("P1").x, p2 = laid.At("P2").x, q1 = laid.At("Q1").x, q2 = laid.At("Q2").x;
  EXPECT_EQ(p2 - p1, 100);
  EXPECT_EQ(q2 - q1, 100);
  EXPECT_EQ(laid.At("P").x, p1) << "a parent of two sits over the first: (a + a + 1) / 2";
  EXPECT_EQ(laid.At("Q").x, q1);
  EXPECT_LT(p2, q1) << "the groups do not overlap";
  for (const char* mac : {"P1", "P2", "Q1", "Q2"}) EXPECT_EQ(laid.At(mac).y, 250) << mac;
  EXPECT_EQ(laid.At("P").y, 150);
  EXPECT_EQ(laid.At("R").y, 50);
}

TEST(Layout, ColumnsAndLevelsPastTheGridWrap) {
  struct Case {
    int level;
    int column;
    int row;
    int wrappedColumn;
  };
  const Case cases[] = {{1, 28, 1, 28}, {3, 60, 4, 23}, {2, 111, 3, 51},
                        {2, 112, 3, 37}, {31, 40, 1, 40}, {32, 60, 3, 23}};
  for (const Case& c : cases)
    EXPECT_EQ(CTopologyLayout::WrapToGrid(c.level, c.column), (CTopologyLayout::GridPlace{c.row, c.wrappedColumn}))
        << "level " << c.level << ", column " << c.column;
}

TEST(Layout, AMacNoTreeHoldsLeavesThePositionAlone) {
  CTopologyData topology;
  topology.m_Devices = {Device("A")};
  CLayoutContext context;
  Laid laid(context, topology);
  int x = 7, y = 9;
  EXPECT_FALSE(laid.set.GetPosition("Z", x, y));
  EXPECT_EQ(x, 7);
  EXPECT_EQ(y, 9);
}

TEST(Layout, WideTreesWrapIntoLowerRows) {
  CTopologyData topology;
  topology.m_Devices = {Device("S", 1)};
  for (int i = 0; i < 40; ++i) {
    topology.m_Devices.push_back(Device("A" + std::to_string(i)));
    topology.m_Connections.push_back(Link("S", i + 1, "A" + std::to_string(i), 1));
  }
  CLayoutContext context;
  Laid laid(context, topology);
  // Columns 28 to 59 stay in row 2; column 60 and on wrap to row 3 from column 23.
  EXPECT_EQ(laid.At("A31"), (MapPoint{100 * 59 - 2300, 150}));
  EXPECT_EQ(laid.At("A32"), (MapPoint{100 * 23 - 2300, 250}));
}
