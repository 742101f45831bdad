#pragma once
// The load-balance AP list: every AP the load-balance manager lists, with its SSID, address, MAC and
// group. Its pop-up menu hands its commands to the load-balance tree view, which reads the rows chosen
// here. Rows are not dragged from this list: APs are dropped onto it from the tree.
#include <wx/panel.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/ReportCtrl.h"
#include "db/ApInfoRecord.h"

class wxImageList;

class CLoadBalanceListView : public wxPanel {
 public:
  enum { IDC_LIST = 1 };

  explicit CLoadBalanceListView(wxWindow* parent, wxWindowID id = wxID_ANY);
  ~CLoadBalanceListView() override;

  // Builds the columns and fills the list.
  void OnInitialUpdate();
  // Fills the list afresh from the database.
  void Reload();
  // Where the pop-up menu's commands go.
  void SetCommandTarget(wxEvtHandler* target) { m_commandTarget = target; }

  void DeselectAll();
  // Shows the APs (by MAC) as members of the group, selected; true.
  bool MarkGroupRows(const std::vector<ApInfoRecord>& aps, const std::string& group);
  // Appends the selected rows without a group; the size of out.
  int CollectSelectedUngrouped(std::vector<ApInfoRecord>& out) const;
  // The row of the last pop-up; -1 before the first.
  int GetContextItem() const { return m_contextItem; }
  // Selects the first row of the MAC and scrolls to it; false when there is none.
  bool SelectApByMac(const std::string& mac);
  // The record of the row (its group as the row shows it); nothing outside the rows.
  std::optional<ApInfoRecord> ApAtRow(int row) const;
  // The row under a point of the screen; -1 for none.
  int RowAtScreenPoint(const wxPoint& screen) const;

  CReportCtrl& List() { return m_list; }

 private:
  void OnRowsRightDown(wxMouseEvent& event);
  void ShowPopup(int row, const wxPoint& where);
  void FitColumns();

  CReportCtrl m_list;
  std::unique_ptr<wxImageList> m_images;
  std::vector<ApInfoRecord> m_aps;
  int m_contextItem = -1;
  bool m_columnsPending = true;
  wxEvtHandler* m_commandTarget = nullptr;
};
