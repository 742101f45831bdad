#include "topology/TopologyData.h"

#include <array>
#include <cstdlib>

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

// Moves the record at from to position to (to < from); the records in between move back by one.
template <typename Record>
void MoveTo(std::vector<Record>& records, size_t from, size_t to) {
  Record moved = std::move(records[from]);
  records.erase(records.begin() + static_cast<std::ptrdiff_t>(from));
  records.insert(records.begin() + static_cast<std::ptrdiff_t>(to), std::move(moved));
}

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

const CDeviceRecord* CTopologyData::DeviceByMac(const std::string& mac) const {
  for (const CDeviceRecord& device : m_Devices)
    if (device.mac == mac) return &device;
  return nullptr;
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
  // Every other device goes to the back, visited from the last, so they end in reverse order.
  const size_t count = m_Devices.size();
  for (size_t i = count; i-- > 0;) {
    if (IsSwitchClass(m_Devices[i])) continue;
    CDeviceRecord moved = std::move(m_Devices[i]);
    m_Devices.erase(m_Devices.begin() + static_cast<std::ptrdiff_t>(i));
    m_Devices.push_back(std::move(moved));
  }
  // A stable selection sort of the switches; a strict comparison keeps the earliest of equal IPs first.
  for (size_t i = 0; i + 1 < count; ++i) {
    if (!IsSwitchClass(m_Devices[i])) continue;
    size_t best = i;
    for (size_t j = i + 1; j < count; ++j) {
      if (!IsSwitchClass(m_Devices[j])) continue;
      const bool better = ascending ? IsIpLower(m_Devices[j].ip, m_Devices[best].ip)
                                    : IsIpLower(m_Devices[best].ip, m_Devices[j].ip);
      if (better) best = j;
    }
    if (best != i) MoveTo(m_Devices, best, i);
  }
}

void CTopologyData::SortConnections() {
  for (size_t i = m_Connections.size(); i-- > 0;) {
    CConnectionRecord& link = m_Connections[i];
    const CDeviceRecord* source = DeviceByMac(link.srcMac);
    const CDeviceRecord* destination = source ? DeviceByMac(link.destMac) : nullptr;
    if (!destination) {
      m_Connections.erase(m_Connections.begin() + static_cast<std::ptrdiff_t>(i));
      continue;
    }
    const bool turn = IsSwitchClass(*destination) &&
                      (IsSwitchClass(*source) ? IsIpLower(destination->ip, source->ip) : source->kind == 2);
    if (turn) {
      std::swap(link.srcMac, link.destMac);
      std::swap(link.srcPort, link.destPort);
    }
  }
  for (size_t i = 0; i < m_Connections.size(); ++i) {
    const CConnectionRecord kept = m_Connections[i];
    for (size_t j = m_Connections.size(); j-- > i + 1;)
      if (SameLink(m_Connections[j], kept)) m_Connections.erase(m_Connections.begin() + static_cast<std::ptrdiff_t>(j));
  }
  const size_t count = m_Connections.size();
  for (size_t i = 0; i + 1 < count; ++i) {
    const CDeviceRecord* bestSource = DeviceByMac(m_Connections[i].srcMac);
    if (!bestSource) continue;
    size_t best = i;
    for (size_t j = i + 1; j < count; ++j) {
      const CDeviceRecord* source = DeviceByMac(m_Connections[j].srcMac);
      if (!source) continue;
      const auto ip = IpNumbers(source->ip);
      const auto bestIp = IpNumbers(bestSource->ip);
      const bool better = ip < bestIp || (ip == bestIp && m_Connections[j].srcPort < m_Connections[best].srcPort);
      if (better) {
        best = j;
        bestSource = source;
      }
    }
    if (best != i) MoveTo(m_Connections, best, i);
  }
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
