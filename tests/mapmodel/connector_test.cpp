// Links: following their devices, deletion with them, loops, hit tests, bend points and captions.
#include <gtest/gtest.h>

#include <cmath>

#include "MapFixture.h"
#include "mapmodel/ConnectorTwistShape.h"
#include "mapmodel/DeviceShape.h"
#include "support/RecordingMapCanvas.h"

using testing_support::RecordingMapCanvas;

namespace {

// Two device shapes in a document and a link between their bottom centres, 400 units apart.
struct LinkedPair {
  CMapDocument document;
  FakeMapView view{document};
  CDeviceShape* left = nullptr;
  CDeviceShape* right = nullptr;
  CConnectorShape* link = nullptr;

  template <typename Link = CConnectorShape>
  void Build() {
    auto a = std::make_unique<CDeviceShape>(MapPoint{0, 0});
    auto b = std::make_unique<CDeviceShape>(MapPoint{400, 0});
    left = a.get();
    right = b.get();
    document.AddShape(std::move(a));
    document.AddShape(std::move(b));
    // An end's offset is kept from the middle of the body, 137.5 here: 138 lands on 137.
    auto connector = std::make_unique<Link>(MapPoint{138, 175}, left);
    link = connector.get();
    link->AttachEnd({538, 175}, right);
    document.AddConnector(std::move(connector));
  }
};

void Drag(CShape& shape, MapPoint from, MapPoint to) {
  shape.BeginTrack(from, CShape::kNoHandle);
  shape.TrackTo(to);
  shape.EndTrack();
}

}  // namespace

TEST(Connector, FollowsItsDevicesAndCarriesItsBendPoints) {
  LinkedPair pair;
  pair.Build();
  pair.link->InsertBendPoint(0, {200, 300});
  pair.link->InsertBendPoint(1, {300, 300});
  pair.link->InsertBendPoint(2, {400, 300});
  Drag(*pair.left, {10, 10}, {30, 60});  // by (20, 50)
  EXPECT_EQ(pair.link->GetStartPoint(), (MapPoint{157, 225}));
  EXPECT_EQ(pair.link->GetEndPoint(), (MapPoint{537, 175}));
  EXPECT_EQ(pair.link->GetBendPoints(), (std::vector<MapPoint>{{220, 350}, {300, 300}, {400, 300}}))
      << "the first half moves with the start, the rest with the finish";
  EXPECT_EQ(pair.document.IsPositionsChanged(), 1);

  LinkedPair single;
  single.Build();
  single.link->InsertBendPoint(0, {300, 300});
  Drag(*single.left, {0, 0}, {5, 5});
  EXPECT_EQ(single.link->GetBendPoints(), (std::vector<MapPoint>{{300, 300}})) << "one bend point follows the finish";
}

TEST(Connector, DeletingADeviceDeletesItsLinksButNotALinkBeingDrawn) {
  LinkedPair pair;
  pair.Build();
  auto drawn = std::make_unique<CConnectorTwistShape>(MapPoint{137, 175}, pair.right);
  CConnectorShape* unattached = drawn.get();
  pair.document.AddShape(std::move(drawn));
  pair.view.Select(pair.link, false);

  pair.document.RemoveShape(pair.left);
  EXPECT_EQ(pair.document.GetShapes().GetCount(), 2u) << "the right device and the link being drawn";
  EXPECT_TRUE(pair.document.GetShapes().Find(unattached));
  EXPECT_TRUE(pair.view.GetSelection().IsEmpty()) << "the deleted link left the selection";
}

TEST(Connector, LinkToItsOwnDeviceLoopsAboveIt) {
  CDeviceShape device({100, 100});
  CConnectorTwistShape link({151, 275}, &device);
  link.AttachEnd({201, 275}, &device);
  EXPECT_EQ(link.GetStartPoint(), (MapPoint{150, 275}));
  EXPECT_EQ(link.GetBendPoints(), (std::vector<MapPoint>{{120, 60}, {150, 60}}));
}

TEST(Connector, PressesNearTheLineOrItsCaptionHitIt) {
  LinkedPair pair;
  pair.Build();  // from (137, 175) to (537, 175); caption 50 x 18 at (337, 165)
  struct Case {
    MapPoint point;
    int handle;
  };
  const Case cases[] = {{{250, 172}, CConnectorShape::kOnLine}, {{250, 165}, -1},
                        {{337 + 10, 170}, CConnectorShape::kOnLine}, {{137, 175}, 0}, {{537, 178}, 1},
                        {{250, 178}, CConnectorShape::kOnLine}, {{250, 185}, -1}};
  for (const Case& c : cases) EXPECT_EQ(pair.link->HitTestHandle(c.point), c.handle) << c.point.x << "," << c.point.y;
  EXPECT_EQ(pair.link->GetCaptionRect(), (MapRect{337, 165, 387, 183}));
}

TEST(Connector, OverlappingHandlesAnswerWithTheLowerIndex) {
  LinkedPair pair;
  pair.Build();
  pair.link->InsertBendPoint(0, {140, 178});  // its square overlaps the start handle's
  EXPECT_EQ(pair.link->HitTestHandle({139, 177}), 0);
  EXPECT_EQ(pair.link->HitTestHandle({142, 181}), 2);
}

TEST(Connector, DraggingTheLineAddsABendPointAndTheCaptionMovesNothing) {
  LinkedPair pair;
  pair.Build();
  pair.link->BeginTrack({250, 177}, CConnectorShape::kOnLine);
  EXPECT_EQ(pair.link->GetTrackHandle(), 2);
  EXPECT_EQ(pair.link->GetBendPoints(), (std::vector<MapPoint>{{250, 177}}));
  pair.link->TrackTo({250, 250});
  pair.link->EndTrack();
  EXPECT_TRUE(pair.link->GetBendPoints().empty()) << "a bend point that hardly bends is dropped";

  pair.link->BeginTrack({340, 170}, CConnectorShape::kOnLine);
  EXPECT_EQ(pair.link->GetTrackHandle(), CConnectorShape::kCaptionHandle);
  pair.link->TrackTo({400, 400});
  pair.link->EndTrack();
  EXPECT_EQ(pair.link->GetCaptionRect(), (MapRect{337, 165, 387, 183}));
  EXPECT_TRUE(pair.link->GetBendPoints().empty());
}

TEST(Connector, SimplifyingDropsShortSegmentsAndStraightBends) {
  struct Case {
    const char* what;
    std::vector<MapPoint> bends;
    std::vector<MapPoint> kept;
  };
  // The link runs from (137, 175) to (537, 175).
  const Case cases[] = {
      {"a real corner stays", {{137, 400}}, {{137, 400}}},
      {"a point 5 units from the start goes", {{137, 180}}, {}},
      {"a point on the straight line goes", {{300, 175}}, {}},
      {"a nearly straight bend goes", {{300, 180}}, {}},
      {"two corners stay", {{137, 400}, {537, 400}}, {{137, 400}, {537, 400}}},
      {"of two close corners the later goes", {{137, 400}, {140, 400}}, {{137, 400}}},
  };
  for (const Case& c : cases) {
    LinkedPair pair;
    pair.Build();
    for (std::size_t i = 0; i < c.bends.size(); ++i) pair.link->InsertBendPoint(static_cast<int>(i), c.bends[i]);
    EXPECT_TRUE(pair.link->SimplifyBendPoints()) << c.what;
    EXPECT_EQ(pair.link->GetBendPoints(), c.kept) << c.what;
  }
  LinkedPair plain;
  plain.Build();
  const int redraws = plain.view.redraws;
  EXPECT_FALSE(plain.link->SimplifyBendPoints());
  plain.link->BeginTrack({0, 0}, 0);
  plain.link->EndTrack();
  EXPECT_EQ(plain.view.redraws, redraws) << "a link without bend points tells nobody";
}

TEST(Connector, SegmentAnglesAndLengths) {
  CDeviceShape a({0, 0});
  CConnectorShape link({137, 175}, &a);
  link.AttachEnd({137, 175}, &a);  // both ends at (136, 175), looping through (106, -40) and (136, -40)
  EXPECT_DOUBLE_EQ(link.GetSegmentLength(1), 30.0);
  EXPECT_NEAR(link.GetSegmentAngle(1), 6.282, 1e-9) << "rightwards with dy 0";
  EXPECT_NEAR(link.GetSegmentAngle(2), std::acos(0.0), 1e-9) << "straight down";
}

TEST(Connector, DoubleClickOnTheCaptionEditsItOnlyOnAPlainConnector) {
  {
    LinkedPair plain;
    plain.Build();
    SetActiveMapView(&plain.view);
    plain.link->SetCaption("(1, 2)");
    plain.link->OnDoubleClick({340, 170});
    EXPECT_EQ(plain.view.editedLabel, "(1, 2)");
    EXPECT_EQ(plain.view.editedRect, (MapRect{337, 165, 387, 183}));
    EXPECT_EQ(plain.view.editStyle, 1);
    SetActiveMapView(nullptr);
  }
  LinkedPair twist;
  twist.Build<CConnectorTwistShape>();
  SetActiveMapView(&twist.view);
  twist.link->OnDoubleClick({340, 170});
  EXPECT_EQ(twist.view.editedLabel, "");
  SetActiveMapView(nullptr);
}

TEST(Connector, StatusChoosesTheColourOfLineAndCaption) {
  const std::pair<int, ColorRef> cases[] = {
      {0, Rgb(0, 0, 0)}, {1, Rgb(255, 153, 0)}, {2, Rgb(255, 255, 255)}, {3, Rgb(0, 0, 0)}};
  for (const auto& [status, colour] : cases) {
    LinkedPair pair;
    pair.Build();
    pair.link->SetStatusCode(status);
    pair.link->SetCaption("(4, 1)");
    RecordingMapCanvas canvas;
    pair.link->Draw(canvas);
    const std::string expected = RecordingMapCanvas::Colour(colour);
    EXPECT_EQ(canvas.calls, (std::vector<std::string>{"pen 0 " + expected, "polyline 137,175 537,175",
                                                      "font Arial 14 400", "text colour " + expected,
                                                      "text \"(4, 1)\" 337,165,387,183"}))
        << status;
  }
}

TEST(Connector, SelectionShowsTheHandlesOrTheRubberLine) {
  LinkedPair pair;
  pair.Build();
  pair.link->InsertBendPoint(0, {300, 300});
  RecordingMapCanvas attached;
  pair.link->DrawHandles(attached);
  EXPECT_EQ(attached.Only("rectangle"),
            (std::vector<std::string>{"rectangle 133,171,141,179", "rectangle 533,171,541,179"}));
  EXPECT_EQ(attached.Only("ellipse"), (std::vector<std::string>{"ellipse 296,296,304,304"}));

  CDeviceShape device({0, 0});
  CConnectorTwistShape drawn({138, 175}, &device);
  drawn.SetFloatingEnd({300, 20});
  RecordingMapCanvas rubber;
  drawn.DrawHandles(rubber);
  EXPECT_EQ(rubber.Only("polyline"), (std::vector<std::string>{"polyline 137,175 300,20"}));
  EXPECT_FALSE(drawn.HitTest({200, 100})) << "a link being drawn is hit nowhere";
}

TEST(Connector, FiguresArePlacedWhereTheLinkLeavesItsShape) {
  LinkedPair pair;
  pair.Build();
  pair.link->InsertBendPoint(0, {137, 400});  // straight down from the start
  std::vector<MapPoint> arrow{{0, 0}, {10, 0}, {0, 5}};
  pair.link->PlaceAtStartExit(arrow);
  EXPECT_EQ(arrow, (std::vector<MapPoint>{{137, 175}, {137, 185}, {132, 175}}));
}
