// The reference network's rows after a discovery pass, read into the model and brought into map order.
#include <gtest/gtest.h>

#include "db/AccessDatabase.h"
#include "db/TopologyDBManager.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"
#include "topology/TopologyData.h"

namespace net = testing_support::reference_network;

TEST(ReferenceRows, ReadIntoTheModelWithStatusesAndMapOrder) {
  testing_support::TempDatabase database;
  ASSERT_TRUE(net::AddDevices(database, "device_list"));
  ASSERT_TRUE(net::AddLinks(database, "device_map_polling"));
  ASSERT_TRUE(TopologyDBManager().SetNewDeviceToManaged(net::kAp1, false));
  ASSERT_TRUE(TopologyDBManager().SetNewDeviceToManaged(net::kSwitch, false));
  ASSERT_TRUE(database.Exec("UPDATE device_list_prev SET online=0 WHERE mac=?", {net::kAp1}));

  CTopologyData topology;
  CAccessDatabase().GetTopologyDifferences(topology);
  topology.SortDevices(1);
  topology.SortConnections();

  ASSERT_EQ(topology.m_Devices.size(), 5u);
  EXPECT_EQ(topology.m_Devices[0].mac, net::kSwitch) << "the only switch leads";
  struct Expected {
    const std::string& mac;
    int status;
  };
  for (const Expected& e : {Expected{net::kSwitch, 0}, Expected{net::kAp1, 2}, Expected{net::kAp2, 1},
                            Expected{net::kAp3, 1}, Expected{net::kUnknown, -1}}) {
    CDeviceRecord device;
    ASSERT_NE(topology.FindDevice(e.mac, device, 1), -1) << e.mac;
    EXPECT_EQ(device.displayStatus, e.status) << e.mac;
  }
  EXPECT_TRUE(topology.HasNewDevice());

  ASSERT_EQ(topology.m_Connections.size(), 4u);
  for (size_t port = 0; port < 4; ++port) {
    EXPECT_EQ(topology.m_Connections[port].srcMac, net::kSwitch);
    EXPECT_EQ(topology.m_Connections[port].srcPort, static_cast<int>(port + 1));
  }
  std::vector<CConnectionRecord> links;
  EXPECT_EQ(topology.GetDeviceConnections(net::kAp2, links), 1);
  EXPECT_EQ(links[0].srcPort, 2);
}
