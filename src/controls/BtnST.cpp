#include "controls/BtnST.h"

#include <wx/dcbuffer.h>
#include <wx/dcclient.h>
#include <wx/settings.h>
#include <wx/sound.h>
#include <wx/utils.h>

#include "controls/WxGeometry.h"
#include "platform/Utf8Text.h"

namespace {

Rgb SystemRgb(wxSystemColour colour) { return ToRgb(wxSystemSettings::GetColour(colour)); }

}  // namespace

CBtnST::CBtnST(wxWindow* parent, wxWindowID id, const wxString& label, bool checkBox, bool defaultButton)
    : wxControl(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
      default_(defaultButton),
      checkBox_(checkBox),
      colours_(SystemRgb(wxSYS_COLOUR_BTNFACE), SystemRgb(wxSYS_COLOUR_BTNTEXT)) {
  SetLabel(label);
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetInitialSize();
  Bind(wxEVT_PAINT, &CBtnST::OnPaint, this);
  Bind(wxEVT_ENTER_WINDOW, &CBtnST::OnEnter, this);
  Bind(wxEVT_MOTION, &CBtnST::OnEnter, this);
  Bind(wxEVT_LEAVE_WINDOW, &CBtnST::OnLeave, this);
  Bind(wxEVT_LEFT_DOWN, &CBtnST::OnLeftDown, this);
  Bind(wxEVT_LEFT_DCLICK, &CBtnST::OnLeftDown, this);  // a double click is a second press
  Bind(wxEVT_LEFT_UP, &CBtnST::OnLeftUp, this);
  Bind(wxEVT_SET_FOCUS, &CBtnST::OnFocus, this);
  Bind(wxEVT_KILL_FOCUS, &CBtnST::OnFocus, this);
  Bind(wxEVT_SYS_COLOUR_CHANGED, &CBtnST::OnSysColourChanged, this);
  Bind(wxEVT_SET_CURSOR, &CBtnST::OnSetCursor, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { pressed_ = false; Refresh(); });
}

CBtnST::~CBtnST() { delete menu_; }

void CBtnST::Repaint(bool repaint) {
  if (repaint) Refresh();
}

void CBtnST::FreeImages() {
  for (Image& image : images_) image = {};
}

wxBitmap CBtnST::Masked(const wxBitmap& in, const wxColour& transparent) {
  wxBitmap bitmap = in;
  bitmap.SetMask(new wxMask(in, transparent));
  return bitmap;
}

// A grey or darker copy; the transparent colour stays as it is.
wxBitmap CBtnST::Derive(const wxBitmap& in, DerivedImage how, const wxColour& transparent) {
  wxImage image = in.ConvertToImage();
  unsigned char* pixels = image.GetData();
  const int count = image.GetWidth() * image.GetHeight();
  for (int i = 0; i < count; ++i) {
    unsigned char* p = pixels + 3 * i;
    const Rgb colour{p[0], p[1], p[2]};
    if (transparent.IsOk() && colour == ToRgb(transparent)) continue;
    const Rgb derived = how == BTNST_AUTO_GRAY ? GreyPixel(colour) : DarkerPixel(colour);
    p[0] = derived.red;
    p[1] = derived.green;
    p[2] = derived.blue;
  }
  return wxBitmap(image);
}

int CBtnST::SetIcons(const wxIcon& in, const wxIcon& out) {
  FreeImages();
  if (!in.IsOk()) {
    Refresh();
    return BTNST_INVALIDRESOURCE;
  }
  images_[0].picture = wxBitmap(in);
  if (out.IsOk()) images_[1].picture = wxBitmap(out);
  Refresh();
  return BTNST_OK;
}

int CBtnST::SetIcons(const wxIcon& in, DerivedImage out) {
  const int result = SetIcons(in);
  if (result != BTNST_OK) return result;
  // For icons every pixel that is not black is derived.
  images_[1].picture = Derive(images_[0].picture, out, *wxBLACK);
  if (images_[0].picture.GetMask()) images_[1].picture.SetMask(new wxMask(*images_[0].picture.GetMask()));
  return BTNST_OK;
}

int CBtnST::SetImages(const wxBitmap& in, const wxColour& inTransparent, const wxBitmap& out,
                      const wxColour& outTransparent) {
  FreeImages();
  if (!in.IsOk()) {
    Refresh();
    return BTNST_INVALIDRESOURCE;
  }
  images_[0].picture = Masked(in, inTransparent);
  if (out.IsOk()) images_[1].picture = Masked(out, outTransparent);
  if (!images_[0].picture.GetMask() || (out.IsOk() && !images_[1].picture.GetMask())) {
    FreeImages();
    return BTNST_FAILEDMASK;
  }
  Refresh();
  return BTNST_OK;
}

int CBtnST::SetImages(const wxBitmap& in, const wxColour& inTransparent, DerivedImage out) {
  if (!in.IsOk()) return SetImages(in, inTransparent);
  return SetImages(in, inTransparent, Derive(in, out, inTransparent), inTransparent);
}

int CBtnST::SetFlatLook(bool flat, bool repaint) {
  flat_ = flat;
  Repaint(repaint);
  return BTNST_OK;
}

int CBtnST::SetImageAlignment(int alignment, bool repaint) {
  if (alignment < ST_ALIGN_HORIZ || alignment > ST_ALIGN_OVERLAP) return BTNST_INVALIDALIGN;
  alignment_ = alignment;
  Repaint(repaint);
  return BTNST_OK;
}

int CBtnST::SetPressedOffsetStyle(int style, bool repaint) {
  if (style == BTNST_PRESSED_LEFTRIGHT)
    pressedOffset_ = {1, 1};
  else if (style == BTNST_PRESSED_TOPBOTTOM)
    pressedOffset_ = {0, 2};
  else
    return BTNST_INVALIDPRESSEDSTYLE;
  Repaint(repaint);
  return BTNST_OK;
}

int CBtnST::SetChecked(int state, bool repaint) {
  if (checkBox_) {
    checked_ = state != 0;
    Repaint(repaint);
  }
  return BTNST_OK;
}

int CBtnST::ResetColors(bool repaint) {
  colours_.Reset(SystemRgb(wxSYS_COLOUR_BTNFACE), SystemRgb(wxSYS_COLOUR_BTNTEXT));
  Repaint(repaint);
  return BTNST_OK;
}

int CBtnST::SetStateColor(int index, const wxColour& colour, bool repaint) {
  const int result = colours_.Set(index, ToRgb(colour));
  if (result == BTNST_OK) Repaint(repaint);
  return result;
}

int CBtnST::GetStateColor(int index, wxColour& colour) const {
  Rgb rgb;
  const int result = colours_.Get(index, rgb);
  if (result == BTNST_OK) colour = ToWxColour(rgb);
  return result;
}

int CBtnST::ShadeStateColor(int index, int shade, bool repaint) {
  const int result = colours_.Shade(index, shade);
  if (result == BTNST_OK) Repaint(repaint);
  return result;
}

int CBtnST::SetTrackAlways(bool always) {
  alwaysTrack_ = always;
  return BTNST_OK;
}

int CBtnST::SetHoverCursor(const wxCursor& cursor, bool repaint) {
  cursor_ = cursor;
  Repaint(repaint);
  return BTNST_OK;
}

int CBtnST::SetBorderVisible(bool visible, bool repaint) {
  drawBorder_ = visible;
  Repaint(repaint);
  return BTNST_OK;
}

int CBtnST::SetFlatFocusVisible(bool visible, bool repaint) {
  drawFlatFocus_ = visible;
  Repaint(repaint);
  return BTNST_OK;
}

int CBtnST::SetTipText(const wxString& text, bool activate) {
  if (text.empty()) return BTNST_OK;
  tipText_ = text;
  return EnableTip(activate);
}

int CBtnST::EnableTip(bool activate) {
  if (tipText_.empty()) return BTNST_OK;
  if (activate) {
    SetToolTip(tipText_);  // GTK wraps long tips itself
  } else {
    UnsetToolTip();
  }
  return BTNST_OK;
}

// GTK shows every tool tip in its own style; the choice is kept for whoever asks.
int CBtnST::UseBalloonTip() {
  tipStyle_ |= 0x40;
  return BTNST_OK;
}

int CBtnST::SetTransparentLook(bool repaint) {
  transparent_ = true;
  background_ = wxNullBitmap;  // the next paint takes a fresh copy
  Repaint(repaint);
  return BTNST_OK;
}

int CBtnST::CaptureBackground(wxDC* parentDc) {
  if (!transparent_ || !parentDc) return BTNST_BADPARAM;
  const wxRect area = GetRect();
  background_ = parentDc->GetAsBitmap(&area);
  return BTNST_OK;
}

int CBtnST::SetLinkUrl(const std::string& url) {
  link_ = platform::FirstBytes(url, kLinkLimit - 1);
  return BTNST_OK;
}

int CBtnST::SetDropMenu(wxMenu* menu, wxWindow* owner, bool repaint) {
  delete menu_;
  menu_ = menu;
  menuOwner_ = owner;
  if (!menu) return BTNST_INVALIDRESOURCE;
  Repaint(repaint);
  return BTNST_OK;
}

int CBtnST::SetDropMenuCallback(platform::WindowId window, std::uint32_t message, std::intptr_t parameter) {
  callbackWindow_ = window;
  callbackMessage_ = message;
  callbackParameter_ = parameter;
  return BTNST_OK;
}

int CBtnST::FitToImage() {
  if (images_[0].IsOk()) {
    SetSize(images_[0].picture.GetSize());
    imageOffset_ = {0, 0};
  }
  return BTNST_OK;
}

int CBtnST::SetButtonSound(const std::string& file, bool onClick, bool asynchronous) {
  sounds_[onClick ? 1 : 0] = {file, asynchronous};
  return BTNST_OK;
}

void CBtnST::PlaySound(int which) {
  const Sound& sound = sounds_[which];
  if (sound.file.empty()) return;
  wxSound::Play(wxString::FromUTF8(sound.file), sound.asynchronous ? wxSOUND_ASYNC : wxSOUND_SYNC);
}

bool CBtnST::IsPressed() const { return (checkBox_ ? (checked_ || pressed_) : pressed_) || menuShown_; }

wxSize CBtnST::DoGetBestSize() const {
  wxSize size = GetTextExtent(GetLabel()) + wxSize(16, 10);
  if (images_[0].IsOk()) {
    const wxSize image = images_[0].picture.GetSize();
    size.x += image.x + imageOffset_.x;
    size.y = std::max(size.y, image.y + 2 * imageOffset_.y);
  }
  return size;
}

void CBtnST::OnEnter(wxMouseEvent& event) {
  event.Skip();
  if (event.LeftIsDown() && !mouseOver_) return;
  if (!flat_) return;
  const bool active = alwaysTrack_ || wxGetActiveWindow();
  if (!active || !GetClientRect().Contains(event.GetPosition())) {
    EndHover();
    return;
  }
  if (mouseOver_) return;
  mouseOver_ = true;
  Refresh();
  PlaySound(0);
}

// GTK also reports a leave when the window is raised or the pointer is grabbed; only a pointer that is
// really outside ends the hover.
void CBtnST::OnLeave(wxMouseEvent& event) {
  event.Skip();
  if (!GetClientRect().Contains(ScreenToClient(wxGetMousePosition()))) EndHover();
}

void CBtnST::EndHover() {
  if (!flat_ || !mouseOver_) return;
  mouseOver_ = false;
  Refresh();
}

void CBtnST::OnFocus(wxFocusEvent& event) {
  event.Skip();
  if (event.GetEventType() == wxEVT_KILL_FOCUS) EndHover();
  Refresh();
}

void CBtnST::OnSysColourChanged(wxSysColourChangedEvent& event) {
  event.Skip();
  background_ = wxNullBitmap;
  ResetColors();
}

void CBtnST::OnSetCursor(wxSetCursorEvent& event) {
  if (cursor_.IsOk())
    event.SetCursor(cursor_);
  else
    event.Skip();
}

void CBtnST::OnLeftDown(wxMouseEvent&) {
  if (!IsEnabled()) return;
  pressed_ = true;
  if (!HasCapture()) CaptureMouse();
  Refresh();
}

void CBtnST::OnLeftUp(wxMouseEvent& event) {
  if (!pressed_) return;
  pressed_ = false;
  if (HasCapture()) ReleaseMouse();
  Refresh();
  if (GetClientRect().Contains(event.GetPosition())) Click();
}

void CBtnST::Click() {
  SetFocus();
  PlaySound(1);
  if (checkBox_) {
    checked_ = !checked_;
    Refresh();
  } else if (menu_) {
    menuShown_ = true;
    Refresh();
    Update();
    wxMenuItemList& entries = menu_->GetMenuItems();
    wxMenu* shown = !entries.empty() && entries.front()->GetSubMenu() ? entries.front()->GetSubMenu() : menu_;
    if (callbackWindow_ != platform::kNoWindow)
      platform::SendMessage(callbackWindow_, callbackMessage_, reinterpret_cast<std::uintptr_t>(shown),
                            callbackParameter_);
    const int chosen = GetPopupMenuSelectionFromUser(*shown, wxPoint(0, GetClientSize().y));
    menuShown_ = false;
    Refresh();
    if (chosen != wxID_NONE && menuOwner_) menuOwner_->GetEventHandler()->QueueEvent(new wxCommandEvent(wxEVT_MENU, chosen));
  } else if (!link_.empty()) {
    wxLaunchDefaultBrowser(wxString::FromUTF8(link_));
  }
  wxCommandEvent pressed(wxEVT_BUTTON, GetId());
  pressed.SetEventObject(this);
  ProcessWindowEvent(pressed);
}

void CBtnST::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  DrawItem(dc);
}

void CBtnST::DrawItem(wxDC& dc) {
  const wxRect client = GetClientRect();
  DrawBackground(dc, client);
  DrawBorder(dc, client);
  wxRect textArea = client;
  if (images_[0].IsOk()) DrawTheIcon(dc, client, textArea);
  if (!GetLabel().empty()) DrawTheText(dc, textArea);
  const bool focused = HasFocus();
  if (focused && (!flat_ || drawFlatFocus_)) {
    dc.SetPen(wxPen(*wxBLACK, 1, wxPENSTYLE_DOT));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(wxRect(client).Deflate(3));
  }
}

void CBtnST::DrawBackground(wxDC& dc, const wxRect& area) {
  if (transparent_) {
    if (!background_.IsOk()) {
      wxClientDC parent(GetParent());
      CaptureBackground(&parent);
    }
    if (background_.IsOk()) {
      dc.DrawBitmap(background_, 0, 0);
      return;
    }
  }
  const bool focused = HasFocus();
  int index = BTNST_COLOR_BK_OUT;
  if (mouseOver_ || IsPressed())
    index = BTNST_COLOR_BK_IN;
  else if (focused)
    index = BTNST_COLOR_BK_FOCUS;
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(ToWxColour(colours_.At(index))));
  dc.DrawRectangle(area);
  if (!flat_ && (focused || default_)) {
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(area);
  }
}

void CBtnST::DrawBorder(wxDC& dc, const wxRect& area) {
  const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT);
  const wxColour shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
  const wxColour light = wxSystemSettings::GetColour(wxSYS_COLOUR_3DLIGHT);
  const wxColour dark = wxSystemSettings::GetColour(wxSYS_COLOUR_3DDKSHADOW);
  auto edge = [&dc](const wxRect& r, const wxColour& topLeft, const wxColour& bottomRight) {
    dc.SetPen(wxPen(topLeft));
    dc.DrawLine(r.GetLeft(), r.GetTop(), r.GetRight(), r.GetTop());
    dc.DrawLine(r.GetLeft(), r.GetTop(), r.GetLeft(), r.GetBottom());
    dc.SetPen(wxPen(bottomRight));
    dc.DrawLine(r.GetLeft(), r.GetBottom(), r.GetRight() + 1, r.GetBottom());
    dc.DrawLine(r.GetRight(), r.GetTop(), r.GetRight(), r.GetBottom());
  };
  if (IsPressed()) {
    if (flat_ && drawBorder_)
      edge(area, shadow, highlight);
    else if (!flat_)
      edge(area, shadow, shadow);
  } else if (!flat_) {
    edge(area, highlight, dark);
    edge(wxRect(area).Deflate(1), light, shadow);
  } else if (mouseOver_ && drawBorder_) {
    edge(area, highlight, shadow);
  }
}

wxRect CBtnST::ImagePlace(const wxRect& client, const wxSize& image, bool hasText, wxRect& textArea) const {
  wxRect place(client.GetPosition(), image);
  switch (alignment_) {
    case ST_ALIGN_HORIZ:
      if (hasText) {
        place.x = client.x + imageOffset_.x;
        textArea.x = place.GetRight() + 1 + imageOffset_.x;
        textArea.width = client.GetRight() + 1 - textArea.x;
      } else {
        place.x = client.x + (client.width - image.x) / 2;
      }
      place.y = client.y + (client.height - image.y) / 2;
      break;
    case ST_ALIGN_VERT:
      place.x = client.x + (client.width - image.x) / 2;
      if (hasText) {
        place.y = client.y + imageOffset_.y;
        textArea.y = place.GetBottom() + 1;
        textArea.height = client.GetBottom() + 1 - textArea.y;
      } else {
        place.y = client.y + (client.height - image.y) / 2;
      }
      break;
    case ST_ALIGN_HORIZ_RIGHT:
      if (hasText) {
        place.x = client.GetRight() + 1 - image.x - imageOffset_.x;
        textArea.x = client.x + imageOffset_.x;
        textArea.width = place.x - textArea.x;
        place.y = client.y + (client.height - image.y) / 2;
      } else {
        place.x = client.x + (client.width - image.x) / 2;
      }
      break;
    default:
      break;  // overlapping: the top-left corner
  }
  if (IsPressed() && !checkBox_) place.Offset(pressedOffset_);
  return place;
}

void CBtnST::DrawTheIcon(wxDC& dc, const wxRect& area, wxRect& textArea) {
  const bool useIn = IsPressed() || (mouseOver_ && !checkBox_) || !images_[1].IsOk();
  const wxBitmap& picture = useIn ? images_[0].picture : images_[1].picture;
  const wxRect place = ImagePlace(area, picture.GetSize(), !GetLabel().empty(), textArea);
  if (!IsEnabled() && showDisabledBitmap_)
    dc.DrawBitmap(picture.ConvertToDisabled(), place.GetPosition(), true);
  else
    dc.DrawBitmap(picture, place.GetPosition(), true);
}

void CBtnST::DrawTheText(wxDC& dc, const wxRect& textAreaIn) {
  wxRect textArea = textAreaIn;
  if (IsPressed() && !checkBox_) textArea.Offset(pressedOffset_);
  dc.SetFont(GetFont());
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  if (!IsEnabled()) {
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT));
    dc.DrawLabel(GetLabel(), wxRect(textArea.GetPosition() + wxPoint(1, 1), textArea.GetSize()), wxALIGN_CENTER);
    dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW));
    dc.DrawLabel(GetLabel(), textArea, wxALIGN_CENTER);
    return;
  }
  int index = BTNST_COLOR_FG_OUT;
  if (mouseOver_ || IsPressed())
    index = BTNST_COLOR_FG_IN;
  else if (HasFocus())
    index = BTNST_COLOR_FG_FOCUS;
  dc.SetTextForeground(ToWxColour(colours_.At(index)));
  dc.DrawLabel(GetLabel(), textArea, wxALIGN_CENTER);
}
