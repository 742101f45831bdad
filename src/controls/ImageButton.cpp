#include "controls/ImageButton.h"

#include <wx/dcbuffer.h>
#include <wx/renderer.h>
#include <wx/settings.h>

#include <algorithm>

namespace {
constexpr int kBorder = 1;
}  // namespace

CImageButton::CImageButton(wxWindow* parent, wxWindowID id, const wxBitmap& up, const wxBitmap& down,
                           const wxBitmap& disabled, bool stretch)
    : wxControl(parent, id, wxDefaultPosition, wxDefaultSize, wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE),
      stretch_(stretch),
      up_(up),
      down_(down),
      disabled_(disabled) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  SetInitialSize();
  Bind(wxEVT_PAINT, &CImageButton::OnPaint, this);
  Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) {
    selected_ = true;
    CaptureMouse();
    Refresh();
  });
  Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
    if (!selected_) return;
    selected_ = false;
    if (HasCapture()) ReleaseMouse();
    Refresh();
    if (!GetClientRect().Contains(event.GetPosition())) return;
    wxCommandEvent pressed(wxEVT_BUTTON, GetId());
    pressed.SetEventObject(this);
    ProcessWindowEvent(pressed);
  });
  Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { selected_ = false; Refresh(); });
  Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) { Refresh(); e.Skip(); });
  Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) { Refresh(); e.Skip(); });
}

void CImageButton::SetHorizontalAlignment(Placement placement) {
  horizontal_ = placement;
  Refresh();
}

void CImageButton::SetVerticalAlignment(Placement placement) {
  vertical_ = placement;
  Refresh();
}

wxSize CImageButton::DoGetBestSize() const {
  return up_.IsOk() ? up_.GetSize() + wxSize(6 * kBorder, 6 * kBorder) : wxSize(24, 24);
}

wxBitmap CImageButton::PictureToDraw() const {
  if (selected_) return down_.IsOk() ? down_ : up_;
  if (IsEnabled()) return up_;
  if (disabled_.IsOk()) return disabled_;
  // Every other pixel of the "up" picture, alternating by row, in the button face.
  wxImage image = up_.ConvertToImage();
  const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
  for (int y = 0; y < image.GetHeight(); ++y)
    for (int x = y % 2; x < image.GetWidth(); x += 2) image.SetRGB(x, y, face.Red(), face.Green(), face.Blue());
  return wxBitmap(image);
}

void CImageButton::DrawItem(wxDC& dc) {
  const wxRect client = GetClientRect();
  dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
  dc.Clear();
  wxRendererNative::Get().DrawPushButton(this, dc, client, selected_ ? int{wxCONTROL_PRESSED} : 0);
  const wxBitmap picture = PictureToDraw();
  if (!picture.IsOk()) return;
  const wxRect area = wxRect(client).Deflate(2 * kBorder);
  wxRect place;
  if (stretch_) {
    place = wxRect(client.x + 3 * kBorder, client.y + 3 * kBorder, client.width - 5 * kBorder,
                   client.height - 5 * kBorder);
  } else {
    place.SetSize(picture.GetSize());
    // A picture larger than the area is cropped evenly when centred, from the near side when at the far edge.
    auto along = [](Placement placement, int start, int length, int size, int nearStart) {
      switch (placement) {
        case Placement::kNear: return nearStart;
        case Placement::kFar: return start + length - size;
        default: return start + (length - size) / 2;
      }
    };
    place.x = along(horizontal_, area.x, area.width, place.width, client.x + 3 * kBorder);
    place.y = along(vertical_, area.y, area.height, place.height, client.y + 3 * kBorder);
  }
  if (selected_) place.Offset(kBorder, kBorder);
  wxDCClipper clip(dc, area);
  if (stretch_) {
    const wxImage scaled = picture.ConvertToImage().Scale(std::max(1, place.width), std::max(1, place.height));
    dc.DrawBitmap(wxBitmap(scaled), place.GetPosition(), true);
  } else {
    dc.DrawBitmap(picture, place.GetPosition(), true);  // the clip crops what does not fit
  }
  if (HasFocus()) wxRendererNative::Get().DrawFocusRect(this, dc, wxRect(place).Inflate(kBorder));
}

void CImageButton::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  DrawItem(dc);
}
