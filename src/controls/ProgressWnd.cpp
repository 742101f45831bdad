#include "controls/ProgressWnd.h"

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/evtloop.h>
#include <wx/settings.h>

#include <algorithm>
#include <cstdarg>

#include "platform/IniStore.h"
#include "platform/MessageIds.h"
#include "platform/Window.h"

namespace {
constexpr int kMargin = 10;
constexpr int kWidth = 390;
constexpr int kHeight = 130;

int EdgeSize(wxSystemMetric metric) {
  const int size = wxSystemSettings::GetMetric(metric);
  return size > 0 ? size : 2;
}
}  // namespace

CProgressWnd::CProgressWnd() = default;

CProgressWnd::CProgressWnd(wxWindow* parent, const std::string& title, bool smooth) { Create(parent, title, smooth); }

CProgressWnd::~CProgressWnd() {
  if (!Exists()) return;
  if (rememberPosition_) StorePosition();
  if (modal_) {
    modal_ = false;
    if (reenable_) reenable_->Enable();
  }
}

bool CProgressWnd::Create(wxWindow* parent, const std::string& title, bool smooth) {
  if (!parent) parent = wxTheApp->GetTopWindow();
  long style = wxCAPTION | wxSTAY_ON_TOP | wxFRAME_TOOL_WINDOW;
  if (parent) style |= wxFRAME_FLOAT_ON_PARENT;
  title_ = title;
  if (!wxFrame::Create(parent, wxID_ANY, wxString::FromUTF8(title), wxPoint(0, 0), wxSize(kWidth, kHeight), style))
    return false;
  SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE));
  SetCursor(wxCursor(wxCURSOR_ARROWWAIT));
  const wxFont font = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
  text_ = new wxStaticText(this, IDC_TEXT, wxString(), wxDefaultPosition, wxDefaultSize,
                           wxALIGN_LEFT | wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
  bar_ = new wxGauge(this, IDC_PROGRESS, progress_.Upper() - progress_.Lower(), wxDefaultPosition, wxDefaultSize,
                     wxGA_HORIZONTAL | (smooth ? wxGA_SMOOTH : 0));
  cancel_ = new wxButton(this, IDC_CANCEL, wxString::FromUTF8(cancelLabel_));
  text_->SetFont(font);
  cancel_->SetFont(font);
  Bind(wxEVT_BUTTON, &CProgressWnd::OnCancelButton, this, IDC_CANCEL);
  Bind(wxEVT_CHAR_HOOK, &CProgressWnd::OnCharHook, this);
  created_ = true;
  textWidth_ = kWidth;
  LayoutControls(textLines_, textWidth_);
  if (rememberPosition_)
    RestorePosition();
  else
    CentreOnParent();
  ShowProgress();
  return true;
}

void CProgressWnd::LayoutControls(int lines, int width) {
  wxClientDC dc(this);
  dc.SetFont(text_->GetFont());
  wxString measure = "M";
  for (int line = 1; line < lines; ++line) measure += "\nM";
  const int textHeight = dc.GetMultiLineTextExtent(measure).y;
  const wxRect message(kMargin, kMargin, width, textHeight);

  const int edgeX = EdgeSize(wxSYS_EDGE_X);
  const int edgeY = EdgeSize(wxSYS_EDGE_Y);
  wxSize button = dc.GetTextExtent(wxString::FromUTF8(cancelLabel_ + "  "));
  button.x += 4 * edgeX;
  button.y += 3 * edgeY;
  button.IncTo(cancel_->GetBestSize());  // never smaller than the toolkit draws a button
  const wxRect cancel(message.GetRight() + 1 - button.x, message.GetBottom() + 1 + kMargin, button.x, button.y);
  const wxRect bar(message.x, cancel.y + edgeY, cancel.x - kMargin - message.x, cancel.height - 2 * edgeY);

  SetClientSize(message.width + 2 * kMargin, message.height + button.y + 3 * kMargin);
  text_->SetSize(message);
  cancel_->SetSize(cancel);
  bar_->SetSize(bar);
}

void CProgressWnd::RestorePosition() {
  platform::CIniStore store;
  const int x = store.GetInt(kSettingsSection, kXKey, -1);
  const int y = store.GetInt(kSettingsSection, kYKey, -1);
  const wxSize screen = wxGetDisplaySize();
  if (IsOnScreen(x, y, screen.x, screen.y))
    Move(x, y);
  else
    CentreOnParent();
}

void CProgressWnd::StorePosition() const {
  if (!Exists()) return;
  const wxPoint where = GetScreenPosition();
  platform::CIniStore store;
  store.SetInt(kSettingsSection, kXKey, where.x);
  store.SetInt(kSettingsSection, kYKey, where.y);
  store.Save();
}

bool CProgressWnd::GoModal(const std::string& title, bool smooth) {
  if (!Exists() && !Create(nullptr, title, smooth)) return false;
  wxWindow* ancestor = nullptr;
  for (wxWindow* parent = GetParent(); parent && parent->IsEnabled(); parent = parent->GetParent()) ancestor = parent;
  if (ancestor) ancestor->Disable();
  reenable_ = ancestor;
  Enable();
  modal_ = true;
  return true;
}

void CProgressWnd::SetRange(int lower, int upper, int step) {
  if (!Exists()) return;
  progress_.SetRange(lower, upper, step);
  bar_->SetRange(std::max(0, upper - lower));
  MoveBar();
}

void CProgressWnd::MoveBar() {
  const int range = bar_->GetRange();
  bar_->SetValue(std::clamp(progress_.Position() - progress_.Lower(), 0, range));
}

int CProgressWnd::SetPos(int position) {
  if (!Exists()) return 0;
  ShowProgress();
  const int previous = progress_.SetPos(position);
  if (progress_.CaptionChanged()) SetTitle(wxString::FromUTF8(CProgressModel::Caption(title_, progress_.Percent())));
  MoveBar();
  return previous;
}

int CProgressWnd::OffsetPos(int amount) { return Exists() ? SetPos(progress_.Position() + amount) : 0; }

int CProgressWnd::StepIt() { return Exists() ? SetPos(progress_.Position() + progress_.Step()) : 0; }

void CProgressWnd::SetStep(int step) { progress_.SetStep(step); }

void CProgressWnd::SetMessageText(const char* format, ...) {
  if (!Exists()) return;
  va_list args;
  va_start(args, format);
  const std::string text = CProgressModel::FormatMessageText(format, args);
  va_end(args);
  text_->SetLabel(wxString::FromUTF8(text));
}

void CProgressWnd::GrowToMessage() {
  if (!Exists()) return;
  const wxString message = text_->GetLabel();
  const int lines = std::min(static_cast<int>(message.Freq('\n')) + 1, kMaxMessageLines);
  wxClientDC dc(this);
  dc.SetFont(text_->GetFont());
  const int width = std::min(dc.GetMultiLineTextExtent(message).x + 2 * kMargin, wxGetDisplaySize().x - 4 * kMargin);
  if (lines <= textLines_ && width <= textWidth_) return;
  textLines_ = std::max(lines, textLines_);
  textWidth_ = std::max(width, textWidth_);
  LayoutControls(textLines_, textWidth_);
}

void CProgressWnd::ClearProgress() {
  if (!Exists()) return;
  text_->SetLabel(wxString());
  SetPos(0);
  cancelled_ = false;
  Refresh();
}

void CProgressWnd::HideProgress() {
  if (Exists() && IsShown()) Hide();
}

void CProgressWnd::ShowProgress() {
  if (!Exists() || IsShown()) return;
  ShowWithoutActivating();
  Refresh();
  Update();
}

void CProgressWnd::PeekAndPump(bool cancelOnEscape) {
  if (!Exists()) return;
  if (modal_ && !IsDescendant(wxWindow::FindFocus())) SetFocus();
  pumping_ = true;
  cancelOnEscape_ = cancelOnEscape;
  wxEventLoopBase* loop = wxEventLoopBase::GetActive();
  if (loop) {
    while (!cancelled_ && loop->Pending()) loop->Dispatch();
  } else {
    wxTheApp->Yield(true);
  }
  pumping_ = false;
}

void CProgressWnd::OnCancel() {
  if (rememberPosition_) StorePosition();
  platform::PostMessage(platform::GetMainWindow(), msg::WM_NMS_PROGRESS_CANCEL, 1, 0);
}

void CProgressWnd::OnCancelButton(wxCommandEvent&) { OnCancel(); }

void CProgressWnd::OnCharHook(wxKeyEvent& event) {
  if (pumping_ && cancelOnEscape_ && event.GetKeyCode() == WXK_ESCAPE) {
    OnCancel();
    return;
  }
  event.Skip();
}
