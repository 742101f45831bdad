#include "log/ui/LoginDlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "log/AccountService.h"
#include "platform/MessageBox.h"

namespace {

// The banner across the top: the product's name on its colour.
wxWindow* Banner(wxWindow* parent, const std::string& title) {
  auto* banner = new wxPanel(parent, wxID_ANY, wxDefaultPosition, wxSize(-1, 56));
  banner->SetBackgroundColour(wxColour(24, 64, 120));
  auto* text = new wxStaticText(banner, wxID_ANY, wxString::FromUTF8(title));
  text->SetForegroundColour(*wxWHITE);
  text->SetFont(text->GetFont().Scaled(1.6f).Bold());
  auto* layout = new wxBoxSizer(wxHORIZONTAL);
  layout->Add(text, wxSizerFlags().CentreVertical().Border(wxLEFT, 16));
  banner->SetSizer(layout);
  return banner;
}

}  // namespace

CLoginDlg::CLoginDlg(wxWindow* parent, const std::string& appTitle)
    : wxDialog(parent, IDD, wxString::FromUTF8(appTitle + " Login")), m_strAccount(accounts::kLoginAccount) {
  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(Banner(this, appTitle), wxSizerFlags().Expand());
  layout->Add(new wxStaticText(this, wxID_ANY, "Enter Your Password"), wxSizerFlags().Border(wxALL, 10));

  // The account box and the save mark exist but are never shown: the login is always for "admin".
  auto* accountLabel = new wxStaticText(this, wxID_ANY, "Account");
  account_ = new wxComboBox(this, IDC_ACCOUNT, wxString::FromUTF8(m_strAccount));
  savePassword_ = new wxCheckBox(this, IDC_SAVE_PASSWORD, "Save my password");
  for (wxWindow* hidden : {static_cast<wxWindow*>(accountLabel), static_cast<wxWindow*>(account_),
                           static_cast<wxWindow*>(savePassword_)})
    hidden->Hide();

  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxStaticText(this, wxID_ANY, "Password"), wxSizerFlags().CentreVertical().Border(wxRIGHT, 8));
  password_ = new wxTextCtrl(this, IDC_PASSWORD, "", wxDefaultPosition, wxSize(200, -1), wxTE_PASSWORD);
  row->Add(password_, wxSizerFlags(1));
  layout->Add(row, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT, 10));
  layout->Add(CreateStdDialogButtonSizer(wxOK | wxCANCEL), wxSizerFlags().Expand().Border(wxALL, 10));
  SetSizerAndFit(layout);
  CentreOnScreen();

  Bind(wxEVT_BUTTON, &CLoginDlg::OnOK, this, wxID_OK);
  Bind(wxEVT_COMBOBOX, &CLoginDlg::OnSelendokAccount, this, IDC_ACCOUNT);
  password_->SetFocus();
}

void CLoginDlg::OnOK(wxCommandEvent&) {
  m_strAccount = account_->GetValue().utf8_string();
  m_strPassword = password_->GetValue().utf8_string();
  const accounts::Outcome outcome = accounts::CheckLogin(m_strAccount, m_strPassword);
  if (outcome.accepted) {
    EndModal(wxID_OK);
    return;
  }
  platform::MessageBox(outcome.message, outcome.caption,
                       outcome.caption.empty() ? platform::MB_OK : platform::MB_ICONWARNING);
  m_strPassword.clear();
  password_->Clear();
  password_->SetFocus();
}

void CLoginDlg::OnSelendokAccount(wxCommandEvent&) {
  const std::string picked = account_->GetStringSelection().utf8_string();
  m_strAccount = picked;
  m_bSavePassword = accounts::IsAutoLogin(picked);
  // A stored password cannot be read back, so it is never filled in; the user types it.
  m_strPassword.clear();
  account_->SetValue(wxString::FromUTF8(m_strAccount));
  savePassword_->SetValue(m_bSavePassword);
  password_->Clear();
}
