#include "controls/CommandBarArt.h"

#include <wx/aui/framemanager.h>
#include <wx/aui/floatpane.h>

namespace {

CCustomNMSTheme::BarPosition PositionOf(const wxWindow* bar) {
  return dynamic_cast<const wxAuiFloatingFrame*>(bar->GetParent()) ? CCustomNMSTheme::xtpBarFloating
                                                                    : CCustomNMSTheme::xtpBarTop;
}

}  // namespace

void CCommandBarArt::DrawBackground(wxDC& dc, wxWindow* bar, const wxRect& rect) {
  theme_.FillCommandBarEntry(dc, rect, PositionOf(bar), CCustomNMSTheme::xtpBarTypeNormal);
}

void CCommandBarArt::DrawPlainBackground(wxDC& dc, wxWindow* bar, const wxRect& rect) { DrawBackground(dc, bar, rect); }
