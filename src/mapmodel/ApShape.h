#pragma once
// CApShape: an access point on the map. It shows the AP picture of its status and attaches links at the
// middle of a body edge; without a picture it draws and numbers ports as a plain device shape.
#include "mapmodel/DeviceShape.h"

class CApShape : public CDeviceShape {
 public:
  CApShape();
  explicit CApShape(MapPoint position);

  const char* GetClassName() const override { return "CApShape"; }
  void Draw(CMapCanvas& canvas) const override { DrawPictureOrPorts(canvas); }
  MapPoint GetConnectionPoint(int port, int side) const override;
  void UpdateAppearance() override;

  // The picture number for a display status.
  static int PictureFor(int statusCode);
};
