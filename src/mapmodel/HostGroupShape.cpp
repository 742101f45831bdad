#include "mapmodel/HostGroupShape.h"

CHostGroupShape::CHostGroupShape() { CDeviceShape::UpdateAppearance(); }

CHostGroupShape::CHostGroupShape(MapPoint position) : CDeviceShape(position) {
  SetKindDefaults("HostGroup", 4, {48, 12}, 1, 4);
  CDeviceShape::UpdateAppearance();
  // No layout pass here, so the size is not clamped at construction.
  ResetSizeToBody();
}

void CHostGroupShape::Draw(CMapCanvas& canvas) const {
  CDeviceShape::Draw(canvas);
  DrawPortGrid(canvas, PortGridLeft(), 0);
}
