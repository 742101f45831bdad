#pragma once
// CTopologyTreeList: the map's flat topology as a forest. Each group of linked devices becomes one tree,
// rooted at its first device in device-array order, the others hung below it breadth-first along the links
// in link-array order. Every node keeps the links it takes part in, seen from its side. A link to a device
// already placed anywhere adds only a link entry, so the forest has no duplicates and no cycles.
//
// The list owns its nodes; pointers to them last until the next Build or RemoveAll.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CTopologyData;
struct DeviceTreeNode;

struct DeviceLinkEntry {
  int localPort = 0;
  int remotePort = 0;
  DeviceTreeNode* node = nullptr;  // the device at the other end
};

struct DeviceTreeNode {
  std::string ip;  // empty when the device is not in the device array
  std::string mac;
  int level = -1;  // 1 for a root, parent + 1 below
  std::vector<DeviceLinkEntry> links;  // in the order the links were met
  DeviceTreeNode* firstChild = nullptr;
  DeviceTreeNode* nextSibling = nullptr;
  // The insertion chain: a parent points to its newest child, which points to what the parent pointed to.
  DeviceTreeNode* chainNext = nullptr;
};

class CTopologyTreeList {
 public:
  CTopologyTreeList() = default;
  virtual ~CTopologyTreeList() = default;
  CTopologyTreeList(const CTopologyTreeList&) = delete;
  CTopologyTreeList& operator=(const CTopologyTreeList&) = delete;

  // Rebuilds the forest: 0, or -1 when memory runs out (the trees built so far stay).
  int Build(const CTopologyData& topology);
  // Exact, case-sensitive match over the whole forest; none when no node has it.
  DeviceTreeNode* FindByMac(const std::string& mac) const;
  DeviceTreeNode* FindByIp(const std::string& ip) const;
  const std::vector<DeviceTreeNode*>& GetRoots() const { return m_Roots; }
  static DeviceTreeNode* GetChainNext(const DeviceTreeNode* node) { return node ? node->chainNext : nullptr; }
  // Ends a running expansion at its next link.
  void Stop() { m_Stop = true; }
  void RemoveAll();

 private:
  DeviceTreeNode* NewNode(const std::string& ip, const std::string& mac);
  // The device IPs and each device's links in array order, looked up once per build instead of per link.
  struct LinkIndex;
  // Breadth-first below the root along the links.
  void AddChildren(DeviceTreeNode* root, const LinkIndex& index);
  static void AddChild(DeviceTreeNode* child, DeviceTreeNode* parent);

  std::vector<std::unique_ptr<DeviceTreeNode>> m_Nodes;
  std::vector<DeviceTreeNode*> m_Roots;
  std::unordered_map<std::string, DeviceTreeNode*> m_ByMac;
  bool m_Stop = true;
};
