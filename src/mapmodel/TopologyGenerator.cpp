#include "mapmodel/TopologyGenerator.h"

#include <cstdio>

#include "mapmodel/ApShape.h"
#include "mapmodel/ConnectorTwistShape.h"
#include "mapmodel/SwitchShape.h"
#include "mapmodel/TopologyTreeList.h"
#include "mapmodel/UnknownShape.h"

namespace {
constexpr int kTypeSwitch = 1;
constexpr int kTypeAp = 2;
constexpr int kSideTop = 1;
constexpr int kSideBottom = 3;
}  // namespace

CTopologyGenerator::CTopologyGenerator(CLayoutContext& context) : m_LayoutSet(context) {}

CTopologyGenerator::~CTopologyGenerator() {
  if (m_ShapesMoved) return;
  for (CShape* shape : m_ConnectorShapes) delete shape;
  for (CShape* shape : m_DeviceShapes) delete shape;
}

void CTopologyGenerator::Generate(const CTopologyData& source) {
  m_Topology.m_Connections = source.m_Connections;
  m_Topology.m_Devices = source.m_Devices;
  m_Topology.SortDevices(1);
  m_Topology.SortConnections();
  CTopologyTreeList trees;
  trees.Build(m_Topology);
  m_LayoutSet.LayoutTrees(trees);
}

void CTopologyGenerator::CreateDeviceShapes() {
  for (const CDeviceRecord& device : m_Topology.m_Devices) {
    int x = device.xP;
    int y = device.yP;
    if (device.autoP != 0) {
      x = y = 0;
      m_LayoutSet.GetPosition(device.mac, x, y);
    }
    CDeviceShape* shape = nullptr;
    if (device.kind == kTypeSwitch) {
      shape = new CSwitchShape({x, y});
    } else if (device.kind == kTypeAp) {
      shape = new CApShape({x, y});
    } else {
      shape = new CUnknownShape({x, y});
    }
    shape->SetMacAddress(device.mac);
    if (device.kind == kTypeSwitch) shape->SetPortCount(device.portCount);
    shape->SetState(device.newDevice);
    shape->SetStatusCode(device.displayStatus);
    shape->SetName(device.name);
    AddDeviceShape(shape);
  }
}

void CTopologyGenerator::MoveShapesTo(CShapeList& destination) {
  CreateDeviceShapes();
  for (auto it = m_DeviceShapes.rbegin(); it != m_DeviceShapes.rend(); ++it) destination.AddTail(*it);
  CreateConnectorShapes(1);
  for (CShape* connector : m_ConnectorShapes) destination.AddTail(connector);
  m_ShapesMoved = true;
}

void CTopologyGenerator::CreateConnectorShapes(int enable) {
  if (!enable) return;
  for (const CConnectionRecord& link : m_Topology.m_Connections) {
    CDeviceShape* from = FindDeviceShapeByMac(link.srcMac);
    if (!from) continue;
    CDeviceShape* to = FindDeviceShapeByMac(link.destMac);
    if (!to) continue;
    if (from == to && link.srcPort == link.destPort) continue;
    const MapPoint fromPoint = from->GetConnectionPoint(link.srcPort, kSideBottom);
    const MapPoint toPoint = to->GetConnectionPoint(link.destPort, kSideTop);
    if (HasConnector(link.srcMac, fromPoint, link.destMac, toPoint)) continue;
    auto* connector = new CConnectorTwistShape(fromPoint, from);
    connector->AttachEnd(toPoint, to);
    connector->SetStatusCode(link.linkType);
    char caption[32];
    std::snprintf(caption, sizeof caption, "(%d, %d)", link.srcPort, link.destPort);
    connector->SetCaption(caption);
    AddConnectorShape(connector);
  }
}

void CTopologyGenerator::AddDeviceShape(CShape* shape) {
  m_DeviceShapes.AddTail(shape);
  if (auto* device = dynamic_cast<CDeviceShape*>(shape)) m_DeviceByMac[device->GetMacAddress()] = device;
}

void CTopologyGenerator::AddConnectorShape(CShape* shape) {
  m_ConnectorShapes.AddTail(shape);
  auto* connector = dynamic_cast<const CConnectorShape*>(shape);
  if (!connector) return;
  const auto* start = dynamic_cast<const CDeviceShape*>(connector->GetStartShape());
  const auto* end = dynamic_cast<const CDeviceShape*>(connector->GetEndShape());
  if (start && end) m_ConnectorsByPair[PairKey(start->GetMacAddress(), end->GetMacAddress())].push_back(connector);
}

CDeviceShape* CTopologyGenerator::FindDeviceShapeByMac(const std::string& mac) const {
  auto found = m_DeviceByMac.find(mac);
  return found == m_DeviceByMac.end() ? nullptr : found->second;
}

std::string CTopologyGenerator::PairKey(const std::string& macA, const std::string& macB) {
  return macA < macB ? macA + '\n' + macB : macB + '\n' + macA;
}

bool CTopologyGenerator::IsSamePoint(MapPoint p, MapPoint q) { return MapRect::Around(p, 1).Contains(q); }

bool CTopologyGenerator::HasConnector(const std::string& macA, MapPoint pointA, const std::string& macB,
                                      MapPoint pointB) const {
  auto found = m_ConnectorsByPair.find(PairKey(macA, macB));
  if (found == m_ConnectorsByPair.end()) return false;
  for (auto it = found->second.rbegin(); it != found->second.rend(); ++it) {
    const CConnectorShape* connector = *it;
    const std::string startMac = static_cast<const CDeviceShape*>(connector->GetStartShape())->GetMacAddress();
    if (macA == startMac) {
      if (IsSamePoint(connector->GetStartPoint(), pointA) && IsSamePoint(connector->GetEndPoint(), pointB)) return true;
    } else if (IsSamePoint(connector->GetStartPoint(), pointB) && IsSamePoint(connector->GetEndPoint(), pointA)) {
      return true;
    }
  }
  return false;
}
