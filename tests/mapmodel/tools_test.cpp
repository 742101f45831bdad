// The map tools as the view drives them: select, move, resize, band, placing shapes and drawing links.
#include <gtest/gtest.h>

#include "MapFixture.h"
#include "mapmodel/ApTool.h"
#include "mapmodel/ConnectorTwistShape.h"
#include "mapmodel/ConnectorTwistTool.h"
#include "mapmodel/HostGroupTool.h"
#include "mapmodel/RouterTool.h"
#include "mapmodel/SelectTool.h"
#include "mapmodel/SwitchTool.h"

namespace {

// A map of two overlapping device shapes, A at (0, 0) and B at (200, 100) on top, both 275 x 175.
struct ToolMap {
  CMapDocument document;
  FakeMapView view{document};
  CSelectTool select{view};
  CDeviceShape* a = Add({0, 0});
  CDeviceShape* b = Add({200, 100});

  CDeviceShape* Add(MapPoint at) {
    auto shape = std::make_unique<CDeviceShape>(at);
    CDeviceShape* added = shape.get();
    document.AddShape(std::move(shape));
    return added;
  }
  void Click(CTool& tool, MapPoint p, unsigned flags = 0) {
    tool.OnLButtonDown(p, flags);
    tool.OnLButtonUp(p, flags);
  }
  void DragWith(CTool& tool, MapPoint from, MapPoint to, unsigned flags = 0) {
    tool.OnLButtonDown(from, flags);
    tool.OnMouseMove(to, flags);
    tool.OnLButtonUp(to, flags);
  }
};

}  // namespace

TEST(SelectTool, PressOnAShapeSelectsItAloneAndMovesOnlyIt) {
  ToolMap map;
  map.view.Select(map.a, false);
  map.DragWith(map.select, {250, 150}, {260, 170});  // on B, which lies on top
  EXPECT_EQ(map.view.GetSelection().GetCount(), 1u);
  EXPECT_TRUE(map.view.IsSelected(map.b));
  EXPECT_EQ(map.b->GetPosition(), (MapPoint{210, 120}));
  EXPECT_EQ(map.a->GetPosition(), (MapPoint{0, 0}));
  EXPECT_FALSE(map.b->IsTracking());
}

TEST(SelectTool, PressOnOneOfSeveralSelectedMovesThemAll) {
  ToolMap map;
  map.view.Select(map.a, true);
  map.view.Select(map.b, true);
  map.DragWith(map.select, {10, 10}, {15, 30});
  EXPECT_EQ(map.a->GetPosition(), (MapPoint{5, 20}));
  EXPECT_EQ(map.b->GetPosition(), (MapPoint{205, 120}));
}

TEST(SelectTool, AHandleOfTheOnlySelectedShapeWinsOverAShapeOnTop) {
  ToolMap map;
  map.view.Select(map.a, false);
  map.select.OnLButtonDown({275, 175}, 0);  // A's bottom-right handle, under B
  EXPECT_EQ(map.select.GetMode(), CSelectTool::kResize);
  EXPECT_EQ(map.a->GetTrackHandle(), 2);
  map.select.OnMouseMove({300, 200}, 0);
  map.select.OnLButtonUp({300, 200}, 0);
  EXPECT_EQ(map.a->GetRect(), (MapRect{0, 0, 275, 175})) << "device shapes keep their size";

  map.view.Select(map.b, true);
  map.select.OnLButtonDown({275, 175}, 0);
  EXPECT_EQ(map.select.GetMode(), CSelectTool::kMove) << "with two selected the press moves instead";
  map.select.OnLButtonUp({275, 175}, 0);
}

TEST(SelectTool, CtrlTogglesAndAddsBands) {
  ToolMap map;
  map.view.Select(map.a, false);
  map.view.Select(map.b, true);
  map.DragWith(map.select, {250, 150}, {300, 300}, kKeyControl);
  EXPECT_FALSE(map.view.IsSelected(map.b)) << "Ctrl+press deselects";
  EXPECT_EQ(map.b->GetPosition(), (MapPoint{200, 100})) << "and nothing moves";

  map.select.OnLButtonDown({1000, 1000}, kKeyControl);
  EXPECT_TRUE(map.view.IsSelected(map.a)) << "Ctrl+press on empty map keeps the selection";
  map.select.OnMouseMove({250, 150}, kKeyControl);
  EXPECT_TRUE(map.view.bandShown);
  EXPECT_EQ(map.view.band, (MapRect{1000, 1000, 250, 150}));
  map.select.OnLButtonUp({250, 150}, kKeyControl);
  EXPECT_FALSE(map.view.bandShown);
  EXPECT_TRUE(map.view.IsSelected(map.a));
  EXPECT_TRUE(map.view.IsSelected(map.b)) << "the band added B";
}

TEST(SelectTool, PlainBandReplacesTheSelection) {
  ToolMap map;
  map.view.Select(map.a, false);
  map.DragWith(map.select, {1000, 1000}, {1100, 1100});
  EXPECT_TRUE(map.view.GetSelection().IsEmpty()) << "a band over empty map leaves nothing selected";
  map.DragWith(map.select, {1000, 1000}, {450, 250});
  EXPECT_TRUE(map.view.IsSelected(map.b));
  EXPECT_FALSE(map.view.IsSelected(map.a));
}

TEST(SelectTool, CancelEndsAMoveSoTheNextDragCanStart) {
  ToolMap map;
  map.select.OnLButtonDown({10, 10}, 0);
  map.select.OnMouseMove({20, 10}, 0);
  map.select.Cancel();
  EXPECT_FALSE(map.a->IsTracking());
  EXPECT_EQ(map.a->GetPosition(), (MapPoint{10, 0})) << "the shape stays where the move got to";
  map.DragWith(map.select, {20, 10}, {30, 10});
  EXPECT_EQ(map.a->GetPosition(), (MapPoint{20, 0}));
}

TEST(SelectTool, LockedToolSelectsButDoesNotMove) {
  ToolMap map;
  map.select.Lock();
  map.DragWith(map.select, {10, 10}, {50, 50});
  EXPECT_TRUE(map.view.IsSelected(map.a));
  EXPECT_EQ(map.a->GetPosition(), (MapPoint{0, 0}));
  map.select.Unlock();
  EXPECT_FALSE(map.select.IsLocked());
}

TEST(SelectTool, DoubleClickOnALinkReachesTheLink) {
  ToolMap map;
  SetActiveMapView(&map.view);
  auto link = std::make_unique<CConnectorShape>(MapPoint{138, 175}, map.a);
  CConnectorShape* added = link.get();
  link->AttachEnd({138, 575}, map.Add({0, 400}));
  map.document.AddConnector(std::move(link));
  const MapRect caption = added->GetCaptionRect();
  map.select.OnLButtonDblClk(caption.TopLeft() + MapPoint{5, 5}, 0);
  EXPECT_EQ(map.view.editedLabel, "new connector");
  SetActiveMapView(nullptr);
}

TEST(ShapeTools, PlaceTheirKindSelectedAlone) {
  ToolMap map;
  CSwitchTool switches(map.view);
  CRouterTool routers(map.view);
  CHostGroupTool groups(map.view);
  CApTool aps(map.view);
  map.Click(switches, {500, 500});
  EXPECT_EQ(map.document.GetShapes().GetCount(), 3u);
  EXPECT_EQ(std::string(map.document.GetShapes().GetTail()->GetClassName()), "CSwitchShape");
  EXPECT_EQ(map.document.GetShapes().GetTail()->GetPosition(), (MapPoint{500, 500}));
  EXPECT_TRUE(map.view.IsSelected(map.document.GetShapes().GetTail()));
  map.Click(routers, {600, 600});
  EXPECT_EQ(std::string(map.document.GetShapes().GetTail()->GetClassName()), "CRouterShape");
  map.Click(groups, {700, 700});
  EXPECT_EQ(std::string(map.document.GetShapes().GetTail()->GetClassName()), "CHostGroupShape");
  EXPECT_EQ(map.view.GetSelection().GetCount(), 1u);
  map.Click(aps, {800, 800});
  EXPECT_EQ(map.document.GetShapes().GetCount(), 5u) << "the AP tool places nothing";
}

TEST(ConnectorTool, ReleaseOverADeviceAttachesAtThePortUnderThePointer) {
  ToolMap map;
  CDeviceShape* c = map.Add({0, 400});  // its port 3 cell: x 113 to 125, y 563 to 575
  CConnectorTwistTool tool(map.view);
  tool.OnLButtonDown({10, 10}, 0);
  ASSERT_EQ(map.document.GetShapes().GetCount(), 4u);
  auto* link = dynamic_cast<CConnectorShape*>(map.document.GetShapes().GetTail());
  ASSERT_NE(link, nullptr);
  EXPECT_TRUE(map.view.IsSelected(link));
  tool.OnMouseMove({115, 500}, 0);
  EXPECT_EQ(link->GetFloatingEnd(), (MapPoint{115, 500}));
  tool.OnLButtonUp({115, 570}, 0);
  EXPECT_TRUE(link->IsAttached());
  EXPECT_EQ(link->GetEndShape(), c);
  // Port 3's centre is (119, 569); kept as an offset from the body's middle, 137.5, it lands a unit left.
  EXPECT_EQ(c->GetConnectionPoint(3, 0), (MapPoint{119, 569}));
  EXPECT_EQ(link->GetEndPoint(), (MapPoint{118, 569}));
  EXPECT_FALSE(link->IsTracking());
}

TEST(ConnectorTool, ReleaseOverEmptyMapOrCancelRemovesTheLink) {
  ToolMap map;
  CConnectorTwistTool tool(map.view);
  tool.OnLButtonDown({10, 10}, 0);
  tool.OnLButtonUp({2000, 2000}, 0);
  EXPECT_EQ(map.document.GetShapes().GetCount(), 2u);
  EXPECT_TRUE(map.view.GetSelection().IsEmpty());

  tool.OnLButtonDown({10, 10}, 0);
  tool.Cancel();
  EXPECT_EQ(map.document.GetShapes().GetCount(), 2u);
  tool.OnLButtonDown({2000, 2000}, 0);
  EXPECT_EQ(map.document.GetShapes().GetCount(), 2u) << "a press off the devices starts nothing";
}
