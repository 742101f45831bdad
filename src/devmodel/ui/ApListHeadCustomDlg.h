#pragma once
// The "Custom" dialog of the AP list: the columns not shown ("Available:") and the ones shown
// ("Choosen:"), moved and ordered with six buttons; OK stores the choice in the shown order.
#include <wx/dialog.h>

#include <vector>

#include "db/ApListColumn.h"
#include "devmodel/ui/DualListManager.h"

class CApListHeadCustomDlg : public wxDialog {
 public:
  enum Id { kAvailableList = 10660, kChosenList = 10590, kAdd = 10600, kAddAll = 10610, kRemove = 10620,
            kRemoveAll = 10630, kMoveUp = 10640, kMoveDown = 10650 };

  explicit CApListHeadCustomDlg(wxWindow* parent);

  // Before ShowModal: every column the list can show, and the ones it shows now.
  void SetColumns(const std::vector<ApListColumn>& all, const std::vector<ApListColumn>& chosen);
  CDualListManager& Manager() { return manager_; }

 private:
  void OnCommand(wxCommandEvent& event);
  void OnOk(wxCommandEvent& event);

  CDualListManager manager_;
  // Keys are indexes into this list.
  std::vector<ApListColumn> columns_;
};
