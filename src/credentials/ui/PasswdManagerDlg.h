#pragma once
// "Deivce Password Manager": the managed devices with a masked password, and the ways to change one
// device's password or every device's.
#include <wx/dialog.h>

#include <string>
#include <vector>

#include "credentials/ModifyPasswordService.h"

class wxListCtrl;

class CPasswdManagerDlg : public wxDialog {
 public:
  enum { IDD = 352, IDC_LIST = 1334, IDC_MODIFY_SINGLE = 1336, IDC_MODIFY_ALL = 1272 };

  // macOfIp and startAll as CModifyPasswordService takes them.
  CPasswdManagerDlg(wxWindow* parent, CModifyPasswordService::MacLookup macOfIp,
                    CModifyPasswordService::StartAll startAll);

  // Reloads the rows; an empty table keeps the rows shown. The main frame calls it when a pass ends.
  void FillList();
  wxListCtrl* List() const { return m_list; }
  // Opens "Modify Password" for the selected device (none selected: for a device typed in).
  void OnModifySingle();
  void OnModifyAll();

 private:
  void SetupList();

  CModifyPasswordService m_service;
  wxListCtrl* m_list = nullptr;
  std::vector<std::string> m_passwords;  // one per row, never shown
};
