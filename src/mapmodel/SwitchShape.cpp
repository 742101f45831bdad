#include "mapmodel/SwitchShape.h"

#include <algorithm>

#include "mapmodel/DevicePictures.h"

CSwitchShape::CSwitchShape() { CSwitchShape::UpdateAppearance(); }

CSwitchShape::CSwitchShape(MapPoint position) : CDeviceShape(position) {
  SetKindDefaults("Switch", 8, {175, 50}, 2, 8);
  ResetSizeToBody();
  // The picture, when there is one, gives the switch its size at once.
  CSwitchShape::UpdateAppearance();
  RecalcLayout();
}

int CSwitchShape::PictureFor(int statusCode) {
  switch (statusCode) {
    case 1:
    case 4:
      return kPictureSwitchNew;
    case 2:
      return kPictureSwitchOffline;
    case 3:
      return kPictureSwitchChanged;
    case 6:
      return kPictureSystemKeyError;
    default:
      if (const int error = ErrorPictureFor(statusCode)) return error;
      return kPictureSwitch;
  }
}

MapSize CSwitchShape::GetMinSize() const {
  if (ShowsPicture()) return {10, 10};
  return {(m_PortColumns + 1) * m_PortCellWidth, m_PortRows * m_PortCellHeight + GetLabelRect().Height()};
}

MapPoint CSwitchShape::GetConnectionPoint(int port, int side) const {
  return ShowsPicture() ? SideMidPoint(side) : PairedPortCenter(port);
}

void CSwitchShape::UpdateAppearance() {
  CDeviceShape::UpdateAppearance();
  LoadPicture(PictureFor(m_StatusCode));
}

void CSwitchShape::SetPortCount(int count) {
  if (count > 0) m_PortCount = count;
  const PortGrowth growth = GrowthFor(count);
  if (growth.columns > 0) {
    m_PortColumns = growth.columns;
    if (!ShowsPicture()) m_Width += growth.extraCells * m_PortCellWidth;
  }
  m_PortRows = std::max(m_PortRows, (m_PortCount - 1) / m_PortColumns + 1);
}
