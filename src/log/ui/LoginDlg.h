#pragma once
// The login before the main window: the password of the account "admin". OK closes it only after the
// password matched; Cancel ends the program (the application decides that).
#include <wx/dialog.h>

#include <string>

class wxCheckBox;
class wxComboBox;
class wxTextCtrl;

class CLoginDlg : public wxDialog {
 public:
  enum { IDD = 376, IDC_ACCOUNT = 1378, IDC_PASSWORD = 1354, IDC_SAVE_PASSWORD = 1377 };

  // appTitle goes before the dialog's own caption "Login".
  CLoginDlg(wxWindow* parent, const std::string& appTitle);

  // The account that logged in, after OK.
  const std::string& Account() const { return m_strAccount; }

 private:
  void OnOK(wxCommandEvent& event);
  // Picking an account (the account box is hidden, so only a program could): its auto-login mark.
  void OnSelendokAccount(wxCommandEvent& event);

  wxComboBox* account_ = nullptr;
  wxTextCtrl* password_ = nullptr;
  wxCheckBox* savePassword_ = nullptr;
  std::string m_strPassword;
  std::string m_strAccount;
  bool m_bSavePassword = false;
};
