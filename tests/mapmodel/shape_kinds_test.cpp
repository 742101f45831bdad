// The five device kinds: their defaults, pictures by status, front-panel port numbering and growth.
#include <gtest/gtest.h>

#include "MapFixture.h"
#include "image/Dib.h"
#include "mapmodel/ApShape.h"
#include "mapmodel/HostGroupShape.h"
#include "mapmodel/RouterShape.h"
#include "mapmodel/SwitchShape.h"
#include "mapmodel/UnknownShape.h"
#include "support/RecordingMapCanvas.h"

using testing_support::RecordingMapCanvas;

namespace {

// The provider's picture of the number, to compare a shape's picture with.
std::vector<std::uint8_t> PictureBytes(int id) {
  CDib picture;
  EXPECT_TRUE(GetDevicePictures().Load(id, picture)) << id;
  return *picture.GetHandle();
}

template <typename Shape>
std::vector<std::uint8_t> ShownPicture(int status) {
  Shape shape({0, 0});
  shape.SetStatusCode(status);
  return shape.GetPicture() && !shape.GetPicture()->IsEmpty() ? *shape.GetPicture()->GetHandle()
                                                               : std::vector<std::uint8_t>{};
}

}  // namespace

TEST(ShapeKinds, EveryPictureHasTheSizeOfItsNumber) {
  const std::pair<int, MapSize> sizes[] = {
      {312, {75, 35}}, {314, {75, 35}}, {315, {75, 35}}, {316, {75, 35}}, {317, {40, 30}},
      {318, {40, 30}}, {319, {40, 30}}, {320, {40, 30}}, {321, {40, 30}}, {338, {40, 30}},
      {361, {60, 45}}, {363, {50, 50}}, {366, {40, 30}}, {367, {32, 32}}};
  for (const auto& [id, size] : sizes) {
    CDib picture;
    ASSERT_TRUE(GetDevicePictures().Load(id, picture)) << id;
    EXPECT_EQ((MapSize{picture.GetWidth(), picture.GetHeight()}), size) << id;
    EXPECT_EQ(picture.GetBitCount(), 24) << id;
  }
  CDib none;
  EXPECT_FALSE(GetDevicePictures().Load(313, none));
  EXPECT_TRUE(none.IsEmpty());
}

TEST(ShapeKinds, StatusChoosesThePicture) {
  struct Case {
    int status;
    int ap;
    int sw;
    int unknown;
  };
  const Case cases[] = {{0, 317, 312, 338}, {1, 319, 315, 338}, {2, 318, 314, 338}, {3, 320, 316, 338},
                        {4, 321, 315, 338}, {5, 361, 361, 361}, {6, 361, 361, 338}, {7, 363, 363, 363},
                        {8, 366, 366, 366}, {9, 367, 367, 367}, {-1, 317, 312, 338}};
  for (const Case& c : cases) {
    EXPECT_EQ(ShownPicture<CApShape>(c.status), PictureBytes(c.ap)) << "AP, status " << c.status;
    EXPECT_EQ(ShownPicture<CSwitchShape>(c.status), PictureBytes(c.sw)) << "switch, status " << c.status;
    EXPECT_EQ(ShownPicture<CUnknownShape>(c.status), PictureBytes(c.unknown)) << "unknown, status " << c.status;
  }
}

TEST(ShapeKinds, PicturesGiveTheirSizeAtTheirOwnTime) {
  CSwitchShape sw({0, 0});
  EXPECT_EQ(sw.GetSize(), (MapSize{75, 35})) << "the switch takes its picture's size at once";
  sw.SetStatusCode(2);
  EXPECT_EQ(sw.GetSize(), (MapSize{75, 35}));

  CApShape ap({0, 0});
  EXPECT_EQ(ap.GetSize(), (MapSize{76, 50})) << "the AP keeps its body size until a status change";
  ap.SetStatusCode(0);
  EXPECT_EQ(ap.GetSize(), (MapSize{40, 30}));
  ap.SetStatusCode(5);
  EXPECT_EQ(ap.GetSize(), (MapSize{60, 45}));
}

// While it lives every number has a picture of one grey and size.
class PlainDevicePictures : public IDevicePictureProvider {
 public:
  PlainDevicePictures(int side, std::uint8_t grey) : m_Side(side), m_Grey(grey) { SetDevicePictures(this); }
  ~PlainDevicePictures() override { SetDevicePictures(nullptr); }
  bool Load(int, CDib& picture) const override {
    RgbImage image{m_Side, m_Side, std::vector<std::uint8_t>(static_cast<std::size_t>(m_Side) * m_Side * 3, m_Grey)};
    return picture.CreateFromBitmapToDepth(&image, nullptr, 24);
  }

 private:
  int m_Side;
  std::uint8_t m_Grey;
};

TEST(ShapeKinds, ShapesFollowTheProviderWhenThePicturesChange) {
  const std::vector<std::uint8_t> ownAp = PictureBytes(kPictureAp);
  CApShape shown({0, 0});
  shown.SetStatusCode(0);
  ASSERT_EQ(ShownPicture<CApShape>(0), ownAp);

  for (const auto& [side, grey] : {std::pair<int, std::uint8_t>{8, 10}, {16, 200}}) {
    const PlainDevicePictures pictures(side, grey);
    const std::vector<std::uint8_t> expected = PictureBytes(kPictureAp);
    EXPECT_EQ(ShownPicture<CApShape>(0), expected) << side;
    shown.SetStatusCode(0);
    EXPECT_EQ(shown.GetPicture() ? *shown.GetPicture()->GetHandle() : std::vector<std::uint8_t>{}, expected) << side;
    EXPECT_EQ(shown.GetSize(), (MapSize{side, side}));
  }
  {
    NoDevicePictures none;
    EXPECT_TRUE(ShownPicture<CApShape>(0).empty()) << "a provider without pictures leaves none shown";
  }
  EXPECT_EQ(ShownPicture<CApShape>(0), ownAp) << "the program's own pictures are back";
  EXPECT_EQ(ShownPicture<CSwitchShape>(0), PictureBytes(kPictureSwitch));
}

TEST(ShapeKinds, KindsStartWithTheirDefaults) {
  NoDevicePictures none;
  CApShape ap({0, 0});
  CSwitchShape sw({0, 0});
  CRouterShape router({0, 0});
  CHostGroupShape group({0, 0});
  CUnknownShape unknown({0, 0});
  struct Case {
    const CDeviceShape& shape;
    const char* name;
    int ports;
    MapSize size;
    int rows;
    int columns;
  };
  const Case cases[] = {{ap, "AP", 1, {76, 50}, 1, 1},
                        {sw, "Switch", 8, {175, 50}, 2, 8},
                        {router, "Router", 8, {175, 50}, 2, 8},
                        {group, "HostGroup", 4, {48, 12}, 1, 4},
                        {unknown, "Unknown", 1, {76, 50}, 1, 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.shape.GetName(), c.name);
    EXPECT_EQ(c.shape.GetPortCount(), c.ports) << c.name;
    EXPECT_EQ(c.shape.GetSize(), c.size) << c.name;
    EXPECT_EQ(c.shape.GetBodySize(), c.size) << c.name;
    EXPECT_EQ(c.shape.GetPortRows(), c.rows) << c.name;
    EXPECT_EQ(c.shape.GetPortColumns(), c.columns) << c.name;
    EXPECT_EQ(c.shape.GetState(), 1) << c.name;
    EXPECT_EQ(c.shape.GetStatusCode(), 0) << c.name;
  }
}

TEST(ShapeKinds, SwitchPortsAreNumberedInColumnPairs) {
  NoDevicePictures none;
  CSwitchShape sw({0, 0});  // 175 x 50, 8 columns: grid from 87 - 48 = 39, rows at y 26 and 38
  struct Case {
    MapPoint point;
    int port;
  };
  const Case cases[] = {{{39, 26}, 1}, {{39, 38}, 2}, {{51, 26}, 3}, {{51, 49}, 4}, {{38, 38}, 0},
                        {{39 + 12 * 3, 26}, 7}, {{39 + 12 * 3, 38}, 8}, {{39 + 12 * 4, 38}, 0}};
  for (const Case& c : cases) EXPECT_EQ(sw.HitTestPort(c.point), c.port) << c.point.x << "," << c.point.y;

  EXPECT_EQ(sw.GetConnectionPoint(2, 1), (MapPoint{45, 44})) << "the centre of the lower-left cell";
  EXPECT_EQ(sw.GetConnectionPoint(1, 1), (MapPoint{45, 32}));
  EXPECT_EQ(sw.GetConnectionPoint(3, 1), (MapPoint{57, 32}));
  EXPECT_EQ(sw.GetConnectionPoint(17, 1), (MapPoint{87, 50})) << "out of range: bottom centre";
}

TEST(ShapeKinds, PictureShapesAttachAtTheMiddleOfASide) {
  CSwitchShape sw({100, 100});  // the picture: 75 x 35
  const std::pair<int, MapPoint> sides[] = {
      {0, {100, 117}}, {1, {137, 100}}, {2, {175, 117}}, {3, {137, 135}}, {7, {137, 100}}};
  for (const auto& [side, point] : sides) EXPECT_EQ(sw.GetConnectionPoint(5, side), point) << side;

  CApShape ap({0, 0});
  ap.SetStatusCode(0);  // 40 x 30
  EXPECT_EQ(ap.GetConnectionPoint(1, 3), (MapPoint{20, 30}));
  CHostGroupShape group({30, 40});
  EXPECT_EQ(group.GetConnectionPoint(3, 2), (MapPoint{30, 40}));
  EXPECT_EQ(group.HitTestPort({30, 40}), 1) << "host group cells start at the left edge";
  EXPECT_EQ(group.HitTestPort({30 + 36, 51}), 4);
}

TEST(ShapeKinds, ManyPortsWidenSwitchesAndRouters) {
  CSwitchShape pictured({0, 0});
  pictured.SetPortCount(26);
  EXPECT_EQ(pictured.GetSize().cx, 75) << "a switch with a picture keeps the picture's width";
  EXPECT_EQ(pictured.GetPortColumns(), 16);

  NoDevicePictures none;
  struct Case {
    int ports;
    int columns;
    int switchWidth;
    int routerWidth;
  };
  const Case cases[] = {{20, 8, 175, 175}, {26, 16, 271, 350}, {40, 24, 367, 525}, {52, 32, 463, 463}};
  for (const Case& c : cases) {
    CSwitchShape sw({0, 0});
    CRouterShape router({0, 0});
    sw.SetPortCount(c.ports);
    router.SetPortCount(c.ports);
    EXPECT_EQ(sw.GetPortColumns(), c.columns) << c.ports;
    EXPECT_EQ(sw.GetSize().cx, c.switchWidth) << c.ports;
    EXPECT_EQ(router.GetSize().cx, c.routerWidth) << c.ports;
    EXPECT_EQ(sw.GetPortRows(), std::max(2, (c.ports - 1) / c.columns + 1)) << c.ports;
  }
}

TEST(ShapeKinds, SwitchMinimumSizeHoldsItsGridWithoutAPicture) {
  NoDevicePictures none;
  CSwitchShape sw({0, 0});
  EXPECT_EQ(sw.GetMinSize(), (MapSize{108, 40}));
  EXPECT_EQ(sw.GetMaxSize(), (MapSize{1108, 1040}));
}

TEST(ShapeKinds, DrawingShowsThePictureOrTheBodyWithItsPorts) {
  CApShape ap({10, 20});
  ap.SetStatusCode(0);
  RecordingMapCanvas pictured;
  ap.Draw(pictured);
  EXPECT_EQ(pictured.Only("picture"), (std::vector<std::string>{"picture 40x30 at 10,20 transparent 255/255/255"}));
  EXPECT_TRUE(pictured.Only("rectangle").empty());

  NoDevicePictures none;
  CRouterShape router({0, 0});
  RecordingMapCanvas plain;
  router.Draw(plain);
  EXPECT_EQ(plain.Only("rectangle").size(), 1u + 16u) << "the body and 2 x 8 port cells";
  EXPECT_EQ(plain.Only("rectangle")[1], "rectangle 39,38,51,50") << "the bottom row first";
  CHostGroupShape group({0, 0});
  RecordingMapCanvas thin;
  group.Draw(thin);
  EXPECT_EQ(thin.Only("rectangle").size(), 1u + 4u) << "a host group's cells fill its body";
}
