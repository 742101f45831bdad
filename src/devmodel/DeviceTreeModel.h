#pragma once
// The device tree without its window: each group of linked devices as one tree under its first device,
// every line naming the ports of its link, the device's name, MAC and IP address, with the icon and shade
// of its kind and status. Where the links give a second path to a device already shown, an extra line
// tells the spanning-tree state of that path as the switches report it.
#include <memory>
#include <string>
#include <vector>

#include "db/DeviceRecord.h"
#include "devmodel/DeviceLook.h"
#include "mapmodel/TopologyTreeList.h"
#include "topology/TopologyData.h"

class IPortStateReader;

struct DeviceTreeLine {
  std::string text;
  int image = -1;
  RowShade shade = RowShade::Window;
  const CDeviceRecord* device = nullptr;  // into the model's device table
  bool redundantLink = false;             // an extra line of a second path
  DeviceTreeLine* parent = nullptr;
  std::vector<std::unique_ptr<DeviceTreeLine>> children;
};

class CDeviceTreeModel {
 public:
  explicit CDeviceTreeModel(IPortStateReader& portStates);
  CDeviceTreeModel(const CDeviceTreeModel&) = delete;
  CDeviceTreeModel& operator=(const CDeviceTreeModel&) = delete;

  // Reads the devices and links from the database and builds the trees; false, and no tree, when there
  // is no device.
  bool Rebuild();
  // Builds the trees from a topology loaded elsewhere: devices sorted, links kept by their kind.
  bool Build(const CTopologyData& topology);

  const std::vector<std::unique_ptr<DeviceTreeLine>>& Roots() const { return roots_; }
  // The first line, depth first, that shows the device; none when it is not in the tree.
  const DeviceTreeLine* FindByMac(const std::string& mac) const;

 private:
  void AddNode(DeviceTreeLine* parent, int parentPort, const DeviceTreeNode* node);
  void AddRedundantLine(DeviceTreeLine* parent, int parentPort, const DeviceTreeNode* node,
                        const CDeviceRecord& device, const DeviceTreeLine& shown);
  DeviceTreeLine* Insert(DeviceTreeLine* parent, std::unique_ptr<DeviceTreeLine> line);
  std::string LinkState(const CDeviceRecord& parentDevice, const DeviceTreeNode* node,
                        const DeviceLinkEntry& link, const DeviceLinkEntry& first, bool sameDevice);
  StatusLook LookOf(const CDeviceRecord& device) const;
  std::string CommunityOf(const std::string& mac) const;
  const DeviceTreeLine* FindLine(const CDeviceRecord* device) const;

  IPortStateReader& portStates_;
  CTopologyData topology_;
  CTopologyTreeList trees_;
  std::vector<std::unique_ptr<DeviceTreeLine>> roots_;
};

// "(%02d,%02d) " of the two ports.
std::string DeviceTreePortText(int parentPort, int localPort);
