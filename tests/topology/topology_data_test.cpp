#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "topology/TopologyData.h"

namespace {

CDeviceRecord Device(const std::string& mac, int kind, const std::string& ip = "", int displayStatus = 0) {
  CDeviceRecord device;
  device.mac = mac;
  device.kind = kind;
  device.ip = ip;
  device.displayStatus = displayStatus;
  return device;
}

CConnectionRecord Link(const std::string& src, int srcPort, const std::string& dest, int destPort) {
  CConnectionRecord link;
  link.srcMac = src;
  link.srcPort = srcPort;
  link.destMac = dest;
  link.destPort = destPort;
  return link;
}

std::vector<std::string> Macs(const CTopologyData& topology) {
  std::vector<std::string> macs;
  for (const CDeviceRecord& device : topology.m_Devices) macs.push_back(device.mac);
  return macs;
}

// "src:port>dest:port" per link, in array order.
std::vector<std::string> Links(const CTopologyData& topology) {
  std::vector<std::string> links;
  for (const CConnectionRecord& link : topology.m_Connections)
    links.push_back(link.srcMac + ":" + std::to_string(link.srcPort) + ">" + link.destMac + ":" +
                    std::to_string(link.destPort));
  return links;
}

TEST(TopologyData, EmptyModelFindsNothingAndChangesNothing) {
  CTopologyData topology;
  CDeviceRecord device = Device("keep", 1);
  CConnectionRecord link = Link("keep", 1, "keep", 2);
  EXPECT_EQ(topology.FindDevice("a", device, 1), -1);
  EXPECT_EQ(topology.FindConnection("a", "b", link), -1);
  EXPECT_EQ(device.mac, "keep");
  EXPECT_EQ(link.srcMac, "keep");
  topology.RemoveDevice("a");
  topology.RemoveDeviceConnections("a");
  topology.SortDevices(1);
  topology.SortConnections();
  std::vector<CConnectionRecord> found{link};
  EXPECT_EQ(topology.GetDeviceConnections("a", found), 0);
  EXPECT_TRUE(found.empty());
  EXPECT_TRUE(topology.m_Devices.empty());
  EXPECT_FALSE(topology.HasNewDevice());
}

TEST(TopologyData, LookupsMatchWholeTextExactlyAndTakeTheFirst) {
  CTopologyData topology;
  topology.SetDevices({Device("aa", 1, "10.0.0.1"), Device("AA", 2, "10.0.0.2"), Device("aa", 2, "10.0.0.3")});
  CDeviceRecord found;
  EXPECT_EQ(topology.FindDevice("aa", found, 1), 0);
  EXPECT_EQ(found.ip, "10.0.0.1");
  EXPECT_EQ(topology.FindDevice("AA", found, 1), 1);
  EXPECT_EQ(topology.FindDevice("10.0.0.3", found, 0), 2);
  EXPECT_EQ(topology.FindDevice("10.0.0.", found, 0), -1);

  topology.SetConnections({Link("x", 1, "y", 2), Link("y", 3, "x", 4)});
  CConnectionRecord link;
  EXPECT_EQ(topology.FindConnection("y", "x", link), 0);
  EXPECT_EQ(link.srcPort, 1);
}

TEST(TopologyData, RemovalsTakeEveryMatchIncludingTheFirstAndKeepTheOrder) {
  CTopologyData topology;
  topology.SetDevices({Device("a", 1), Device("b", 1), Device("a", 2), Device("c", 2)});
  topology.RemoveDevice("a");
  EXPECT_EQ(Macs(topology), (std::vector<std::string>{"b", "c"}));

  topology.SetConnections({Link("a", 1, "b", 1), Link("b", 2, "c", 1), Link("c", 3, "a", 2), Link("b", 5, "a", 6)});
  topology.RemoveConnection("a", 6, "b", 5);
  EXPECT_EQ(Links(topology), (std::vector<std::string>{"a:1>b:1", "b:2>c:1", "c:3>a:2"}));
  topology.RemoveConnectionBetween("b", "a");
  EXPECT_EQ(Links(topology), (std::vector<std::string>{"b:2>c:1", "c:3>a:2"}));
  topology.RemoveDeviceConnections("a");
  EXPECT_EQ(Links(topology), (std::vector<std::string>{"b:2>c:1"}));
}

TEST(TopologyData, SortDevicesOrdersSwitchesByNumericIpAndPutsTheRestBehindReversed) {
  struct Case {
    std::vector<CDeviceRecord> devices;
    int ascending;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {{Device("s9", 1, "10.0.0.9"), Device("a", 2), Device("s2", 1, "10.0.0.2"), Device("b", 2)},
       1,
       {"s2", "s9", "b", "a"}},
      // Equal IPs keep their order; type 3 sorts with the switches.
      {{Device("first", 1, "10.0.0.5"), Device("third", 3, "10.0.0.1"), Device("second", 1, "10.0.0.5")},
       1,
       {"third", "first", "second"}},
      // Numbers, not texts: 10 is above 9.
      {{Device("s9", 1, "10.0.0.9"), Device("s10", 1, "10.0.0.10"), Device("u", 0)}, 0, {"s10", "s9", "u"}},
      {{Device("s9", 1, "10.0.0.9"), Device("s10", 1, "10.0.0.10")}, 1, {"s9", "s10"}},
  };
  for (const Case& c : cases) {
    CTopologyData topology;
    topology.SetDevices(c.devices);
    topology.SortDevices(c.ascending);
    EXPECT_EQ(Macs(topology), c.expected);
  }
}

TEST(TopologyData, SortConnectionsDropsOrientsDeduplicatesAndGroups) {
  CTopologyData topology;
  topology.SetDevices({Device("s5", 1, "10.0.0.5"), Device("s3", 1, "10.0.0.3"), Device("ap1", 2, "10.0.0.20"),
                       Device("ap2", 2, "10.0.0.21")});
  topology.SetConnections({
      Link("ap1", 1, "s3", 3),     // AP to switch: turned round
      Link("s5", 7, "s3", 9),      // higher to lower switch: turned round
      Link("s3", 9, "s5", 7),      // the same link once turned: dropped
      Link("ap1", 2, "ap2", 2),    // two APs: left as it is
      Link("s3", 1, "ghost", 1),   // an end without a device: dropped
      Link("s5", 2, "ap2", 1),
      Link("s3", 9, "s5", 8),      // another port: no duplicate
  });
  topology.SortConnections();
  EXPECT_EQ(Links(topology), (std::vector<std::string>{"s3:3>ap1:1", "s3:9>s5:7", "s3:9>s5:8", "s5:2>ap2:1",
                                                       "ap1:2>ap2:2"}));
}

TEST(TopologyData, DeviceConnectionsAndNewDevice) {
  CTopologyData topology;
  topology.SetDevices({Device("a", 1), Device("b", 2, "", 1)});
  topology.SetConnections({Link("a", 1, "b", 1), Link("c", 1, "d", 1), Link("b", 2, "a", 2)});
  std::vector<CConnectionRecord> links{Link("old", 0, "old", 0)};
  EXPECT_EQ(topology.GetDeviceConnections("b", links), 2);
  EXPECT_EQ(links[0].srcMac, "a");
  EXPECT_EQ(links[1].srcMac, "b");
  EXPECT_TRUE(topology.HasNewDevice());
}

}  // namespace
