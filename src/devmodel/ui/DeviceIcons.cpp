#include "devmodel/ui/DeviceIcons.h"

#include <wx/dcmemory.h>
#include <wx/settings.h>

namespace device_icons {

namespace {

enum class Figure { Ap, Switch, Other };

// An AP is a disc with an aerial, a switch a box with ports, anything else a diamond, in the status colour.
wxBitmap Draw(Figure figure, const wxColour& colour) {
  wxBitmap bitmap(kSize, kSize, 24);
  {
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(wxBrush(colour));
    switch (figure) {
      case Figure::Ap:
        dc.DrawLine(10, 2, 10, 8);
        dc.DrawCircle(10, 12, 6);
        break;
      case Figure::Switch:
        dc.DrawRectangle(2, 6, 16, 9);
        for (int x = 4; x < 17; x += 3) dc.DrawPoint(x, 12);
        break;
      case Figure::Other: {
        const wxPoint diamond[] = {{10, 2}, {18, 10}, {10, 18}, {2, 10}};
        dc.DrawPolygon(4, diamond);
        break;
      }
    }
  }
  bitmap.SetMask(new wxMask(bitmap, *wxWHITE));
  return bitmap;
}

const wxColour kOnline(0, 170, 0), kOffline(150, 150, 150), kNew(255, 220, 0), kChanged(230, 0, 0),
    kReplace(255, 140, 0), kSysKey(150, 0, 190), kDhcp(0, 90, 220), kNotAvailable(70, 70, 70),
    kPassword(140, 80, 20), kSpare(0, 170, 170);

wxImageList* Make(std::initializer_list<std::pair<Figure, wxColour>> icons) {
  auto* images = new wxImageList(kSize, kSize, true, static_cast<int>(icons.size()));
  for (const auto& [figure, colour] : icons) images->Add(Draw(figure, colour));
  return images;
}

}  // namespace

wxColour ShadeColour(RowShade shade) {
  switch (shade) {
    case RowShade::NewDevice: return wxColour(255, 255, 0);
    case RowShade::Offline: return wxColour(220, 220, 220);
    case RowShade::Changed: return wxColour(255, 0, 0);
    case RowShade::Window: break;
  }
  return wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
}

wxImageList* MakeApListImages() {
  return Make({{Figure::Ap, kOnline}, {Figure::Ap, kOffline}, {Figure::Ap, kNew}, {Figure::Ap, kChanged},
               {Figure::Ap, kReplace}, {Figure::Ap, kSysKey}, {Figure::Ap, kDhcp}, {Figure::Ap, kNotAvailable},
               {Figure::Ap, kPassword}});
}

wxImageList* MakeDeviceTreeImages() {
  return Make({{Figure::Ap, kOnline}, {Figure::Ap, kOffline}, {Figure::Ap, kNew}, {Figure::Ap, kChanged},
               {Figure::Ap, kReplace}, {Figure::Switch, kOnline}, {Figure::Switch, kOffline},
               {Figure::Switch, kNew}, {Figure::Switch, kSpare}, {Figure::Other, kOnline},
               {Figure::Other, kSysKey}, {Figure::Other, kDhcp}, {Figure::Other, kNotAvailable},
               {Figure::Other, kPassword}});
}

}  // namespace device_icons
