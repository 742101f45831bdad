#include "mapmodel/RouterShape.h"

#include <algorithm>

CRouterShape::CRouterShape() { CDeviceShape::UpdateAppearance(); }

CRouterShape::CRouterShape(MapPoint position) : CDeviceShape(position) {
  SetKindDefaults("Router", 8, {175, 50}, 2, 8);
  CDeviceShape::UpdateAppearance();
  ResetSizeToBody();
  RecalcLayout();
}

void CRouterShape::SetPortCount(int count) {
  if (count > 0) m_PortCount = count;
  const PortGrowth growth = GrowthFor(count);
  if (growth.columns > 0) {
    m_PortColumns = growth.columns;
    // Above 48 ports the router widens by cells like the switch; below, it doubles or triples.
    m_Width = growth.widthFactor > 1 ? m_Width * growth.widthFactor : m_Width + growth.extraCells * m_PortCellWidth;
  }
  m_PortRows = std::max(m_PortRows, (m_PortCount - 1) / m_PortColumns + 1);
}
