#pragma once
// CSwitchShape: a switch on the map. It shows the switch picture of its status; without one it draws two
// rows of port cells numbered in column pairs like a switch's front panel, and widens for many ports.
#include "mapmodel/DeviceShape.h"

class CSwitchShape : public CDeviceShape {
 public:
  CSwitchShape();
  explicit CSwitchShape(MapPoint position);

  const char* GetClassName() const override { return "CSwitchShape"; }
  void Draw(CMapCanvas& canvas) const override { DrawPictureOrPorts(canvas); }
  // With a picture 10 x 10; without, room for the port grid and the label line.
  MapSize GetMinSize() const override;
  int HitTestPort(MapPoint point) const override { return HitTestPairedPort(point); }
  // The middle of a body edge while a picture shows, else the centre of the port's cell.
  MapPoint GetConnectionPoint(int port, int side) const override;
  void UpdateAppearance() override;
  // 24 or more ports widen the grid to 16, 24 or 32 columns; the width follows only without a picture.
  void SetPortCount(int count) override;

  static int PictureFor(int statusCode);
};
