#include "devmodel/DeviceTreeModel.h"

#include <cstdio>

#include "db/AccessDatabase.h"
#include "db/TopologyDBManager.h"
#include "db/pollingdb.h"
#include "devmodel/PortStateReader.h"

namespace {

constexpr int kStateBlocking = 2;
constexpr int kStateForwarding = 5;
constexpr int kApKind = 2;
constexpr int kOfflineStatus = 2;

bool IsBelow(const DeviceTreeLine& line, const CDeviceRecord* device) {
  for (const auto& child : line.children)
    if (child->device == device || IsBelow(*child, device)) return true;
  return false;
}

const DeviceTreeLine* FindIn(const std::vector<std::unique_ptr<DeviceTreeLine>>& lines, const CDeviceRecord* device) {
  for (const auto& line : lines) {
    if (line->device == device) return line.get();
    if (const DeviceTreeLine* found = FindIn(line->children, device)) return found;
  }
  return nullptr;
}

const CDeviceRecord* DeviceOf(const CTopologyData& topology, const std::string& mac) {
  for (const CDeviceRecord& device : topology.m_Devices)
    if (device.mac == mac) return &device;
  return nullptr;
}

std::string LineText(const std::string& portText, const CDeviceRecord& device) {
  return portText + " " + device.name + " : (" + device.mac + ") : " + device.ip;
}

}  // namespace

std::string DeviceTreePortText(int parentPort, int localPort) {
  char text[32];
  std::snprintf(text, sizeof text, "(%02d,%02d) ", parentPort, localPort);
  return text;
}

CDeviceTreeModel::CDeviceTreeModel(IPortStateReader& portStates) : portStates_(portStates) {}

bool CDeviceTreeModel::Rebuild() {
  CTopologyData topology;
  CAccessDatabase().GetTopologyDifferences(topology);
  return Build(topology);
}

bool CDeviceTreeModel::Build(const CTopologyData& topology) {
  roots_.clear();
  trees_.RemoveAll();
  topology_ = CTopologyData();
  CTopologyData sorted = topology;
  sorted.SortDevices(1);
  if (sorted.m_Devices.empty()) return false;
  std::vector<CConnectionRecord> links;
  for (const CConnectionRecord& link : sorted.m_Connections) {
    const CDeviceRecord* destination = DeviceOf(sorted, link.destMac);
    const bool keep = link.linkType == 0 || (link.linkType == 1 && destination) ||
                      (link.linkType == 2 && destination && destination->displayStatus == kOfflineStatus);
    if (keep) links.push_back(link);
  }
  topology_.SetDevices(sorted.m_Devices);
  topology_.SetConnections(links);
  trees_.Build(topology_);
  for (const DeviceTreeNode* root : trees_.GetRoots()) AddNode(nullptr, -1, root);
  return true;
}

const DeviceTreeLine* CDeviceTreeModel::FindLine(const CDeviceRecord* device) const { return FindIn(roots_, device); }

const DeviceTreeLine* CDeviceTreeModel::FindByMac(const std::string& mac) const {
  const CDeviceRecord* device = DeviceOf(topology_, mac);
  return device ? FindLine(device) : nullptr;
}

StatusLook CDeviceTreeModel::LookOf(const CDeviceRecord& device) const {
  const int status =
      device.kind == kApKind ? TopologyDBManager().GetDeviceStatus(device.mac, false) : device.displayStatus;
  return DeviceTreeLook(device.kind, status);
}

std::string CDeviceTreeModel::CommunityOf(const std::string& mac) const {
  CPollingDb polling;
  std::string community = polling.GetCommunityByMac(mac, 0);
  if (community.empty()) community = polling.GetCommunityByMac(mac, 1);
  return community;
}

DeviceTreeLine* CDeviceTreeModel::Insert(DeviceTreeLine* parent, std::unique_ptr<DeviceTreeLine> line) {
  line->parent = parent;
  auto& siblings = parent ? parent->children : roots_;
  siblings.push_back(std::move(line));
  return siblings.back().get();
}

void CDeviceTreeModel::AddNode(DeviceTreeLine* parent, int parentPort, const DeviceTreeNode* node) {
  const CDeviceRecord* device = DeviceOf(topology_, node->mac);
  if (!device) return;
  if (const DeviceTreeLine* shown = FindLine(device)) {
    if (parent) AddRedundantLine(parent, parentPort, node, *device, *shown);
    return;
  }
  std::string portText;
  if (node->links.empty() && parentPort >= 0) {
    portText = DeviceTreePortText(parentPort, 0);
  } else if (parent) {
    for (const DeviceLinkEntry& link : node->links) {
      if (link.remotePort == parentPort && link.node && link.node->mac == parent->device->mac) {
        portText = DeviceTreePortText(link.remotePort, link.localPort);
        break;
      }
    }
  }
  const StatusLook look = LookOf(*device);
  auto line = std::make_unique<DeviceTreeLine>();
  line->text = LineText(portText, *device);
  line->image = look.image;
  line->shade = look.shade;
  line->device = device;
  DeviceTreeLine* added = Insert(parent, std::move(line));
  for (const DeviceLinkEntry& link : node->links)
    if (link.node) AddNode(added, link.localPort, link.node);
}

void CDeviceTreeModel::AddRedundantLine(DeviceTreeLine* parent, int parentPort, const DeviceTreeNode* node,
                                        const CDeviceRecord& device, const DeviceTreeLine& shown) {
  const CDeviceRecord& parentDevice = *parent->device;
  const DeviceLinkEntry* link = nullptr;
  if (&device == &parentDevice) {
    // A cable between two ports of one switch.
    for (const DeviceLinkEntry& entry : node->links)
      if (entry.localPort == parentPort) {
        link = &entry;
        break;
      }
  } else {
    // Only a second path down; the way back up to an ancestor adds nothing.
    if (!IsBelow(*parent, &device)) return;
    for (const DeviceLinkEntry& entry : node->links)
      if (entry.remotePort == parentPort && entry.node && entry.node->mac == parentDevice.mac) {
        link = &entry;
        break;
      }
  }
  if (!link) return;
  const bool sameDevice = &device == &parentDevice;
  const std::string state = LinkState(parentDevice, node, *link, sameDevice ? *link : node->links.front(), sameDevice);
  auto line = std::make_unique<DeviceTreeLine>();
  line->text = LineText(DeviceTreePortText(link->remotePort, link->localPort), device) + " " + state;
  line->image = shown.image;
  line->shade = shown.shade;
  line->device = &device;
  line->redundantLink = true;
  Insert(parent, std::move(line));
}

std::string CDeviceTreeModel::LinkState(const CDeviceRecord& parentDevice, const DeviceTreeNode* node,
                                        const DeviceLinkEntry& link, const DeviceLinkEntry& first, bool sameDevice) {
  const std::string community = CommunityOf(node->mac);
  std::vector<int> ports = sameDevice ? std::vector<int>{link.remotePort} : std::vector<int>{link.remotePort, first.remotePort};
  std::vector<int> states;
  if (!portStates_.ReadPortStates(parentDevice.ip, community, ports, states)) return "[lnk]";
  auto blocking = [](const std::vector<int>& values) {
    for (int value : values)
      if (value == kStateBlocking) return true;
    return false;
  };
  if (blocking(states)) return "[Blocking]";
  if (states.front() != kStateForwarding) return "[lnk]";
  // The parent's side forwards: the far side decides.
  ports = sameDevice ? std::vector<int>{link.remotePort} : std::vector<int>{link.localPort, first.localPort};
  if (!portStates_.ReadPortStates(node->ip, community, ports, states)) return "[lnk]";
  if (blocking(states)) return "[Blocking]";
  return states.front() == kStateForwarding ? "[Forwarding]" : "[lnk]";
}
