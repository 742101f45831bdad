#pragma once
// "Rename Group": a new name for a load-balance group, neither empty nor another group's.
#include <wx/dialog.h>

#include <string>
#include <vector>

class wxTextCtrl;

class CLoadBalanceRenameDialog : public wxDialog {
 public:
  enum { IDC_OLD_NAME = 1062, IDC_NEW_NAME = 1065 };

  CLoadBalanceRenameDialog(wxWindow* parent, const std::string& oldName, std::vector<std::string> groupNames);

  // After wxID_OK.
  std::string NewName() const;
  wxTextCtrl* NewNameBox() const { return m_newName; }
  void OnOk();

 private:
  std::string m_oldName;
  std::vector<std::string> m_groupNames;
  wxTextCtrl* m_newName = nullptr;
};
