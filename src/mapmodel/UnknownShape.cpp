#include "mapmodel/UnknownShape.h"

#include "mapmodel/DevicePictures.h"

CUnknownShape::CUnknownShape() { CUnknownShape::UpdateAppearance(); }

CUnknownShape::CUnknownShape(MapPoint position) : CDeviceShape(position) {
  SetKindDefaults("Unknown", 1, {76, 50}, 1, 1);
  CUnknownShape::UpdateAppearance();
  ResetSizeToBody();
  RecalcLayout();
}

int CUnknownShape::PictureFor(int statusCode) {
  // Unlike a switch or an AP, an unknown device keeps its own picture for status 6.
  const int error = ErrorPictureFor(statusCode);
  return error ? error : kPictureUnknown;
}

MapPoint CUnknownShape::GetConnectionPoint(int port, int side) const {
  return ShowsPicture() ? SideMidPoint(side) : CDeviceShape::GetConnectionPoint(port, side);
}

void CUnknownShape::UpdateAppearance() {
  CDeviceShape::UpdateAppearance();
  LoadPicture(PictureFor(m_StatusCode));
}
