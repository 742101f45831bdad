#pragma once
// "Join  Into Current Grop": the user picks the load-balance group that the APs chosen in the AP list join.
#include <wx/dialog.h>

#include <string>
#include <vector>

class wxChoice;

class CLoadBalanceJoinDialog : public wxDialog {
 public:
  enum { IDC_GROUP = 1070 };

  CLoadBalanceJoinDialog(wxWindow* parent, const std::vector<std::string>& groupNames);

  // After wxID_OK: the group chosen.
  const std::string& GroupName() const { return m_groupName; }
  wxChoice* GroupChoice() const { return m_group; }
  void OnOk();

 private:
  wxChoice* m_group = nullptr;
  std::string m_groupName;
};
