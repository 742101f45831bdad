#include "log/ui/ModifySysPwdDlg.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "log/AccountService.h"
#include "platform/MessageBox.h"

CModifySysPwdDlg::CModifySysPwdDlg(wxWindow* parent, std::string user)
    : wxDialog(parent, IDD, "Modify Password"), user_(std::move(user)) {
  auto* grid = new wxFlexGridSizer(2, wxSize(8, 8));
  grid->AddGrowableCol(1);
  auto addEdit = [&](int id, const char* label) {
    grid->Add(new wxStaticText(this, wxID_ANY, label), wxSizerFlags().CentreVertical());
    auto* edit = new wxTextCtrl(this, id, "", wxDefaultPosition, wxSize(180, -1), wxTE_PASSWORD);
    edit->SetMaxLength(accounts::kMaxPasswordCharacters);
    grid->Add(edit, wxSizerFlags().Expand());
    return edit;
  };
  old_ = addEdit(IDC_OLD, "Old Password");
  new_ = addEdit(IDC_NEW, "New Password");
  confirm_ = addEdit(IDC_CONFIRM, "Confirm Password");

  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(grid, wxSizerFlags().Expand().Border(wxALL, 10));
  layout->Add(new wxStaticLine(this), wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT, 10));
  layout->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), wxSizerFlags().Expand().Border(wxALL, 10));
  SetSizerAndFit(layout);
  CentreOnScreen();
  Bind(wxEVT_BUTTON, &CModifySysPwdDlg::OnOK, this, wxID_OK);
  old_->SetFocus();
}

void CModifySysPwdDlg::OnOK(wxCommandEvent&) {
  const accounts::Outcome outcome =
      accounts::ChangePassword(user_, old_->GetValue().utf8_string(), new_->GetValue().utf8_string(),
                               confirm_->GetValue().utf8_string());
  platform::MessageBox(outcome.message, outcome.caption);
  if (outcome.accepted) {
    EndModal(wxID_OK);
    return;
  }
  if (outcome.focus == accounts::Field::OldPassword) old_->SetFocus();
  if (outcome.focus == accounts::Field::NewPassword) new_->SetFocus();
  if (outcome.focus == accounts::Field::ConfirmPassword) confirm_->SetFocus();
}
