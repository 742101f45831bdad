#include "devmodel/DeviceLook.h"

#include "db/ApListDBManager.h"

StatusLook ApListStatusLook(int status) {
  struct Entry {
    int image;
    RowShade shade;
  };
  static constexpr Entry kByStatus[] = {
      {kApOnline, RowShade::Window},          {kApNew, RowShade::NewDevice},
      {kApOffline, RowShade::Offline},        {kApChanged, RowShade::Window},
      {kApReplace, RowShade::NewDevice},      {kApSysKeyError, RowShade::NewDevice},
      {kApSysKeyError, RowShade::Offline},    {kApDhcpError, RowShade::Offline},
      {kApNotAvailable, RowShade::Offline},   {kApPasswordError, RowShade::Offline}};
  if (status < 0 || status >= static_cast<int>(std::size(kByStatus))) return {};
  return {ApListDBManager::StatusText(status), kByStatus[status].image, kByStatus[status].shade};
}

StatusLook DeviceTreeLook(int kind, int status) {
  struct Entry {
    int image;
    RowShade shade;
  };
  // Rows by status 0 to 9; columns AP, switch, other kind.
  static constexpr Entry kByStatus[][3] = {
      {{kTreeApOnline, RowShade::Window}, {kTreeSwitch, RowShade::Window}, {kTreeOtherDevice, RowShade::Window}},
      {{kTreeApNew, RowShade::NewDevice}, {kTreeSwitchNew, RowShade::NewDevice}, {kTreeOtherDevice, RowShade::Window}},
      {{kTreeApOffline, RowShade::Offline}, {kTreeSwitchOffline, RowShade::Offline}, {kTreeOtherDevice, RowShade::Window}},
      {{kTreeApChanged, RowShade::Changed}, {kTreeSwitch, RowShade::Window}, {kTreeOtherDevice, RowShade::Window}},
      {{kTreeApReplace, RowShade::NewDevice}, {kTreeSwitch, RowShade::Window}, {kTreeOtherDevice, RowShade::Window}},
      {{kTreeSysKeyError, RowShade::NewDevice}, {kTreeSysKeyError, RowShade::NewDevice}, {kTreeSysKeyError, RowShade::NewDevice}},
      {{kTreeSysKeyError, RowShade::Offline}, {kTreeSysKeyError, RowShade::Offline}, {kTreeOtherDevice, RowShade::Window}},
      {{kTreeDhcpError, RowShade::Offline}, {kTreeDhcpError, RowShade::Offline}, {kTreeDhcpError, RowShade::Offline}},
      {{kTreeNotAvailable, RowShade::Offline}, {kTreeNotAvailable, RowShade::Offline}, {kTreeNotAvailable, RowShade::Offline}},
      {{kTreePasswordError, RowShade::Offline}, {kTreePasswordError, RowShade::Offline}, {kTreePasswordError, RowShade::Offline}}};
  const int column = kind == 2 ? 0 : kind == 1 ? 1 : 2;
  if (status < 0 || status >= static_cast<int>(std::size(kByStatus)))
    return {{}, column == 2 ? kTreeOtherDevice : kTreeSwitch, RowShade::Window};
  return {{}, kByStatus[status][column].image, kByStatus[status][column].shade};
}
