#include "controls/CustomNMSTheme.h"

#include <wx/settings.h>

const wxColour CCustomNMSTheme::kGradientTop(80, 149, 208);
const wxColour CCustomNMSTheme::kGradientBottom(23, 70, 121);

CCustomNMSTheme::CCustomNMSTheme() { RefreshMetrics(); }

void CCustomNMSTheme::RefreshMetrics() { commandBarColour_ = wxColour(14, 88, 150); }

void CCustomNMSTheme::FillCommandBarEntry(wxDC& dc, const wxRect& client, BarPosition position, BarType type) {
  if (position == xtpBarFloating || position == xtpBarPopup || type != xtpBarTypeNormal) {
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_MENUBAR)));
    dc.DrawRectangle(client);
    return;
  }
  dc.GradientFillLinear(client, kGradientTop, kGradientBottom, wxSOUTH);
}
