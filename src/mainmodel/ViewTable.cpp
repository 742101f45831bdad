#include "mainmodel/ViewTable.h"

#include <array>

namespace {

constexpr std::array<ViewLayout, 12> kViews{{
    {view::kDeviceList, "CTopologyListView", 65, false, true, false},
    {view::kTopologyTree, "CTopologyTreeView", 33, false, true, false},
    {view::kTopologyMap, "CTopologyVisualView", 33, false, true, false},
    {view::kGroups, "CGroupView", 0, true, true, true},
    {view::kLoadBalanceTree, "CLoadBalanceTreeView", 0, true, true, true},
    {view::kClients, "CClientView", 0, true, true, true},
    {view::kFirmwareAps, "CTopologyListView", 33, false, true, false},
    {view::kFirmwareSwitches, "CFirmwareSwitchView", 33, false, true, false},
    {view::kLog, "CLogView", 0, true, true, true},
    {view::kUtilizationPlot, "CUtilizationUserPlotView", 0, true, false, true},
    {view::kLoadBalanceButtons, "CLoadBalanceButtonView", 0, true, false, true},
    {view::kUtilizationBalance, "CUtilizationBalanceView", 0, true, false, true},
}};

struct NavigationRow {
  int command;
  NavigationAction action;
};

const std::array<NavigationRow, 12> kNavigation{{
    {5615, {view::kDeviceList, 0, 0, 1227, false, false, "OnViewApList"}},
    {5616, {view::kClients, 0, -1, 0, false, false, "OnViewClient"}},
    {5617, {0, 0, -1, 0, false, true, "OnViewSummary"}},
    {5618, {view::kGroups, 0, -1, 0, false, false, ""}},
    {5619, {view::kLoadBalanceTree, 0, -1, 0, true, false, ""}},
    {5620, {view::kLoadBalanceTree, 0, -1, 0, true, false, ""}},
    {5622, {view::kFirmwareAps, 0, 3, 1299, false, false, ""}},
    {5623, {view::kLog, 0, -1, 0, false, false, ""}},
    {5624, {view::kUtilizationPlot, 2, -1, 0, false, false, ""}},
    {5625, {view::kUtilizationPlot, 1, -1, 0, false, false, ""}},
    {5626, {view::kLoadBalanceButtons, 0, -1, 0, false, false, ""}},
    {5627, {view::kUtilizationBalance, 0, -1, 0, false, false, ""}},
}};

}  // namespace

std::optional<ViewLayout> FindViewLayout(int number) {
  for (const ViewLayout& layout : kViews)
    if (layout.number == number) return layout;
  return std::nullopt;
}

ViewSwitchPlan PlanViewSwitch(int number, int shownNumber) {
  ViewSwitchPlan plan;
  std::optional<ViewLayout> layout = FindViewLayout(number);
  if (!layout) return plan;
  plan.layout = *layout;
  if (layout->keepWhenShown && number == shownNumber) return plan;
  plan.layoutOnly = false;
  plan.lockOuterAgain = number == view::kLoadBalanceTree || number == view::kUtilizationPlot;
  plan.thinInnerBars = number == view::kUtilizationPlot;
  return plan;
}

std::optional<NavigationAction> FindNavigationAction(int command) {
  for (const NavigationRow& row : kNavigation)
    if (row.command == command) return row.action;
  return std::nullopt;
}
