#pragma once
// "Rename Group": asks for a group's new name; the caller renames.
#include <wx/dialog.h>

#include <string>

class wxTextCtrl;

class CRenameGroupDlg : public wxDialog {
 public:
  static constexpr int kCurrentName = 1051;
  static constexpr int kNewName = 1180;

  explicit CRenameGroupDlg(wxWindow* parent);
  int ShowModal() override;

  std::string m_strCurrentName;
  std::string m_strNewName;

 private:
  void OnOk(wxCommandEvent& event);
  wxTextCtrl* current_ = nullptr;
  wxTextCtrl* newName_ = nullptr;
};
