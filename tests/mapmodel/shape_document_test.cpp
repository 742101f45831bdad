// The shape base as the document drives it: drags, notifications, the two-step deletion and lookups.
#include <gtest/gtest.h>

#include "MapFixture.h"
#include "mapmodel/ConnectorTwistShape.h"
#include "mapmodel/DeviceShape.h"
#include "support/RecordingMapCanvas.h"
#include "topology/TopologyData.h"

namespace {

CDeviceShape* AddDevice(CMapDocument& document, MapPoint at, const std::string& mac = "") {
  auto shape = std::make_unique<CDeviceShape>(at);
  shape->SetMacAddress(mac);
  CDeviceShape* added = shape.get();
  document.AddShape(std::move(shape));
  return added;
}

}  // namespace

TEST(ShapeBase, MovingInStepsEndsWhereOneStepEnds) {
  CMapDocument document;
  FakeMapView view(document);
  CDeviceShape* stepped = AddDevice(document, {0, 0});
  CDeviceShape* direct = AddDevice(document, {0, 0});
  stepped->BeginTrack({5, 5}, CShape::kNoHandle);
  for (MapPoint p : {MapPoint{9, 2}, MapPoint{-20, 40}, MapPoint{35, 65}}) stepped->TrackTo(p);
  stepped->EndTrack();
  direct->BeginTrack({5, 5}, CShape::kNoHandle);
  direct->TrackTo({35, 65});
  direct->EndTrack();
  EXPECT_EQ(stepped->GetPosition(), (MapPoint{30, 60}));
  EXPECT_EQ(direct->GetPosition(), stepped->GetPosition());
  EXPECT_EQ(document.IsPositionsChanged(), 1);
  EXPECT_EQ(view.redraws, 4) << "every step tells the document";
}

TEST(ShapeBase, HandleDragOnAShapeThatDoesNotResizeOnlyNotifies) {
  CMapDocument document;
  FakeMapView view(document);
  CDeviceShape* shape = AddDevice(document, {100, 100});
  shape->BeginTrack({100, 100}, 0);
  shape->TrackTo({50, 60});
  EXPECT_EQ(shape->GetRect(), (MapRect{100, 100, 375, 275}));
  EXPECT_EQ(shape->GetTrackPoint(), (MapPoint{50, 60}));
  EXPECT_EQ(document.IsPositionsChanged(), 0);
  EXPECT_EQ(view.redraws, 1);
  shape->EndTrack();
  EXPECT_FALSE(shape->IsTracking());
}

TEST(ShapeBase, ShapeWithoutHandlesHitsNoneAndDrawsNone) {
  CShape shape;
  EXPECT_EQ(shape.HitTestHandle({0, 0}), CShape::kNoHandle);
  EXPECT_FALSE(shape.HitTest({0, 0}));
  testing_support::RecordingMapCanvas canvas;
  shape.DrawHandles(canvas);
  shape.Draw(canvas);
  EXPECT_TRUE(canvas.calls.empty());
  EXPECT_EQ(shape.GetConnectionPoint(3, 1), (MapPoint{0, 0}));
  EXPECT_EQ(shape.HitTestPort({0, 0}), 0);
}

TEST(MapDocument, FindsTheTopmostShapeAndShapesInARectangle) {
  CMapDocument document;
  CDeviceShape* low = AddDevice(document, {0, 0}, "aa");
  CDeviceShape* high = AddDevice(document, {100, 100}, "bb");
  AddDevice(document, {100, 100}, "aa");
  EXPECT_EQ(document.ShapeAt({150, 150}), document.GetShapes().GetTail()) << "the last drawn is on top";
  EXPECT_EQ(document.ShapeAt({50, 50}), low);
  EXPECT_EQ(document.ShapeAt({2000, 2000}), nullptr);
  EXPECT_EQ(document.FindShapeByMac("aa"), low) << "by MAC from the bottom";
  EXPECT_EQ(document.FindShapeByMac("cc"), nullptr);
  CShapeList found;
  found.AddTail(high);
  document.CollectShapesInRect({0, 0, 120, 120}, found);
  EXPECT_EQ(found.GetCount(), 3u) << "no shape twice";
  EXPECT_EQ(document.GetBounds(), (MapRect{0, 0, 375, 275}));
}

TEST(MapDocument, MovedDeviceGoesIntoTheTopology) {
  CTopologyData topology;
  CDeviceRecord record;
  record.mac = "aa";
  topology.m_Devices = {record};
  CMapDocument document;
  document.SetTopology(&topology);
  CDeviceShape* shape = AddDevice(document, {0, 0}, "aa");
  shape->BeginTrack({0, 0}, CShape::kNoHandle);
  shape->TrackTo({30, 40});
  shape->EndTrack();
  EXPECT_EQ(topology.m_Devices[0].xP, 30);
  EXPECT_EQ(topology.m_Devices[0].yP, 40);
}

TEST(MapDocument, DrawsEveryShapeFromTheBottomUp) {
  CMapDocument document;
  AddDevice(document, {0, 0});
  AddDevice(document, {10, 10});
  testing_support::RecordingMapCanvas canvas;
  document.Draw(canvas);
  EXPECT_EQ(canvas.Only("rectangle"), (std::vector<std::string>{"rectangle 0,0,275,175", "rectangle 10,10,285,185"}));
}

TEST(MapDocument, RemovingADeviceTakesItsLinksOutOfTheSelectionsToo) {
  CMapDocument document;
  FakeMapView view(document);
  CDeviceShape* a = AddDevice(document, {0, 0});
  CDeviceShape* b = AddDevice(document, {0, 400});
  auto link = std::make_unique<CConnectorTwistShape>(MapPoint{138, 175}, a);
  link->AttachEnd({138, 575}, b);
  CShape* added = link.get();
  document.AddConnector(std::move(link));
  view.Select(a, true);
  view.Select(added, true);
  view.Select(b, true);
  document.RemoveShape(b);
  EXPECT_EQ(document.GetShapes().GetCount(), 1u);
  EXPECT_EQ(view.GetSelection().GetCount(), 1u);
  EXPECT_TRUE(view.IsSelected(a));
  document.RemoveFromSelections(nullptr);
  EXPECT_TRUE(view.GetSelection().IsEmpty());
}
