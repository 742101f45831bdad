// The map archive: round trips, the exact bytes of a small map, and damaged files refused whole.
#include <gtest/gtest.h>

#include <random>

#include "MapFixture.h"
#include "mapmodel/ApShape.h"
#include "mapmodel/ConnectorTwistShape.h"
#include "mapmodel/HostGroupShape.h"
#include "mapmodel/MapArchive.h"
#include "mapmodel/RouterShape.h"
#include "mapmodel/SwitchShape.h"
#include "mapmodel/UnknownShape.h"

namespace {

std::vector<std::uint8_t> FromHex(const std::string& hex) {
  std::vector<std::uint8_t> bytes;
  for (std::size_t i = 0; i + 1 < hex.size(); i += 2) bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
  return bytes;
}

template <typename Shape>
Shape* AddDevice(CMapDocument& document, MapPoint at, const std::string& name, const std::string& mac) {
  auto shape = std::make_unique<Shape>(at);
  shape->SetName(name);
  shape->SetMacAddress(mac);
  Shape* added = shape.get();
  document.AddShape(std::move(shape));
  return added;
}

CConnectorShape* Link(CMapDocument& document, CDeviceShape* from, MapPoint fromPoint, CDeviceShape* to,
                      MapPoint toPoint) {
  auto link = std::make_unique<CConnectorTwistShape>(fromPoint, from);
  CConnectorShape* added = link.get();
  link->AttachEnd(toPoint, to);
  document.AddShape(std::move(link));
  return added;
}

// A link stored first, then the two host groups it joins.
std::vector<std::uint8_t> SmallMap() {
  CMapDocument document;
  CShapeList order;
  auto g1 = std::make_unique<CHostGroupShape>(MapPoint{10, 20});
  auto g2 = std::make_unique<CHostGroupShape>(MapPoint{100, 20});
  g1->SetName("G1");
  g1->SetMacAddress("00:01");
  g2->SetName("G2");
  g2->SetMacAddress("00:02");
  auto link = std::make_unique<CConnectorTwistShape>(g1->GetConnectionPoint(1, 3), g1.get());
  link->AttachEnd(g2->GetConnectionPoint(1, 1), g2.get());
  link->SetCaption("(1, 2)");
  order.AddTail(link.release());
  order.AddTail(g1.release());
  order.AddTail(g2.release());
  document.TakeShapes(order);
  return document.Store();
}

const char* const kSmallMapBytes =
    "0300ffff0100140043436f6e6e6563746f72547769737453686170650000000000000000ffff01000f0043486f737447"
    "726f757053686170650a00000014000000300000000c0000000247310530303a3031040000000c0000000c0000003000"
    "00000c000000010000000400000000000000000038c000000000000028c003806400000014000000300000000c000000"
    "0247320530303a3032040000000c0000000c000000300000000c000000010000000400000000000000000038c0000000"
    "00000028c00628312c20322900000000f6ffffff010000000000000004000500";

}  // namespace

TEST(MapArchive, SmallMapHasItsExactBytes) { EXPECT_EQ(SmallMap(), FromHex(kSmallMapBytes)); }

TEST(MapArchive, LinkStoredBeforeItsDevicesReadsBackWithTheSameObjects) {
  CMapDocument document;
  std::string error;
  ASSERT_TRUE(document.Load(FromHex(kSmallMapBytes), error)) << error;
  const CShapeList& shapes = document.GetShapes();
  ASSERT_EQ(shapes.GetCount(), 3u);
  auto* link = dynamic_cast<CConnectorTwistShape*>(shapes.GetAt(0));
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->GetStartShape(), shapes.GetAt(1)) << "a back-reference, not a copy";
  EXPECT_EQ(link->GetEndShape(), shapes.GetAt(2));
  EXPECT_EQ(link->GetStartPoint(), (MapPoint{10, 20}));
  EXPECT_EQ(link->GetEndPoint(), (MapPoint{100, 20}));
  EXPECT_TRUE(link->IsAttached());
  EXPECT_EQ(link->GetCaption(), "(1, 2)");
  EXPECT_EQ(document.Store(), FromHex(kSmallMapBytes));
}

TEST(MapArchive, EveryKindReadsBackWithItsFieldsAndStatusZero) {
  std::vector<std::uint8_t> bytes;
  {
    CMapDocument document;
    NoDevicePictures none;  // the switch then keeps its grid size, which the archive must bring back
    auto* ap = AddDevice<CApShape>(document, {10, 10}, "ap", "01");
    auto* sw = AddDevice<CSwitchShape>(document, {300, 10}, "sw", "02");
    sw->SetPortCount(26);
    auto* router = AddDevice<CRouterShape>(document, {10, 300}, "router", "03");
    AddDevice<CHostGroupShape>(document, {300, 300}, "hosts", "04");
    auto* unknown = AddDevice<CUnknownShape>(document, {600, 10}, "odd", "05");
    AddDevice<CDeviceShape>(document, {600, 300}, "plain", "06");
    ap->SetStatusCode(3);
    unknown->SetStatusCode(8);
    auto* link = Link(document, sw, sw->GetConnectionPoint(3, 3), router, router->GetConnectionPoint(1, 1));
    link->InsertBendPoint(0, {200, 200});
    link->SetStatusCode(1);
    bytes = document.Store();
  }
  CMapDocument before;
  {
    NoDevicePictures none;
    std::string error;
    ASSERT_TRUE(before.Load(bytes, error)) << error;
  }
  const CShapeList& shapes = before.GetShapes();
  ASSERT_EQ(shapes.GetCount(), 7u);
  const char* classes[] = {"CApShape",      "CSwitchShape", "CRouterShape",        "CHostGroupShape",
                           "CUnknownShape", "CDeviceShape", "CConnectorTwistShape"};
  for (std::size_t i = 0; i < 7; ++i) EXPECT_STREQ(shapes.GetAt(i)->GetClassName(), classes[i]);
  auto* sw = dynamic_cast<CDeviceShape*>(shapes.GetAt(1));
  EXPECT_EQ(sw->GetName(), "sw");
  EXPECT_EQ(sw->GetMacAddress(), "02");
  EXPECT_EQ(sw->GetPortCount(), 26);
  EXPECT_EQ(sw->GetPortColumns(), 16);
  EXPECT_EQ(sw->GetSize(), (MapSize{271, 50}));
  for (CShape* shape : shapes) EXPECT_EQ(shape->GetStatusCode(), 0) << shape->GetClassName();
  auto* link = dynamic_cast<CConnectorShape*>(shapes.GetAt(6));
  EXPECT_EQ(link->GetStartShape(), sw);
  EXPECT_EQ(link->GetEndShape(), shapes.GetAt(2));
  EXPECT_EQ(link->GetBendPoints(), (std::vector<MapPoint>{{200, 200}}));
  EXPECT_EQ(before.Store(), bytes) << "what is read is written back the same";
}

TEST(MapArchive, LongTextsAndLargeCountsUseTheirLongerForms) {
  std::vector<std::uint8_t> bytes;
  {
    CMapDocument document;
    auto* a = AddDevice<CDeviceShape>(document, {0, 0}, std::string(300, 'n'), "a");
    auto* b = AddDevice<CDeviceShape>(document, {0, 400}, "b", std::string(70000, 'm'));
    auto* link = Link(document, a, {138, 175}, b, {138, 575});
    for (int i = 0; i < 0x10000; ++i) link->InsertBendPoint(i, {i, -i});
    bytes = document.Store();
  }
  CMapDocument document;
  std::string error;
  ASSERT_TRUE(document.Load(bytes, error)) << error;
  const CShapeList& shapes = document.GetShapes();
  EXPECT_EQ(dynamic_cast<CDeviceShape*>(shapes.GetAt(0))->GetName(), std::string(300, 'n'));
  EXPECT_EQ(dynamic_cast<CDeviceShape*>(shapes.GetAt(1))->GetMacAddress(), std::string(70000, 'm'));
  const auto& bends = dynamic_cast<CConnectorShape*>(shapes.GetAt(2))->GetBendPoints();
  ASSERT_EQ(bends.size(), 0x10000u);
  EXPECT_EQ(bends.back(), (MapPoint{0xFFFF, -0xFFFF}));
}

TEST(MapArchive, IndicesPast0x7FFEUseTheLongTags) {
  std::vector<std::uint8_t> bytes;
  {
    CMapDocument document;
    CDeviceShape* first = AddDevice<CDeviceShape>(document, {0, 0}, "first", "00");
    for (int i = 0; i < 0x8000; ++i) AddDevice<CDeviceShape>(document, {i, 0}, "", "");
    // Two shapes of a class first seen past index 0x7FFF: the second needs the long class tag.
    CApShape* late = AddDevice<CApShape>(document, {5, 5}, "late", "01");
    AddDevice<CApShape>(document, {6, 6}, "later", "02");
    Link(document, late, {10, 10}, first, {10, 10});
    bytes = document.Store();
  }
  CMapDocument document;
  std::string error;
  ASSERT_TRUE(document.Load(bytes, error)) << error;
  const CShapeList& shapes = document.GetShapes();
  ASSERT_EQ(shapes.GetCount(), 0x8000u + 4);
  EXPECT_STREQ(shapes.GetAt(0x8002)->GetClassName(), "CApShape");
  auto* link = dynamic_cast<CConnectorShape*>(shapes.GetTail());
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->GetStartShape(), shapes.GetAt(0x8001)) << "a back-reference past 0x7FFE";
  EXPECT_EQ(link->GetEndShape(), shapes.GetHead());
  EXPECT_EQ(document.Store(), bytes);
}

namespace {

// The small map with bytes replaced from the offset.
std::vector<std::uint8_t> Patched(std::size_t at, const std::vector<std::uint8_t>& replacement) {
  std::vector<std::uint8_t> bytes = FromHex(kSmallMapBytes);
  std::copy(replacement.begin(), replacement.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
  return bytes;
}

// Loads into a document that already holds one shape: a refused file must leave it as it was.
void ExpectRefused(const std::vector<std::uint8_t>& bytes, const std::string& why) {
  CMapDocument document;
  document.AddShape(std::make_unique<CDeviceShape>(MapPoint{1, 2}));
  std::string error;
  EXPECT_FALSE(document.Load(bytes, error)) << why;
  EXPECT_FALSE(error.empty()) << why;
  ASSERT_EQ(document.GetShapes().GetCount(), 1u) << why;
  EXPECT_EQ(document.GetShapes().GetHead()->GetPosition(), (MapPoint{1, 2})) << why;
}

}  // namespace

TEST(MapArchive, DamagedFilesAreRefusedAndChangeNothing) {
  const std::vector<std::uint8_t> good = FromHex(kSmallMapBytes);
  for (std::size_t length = 0; length < good.size(); ++length)
    ExpectRefused({good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length)}, "cut at " + std::to_string(length));

  std::vector<std::uint8_t> longer = good;
  longer.push_back(0);
  ExpectRefused(longer, "a byte after the last shape");
  ExpectRefused(Patched(4, {2, 0}), "schema 2");
  ExpectRefused(Patched(8, {'X'}), "an unknown class name");
  ExpectRefused(Patched(0, {4, 0}), "a fourth shape that is not there");
  ExpectRefused(Patched(220, {9, 0}), "a reference to an object never read");
  ExpectRefused(Patched(220, {3, 0}), "a class index where an object belongs");
  ExpectRefused(Patched(220, {2, 0}), "the link listed twice");
  std::vector<std::uint8_t> onlyTheLink = Patched(0, {1, 0});
  onlyTheLink.resize(220);
  ExpectRefused(onlyTheLink, "a list of the link alone: its devices would have no owner");
  ExpectRefused(Patched(106, {0, 0, 0, 0}), "a device with no port columns");
  ExpectRefused(Patched(82, {0xFF, 0xFF, 0xFF, 0x7F}), "a device with two billion ports");
  ExpectRefused(Patched(73, {0xFF, 0xFF, 0xFF}), "a name longer than the file");
  ExpectRefused(Patched(57, {0, 0, 0, 0x80}), "a device far off the map");
  ExpectRefused(Patched(110, {0, 0, 0, 0, 0, 0, 0xF8, 0x7F}), "an end offset that is not a number");
  ExpectRefused(Patched(216, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F}), "a huge bend count");
}

TEST(MapArchive, LinkWithoutAnEndIsRefused) {
  std::vector<std::uint8_t> bytes;
  // A link whose finish shape is the null reference: the count, the link, then its end device.
  bytes = FromHex(kSmallMapBytes);
  const std::size_t finishTag = 126;  // 03 80: the second host group, whose record takes 53 bytes
  ASSERT_EQ(bytes[finishTag], 0x03);
  ASSERT_EQ(bytes[finishTag + 1], 0x80);
  std::vector<std::uint8_t> cut(bytes.begin(), bytes.begin() + finishTag);
  cut.insert(cut.end(), {0, 0});
  cut.insert(cut.end(), bytes.begin() + finishTag + 2 + 53, bytes.end() - 4);  // after its record, up to the list
  cut[0] = 2;
  cut.insert(cut.end(), {4, 0});
  ExpectRefused(cut, "a link to nothing");
}

TEST(MapArchive, DeeplyNestedLinksAreRefused) {
  // Each link's start is another new link: the reader stops before the stack runs out.
  std::vector<std::uint8_t> bytes{1, 0};
  const std::string name = "CConnectorShape";
  for (int i = 0; i < 100000; ++i) {
    if (i == 0) {
      bytes.insert(bytes.end(), {0xFF, 0xFF, 1, 0, static_cast<std::uint8_t>(name.size()), 0});
      bytes.insert(bytes.end(), name.begin(), name.end());
    } else {
      bytes.insert(bytes.end(), {0x01, 0x80});
    }
    bytes.insert(bytes.end(), 8, 0);  // position
  }
  ExpectRefused(bytes, "links nested 100000 deep");
}

TEST(MapArchive, MutatedFilesNeverCrashTheReader) {
  const std::vector<std::uint8_t> good = FromHex(kSmallMapBytes);
  std::mt19937 random(26);
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::uint8_t> bytes = good;
    const int changes = 1 + static_cast<int>(random() % 4);
    for (int c = 0; c < changes; ++c) bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
    if (random() % 3 == 0) bytes.resize(random() % bytes.size());
    CMapDocument document;
    std::string error;
    if (document.Load(bytes, error)) {
      // Whatever was accepted is a map that can be drawn, hit and stored again.
      document.GetBounds();
      document.ShapeAt({20, 25});
      document.Store();
    } else {
      EXPECT_FALSE(error.empty());
    }
  }
}
