#include "controls/ProgressBar.h"

#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/frame.h>

#include <algorithm>

#include "controlmodel/StatusPaneFit.h"
#include "controls/WxGeometry.h"

namespace {
constexpr int kBarId = 1;
}  // namespace

CProgressBar::~CProgressBar() {
  if (statusBar_) {
    statusBar_->Unbind(wxEVT_SIZE, &CProgressBar::OnStatusBarSize, this);
    RestorePaneText();
  }
}

wxStatusBar* CProgressBar::FindStatusBar() const {
  wxWindow* main = wxTheApp->GetTopWindow();
  if (!main) return nullptr;
  if (auto* frame = wxDynamicCast(main, wxFrame); frame && frame->GetStatusBar()) return frame->GetStatusBar();
  return wxDynamicCast(main->FindWindow(kStatusBarId), wxStatusBar);
}

bool CProgressBar::AttachToStatusPane(const std::string& message, int sharePercent, int maximum, bool smooth,
                                      int pane) {
  statusBar_ = FindStatusBar();
  if (!statusBar_ || pane < 0 || pane >= statusBar_->GetFieldsCount()) return false;
  if (!Create(statusBar_, kBarId, maximum, wxDefaultPosition, wxDefaultSize,
              wxGA_HORIZONTAL | (smooth ? wxGA_SMOOTH : 0)))
    return false;
  lower_ = 0;
  step_ = 1;
  message_ = message;
  share_ = sharePercent;
  pane_ = pane;
  previousText_ = statusBar_->GetStatusText(pane).utf8_string();
  statusBar_->Bind(wxEVT_SIZE, &CProgressBar::OnStatusBarSize, this);
  FitToPane();
  return true;
}

void CProgressBar::RestorePaneText() {
  if (!statusBar_) return;
  Hide();
  const std::string text = previousText_.empty() && pane_ == 0 ? std::string(kReadyText) : previousText_;
  statusBar_->SetStatusText(wxString::FromUTF8(text), pane_);
  statusBar_->Refresh();
}

void CProgressBar::SetPaneMessage(const std::string& message) {
  message_ = message;
  FitToPane();
}

void CProgressBar::SetPaneShare(int percent) {
  share_ = percent;
  FitToPane();
}

void CProgressBar::SetFillColour(const wxColour& colour) {
  if (statusBar_) SetForegroundColour(colour);
}

void CProgressBar::SetBackColour(const wxColour& colour) {
  if (statusBar_) SetBackgroundColour(colour);
}

void CProgressBar::ShowBar() {
  if (!IsShown()) Show();
  FitToPane();
}

void CProgressBar::SetBarRange(int lower, int upper) {
  ShowBar();
  lower_ = lower;
  SetRange(std::max(0, upper - lower));
}

void CProgressBar::SetBarPos(int position) {
  ShowBar();
  SetValue(std::clamp(position - lower_, 0, GetRange()));
}

void CProgressBar::OffsetBarPos(int amount) { SetBarPos(GetValue() + lower_ + amount); }

void CProgressBar::SetBarStep(int step) {
  ShowBar();
  step_ = step;
}

void CProgressBar::StepBar() { OffsetBarPos(step_); }

void CProgressBar::FitToPane() {
  if (!statusBar_ || !IsShown()) return;
  statusBar_->SetStatusText(wxString::FromUTF8(message_), pane_);
  wxRect pane;
  if (!statusBar_->GetFieldRect(pane_, pane)) return;
  int messageWidth = 0;
  int blankWidth = 0;
  if (!message_.empty()) {
    wxClientDC dc(statusBar_);
    dc.SetFont(statusBar_->GetFont());
    messageWidth = dc.GetTextExtent(wxString::FromUTF8(message_)).x;
    blankWidth = dc.GetTextExtent(" ").x;
  }
  const wxRect bar = ToWxRect(FitBarToPane(ToControlRect(pane), messageWidth, blankWidth, share_));
  if (bar == lastRect_) return;
  lastRect_ = bar;
  SetSize(bar);
}

void CProgressBar::OnStatusBarSize(wxSizeEvent& event) {
  event.Skip();
  CallAfter([this] { FitToPane(); });
}
