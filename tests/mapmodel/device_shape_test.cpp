// Device shapes: defaults, colours by status, size limits, handles, port grids and attach points.
#include <gtest/gtest.h>

#include <cstring>

#include "MapFixture.h"
#include "mapmodel/DeviceShape.h"
#include "mapmodel/MapArchive.h"
#include "mapmodel/ShapeClassRegistry.h"
#include "support/RecordingMapCanvas.h"

using testing_support::RecordingMapCanvas;

namespace {

const std::string kGreen = RecordingMapCanvas::Colour(Rgb(200, 255, 200));

// The shape's record with its width replaced, read back into a new device shape.
std::unique_ptr<CDeviceShape> ReloadWithWidth(int width) {
  CDeviceShape shape({0, 0});
  CMapArchive out;
  out.WriteObject(&shape);
  std::vector<std::uint8_t> bytes = out.Bytes();
  // Tag, schema, name length, "CDeviceShape", position x and y, then the width.
  const std::size_t widthAt = 2 + 2 + 2 + 12 + 8;
  std::memcpy(bytes.data() + widthAt, &width, 4);
  CMapArchive in(bytes, CShapeClassRegistry::MapShapes());
  in.ReadObject();
  auto objects = in.TakeLoadedObjects();
  return std::unique_ptr<CDeviceShape>(static_cast<CDeviceShape*>(objects.at(0).release()));
}

}  // namespace

TEST(DeviceShape, PositionedShapeHasTheDefaults) {
  CDeviceShape shape({10, 20});
  EXPECT_EQ(shape.GetRect(), (MapRect{10, 20, 285, 195}));
  EXPECT_EQ(shape.GetPortCount(), 8);
  EXPECT_EQ(shape.GetPortRows(), 1);
  EXPECT_EQ(shape.GetPortColumns(), 8);
  EXPECT_EQ(shape.GetPortCellSize(), (MapSize{12, 12}));
  EXPECT_EQ(shape.GetName(), "New Device");
  EXPECT_EQ(shape.GetMacAddress(), "");
  EXPECT_EQ(shape.GetStatusCode(), 0);

  RecordingMapCanvas canvas;
  shape.Draw(canvas);
  EXPECT_EQ(canvas.calls, (std::vector<std::string>{"pen 0 0/0/0", "brush " + kGreen, "font Arial 16 700",
                                                    "rectangle 10,20,285,195"}));
}

TEST(DeviceShape, StatusChoosesBodyAndPortColours) {
  struct Case {
    int status;
    ColorRef fill;
    ColorRef ports;
  };
  const Case cases[] = {
      {0, Rgb(200, 255, 200), Rgb(255, 255, 200)}, {1, Rgb(255, 255, 0), Rgb(255, 255, 0)},
      {2, Rgb(220, 220, 220), Rgb(220, 220, 220)}, {3, Rgb(255, 0, 0), Rgb(255, 0, 0)},
      {4, Rgb(255, 255, 0), Rgb(255, 255, 0)},     {6, Rgb(200, 255, 200), Rgb(255, 255, 200)},
      {-1, Rgb(200, 255, 200), Rgb(255, 255, 200)},
  };
  for (const Case& c : cases) {
    CDeviceShape shape({0, 0});
    shape.SetStatusCode(c.status);
    EXPECT_EQ(shape.GetFillColor(), c.fill) << c.status;
    EXPECT_EQ(shape.GetPortFillColor(), c.ports) << c.status;
    EXPECT_EQ(shape.GetOutlineColor(), Rgb(0, 0, 0));
  }
}

TEST(DeviceShape, LoadedSizeIsClampedToTheLimits) {
  for (auto [stored, expected] : {std::pair{5, 10}, std::pair{2000, 1010}, std::pair{300, 300}})
    EXPECT_EQ(ReloadWithWidth(stored)->GetSize().cx, expected) << stored;
}

TEST(DeviceShape, PortCountGrowsRowsButNeverShrinksThem) {
  CDeviceShape shape({0, 0});
  shape.SetPortCount(0);
  EXPECT_EQ(shape.GetPortCount(), 8);
  shape.SetPortCount(20);
  EXPECT_EQ(shape.GetPortRows(), 3);
  shape.SetPortCount(4);
  EXPECT_EQ(shape.GetPortCount(), 4);
  EXPECT_EQ(shape.GetPortRows(), 3);
}

TEST(DeviceShape, GridAndBodyTakeOnlyPositiveValues) {
  CDeviceShape shape({0, 0});
  shape.SetPortGrid(10, 10, 2, 0);
  EXPECT_EQ(shape.GetPortColumns(), 8);
  shape.SetPortGrid(10, 11, 2, 4);
  EXPECT_EQ(shape.GetPortCellSize(), (MapSize{10, 11}));
  EXPECT_EQ(shape.GetPortColumns(), 4);
  shape.SetBodySize(-1, 40);
  EXPECT_EQ(shape.GetBodySize(), (MapSize{275, 175}));
  shape.SetBodySize(60, 40);
  EXPECT_EQ(shape.GetBodySize(), (MapSize{60, 40}));
  EXPECT_EQ(shape.GetSize(), (MapSize{275, 175})) << "the shape keeps its size";
}

TEST(DeviceShape, PortsAreCellsOfTheBottomRowCentredOnTheBody) {
  CDeviceShape shape({100, 100});  // 275 x 175, 8 columns: the grid starts at 100 + 137 - 48 = 189
  EXPECT_EQ(shape.HitTestPort({189, 263}), 1) << "bottom-left cell";
  EXPECT_EQ(shape.HitTestPort({189 + 12 * 7 + 11, 274}), 8);
  EXPECT_EQ(shape.HitTestPort({189, 276}), 0) << "below the body";
  EXPECT_EQ(shape.HitTestPort({188, 270}), 0) << "left of the grid";

  EXPECT_EQ(shape.GetConnectionPoint(1, 2), (MapPoint{100 + 137 - 42, 269})) << "centre of the first cell";
  EXPECT_EQ(shape.GetConnectionPoint(0, 1), (MapPoint{237, 275})) << "bottom centre";
  EXPECT_EQ(shape.GetConnectionPoint(9, 1), (MapPoint{237, 275}));
}

TEST(DeviceShape, BodyEdgesHitAndIntersectExclusively) {
  CDeviceShape shape({0, 0});  // 275 x 175
  EXPECT_FALSE(shape.Intersects({275, 0, 300, 50})) << "touching the right edge only";
  EXPECT_TRUE(shape.Intersects({274, 0, 300, 50}));
  EXPECT_TRUE(shape.HitTest({275, 50})) << "the test square reaches one unit into the body";
  EXPECT_FALSE(shape.HitTest({276, 50}));
  EXPECT_TRUE(shape.HitTest({50, 175}));
  EXPECT_FALSE(shape.HitTest({50, 176}));
}

TEST(DeviceShape, HandlesAreCornerSquaresWithInclusiveLeftAndTopEdges) {
  CDeviceShape shape({100, 100});  // corners 100,100 / 100,275 / 375,275 / 375,100
  struct Case {
    MapPoint point;
    int handle;
  };
  const Case cases[] = {{{96, 96}, 0},   {{103, 103}, 0}, {{104, 100}, -1}, {{100, 104}, -1},
                        {{96, 271}, 1},  {{371, 271}, 2}, {{378, 103}, 3},  {{200, 200}, -1}};
  for (const Case& c : cases) EXPECT_EQ(shape.HitTestHandle(c.point), c.handle) << c.point.x << "," << c.point.y;

  RecordingMapCanvas canvas;
  shape.DrawHandles(canvas);
  EXPECT_EQ(canvas.Only("handle"), (std::vector<std::string>{"handle 96,96,104,104", "handle 96,271,104,279",
                                                              "handle 371,271,379,279", "handle 371,96,379,104"}));
  EXPECT_EQ(canvas.Only("pen")[0], "pen 2 0/0/0") << "a dotted outline";
}

TEST(DeviceShape, LabelRectLiesBelowTheBodyInsideItsLine) {
  CDeviceShape shape({0, 0});
  EXPECT_EQ(shape.GetLabelRect(), (MapRect{137 + 4, 175 + 10 + 2, 137 + 275 - 4, 175 + 10 + 20 - 2}));
}
