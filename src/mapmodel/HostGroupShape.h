#pragma once
// CHostGroupShape: a group of hosts, a thin row of port cells starting at the body's left edge. Links
// attach at its top-left corner.
#include "mapmodel/DeviceShape.h"

class CHostGroupShape : public CDeviceShape {
 public:
  CHostGroupShape();
  explicit CHostGroupShape(MapPoint position);

  const char* GetClassName() const override { return "CHostGroupShape"; }
  void Draw(CMapCanvas& canvas) const override;
  int HitTestPort(MapPoint point) const override { return HitTestPortRows(point, m_Position.x); }
  MapPoint GetConnectionPoint(int, int) const override { return m_Position; }
};
