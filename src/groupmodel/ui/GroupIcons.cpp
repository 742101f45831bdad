#include "groupmodel/ui/GroupIcons.h"

#include <wx/dcmemory.h>

const wxColour CGroupIcons::kGroupColour(40, 90, 200);
const wxColour CGroupIcons::kMatchColour(20, 170, 60);
const wxColour CGroupIcons::kDiffersColour(240, 150, 0);
const wxColour CGroupIcons::kBalanceMatchColour(0, 120, 120);
const wxColour CGroupIcons::kBalanceDiffersColour(210, 30, 30);

namespace {
constexpr int kSize = 20;

wxBitmap Draw(const wxColour& colour, bool round, const char* mark) {
  wxBitmap bitmap(kSize, kSize, 24);
  wxMemoryDC dc(bitmap);
  dc.SetBackground(*wxWHITE_BRUSH);
  dc.Clear();
  dc.SetBrush(wxBrush(colour));
  dc.SetPen(wxPen(colour));
  if (round)
    dc.DrawEllipse(2, 2, kSize - 4, kSize - 4);
  else
    dc.DrawRectangle(2, 3, kSize - 4, kSize - 6);
  if (mark && *mark) {
    dc.SetTextForeground(*wxWHITE);
    dc.SetFont(wxFont(wxFontInfo(9).Bold()));
    const wxSize extent = dc.GetTextExtent(mark);
    dc.DrawText(mark, (kSize - extent.x) / 2, (kSize - extent.y) / 2);
  }
  dc.SelectObject(wxNullBitmap);
  wxMask* mask = new wxMask(bitmap, *wxWHITE);
  bitmap.SetMask(mask);
  return bitmap;
}
}  // namespace

wxImageList* CGroupIcons::MakeTreeImages() {
  auto* images = new wxImageList(kSize, kSize, true, 5);
  images->Add(Draw(kGroupColour, false, ""));
  images->Add(Draw(kMatchColour, true, ""));
  images->Add(Draw(kDiffersColour, true, "!"));
  images->Add(Draw(kBalanceMatchColour, true, "="));
  images->Add(Draw(kBalanceDiffersColour, true, "x"));
  return images;
}

wxBitmap CGroupIcons::MakeButtonIcon(int which) {
  static const char* const kMarks[] = {"+", "T", "A", "-", "C"};
  static const wxColour kColours[] = {wxColour(40, 90, 200), wxColour(120, 60, 160), wxColour(20, 140, 60),
                                      wxColour(200, 40, 40), wxColour(90, 90, 90)};
  which = which < 0 || which > 4 ? 0 : which;
  return Draw(kColours[which], false, kMarks[which]);
}
