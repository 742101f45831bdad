#pragma once
// CUnknownShape: a device of a type the console does not know. It behaves as the AP shape but shows the
// unrecognised-device picture for most states.
#include "mapmodel/DeviceShape.h"

class CUnknownShape : public CDeviceShape {
 public:
  CUnknownShape();
  explicit CUnknownShape(MapPoint position);

  const char* GetClassName() const override { return "CUnknownShape"; }
  void Draw(CMapCanvas& canvas) const override { DrawPictureOrPorts(canvas); }
  MapPoint GetConnectionPoint(int port, int side) const override;
  void UpdateAppearance() override;

  static int PictureFor(int statusCode);
};
