#include "app/LanManConfigView.h"

CLanManConfigView::CLanManConfigView(wxWindow* parent, SheetFactory makeSheet)
    : wxPanel(parent, wxID_ANY), makeSheet_(std::move(makeSheet)) {
  Bind(wxEVT_SIZE, &CLanManConfigView::OnSize, this);
}

void CLanManConfigView::OnInitialUpdate() {
  if (!sheet_ && makeSheet_) sheet_ = makeSheet_(this);
  if (sheet_) sheet_->SetSize(GetClientRect());
}

void CLanManConfigView::OnSize(wxSizeEvent& event) {
  if (sheet_) sheet_->SetSize(0, 0, GetClientSize().x, GetClientSize().y);
  event.Skip();
}
