#include "app/NoticePopup.h"

#include <wx/button.h>
#include <wx/display.h>
#include <wx/stattext.h>

namespace {
constexpr int kWidth = 300;
const wxColour kBackground(255, 255, 225);
}  // namespace

CNoticePopup::CNoticePopup(wxWindow* owner, NoticeKind kind, Events events)
    : wxFrame(owner, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
              wxFRAME_TOOL_WINDOW | wxFRAME_NO_TASKBAR | wxSTAY_ON_TOP | wxBORDER_SIMPLE | wxFRAME_FLOAT_ON_PARENT),
      kind_(kind),
      events_(std::move(events)) {
  const NoticeText& text = NoticeTextOf(kind);
  SetBackgroundColour(kBackground);
  SetClientSize(kWidth, text.height);
  auto* title = new wxStaticText(this, wxID_ANY, text.title, wxPoint(5, 4), wxSize(text.titleRight - 5, 21),
                                 wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
  title->SetFont(title->GetFont().Bold());
  auto* body = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(text.body), wxPoint(20, 30),
                                wxSize(kWidth - 40, text.height - 30));
  body->Wrap(kWidth - 40);
  auto* close = new wxButton(this, wxID_CLOSE, "x", wxPoint(280, 2), wxSize(18, 18), wxBU_EXACTFIT | wxBORDER_NONE);
  close->SetBackgroundColour(kBackground);
  close->Bind(wxEVT_BUTTON, &CNoticePopup::OnCloseButton, this);
  for (wxWindow* part : std::initializer_list<wxWindow*>{this, title, body}) {
    part->Bind(wxEVT_LEFT_DOWN, &CNoticePopup::OnLeftDown, this);
    part->Bind(wxEVT_MOTION, &CNoticePopup::OnMotion, this);
    part->Bind(wxEVT_LEFT_UP, &CNoticePopup::OnLeftUp, this);
  }
}

void CNoticePopup::ShowAt(const wxPoint& remembered) {
  if (remembered != wxPoint(-1, -1)) {
    Move(remembered);
  } else {
    const wxRect screen = wxDisplay(0u).GetClientArea();
    Move(screen.GetRight() - GetSize().x, screen.GetBottom() - GetSize().y);
  }
  ShowWithoutActivating();
}

void CNoticePopup::OnLeftDown(wxMouseEvent& event) {
  auto* window = static_cast<wxWindow*>(event.GetEventObject());
  dragOffset_ = window->ClientToScreen(event.GetPosition()) - GetPosition();
  dragging_ = true;
  window->CaptureMouse();
}

void CNoticePopup::OnMotion(wxMouseEvent& event) {
  if (!dragging_ || !event.Dragging()) return;
  auto* window = static_cast<wxWindow*>(event.GetEventObject());
  Move(window->ClientToScreen(event.GetPosition()) - dragOffset_);
}

void CNoticePopup::OnLeftUp(wxMouseEvent& event) {
  auto* window = static_cast<wxWindow*>(event.GetEventObject());
  if (window->HasCapture()) window->ReleaseMouse();
  if (!dragging_) return;
  dragging_ = false;
  if (events_.moved) events_.moved(GetPosition());
}

void CNoticePopup::OnCloseButton(wxCommandEvent&) {
  if (events_.closed) events_.closed();
  Destroy();
}
