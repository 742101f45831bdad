#include "app/ViewFactories.h"

#include <array>

#include "app/DeviceViewWiring.h"
#include "app/MainFrm.h"
#include "app/PlaceholderView.h"
#include "config/ui/FirmwareSwitchView.h"
#include "groupmodel/ui/GroupView.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "loadbalance/ui/ClientHistoryView.h"
#include "loadbalance/ui/ExportDaysDialog.h"
#include "loadbalance/ui/LoadBalanceTreeView.h"
#include "log/ui/LogView.h"
#include "mainmodel/ViewTable.h"
#include "reports/ReportExporter.h"
#include "reports/ui/ReportWindowsParts.h"
#include "usage/ui/ClientView.h"
#include "usage/ui/UtilizationBalanceView.h"
#include "usage/ui/UtilizationUserPlotView.h"

namespace {

ViewFactory Placeholder(const char* name) {
  return [name](wxWindow* parent) { return new CPlaceholderView(parent, name); };
}

// Every view lives in the main frame's splitters.
CMainFrame& FrameOf(wxWindow* parent) { return *static_cast<CMainFrame*>(wxGetTopLevelParent(parent)); }

// Views that are ready once made and need their initial update.
template <typename View>
ViewFactory Updated() {
  return [](wxWindow* parent) {
    auto* made = new View(parent);
    made->OnInitialUpdate();
    return made;
  };
}

// The utilisation views' Export: the user picks the file and the days, then the report is written.
bool ExportUsageReport(int kind, const std::vector<std::string>& macs) {
  return CReportExporter(*GetLoadBalanceManager(), {ChooseReportFile, ChooseReportDays}, WriteChartBitmap)
      .ExportRecorders(kind, macs);
}

wxWindow* MakeGroupView(wxWindow* parent) {
  CMainFrame& frame = FrameOf(parent);
  return new CGroupView(parent, frame.GroupServices());
}

wxWindow* MakeLoadBalanceTree(wxWindow* parent) {
  auto* tree = new CLoadBalanceTreeView(parent);
  tree->SetApConfigurationOpener(FrameOf(parent).LoadBalanceConfigurationOpener());
  tree->OnInitialUpdate();
  tree->SetSummaryShown(true);
  return tree;
}

wxWindow* MakeUserPlot(wxWindow* parent) {
  auto* plot = new CUtilizationUserPlotView(parent, FrameOf(parent).Plot(), ExportUsageReport);
  plot->OnInitialUpdate();
  return plot;
}

wxWindow* MakeBalancePlot(wxWindow* parent) {
  auto* plot = new CUtilizationBalanceView(parent, ExportUsageReport);
  plot->OnInitialUpdate();
  return plot;
}

struct ViewFactoryRow {
  int number;
  ViewFactory make;
};

// One row per view number; replace a Placeholder(...) with the view's own factory when it exists.
const std::array<ViewFactoryRow, 12>& Table() {
  static const std::array<ViewFactoryRow, 12> table{{
      {view::kDeviceList, CreateFrameDeviceListView},
      {view::kTopologyTree, CreateFrameDeviceTreeView},
      {view::kTopologyMap, CreateFrameMapView},
      {view::kGroups, MakeGroupView},
      {view::kLoadBalanceTree, MakeLoadBalanceTree},
      {view::kClients, Updated<CClientView>()},
      {view::kFirmwareAps, CreateFrameFirmwareApView},
      {view::kFirmwareSwitches, [](wxWindow* parent) { return new CFirmwareSwitchView(parent); }},
      {view::kLog, [](wxWindow* parent) { return new CLogView(parent); }},
      {view::kUtilizationPlot, MakeUserPlot},
      {view::kLoadBalanceButtons, Updated<CClientHistoryView>()},
      {view::kUtilizationBalance, MakeBalancePlot},
  }};
  return table;
}

}  // namespace

ViewFactory FindViewFactory(int number) {
  for (const ViewFactoryRow& row : Table())
    if (row.number == number) return row.make;
  return {};
}

wxWindow* CreateHeaderBar(wxWindow* parent) { return CreateFrameHeaderBar(parent); }
