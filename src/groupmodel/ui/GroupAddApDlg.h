#pragma once
// "Add Group AP": the managed APs not yet in the group, with check boxes; OK adds the ticked ones when
// no other group binds any of them.
#include <wx/dialog.h>

#include <memory>
#include <string>

#include "groupmodel/GroupAddApModel.h"

class CApListControl;

class CGroupAddApDlg : public wxDialog {
 public:
  static constexpr int kList = 1191;

  explicit CGroupAddApDlg(wxWindow* parent);
  int ShowModal() override;

  std::string m_strGroupName;

 private:
  void OnOk(wxCommandEvent& event);
  CApListControl* list_ = nullptr;
  std::unique_ptr<CGroupAddApModel> model_;
};
