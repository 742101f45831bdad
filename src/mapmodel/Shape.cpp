#include "mapmodel/Shape.h"

#include <cassert>

#include "mapmodel/MapArchive.h"
#include "mapmodel/MapCanvas.h"
#include "mapmodel/MapDocument.h"

void CShape::Serialize(CMapArchive& archive) {
  archive.Transfer(m_Position.x);
  archive.Transfer(m_Position.y);
  archive.RequireWithin(m_Position.x, CMapArchive::kMaxCoordinate);
  archive.RequireWithin(m_Position.y, CMapArchive::kMaxCoordinate);
}

void CShape::Draw(CMapCanvas&) const {}

MapRect CShape::HandleSquare(MapPoint handlePoint) {
  return MapRect::Around(handlePoint, GetMapTheme().GetHandleSize());
}

void CShape::DrawHandles(CMapCanvas& canvas) const {
  for (int handle = 0; handle < GetHandleCount(); ++handle) canvas.DrawHandle(HandleSquare(GetHandlePoint(handle)));
}

bool CShape::Intersects(const MapRect&) const { return false; }

bool CShape::HitTest(MapPoint point) const { return Intersects(MapRect::Around(point, 1)); }

int CShape::HitTestHandle(MapPoint point) const {
  for (int handle = 0; handle < GetHandleCount(); ++handle)
    if (HandleSquare(GetHandlePoint(handle)).Contains(point)) return handle;
  return kNoHandle;
}

void CShape::BeginTrack(MapPoint point, int handle) {
  assert(!m_Tracking);
  m_TrackStart = m_LastTrackPoint = point;
  m_TrackHandle = handle;
  m_Tracking = true;
}

void CShape::TrackTo(MapPoint point) {
  assert(m_Tracking);
  CMapDocument* document = GetMapDocument();
  if (m_TrackHandle == kNoHandle) {
    m_Position = m_Position + (point - m_LastTrackPoint);
    if (document) document->SetPositionsChanged(1);
  }
  m_LastTrackPoint = point;
  if (document) document->OnShapeChanged(this);
}

void CShape::EndTrack() {
  assert(m_Tracking);
  m_Tracking = false;
}

void CShape::OnDoubleClick(MapPoint) {}

void CShape::OnShapesChanged() {}

MapPoint CShape::GetHandlePoint(int) const {
  assert(!"a shape without handles has no handle point");
  return {};
}

int CShape::HitTestPort(MapPoint) const { return 0; }

MapPoint CShape::GetConnectionPoint(int, int) const { return m_Position; }

void CShape::UpdateAppearance() {}
