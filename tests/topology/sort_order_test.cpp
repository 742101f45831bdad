// The map's order reached by sorting must be the order of the straightforward selection sorts below, which
// move the earliest of the best records forward one at a time. Both run on generated networks full of
// equal keys: repeated IPs, repeated MACs, duplicate links, links to devices that are not there.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "topology/TopologyData.h"

namespace {

bool IsSwitchClass(const CDeviceRecord& device) { return device.kind == 1 || device.kind == 3; }

std::array<long, 4> IpNumbers(const std::string& ip) {
  std::array<long, 4> numbers{};
  const char* text = ip.c_str();
  for (long& number : numbers) {
    char* end = nullptr;
    number = std::strtol(text, &end, 10);
    if (*end != '.') break;
    text = end + 1;
  }
  return numbers;
}

const CDeviceRecord* FirstByMac(const std::vector<CDeviceRecord>& devices, const std::string& mac) {
  for (const CDeviceRecord& device : devices)
    if (device.mac == mac) return &device;
  return nullptr;
}

template <typename Record>
void MoveTo(std::vector<Record>& records, size_t from, size_t to) {
  Record moved = records[from];
  records.erase(records.begin() + static_cast<std::ptrdiff_t>(from));
  records.insert(records.begin() + static_cast<std::ptrdiff_t>(to), moved);
}

void SelectionSortDevices(std::vector<CDeviceRecord>& devices, int ascending) {
  const size_t count = devices.size();
  for (size_t i = count; i-- > 0;) {
    if (IsSwitchClass(devices[i])) continue;
    const CDeviceRecord moved = devices[i];
    devices.erase(devices.begin() + static_cast<std::ptrdiff_t>(i));
    devices.push_back(moved);
  }
  for (size_t i = 0; i + 1 < count; ++i) {
    if (!IsSwitchClass(devices[i])) continue;
    size_t best = i;
    for (size_t j = i + 1; j < count; ++j) {
      if (!IsSwitchClass(devices[j])) continue;
      const auto ip = IpNumbers(devices[j].ip);
      const auto bestIp = IpNumbers(devices[best].ip);
      if (ascending ? ip < bestIp : bestIp < ip) best = j;
    }
    if (best != i) MoveTo(devices, best, i);
  }
}

void SelectionSortConnections(const std::vector<CDeviceRecord>& devices, std::vector<CConnectionRecord>& links) {
  for (size_t i = links.size(); i-- > 0;) {
    CConnectionRecord& link = links[i];
    const CDeviceRecord* source = FirstByMac(devices, link.srcMac);
    const CDeviceRecord* destination = source ? FirstByMac(devices, link.destMac) : nullptr;
    if (!destination) {
      links.erase(links.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    const bool turn = IsSwitchClass(*destination) && (IsSwitchClass(*source)
                                                          ? IpNumbers(destination->ip) < IpNumbers(source->ip)
                                                          : source->kind == 2);
    if (turn) {
      std::swap(link.srcMac, link.destMac);
      std::swap(link.srcPort, link.destPort);
    }
  }
  for (size_t i = 0; i < links.size(); ++i) {
    const CConnectionRecord kept = links[i];
    for (size_t j = links.size(); j-- > i + 1;) {
      const CConnectionRecord& other = links[j];
      if (other.srcMac == kept.srcMac && other.destMac == kept.destMac && other.srcPort == kept.srcPort &&
          other.destPort == kept.destPort)
        links.erase(links.begin() + static_cast<std::ptrdiff_t>(j));
    }
  }
  for (size_t i = 0; i + 1 < links.size(); ++i) {
    size_t best = i;
    for (size_t j = i + 1; j < links.size(); ++j) {
      const auto ip = IpNumbers(FirstByMac(devices, links[j].srcMac)->ip);
      const auto bestIp = IpNumbers(FirstByMac(devices, links[best].srcMac)->ip);
      if (ip < bestIp || (ip == bestIp && links[j].srcPort < links[best].srcPort)) best = j;
    }
    if (best != i) MoveTo(links, best, i);
  }
}

// A network where most keys repeat: few IPs (some of them malformed), few MACs, few ports.
CTopologyData GeneratedNetwork(unsigned seed, int devices, int links) {
  std::mt19937 random(seed);
  const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  const std::vector<std::string> ips = {"10.0.0.9", "10.0.0.10", "10.0.1.2", "9.255.0.1", "10.0.0.9",
                                        "10.0.0",   "",          "x.y",      "010.0.0.9", "10.0.0.10 "};
  CTopologyData topology;
  for (int i = 0; i < devices; ++i) {
    CDeviceRecord device;
    device.mac = "m" + std::to_string(pick(devices * 3 / 4 + 1));
    device.ip = pick(3) == 0 ? ips[pick(static_cast<int>(ips.size()))] : "10.0." + std::to_string(pick(3)) + "." +
                                                                             std::to_string(pick(12));
    device.kind = pick(4);
    device.name = std::to_string(i);  // tells records with equal keys apart
    topology.m_Devices.push_back(device);
  }
  for (int i = 0; i < links; ++i) {
    CConnectionRecord link;
    link.srcMac = "m" + std::to_string(pick(devices));
    link.destMac = "m" + std::to_string(pick(devices));
    link.srcPort = pick(4);
    link.destPort = pick(4);
    link.linkType = i;
    topology.m_Connections.push_back(link);
  }
  return topology;
}

std::vector<std::string> DeviceOrder(const std::vector<CDeviceRecord>& devices) {
  std::vector<std::string> order;
  for (const CDeviceRecord& device : devices) order.push_back(device.name);
  return order;
}

std::vector<std::string> LinkOrder(const std::vector<CConnectionRecord>& links) {
  std::vector<std::string> order;
  for (const CConnectionRecord& link : links)
    order.push_back(std::to_string(link.linkType) + " " + link.srcMac + ":" + std::to_string(link.srcPort) + ">" +
                    link.destMac + ":" + std::to_string(link.destPort));
  return order;
}

TEST(TopologySortOrder, SameOrderAsTheSelectionSortsOnGeneratedNetworks) {
  struct Size {
    int devices, links;
  };
  for (const Size size : {Size{0, 0}, Size{1, 3}, Size{2, 2}, Size{7, 20}, Size{40, 120}, Size{300, 900}}) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
      SCOPED_TRACE(testing::Message() << size.devices << " devices, " << size.links << " links, seed " << seed);
      const CTopologyData network = GeneratedNetwork(seed, size.devices, size.links);
      for (int ascending : {1, 0}) {
        CTopologyData sorted = network;
        sorted.SortDevices(ascending);
        std::vector<CDeviceRecord> expected = network.m_Devices;
        SelectionSortDevices(expected, ascending);
        ASSERT_EQ(DeviceOrder(sorted.m_Devices), DeviceOrder(expected)) << "ascending " << ascending;
      }
      CTopologyData sorted = network;
      sorted.SortDevices(1);
      sorted.SortConnections();
      std::vector<CDeviceRecord> devices = network.m_Devices;
      SelectionSortDevices(devices, 1);
      std::vector<CConnectionRecord> expected = network.m_Connections;
      SelectionSortConnections(devices, expected);
      ASSERT_EQ(LinkOrder(sorted.m_Connections), LinkOrder(expected));
      // Links sorted against devices in their loaded order as well: the first of a repeated MAC decides.
      CTopologyData unsortedDevices = network;
      unsortedDevices.SortConnections();
      expected = network.m_Connections;
      SelectionSortConnections(network.m_Devices, expected);
      ASSERT_EQ(LinkOrder(unsortedDevices.m_Connections), LinkOrder(expected));
    }
  }
}

}  // namespace
