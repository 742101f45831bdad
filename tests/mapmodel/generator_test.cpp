// The generator: from the stored topology to the map's device shapes and links.
#include <gtest/gtest.h>

#include "TopologyRows.h"
#include "db/AccessDatabase.h"
#include "mapmodel/ApShape.h"
#include "mapmodel/ConnectorTwistShape.h"
#include "mapmodel/SwitchShape.h"
#include "mapmodel/TopologyGenerator.h"
#include "mapmodel/UnknownShape.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace net = testing_support::reference_network;

namespace {

// The shapes a generator hands over, owned for the test.
struct Generated {
  CShapeList shapes;
  ~Generated() {
    for (CShape* shape : shapes) delete shape;
  }
  CDeviceShape* Device(std::size_t i) const { return dynamic_cast<CDeviceShape*>(shapes.GetAt(i)); }
  std::vector<CConnectorShape*> Links() const {
    std::vector<CConnectorShape*> links;
    for (CShape* shape : shapes)
      if (auto* link = dynamic_cast<CConnectorShape*>(shape)) links.push_back(link);
    return links;
  }
};

void Generate(const CTopologyData& topology, Generated& out) {
  CLayoutContext context;
  CTopologyGenerator generator(context);
  generator.Generate(topology);
  generator.MoveShapesTo(out.shapes);
}

}  // namespace

TEST(Generator, NoDevicesNoShapes) {
  CTopologyData topology;
  CShapeList destination;
  CLayoutContext context;
  CTopologyGenerator generator(context);
  generator.Generate(topology);
  generator.MoveShapesTo(destination);
  EXPECT_TRUE(destination.IsEmpty());
}

TEST(Generator, DevicesArriveInReverseOfTheSortedOrder) {
  CTopologyData topology;
  topology.m_Devices = {Device("C", 0, "10.0.0.1"), Device("B", 2, "10.0.0.2"), Device("A", 1, "10.0.0.3")};
  Generated out;
  Generate(topology, out);
  ASSERT_EQ(out.shapes.GetCount(), 3u);
  EXPECT_EQ(out.Device(0)->GetMacAddress(), "C");
  EXPECT_NE(dynamic_cast<CUnknownShape*>(out.Device(0)), nullptr);
  EXPECT_EQ(out.Device(1)->GetMacAddress(), "B");
  EXPECT_NE(dynamic_cast<CApShape*>(out.Device(1)), nullptr);
  EXPECT_EQ(out.Device(2)->GetMacAddress(), "A");
  EXPECT_NE(dynamic_cast<CSwitchShape*>(out.Device(2)), nullptr);
}

TEST(Generator, RecordsGiveKindPositionPortsStatusAndName) {
  CDeviceRecord placed = Device("P", 2);
  placed.autoP = 0;
  placed.xP = 120;
  placed.yP = 340;
  placed.portCount = 24;
  placed.displayStatus = 2;
  placed.newDevice = 1;
  CDeviceRecord sw = Device("S", 1, "10.0.0.1");
  sw.portCount = 24;
  CDeviceRecord odd = Device("T", 3, "10.0.0.2");
  CTopologyData topology;
  topology.m_Devices = {placed, sw, odd};
  Generated out;
  Generate(topology, out);
  ASSERT_EQ(out.shapes.GetCount(), 3u);
  // Sorted: S, T (type 3 sorts with the switches), P; handed over in reverse.
  CDeviceShape* ap = out.Device(0);
  EXPECT_EQ(ap->GetPosition(), (MapPoint{120, 340})) << "a stored position wins over the layout";
  EXPECT_EQ(ap->GetPortCount(), 1) << "an AP's port count is not taken";
  EXPECT_EQ(ap->GetStatusCode(), 2);
  EXPECT_EQ(ap->GetState(), 1);
  EXPECT_EQ(ap->GetName(), "dev-P");
  EXPECT_NE(dynamic_cast<CUnknownShape*>(out.Device(1)), nullptr) << "type 3 is drawn as unknown";
  EXPECT_EQ(out.Device(1)->GetMacAddress(), "T");
  EXPECT_EQ(out.Device(2)->GetPortCount(), 24);
  EXPECT_EQ(out.Device(2)->GetPosition(), (MapPoint{500, 50})) << "laid out as the first tree";
}

TEST(Generator, OneLinkPerDistinctLinkBetweenDeviceShapes) {
  CTopologyData topology;
  topology.m_Devices = {Device("S", 1, "10.0.0.1"), Device("A", 2, "10.0.0.2")};
  topology.m_Connections = {Link("S", 1, "A", 1), Link("S", 1, "A", 1), Link("A", 1, "S", 1), Link("S", 2, "ghost", 1),
                            Link("S", 3, "S", 3)};
  topology.m_Connections[0].linkType = 1;
  Generated out;
  Generate(topology, out);
  const std::vector<CConnectorShape*> links = out.Links();
  ASSERT_EQ(links.size(), 1u) << "duplicates, reversed duplicates, unknown ends and a port to itself make none";
  EXPECT_EQ(links[0]->GetCaption(), "(1, 1)");
  EXPECT_EQ(links[0]->GetStatusCode(), 1);
  EXPECT_NE(dynamic_cast<CConnectorTwistShape*>(links[0]), nullptr);
}

TEST(Generator, LinksAreFoundByTheirEndsAndAttachPoints) {
  CTopologyData topology;
  topology.m_Devices = {Device("S", 1, "10.0.0.1"), Device("A", 2, "10.0.0.2")};
  topology.m_Connections = {Link("S", 1, "A", 1)};
  CLayoutContext context;
  CTopologyGenerator generator(context);
  generator.Generate(topology);
  generator.CreateDeviceShapes();
  generator.CreateConnectorShapes(0);
  EXPECT_FALSE(generator.HasConnector("S", {0, 0}, "A", {0, 0})) << "disabled: no links";
  generator.CreateConnectorShapes(1);
  const CDeviceShape* s = generator.FindDeviceShapeByMac("S");
  const CDeviceShape* a = generator.FindDeviceShapeByMac("A");
  // The switch's picture is 75 wide: its end, kept as an offset from the middle 37.5, lies a unit left.
  const MapPoint from = s->GetConnectionPoint(1, 3) + MapPoint{-1, 0};
  const MapPoint to = a->GetConnectionPoint(1, 1);
  EXPECT_TRUE(generator.HasConnector("S", from, "A", to));
  EXPECT_TRUE(generator.HasConnector("A", to, "S", from)) << "either way round";
  EXPECT_TRUE(generator.HasConnector("S", from + MapPoint{-1, -1}, "A", to)) << "within a unit below";
  EXPECT_FALSE(generator.HasConnector("S", from + MapPoint{1, 0}, "A", to)) << "but not a unit above";
  EXPECT_FALSE(generator.HasConnector("S", from, "B", to));
  EXPECT_TRUE(CTopologyGenerator::IsSamePoint({10, 10}, {9, 9}));
  EXPECT_FALSE(CTopologyGenerator::IsSamePoint({10, 10}, {11, 10}));
}

TEST(Generator, ReferenceNetworkBecomesOneSwitchThreeApsOneUnknownAndFourLinks) {
  testing_support::TempDatabase database;
  ASSERT_TRUE(net::AddDevices(database, "device_list"));
  ASSERT_TRUE(net::AddLinks(database, "device_map_polling"));
  ASSERT_TRUE(database.Exec("UPDATE device_list SET auto_pos_all_location=1", {})) << "placed automatically, as discovery leaves them";
  CTopologyData topology;
  CAccessDatabase().GetTopologyDifferences(topology);

  Generated out;
  Generate(topology, out);
  int switches = 0, aps = 0, unknown = 0;
  for (CShape* shape : out.shapes) {
    switches += dynamic_cast<CSwitchShape*>(shape) != nullptr;
    aps += dynamic_cast<CApShape*>(shape) != nullptr;
    unknown += dynamic_cast<CUnknownShape*>(shape) != nullptr;
  }
  EXPECT_EQ(switches, 1);
  EXPECT_EQ(aps, 3);
  EXPECT_EQ(unknown, 1);
  const std::vector<CConnectorShape*> links = out.Links();
  ASSERT_EQ(links.size(), 4u);
  for (std::size_t i = 0; i < links.size(); ++i) {
    EXPECT_EQ(static_cast<CDeviceShape*>(links[i]->GetStartShape())->GetMacAddress(), net::kSwitch);
    EXPECT_EQ(links[i]->GetCaption(), "(" + std::to_string(i + 1) + ", 1)");
  }
  CDeviceShape* sw = out.Device(out.shapes.GetCount() - 5);
  EXPECT_EQ(sw->GetMacAddress(), net::kSwitch) << "the switch, first in sorted order, is handed over last";
  EXPECT_EQ(sw->GetPosition(), (MapPoint{600, 50})) << "over its four devices: (28 + 31) / 2";
  EXPECT_EQ(links[0]->GetEndPoint(), links[0]->GetEndShape()->GetConnectionPoint(1, 1)) << "the AP's top middle";
}
