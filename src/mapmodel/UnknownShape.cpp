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
  switch (statusCode) {
    case 5:
      return kPictureSystemKeyError;
    case 7:
      return kPictureDhcpError;
    case 8:
      return kPictureNotAvailable;
    case 9:
      return kPicturePasswordError;
    default:
      return kPictureUnknown;
  }
}

MapPoint CUnknownShape::GetConnectionPoint(int port, int side) const {
  return ShowsPicture() ? SideMidPoint(side) : CDeviceShape::GetConnectionPoint(port, side);
}

void CUnknownShape::UpdateAppearance() {
  CDeviceShape::UpdateAppearance();
  LoadPicture(PictureFor(m_StatusCode));
}
