#include "topology/TopologyData.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <numeric>
#include <unordered_map>
#include <unordered_set>

namespace {

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

bool IsSwitchClass(const CDeviceRecord& device) { return device.kind == 1 || device.kind == 3; }

bool Joins(const CConnectionRecord& link, const std::string& a, const std::string& b) {
  return (link.srcMac == a && link.destMac == b) || (link.srcMac == b && link.destMac == a);
}

bool SameLink(const CConnectionRecord& x, const CConnectionRecord& y) {
  return x.srcMac == y.srcMac && x.destMac == y.destMac && x.srcPort == y.srcPort && x.destPort == y.destPort;
}

// Removes, from the last record down, every record that matches.
template <typename Record, typename Match>
void RemoveMatching(std::vector<Record>& records, Match matches) {
  for (size_t i = records.size(); i-- > 0;)
    if (matches(records[i])) records.erase(records.begin() + static_cast<std::ptrdiff_t>(i));
}

// Brings the first count records into the order of a stable sort by the indexes' comparison.
template <typename Record, typename IndexLess>
void StableReorder(std::vector<Record>& records, size_t count, IndexLess less) {
  std::vector<size_t> order(count);
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(), less);
  std::vector<Record> sorted;
  sorted.reserve(count);
  for (size_t from : order) sorted.push_back(std::move(records[from]));
  std::move(sorted.begin(), sorted.end(), records.begin());
}

// Identity of a link for dropping duplicates: both MACs and both ports.
struct LinkHash {
  size_t operator()(const CConnectionRecord* link) const {
    const std::hash<std::string> text;
    return text(link->srcMac) ^ (text(link->destMac) * 31) ^ (std::hash<int>()(link->srcPort) * 131) ^
           (std::hash<int>()(link->destPort) * 1031);
  }
};
struct LinkEqual {
  bool operator()(const CConnectionRecord* x, const CConnectionRecord* y) const { return SameLink(*x, *y); }
};

}  // namespace

bool IsIpLower(const std::string& a, const std::string& b) { return IpNumbers(a) < IpNumbers(b); }

int CTopologyData::FindConnection(const std::string& macA, const std::string& macB, CConnectionRecord& link) const {
  for (size_t i = 0; i < m_Connections.size(); ++i) {
    if (Joins(m_Connections[i], macA, macB)) {
      link = m_Connections[i];
      return static_cast<int>(i);
    }
  }
  return -1;
}

void CTopologyData::RemoveDevice(const std::string& mac) {
  RemoveMatching(m_Devices, [&](const CDeviceRecord& device) { return device.mac == mac; });
}

void CTopologyData::RemoveDeviceConnections(const std::string& mac) {
  RemoveMatching(m_Connections, [&](const CConnectionRecord& link) { return link.srcMac == mac || link.destMac == mac; });
}

void CTopologyData::RemoveConnectionBetween(const std::string& macA, const std::string& macB) {
  RemoveMatching(m_Connections, [&](const CConnectionRecord& link) { return Joins(link, macA, macB); });
}

void CTopologyData::RemoveConnection(const std::string& macA, int portA, const std::string& macB, int portB) {
  RemoveMatching(m_Connections, [&](const CConnectionRecord& link) {
    return (link.srcMac == macA && link.srcPort == portA && link.destMac == macB && link.destPort == portB) ||
           (link.srcMac == macB && link.srcPort == portB && link.destMac == macA && link.destPort == portA);
  });
}

void CTopologyData::SortDevices(int ascending) {
  // Switches keep their order in front; every other device goes behind them in reverse order.
  const auto others = std::stable_partition(m_Devices.begin(), m_Devices.end(), IsSwitchClass);
  std::reverse(others, m_Devices.end());
  // A stable sort keeps the earliest of equal IPs first.
  const auto switches = static_cast<size_t>(others - m_Devices.begin());
  std::vector<std::array<long, 4>> keys(switches);
  for (size_t i = 0; i < switches; ++i) keys[i] = IpNumbers(m_Devices[i].ip);
  StableReorder(m_Devices, switches, [&](size_t a, size_t b) { return ascending ? keys[a] < keys[b] : keys[b] < keys[a]; });
}

void CTopologyData::SortConnections() {
  std::unordered_map<std::string, const CDeviceRecord*> deviceByMac;
  for (const CDeviceRecord& device : m_Devices) deviceByMac.emplace(device.mac, &device);
  const auto deviceOf = [&](const std::string& mac) -> const CDeviceRecord* {
    const auto found = deviceByMac.find(mac);
    return found == deviceByMac.end() ? nullptr : found->second;
  };
  // Links between known devices only, each turned to start at the switch or at the lower switch IP.
  std::erase_if(m_Connections, [&](const CConnectionRecord& link) {
    return !deviceOf(link.srcMac) || !deviceOf(link.destMac);
  });
  for (CConnectionRecord& link : m_Connections) {
    const CDeviceRecord& source = *deviceOf(link.srcMac);
    const CDeviceRecord& destination = *deviceOf(link.destMac);
    const bool turn = IsSwitchClass(destination) &&
                      (IsSwitchClass(source) ? IsIpLower(destination.ip, source.ip) : source.kind == 2);
    if (turn) {
      std::swap(link.srcMac, link.destMac);
      std::swap(link.srcPort, link.destPort);
    }
  }
  // The first of identical links stays.
  std::unordered_set<const CConnectionRecord*, LinkHash, LinkEqual> seen;
  seen.reserve(m_Connections.size());
  std::vector<CConnectionRecord> unique;
  unique.reserve(m_Connections.size());
  for (const CConnectionRecord& link : m_Connections)
    if (seen.insert(&link).second) unique.push_back(link);
  m_Connections = std::move(unique);
  // Grouped by source device in IP order, by source port within a group; equal links keep their order.
  std::vector<std::pair<std::array<long, 4>, int>> keys;
  keys.reserve(m_Connections.size());
  for (const CConnectionRecord& link : m_Connections) keys.emplace_back(IpNumbers(deviceOf(link.srcMac)->ip), link.srcPort);
  StableReorder(m_Connections, m_Connections.size(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
}

int CTopologyData::GetDeviceConnections(const std::string& mac, std::vector<CConnectionRecord>& links) const {
  links.clear();
  for (const CConnectionRecord& link : m_Connections)
    if (link.srcMac == mac || link.destMac == mac) links.push_back(link);
  return static_cast<int>(links.size());
}

bool CTopologyData::HasNewDevice() const {
  for (const CDeviceRecord& device : m_Devices)
    if (device.displayStatus == 1) return true;
  return false;
}
