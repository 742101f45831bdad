#pragma once
// CRouterShape: a router on the map, drawn as a box with two rows of port cells numbered in column pairs.
// It has no picture; many ports make it two or three times as wide.
#include "mapmodel/DeviceShape.h"

class CRouterShape : public CDeviceShape {
 public:
  CRouterShape();
  explicit CRouterShape(MapPoint position);

  const char* GetClassName() const override { return "CRouterShape"; }
  void Draw(CMapCanvas& canvas) const override { DrawPictureOrPorts(canvas); }
  int HitTestPort(MapPoint point) const override { return HitTestPairedPort(point); }
  MapPoint GetConnectionPoint(int port, int) const override { return PairedPortCenter(port); }
  void SetPortCount(int count) override;
};
