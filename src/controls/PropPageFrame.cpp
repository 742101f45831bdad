#include "controls/PropPageFrame.h"

#include <wx/settings.h>

void CPropPageFrame::EnableCaption(bool on) {
  captionStrip_ = on;
  InvalidateArea(CaptionRect());
}

void CPropPageFrame::SetCaptionStripHeight(int height) {
  captionStripHeight_ = height;
  InvalidateArea(CaptionRect());
}

void CPropPageFrame::SetHeading(const std::string& text, const wxIcon& icon) {
  heading_ = text;
  headingIcon_ = icon;
  InvalidateArea(CaptionRect());
}

const std::string& CPropPageFrame::Heading(wxIcon* icon) const {
  if (icon) *icon = headingIcon_;
  return heading_;
}

void CPropPageFrame::SetNoPageMessage(const std::string& text) {
  noPageMessage_ = text;
  InvalidateArea(MessageRect());
}

void CPropPageFrame::SetNoPageMessageFlags(int flags) {
  noPageMessageFlags_ = flags;
  InvalidateArea(MessageRect());
}

void CPropPageFrame::PaintFrame(wxDC& dc) {
  if (captionStrip_) PaintCaption(dc, CaptionRect(), heading_, headingIcon_);
  PaintMessage(dc, MessageRect(), noPageMessage_, noPageMessageFlags_);
}

wxRect CPropPageFrame::ClientRect() {
  wxWindow* window = FrameWindow();
  wxASSERT(window);
  return window ? wxRect(window->GetClientSize()) : wxRect();
}

wxRect CPropPageFrame::MessageRect() {
  wxRect area = ClientRect();
  if (captionStrip_) {
    area.y += captionStripHeight_;
    area.height -= captionStripHeight_;
  }
  return area;
}

wxRect CPropPageFrame::CaptionRect() {
  wxRect area = ClientRect();
  area.height = captionStrip_ ? captionStripHeight_ : 0;
  return area;
}

void CPropPageFrame::PaintMessage(wxDC& dc, const wxRect& rect, const std::string& text, int flags) {
  const wxFont previous = dc.GetFont();
  dc.SetFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  dc.DrawLabel(wxString::FromUTF8(text), rect, flags);  // no mnemonic processing: '&' stays as written
  dc.SetFont(previous);
}

void CPropPageFrame::PaintCaption(wxDC&, const wxRect&, const std::string&, const wxIcon&) {}

void CPropPageFrame::InvalidateArea(const wxRect& area) {
  wxWindow* window = FrameWindow();
  if (window && window->GetHandle()) window->RefreshRect(area);
}
