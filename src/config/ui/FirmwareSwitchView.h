#pragma once
// The switch firmware pane: one row per managed switch with stored properties (MAC, system name,
// location, IP, subnet mask, gateway); the Upgrade command takes the selected switches' addresses.
#include <wx/panel.h>

#include <string>
#include <vector>

#include "db/SwitchPropertyList.h"

class CReportCtrl;

class CFirmwareSwitchView : public wxPanel {
 public:
  static constexpr int kList = 1305;

  // Builds the list and fills it once (the frame makes the pane anew each time it is shown).
  explicit CFirmwareSwitchView(wxWindow* parent);

  // (Re)builds the columns and the rows.
  void FillList();
  // Appends the addresses of the selected switches; false, after "Please select switch!", when none.
  bool GetSelectedSwitches(std::vector<std::string>& ips);
  CReportCtrl* List() const { return list_; }

 private:
  void OnSize(wxSizeEvent& event);

  CReportCtrl* list_;
  std::vector<SwitchPropertyList> rows_;
};
