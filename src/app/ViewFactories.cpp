#include "app/ViewFactories.h"

#include <array>

#include "app/DeviceViewWiring.h"
#include "app/PlaceholderView.h"
#include "config/ui/FirmwareSwitchView.h"
#include "mainmodel/ViewTable.h"

namespace {

ViewFactory Placeholder(const char* name) {
  return [name](wxWindow* parent) { return new CPlaceholderView(parent, name); };
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
      {view::kGroups, Placeholder("Groups")},
      {view::kLoadBalanceTree, Placeholder("Load balance groups")},
      {view::kClients, Placeholder("Clients")},
      {view::kFirmwareAps, CreateFrameFirmwareApView},
      {view::kFirmwareSwitches, [](wxWindow* parent) { return new CFirmwareSwitchView(parent); }},
      {view::kLog, Placeholder("Log")},
      {view::kUtilizationPlot, Placeholder("AP utilization")},
      {view::kLoadBalanceButtons, Placeholder("Client information")},
      {view::kUtilizationBalance, Placeholder("Load balance utilization")},
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
