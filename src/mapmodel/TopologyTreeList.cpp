#include "mapmodel/TopologyTreeList.h"

#include <deque>
#include <new>

#include "topology/TopologyData.h"

struct CTopologyTreeList::LinkIndex {
  explicit LinkIndex(const CTopologyData& topology) {
    for (const CDeviceRecord& device : topology.m_Devices) ipByMac.emplace(device.mac, &device.ip);
    for (const CConnectionRecord& link : topology.m_Connections) {
      linksByMac[link.srcMac].push_back(&link);
      if (link.destMac != link.srcMac) linksByMac[link.destMac].push_back(&link);
    }
  }
  std::string IpOf(const std::string& mac) const {
    auto found = ipByMac.find(mac);
    return found == ipByMac.end() ? std::string() : *found->second;
  }
  std::unordered_map<std::string, const std::string*> ipByMac;
  std::unordered_map<std::string, std::vector<const CConnectionRecord*>> linksByMac;
};

void CTopologyTreeList::RemoveAll() {
  m_Roots.clear();
  m_ByMac.clear();
  m_Nodes.clear();
}

DeviceTreeNode* CTopologyTreeList::NewNode(const std::string& ip, const std::string& mac) {
  auto node = std::make_unique<DeviceTreeNode>();
  node->ip = ip;
  node->mac = mac;
  DeviceTreeNode* made = node.get();
  m_Nodes.push_back(std::move(node));
  m_ByMac.emplace(mac, made);
  return made;
}

DeviceTreeNode* CTopologyTreeList::FindByMac(const std::string& mac) const {
  auto found = m_ByMac.find(mac);
  return found == m_ByMac.end() ? nullptr : found->second;
}

DeviceTreeNode* CTopologyTreeList::FindByIp(const std::string& ip) const {
  // Depth first in root order: the node, its children, then its next siblings.
  for (DeviceTreeNode* root : m_Roots) {
    std::vector<DeviceTreeNode*> pending{root};
    while (!pending.empty()) {
      DeviceTreeNode* node = pending.back();
      pending.pop_back();
      if (node->ip == ip) return node;
      if (node->nextSibling) pending.push_back(node->nextSibling);
      if (node->firstChild) pending.push_back(node->firstChild);
    }
  }
  return nullptr;
}

void CTopologyTreeList::AddChild(DeviceTreeNode* child, DeviceTreeNode* parent) {
  DeviceTreeNode** slot = &parent->firstChild;
  while (*slot) slot = &(*slot)->nextSibling;
  *slot = child;
  child->level = parent->level + 1;
  child->chainNext = parent->chainNext;
  parent->chainNext = child;
}

int CTopologyTreeList::Build(const CTopologyData& topology) {
  RemoveAll();
  try {
    const LinkIndex index(topology);
    for (const CDeviceRecord& device : topology.m_Devices) {
      if (FindByMac(device.mac)) continue;  // already in a tree
      m_Stop = false;
      DeviceTreeNode* root = NewNode(device.ip, device.mac);
      root->level = 1;
      m_Roots.push_back(root);
      AddChildren(root, index);
      m_Stop = true;
    }
  } catch (const std::bad_alloc&) {
    m_Stop = true;
    return -1;
  }
  return 0;
}

void CTopologyTreeList::AddChildren(DeviceTreeNode* root, const LinkIndex& index) {
  std::deque<DeviceTreeNode*> queue{root};
  while (!queue.empty()) {
    DeviceTreeNode* node = queue.front();
    queue.pop_front();
    auto touching = index.linksByMac.find(node->mac);
    if (touching == index.linksByMac.end()) continue;
    for (const CConnectionRecord* link : touching->second) {
      if (m_Stop) return;
      const bool fromHere = node->mac == link->srcMac;
      const std::string& otherMac = fromHere ? link->destMac : link->srcMac;
      const int localPort = fromHere ? link->srcPort : link->destPort;
      const int remotePort = fromHere ? link->destPort : link->srcPort;
      DeviceTreeNode* other = FindByMac(otherMac);
      if (!other) {
        other = NewNode(index.IpOf(otherMac), otherMac);
        AddChild(other, node);
        queue.push_back(other);
      }
      node->links.push_back({localPort, remotePort, other});
    }
  }
}
