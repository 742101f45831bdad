#include "mapmodel/PellionDoc.h"

#include "config/ApChannelChooser.h"
#include "config/NewDevicesToManaged.h"
#include "db/ApListDBManager.h"
#include "db/TopologyDBManager.h"
#include "image/Dib.h"
#include "mapmodel/ApShape.h"
#include "mapmodel/MapCanvas.h"
#include "mapmodel/MapView.h"
#include "mapmodel/SwitchShape.h"
#include "platform/DebugTrace.h"
#include "platform/MessageBox.h"

CPellionDoc::CPellionDoc() : m_RefreshAllViews([this] { RefreshFromDatabase(); }) { SetTopology(&m_Topology); }

CPellionDoc::~CPellionDoc() { ClearShapes(); }

void CPellionDoc::DrawMap(CMapCanvas& canvas) const {
  if (m_Background && m_Background->GetWidth() > 0) canvas.DrawBackground(*m_Background);
  Draw(canvas);
}

void CPellionDoc::AddShapeAndUpdate(std::unique_ptr<CShape> shape) {
  CShape* added = shape.get();
  AddShape(std::move(shape));
  OnShapeChanged(added);
}

void CPellionDoc::UpdateAllShapes() {
  const CShapeList& shown = GetShapes();
  for (auto it = shown.rbegin(); it != shown.rend(); ++it) (*it)->OnShapesChanged();
}

void CPellionDoc::ClearShapes() {
  RemoveFromSelections(nullptr);
  UpdateAllShapes();
  DeleteAllShapes();
}

bool CPellionDoc::GetDeviceMacByIp(const std::string& ip, std::string& mac) const {
  CDeviceRecord record;
  if (m_Topology.FindDevice(ip, record, 0) < 0) return false;
  mac = record.mac;
  return true;
}

bool CPellionDoc::GetDeviceIpByMac(const std::string& mac, std::string& ip) const {
  CDeviceRecord record;
  if (m_Topology.FindDevice(mac, record, 1) < 0) return false;
  ip = record.ip;
  return true;
}

void CPellionDoc::RemoveDeviceShapes(CShape* shape) {
  auto* device = dynamic_cast<CDeviceShape*>(shape);
  if (!device) return;
  const std::string mac = device->GetMacAddress();
  CShapeList kept;
  for (CShape* each : GetShapes()) {
    auto* other = dynamic_cast<CDeviceShape*>(each);
    if (other && other->GetMacAddress() == mac) {
      RemoveFromSelections(other);
    } else {
      kept.AddTail(each);
    }
  }
  ShowShapes(kept);
}

bool CPellionDoc::SaveAllToDatabase() {
  DebugTrace("Save file");
  SaveTopologyPositions();
  TopologyDBManager topology;
  if (!topology.IsDevicePropertySaved("")) {
    platform::MessageBox("Some devices property haven't ready, please try later!");
    return false;
  }
  CDefaultParamsPush push(ChooseApChannel);
  SaveAllNewDevicesToManaged(push);  // the move and each AP's push log their own outcome
  ApListDBManager().ClearAllApSyncResults();
  if (!m_Locations.empty()) topology.SaveLocation(m_Locations);
  if (m_RefreshAllViews) m_RefreshAllViews();
  return true;
}

void CPellionDoc::RefreshDeviceStates() {
  TopologyDBManager topology;
  ApListDBManager apList;
  for (CShape* shape : GetShapes()) {
    auto* device = dynamic_cast<CDeviceShape*>(shape);
    if (!device) continue;
    const std::string mac = device->GetMacAddress();
    const int status = topology.GetDeviceStatus(mac, false);
    const std::string name = apList.GetDeviceName(mac);
    if (!dynamic_cast<CSwitchShape*>(device) && !dynamic_cast<CApShape*>(device)) continue;
    device->SetStatusCode(status);
    device->SetName(name);
  }
  RedrawViews();
}
