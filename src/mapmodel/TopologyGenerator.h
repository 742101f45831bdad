#pragma once
// CTopologyGenerator: turns the stored topology into the map's shapes for one refresh. Generate copies and
// orders the records (switches first by address, links from the switch or the lower address), builds the
// device trees and lays them out; MoveShapesTo creates a shape per device, at its stored position or at its
// laid-out one when the record asks for automatic placement, and a link between the device shapes for each
// link record, and hands them all over.
//
// The shapes belong to the generator until MoveShapesTo; the destination's owner owns them after it.
#include <string>
#include <unordered_map>
#include <vector>

#include "mapmodel/LayoutContext.h"
#include "mapmodel/MapGeometry.h"
#include "mapmodel/ShapeList.h"
#include "mapmodel/TopologyLayoutSet.h"
#include "topology/TopologyData.h"

class CConnectorShape;
class CDeviceShape;

class CTopologyGenerator {
 public:
  explicit CTopologyGenerator(CLayoutContext& context);
  virtual ~CTopologyGenerator();
  CTopologyGenerator(const CTopologyGenerator&) = delete;
  CTopologyGenerator& operator=(const CTopologyGenerator&) = delete;

  void Generate(const CTopologyData& source);
  // Device shapes in the reverse of the sorted device order, then the links in link order.
  void MoveShapesTo(CShapeList& destination);
  void CreateDeviceShapes();
  // One link per link record between two device shapes; nothing when enable is 0.
  void CreateConnectorShapes(int enable);
  void AddDeviceShape(CShape* shape);
  void AddConnectorShape(CShape* shape);
  // The device shape of the mac made last, or none.
  CDeviceShape* FindDeviceShapeByMac(const std::string& mac) const;
  // True when a link already joins the two devices at these attach points, either way round.
  bool HasConnector(const std::string& macA, MapPoint pointA, const std::string& macB, MapPoint pointB) const;
  // True when q lies within one unit of p (p - 1 up to but not including p + 1).
  static bool IsSamePoint(MapPoint p, MapPoint q);

  const CTopologyData& GetTopology() const { return m_Topology; }
  const CTopologyLayoutSet& GetLayoutSet() const { return m_LayoutSet; }

 private:
  static std::string PairKey(const std::string& macA, const std::string& macB);

  CShapeList m_DeviceShapes;
  CShapeList m_ConnectorShapes;
  CTopologyLayoutSet m_LayoutSet;
  CTopologyData m_Topology;
  std::unordered_map<std::string, CDeviceShape*> m_DeviceByMac;
  std::unordered_map<std::string, std::vector<const CConnectorShape*>> m_ConnectorsByPair;
  bool m_ShapesMoved = false;
};
