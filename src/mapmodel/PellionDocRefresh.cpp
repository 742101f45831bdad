// The map document against the database: the refresh, the location filter and the device positions.
#include "db/AccessDatabase.h"
#include "db/TopologyDBManager.h"
#include "mapmodel/ConnectorShape.h"
#include "mapmodel/DeviceShape.h"
#include "mapmodel/MapView.h"
#include "mapmodel/PellionDoc.h"
#include "mapmodel/TopologyGenerator.h"
#include "platform/MessageBox.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace {

// The first device record of each MAC in the topology, so that a pass over every shape stays linear.
class RecordsByMac {
 public:
  explicit RecordsByMac(CTopologyData& topology) {
    records_.reserve(topology.m_Devices.size());
    for (CDeviceRecord& record : topology.m_Devices) records_.emplace(record.mac, &record);
  }
  // The device record of the shape's MAC, or none.
  CDeviceRecord* Of(const CDeviceShape& shape) const {
    const auto found = records_.find(shape.GetMacAddress());
    return found == records_.end() ? nullptr : found->second;
  }

 private:
  std::unordered_map<std::string, CDeviceRecord*> records_;
};

bool DeviceInLocation(const CShape* shape, const std::string& location, const CTopologyData& topology) {
  auto* device = dynamic_cast<const CDeviceShape*>(shape);
  if (!device) return false;
  CDeviceRecord record;
  return topology.FindDevice(device->GetMacAddress(), record, 1) >= 0 && record.location == location;
}

}  // namespace

void CPellionDoc::RefreshFromDatabase() {
  std::vector<std::string> selected;
  CollectSelectedMacs(selected);
  SaveTopologyPositions();

  m_Topology.m_Devices.clear();
  m_Topology.m_Connections.clear();
  CAccessDatabase().GetTopologyDifferences(m_Topology);
  m_Topology.SortDevices(1);
  m_Topology.SortConnections();

  LoadLocationsOnce();
  ClearShapes();
  {
    CTopologyGenerator generator(m_LayoutContext);
    generator.Generate(m_Topology);
    CShapeList generated;
    generator.MoveShapesTo(generated);
    TakeShapes(generated);
  }
  CopyLayoutPositions();
  if (MapRect visible; FindVisibleMapRect(visible)) ArrangeUnplacedShapes(visible);
  if (!m_LocationName.empty()) {
    SelectLocation(std::string(m_LocationName));
  } else {
    ShowCurrentSet();
  }
  RestoreSelection(selected);
  RedrawViews();
}

void CPellionDoc::LoadLocationsOnce() {
  if (m_CurrentLocation >= 0) return;
  m_Locations.clear();
  if (!TopologyDBManager().LoadLocations(m_Locations) || m_Locations.empty()) return;
  m_CurrentLocation = 0;
  LoadBackgroundMap("", 0, 0, 0);
}

bool CPellionDoc::FindVisibleMapRect(MapRect& rect) const {
  for (const IMapView* view : GetViews()) {
    if (auto visible = view->GetVisibleMapRect()) {
      rect = *visible;
      return true;
    }
  }
  return false;
}

CLocationRecord* CPellionDoc::GetCurrentLocation() {
  return m_CurrentLocation >= 0 && m_CurrentLocation < static_cast<int>(m_Locations.size())
             ? &m_Locations[m_CurrentLocation]
             : nullptr;
}

void CPellionDoc::SelectLocation(const std::string& location) {
  m_LocationName = location;
  ShowCurrentSet();
  if (m_Locations.empty()) {
    m_CurrentLocation = -1;
    m_Background.reset();
    return;
  }
  CLocationRecord record;
  const int found = location.empty() ? 0 : FindLocation(location, record);
  m_CurrentLocation = found < 0 ? 0 : found;
}

void CPellionDoc::ShowCurrentSet() {
  // Only the generated set of view mode 0 is ever filled; the other modes show nothing.
  CShapeList shown;
  if (m_ViewMode == 0) {
    const RecordsByMac records(m_Topology);
    for (CShape* shape : GetAllShapes()) {
      if (!IsShapeInLocation(shape, m_LocationName, m_Topology)) continue;
      shown.AddTail(shape);
      auto* device = dynamic_cast<CDeviceShape*>(shape);
      const CDeviceRecord* record = device ? records.Of(*device) : nullptr;
      if (!record) continue;
      device->SetPosition(m_LocationName.empty() ? MapPoint{record->xPosition, record->yPosition}
                                                 : MapPoint{record->xP, record->yP});
    }
  }
  ShowShapes(shown);
  UpdateAllShapes();
  RedrawViews();
}

void CPellionDoc::SetViewMode(int mode) {
  if (mode < 0 || mode > 2) return;
  m_ViewMode = mode;
  ShowCurrentSet();
}

bool CPellionDoc::IsShapeInLocation(const CShape* shape, const std::string& location, const CTopologyData& topology) {
  if (!shape) return false;
  if (location.empty()) return true;
  if (auto* link = dynamic_cast<const CConnectorShape*>(shape))
    return DeviceInLocation(link->GetStartShape(), location, topology) &&
           DeviceInLocation(link->GetEndShape(), location, topology);
  return DeviceInLocation(shape, location, topology);
}

void CPellionDoc::CopyLayoutPositions() {
  const RecordsByMac records(m_Topology);
  for (CShape* shape : GetAllShapes()) {
    auto* device = dynamic_cast<CDeviceShape*>(shape);
    CDeviceRecord* record = device ? records.Of(*device) : nullptr;
    if (!record) continue;
    const MapPoint at = device->GetPosition();
    if (record->autoPosition != 0) {
      record->xPosition = at.x;
      record->yPosition = at.y;
    }
    if (record->autoP != 0) {
      record->xP = at.x;
      record->yP = at.y;
    }
  }
}

void CPellionDoc::ArrangeUnplacedShapes(const MapRect& rect) {
  bool anyFixed = false;
  for (const CDeviceRecord& record : m_Topology.m_Devices) anyFixed = anyFixed || record.autoPosition == 0;
  if (!anyFixed) return;
  int x = rect.left;
  int y = rect.top;
  for (CDeviceRecord& record : m_Topology.m_Devices) {
    if (record.autoPosition == 0) continue;
    record.xPosition = x;
    record.yPosition = y;
    x += 100;
    if (x >= rect.right) {
      x = rect.left;
      y += 100;
      if (y >= rect.bottom) y = rect.top;
    }
  }
}

void CPellionDoc::WriteBackPositions(CShape* shape) {
  auto fix = [this](const CDeviceShape& device, CDeviceRecord* record) {
    if (!record) return;
    const MapPoint at = device.GetPosition();
    if (m_LocationName.empty()) {
      record->autoPosition = 0;
      record->xPosition = at.x;
      record->yPosition = at.y;
    } else {
      record->autoP = 0;
      record->xP = at.x;
      record->yP = at.y;
    }
  };
  if (shape) {
    // One shape, often a link that has no record: a scan costs less than an index.
    auto* device = dynamic_cast<CDeviceShape*>(shape);
    if (!device) return;
    const auto found = std::find_if(m_Topology.m_Devices.begin(), m_Topology.m_Devices.end(),
                                    [&](const CDeviceRecord& record) { return record.mac == device->GetMacAddress(); });
    fix(*device, found == m_Topology.m_Devices.end() ? nullptr : &*found);
    return;
  }
  const RecordsByMac records(m_Topology);
  for (CShape* each : GetAllShapes())
    if (auto* device = dynamic_cast<CDeviceShape*>(each)) fix(*device, records.Of(*device));
}

bool CPellionDoc::SaveTopologyPositions() {
  TopologyDBManager database;
  const bool positions = database.SaveCompareTopologyPosition(m_Topology);
  // Without any location there is nothing to write, which is no failure.
  const bool locations = m_Locations.empty() || database.SaveLocation(m_Locations);
  return positions && locations;
}

void CPellionDoc::SaveTopologyPosition() {
  if (!SaveTopologyPositions()) platform::MessageBox("Save topology data failed! ");
  if (!m_Locations.empty() && !TopologyDBManager().SaveLocation(m_Locations))
    platform::MessageBox("Save background map failed!");
}

void CPellionDoc::CollectSelectedMacs(std::vector<std::string>& macs) const {
  for (const IMapView* view : GetViews()) {
    const CShapeList& selection = view->GetSelection();
    if (selection.IsEmpty()) return;
    for (const CShape* shape : selection)
      if (auto* device = dynamic_cast<const CDeviceShape*>(shape)) macs.push_back(device->GetMacAddress());
  }
}

void CPellionDoc::RestoreSelection(const std::vector<std::string>& macs) {
  if (macs.empty()) return;
  for (IMapView* view : GetViews()) {
    view->ClearSelection();
    for (const std::string& mac : macs)
      if (CDeviceShape* shape = FindShapeByMac(mac)) view->Select(shape, true);
  }
}

int CPellionDoc::FindLocation(const std::string& name, CLocationRecord& record) const {
  for (size_t i = 0; i < m_Locations.size(); ++i) {
    if (m_Locations[i].location != name) continue;
    record = m_Locations[i];
    return static_cast<int>(i);
  }
  return -1;
}
