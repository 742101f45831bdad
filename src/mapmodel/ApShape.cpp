#include "mapmodel/ApShape.h"

#include "mapmodel/DevicePictures.h"

CApShape::CApShape() { CApShape::UpdateAppearance(); }

CApShape::CApShape(MapPoint position) : CDeviceShape(position) {
  SetKindDefaults("AP", 1, {76, 50}, 1, 1);
  CApShape::UpdateAppearance();
  // The body size holds until the first status change brings the picture's size.
  ResetSizeToBody();
  RecalcLayout();
}

int CApShape::PictureFor(int statusCode) {
  switch (statusCode) {
    case 1:
      return kPictureApNew;
    case 2:
      return kPictureApOffline;
    case 3:
      return kPictureApChanged;
    case 4:
      return kPictureApReplace;
    case 6:
      return kPictureSystemKeyError;
    default:
      if (const int error = ErrorPictureFor(statusCode)) return error;
      return kPictureAp;
  }
}

MapPoint CApShape::GetConnectionPoint(int port, int side) const {
  return ShowsPicture() ? SideMidPoint(side) : CDeviceShape::GetConnectionPoint(port, side);
}

void CApShape::UpdateAppearance() {
  CDeviceShape::UpdateAppearance();
  LoadPicture(PictureFor(m_StatusCode));
}
