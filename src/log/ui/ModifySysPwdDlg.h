#pragma once
// "Modify Password": changes the logged-in account's password after checking the old one.
#include <wx/dialog.h>

#include <string>

class wxTextCtrl;

class CModifySysPwdDlg : public wxDialog {
 public:
  enum { IDD = 377, IDC_CONFIRM = 1195, IDC_NEW = 1190, IDC_OLD = 1355 };

  // user: the account that logged in.
  CModifySysPwdDlg(wxWindow* parent, std::string user);

 private:
  void OnOK(wxCommandEvent& event);

  std::string user_;
  wxTextCtrl* confirm_ = nullptr;
  wxTextCtrl* new_ = nullptr;
  wxTextCtrl* old_ = nullptr;
};
