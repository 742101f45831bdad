#pragma once
// "Config Group AP List": moves APs between the managed APs and the group's members; OK saves the
// member list as a whole.
#include <wx/dialog.h>

#include <memory>
#include <string>

#include "groupmodel/GroupApListModel.h"

class CApListControl;

class CCfgGroupApDlg : public wxDialog {
 public:
  static constexpr int kAvailable = 1056;
  static constexpr int kMembers = 1061;
  static constexpr int kAdd = 1064;
  static constexpr int kDelete = 1069;

  explicit CCfgGroupApDlg(wxWindow* parent);
  int ShowModal() override;

  std::string m_strGroupName;

 private:
  void ShowLists();
  void Add();
  void Remove();
  CApListControl* available_ = nullptr;
  CApListControl* members_ = nullptr;
  std::unique_ptr<CGroupApListModel> model_;
};
