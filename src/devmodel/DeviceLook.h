#pragma once
// How the device views show a device's display status: the status word, the icon and the row shade.
// The shade names a colour of the map's presentation theme; the windows turn it into the colour.
#include <string>

enum class RowShade { Window, NewDevice, Offline, Changed };

// The AP list's status icons, in the order of its image list.
enum ApListImage { kApOnline, kApOffline, kApNew, kApChanged, kApReplace, kApSysKeyError, kApDhcpError,
                   kApNotAvailable, kApPasswordError, kApListImageCount };

// The device tree's icons, in the order of its image list.
enum DeviceTreeImage { kTreeApOnline, kTreeApOffline, kTreeApNew, kTreeApChanged, kTreeApReplace, kTreeSwitch,
                       kTreeSwitchOffline, kTreeSwitchNew, kTreeSwitchSpare, kTreeOtherDevice, kTreeSysKeyError,
                       kTreeDhcpError, kTreeNotAvailable, kTreePasswordError, kDeviceTreeImageCount };

struct StatusLook {
  std::string text;  // empty for a code without a word
  int image = -1;    // -1 for none
  RowShade shade = RowShade::Window;
};

// A row of the AP list for the display status code.
StatusLook ApListStatusLook(int status);
// A line of the device tree for the device kind (1 switch, 2 AP, else other) and display status code.
StatusLook DeviceTreeLook(int kind, int status);
