#include "controls/PropPageFrameDefault.h"

#include <wx/control.h>
#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include "controlmodel/CaptionGradient.h"
#include "controls/WxGeometry.h"

bool CPropPageFrameDefault::CreateFrameWindow(long style, const wxRect& rect, wxWindow* parent, wxWindowID id) {
  if (!Create(parent, id, rect.GetPosition(), rect.GetSize(), style | wxFULL_REPAINT_ON_RESIZE, "Page Frame"))
    return false;
  SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &CPropPageFrameDefault::OnPaint, this);
  return true;
}

void CPropPageFrameDefault::SetHeading(const std::string& text, const wxIcon& icon) {
  captionImage_ = icon.IsOk() ? wxBitmap(icon) : wxBitmap();
  CPropPageFrame::SetHeading(text, icon);
}

wxRect CPropPageFrameDefault::MessageRect() {
  wxRect area(GetClientSize());
  if (HasCaptionStrip()) {
    area.y += CaptionStripHeight() + 1;
    area.height -= CaptionStripHeight() + 1;
  }
  return area;
}

wxRect CPropPageFrameDefault::CaptionRect() {
  wxRect area(GetClientSize());
  area.height = HasCaptionStrip() ? CaptionStripHeight() : 0;
  return area;
}

void CPropPageFrameDefault::PaintCaption(wxDC& dc, const wxRect& rect, const std::string& text, const wxIcon&) {
  // One vertical line per column, from the inactive caption colour into the background at the right.
  const Rgb left = ToRgb(wxSystemSettings::GetColour(wxSYS_COLOUR_INACTIVECAPTION));
  const Rgb right = ToRgb(GetBackgroundColour());
  for (int x = rect.x; x <= rect.GetRight() + 1; ++x) {
    dc.SetPen(wxPen(ToWxColour(CaptionGradientColumn(left, right, rect.width, x - rect.x))));
    dc.DrawLine(x, rect.y, x, rect.GetBottom() + 1);
  }
  int textLeft = rect.x;
  if (captionImage_.IsOk()) {
    const int top = rect.y + rect.height / 2 - captionImage_.GetHeight() / 2;
    dc.DrawBitmap(captionImage_, kIconLeft, top, true);
    textLeft += captionImage_.GetWidth() + kIconLeft;
  }
  textLeft += kTextGap;
  const wxFont previous = dc.GetFont();
  dc.SetFont(wxSystemSettings::GetFont(wxSYS_SYSTEM_FONT));
  dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_CAPTIONTEXT));
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  const wxRect textArea(textLeft, rect.y, rect.GetRight() + 1 - textLeft, rect.height);
  const wxString shown = wxControl::Ellipsize(wxString::FromUTF8(text), dc, wxELLIPSIZE_END, textArea.width);
  dc.DrawLabel(shown, textArea, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
  dc.SetFont(previous);
}

void CPropPageFrameDefault::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  dc.SetBackground(wxBrush(GetBackgroundColour()));
  dc.Clear();
  dc.SetTextForeground(GetForegroundColour());
  PaintFrame(dc);
}
