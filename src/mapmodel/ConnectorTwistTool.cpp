#include "mapmodel/ConnectorTwistTool.h"

#include <cassert>

#include "mapmodel/ConnectorTwistShape.h"
#include "mapmodel/DeviceShape.h"
#include "mapmodel/MapDocument.h"
#include "mapmodel/MapView.h"

namespace {
constexpr int kSideLeft = 0;
}  // namespace

void CConnectorTwistTool::OnLButtonDown(MapPoint point, unsigned) {
  assert(!m_CreatedLink);
  auto* start = dynamic_cast<CDeviceShape*>(GetDocument().ShapeAt(point));
  if (!start) return;
  auto link = std::make_unique<CConnectorTwistShape>(point, start);
  m_CreatedLink = link.get();
  GetDocument().AddConnector(std::move(link));
  m_View.Select(m_CreatedLink, false);
}

void CConnectorTwistTool::OnMouseMove(MapPoint point, unsigned) {
  if (!m_CreatedLink) return;
  m_CreatedLink->SetFloatingEnd(point);
  m_View.Redraw();
}

void CConnectorTwistTool::OnLButtonUp(MapPoint point, unsigned) {
  if (!m_CreatedLink) return;
  CConnectorShape* link = m_CreatedLink;
  m_CreatedLink = nullptr;
  auto* end = dynamic_cast<CDeviceShape*>(GetDocument().ShapeAt(point));
  if (!end) {
    GetDocument().RemoveShape(link);
    return;
  }
  const int port = end->HitTestPort(point);
  link->AttachEnd(end->GetConnectionPoint(port, kSideLeft), end);
  // Settle both ends through the link's own tracking.
  for (int handle = 0; handle <= 1; ++handle) {
    const MapPoint handlePoint = link->GetHandlePoint(handle);
    link->BeginTrack(handlePoint, handle);
    link->TrackTo(m_View.SnapPoint(handlePoint));
    link->EndTrack();
  }
}

void CConnectorTwistTool::Cancel() {
  if (!m_CreatedLink) return;
  GetDocument().RemoveShape(m_CreatedLink);
  m_CreatedLink = nullptr;
}
