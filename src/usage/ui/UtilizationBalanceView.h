#pragma once
// The group utilisation pane: the load-balance groups with their APs in a tree on the left, and on the
// right the users of the selected group's APs (or of the one selected AP) over a time window, one line per
// AP, paged with the filter radios and the navigation buttons. A new pane starts at the current period of
// the first group, under the filter chosen last in any such pane.
#include <wx/panel.h>
#include <wx/treectrl.h>

#include <memory>
#include <string>
#include <vector>

#include "chartcore/XYChart.h"
#include "db/LoadBalanceGroupRecord.h"
#include "usage/UtilizationTimeWindow.h"
#include "usage/ui/UsageToolbar.h"

class CChartWindow;
class wxComboBox;
class wxImageList;

// The filter radio chosen last in a group utilisation pane (its id), kept for the next pane.
extern int g_nBalanceFilterId;

class CUtilizationBalanceView : public wxPanel {
 public:
  enum ControlId : int {
    kTreeId = 1267,
    kChartId = 1276,
    kComboId = 11075,
    kFirstId = 1315,
    kPrevId = 1316,
    kNextId = 1320,
    kLastId = 1321,
    kRangeId = 1322,
    kHourId = 1323,
    kDayId = 1324,
    kWeekId = 1325,
    kMonthId = 1326,
    kExportId = 1357,
  };
  // The group users report of the export.
  static constexpr int kGroupUsersReport = 5;

  CUtilizationBalanceView(wxWindow* parent, ReportExport exportReport, wxWindowID id = wxID_ANY);
  ~CUtilizationBalanceView() override;

  // Fills the tree and draws the first chart.
  void OnInitialUpdate();
  // Charts the group or the AP whose tree text this is.
  void RefreshChart(const std::string& selectionText);

  wxTreeCtrl& Tree() { return *tree_; }
  CXYChart& Chart() { return chart_; }
  CChartWindow& ChartWindow() { return *chartWindow_; }
  CUsageToolbar& Toolbar() { return toolbar_; }
  const std::string& SelectionText() const { return selText_; }

 private:
  void LoadGroupTree();
  void FillGroupTree();
  void SelectGroupItem(const std::string& text);
  wxTreeItemId FindRootItem(const std::string& text) const;
  void OnPage(wxCommandEvent& event);
  void OnFilter(wxCommandEvent& event);
  void OnTreeClick(const wxPoint& point);
  void OnSize(wxSizeEvent& event);

  CXYChart chart_;
  wxTreeCtrl* tree_ = nullptr;
  CChartWindow* chartWindow_ = nullptr;
  CUsageToolbar toolbar_;
  wxComboBox* users_ = nullptr;
  std::unique_ptr<wxImageList> images_;
  ReportExport export_;
  CUtilizationTimeWindow window_;
  std::vector<LoadBalanceGroupRecord> groups_;
  wxTreeItemId remembered_;
  std::string selText_;
  int page_ = kPageFirst;
  bool initial_ = false;
};
