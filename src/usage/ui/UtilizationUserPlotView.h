#pragma once
// The AP utilisation pane: every AP in a list on the left, and on the right one AP's connected users or
// traffic between poll rounds over a time window, paged with the filter radios and the navigation
// buttons. What it plots and for which AP it opens are the main window's choice (PlotChoice).
#include <wx/panel.h>

#include <string>
#include <vector>

#include "chartcore/XYChart.h"
#include "controls/ReportCtrl.h"
#include "db/ApInfoRecord.h"
#include "usage/ApUsageChart.h"
#include "usage/UtilizationTimeWindow.h"
#include "usage/ui/UsageToolbar.h"

class CChartWindow;

// The filter radio chosen last in an AP utilisation pane (its id), kept for the next pane.
extern int g_nApFilterId;

// Owned by the main window: the plot mode (kPlotUsers, kPlotTraffic; kPlotNone before any) and the MAC of
// an AP to open the pane with (taken and cleared by the pane).
struct PlotChoice {
  int plotMode = kPlotNone;
  std::string plotApMac;
};

class CUtilizationUserPlotView : public wxPanel {
 public:
  enum ControlId : int {
    kShowId = 1266,
    kRefreshId = 1286,
    kListId = 1280,
    kChartId = 1276,
    kHourId = 1317,
    kDayId = 1302,
    kWeekId = 1306,
    kMonthId = 1309,
    kFirstId = 1271,
    kPrevId = 1311,
    kNextId = 1313,
    kLastId = 1314,
    kRangeId = 1319,
    kExportId = 1268,
  };

  CUtilizationUserPlotView(wxWindow* parent, PlotChoice& choice, ReportExport exportReport, wxWindowID id = wxID_ANY);
  ~CUtilizationUserPlotView() override;

  // Lists the APs and draws the first chart: the last 8 days of the chosen AP (or the first one).
  void OnInitialUpdate();
  // Rereads the AP's oldest records and shows its last window.
  void SelectAp();
  void RefreshChart(int page);

  CReportCtrl& List() { return list_; }
  CXYChart& Chart() { return chart_; }
  CChartWindow& ChartWindow() { return *chartWindow_; }
  CUsageToolbar& Toolbar() { return toolbar_; }
  const std::string& ApMac() const { return apMac_; }

 private:
  void SetColumnWidths();
  // The MAC of the list's first selected row, which becomes the charted row; "" when none is selected.
  std::string GetSelectedApMac();
  void SelectRow(int row);
  ApInfoRecord RowAp(int row) const;
  void ReadOldestRecords();
  void OnPage(wxCommandEvent& event);
  void OnFilter(wxCommandEvent& event);
  void OnListClick(const wxPoint& point);
  void OnExport();
  void OnSize(wxSizeEvent& event);

  PlotChoice& choice_;
  CXYChart chart_;
  CReportCtrl list_;
  CChartWindow* chartWindow_ = nullptr;
  CUsageToolbar toolbar_;
  ReportExport export_;
  CUtilizationTimeWindow window_;
  std::string apMac_;
  int selItem_ = -1;
  bool initial_ = false;
};
