#pragma once
// The device views' pictures, drawn in code: the AP list's nine status icons, the device tree's fourteen
// kind-and-status icons, and the colours of the row shades from the map's presentation theme.
#include <wx/colour.h>
#include <wx/imaglist.h>

#include "devmodel/DeviceLook.h"

namespace device_icons {

constexpr int kSize = 20;
// New, changed and offline devices; the window colour for the rest.
wxColour ShadeColour(RowShade shade);
wxImageList* MakeApListImages();
wxImageList* MakeDeviceTreeImages();

}  // namespace device_icons
