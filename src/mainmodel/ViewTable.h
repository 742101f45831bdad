#pragma once
// The lower pane's view numbers and what switching to one does to the frame's layout, and the navigation
// commands that lead to them. Numbers without a row (0, 7, 8, 13, ...) only lay the frame out again.
#include <optional>
#include <string>

namespace view {
constexpr int kDeviceList = 1;
constexpr int kTopologyTree = 2;
constexpr int kTopologyMap = 3;
constexpr int kGroups = 4;
constexpr int kLoadBalanceTree = 5;
constexpr int kClients = 6;
constexpr int kFirmwareAps = 9;
constexpr int kFirmwareSwitches = 10;
constexpr int kLog = 11;
constexpr int kUtilizationPlot = 12;
constexpr int kLoadBalanceButtons = 14;
constexpr int kUtilizationBalance = 15;
}  // namespace view

struct ViewLayout {
  int number = 0;
  const char* className = "";  // for the "Failed to create " trace
  int headerHeight = 0;        // ideal height of the header row; its minimum is 18
  bool thinBars = false;       // outer bars 1 pixel (header out of sight) instead of their own width
  bool keepWhenShown = true;   // a switch to the view already shown only lays the frame out
  bool fullHeight = false;     // created client width x client height, else client width x 0
};

// The row of a view number; none for a number that only lays the frame out.
std::optional<ViewLayout> FindViewLayout(int number);

// What SwitchView does for a number, given the number of the view now in the pane (0 for none).
struct ViewSwitchPlan {
  bool layoutOnly = true;      // no row, or the view is shown already and kept
  ViewLayout layout;
  bool lockOuterAgain = false;  // views 5 and 12 forbid dragging the outer bars once more
  bool thinInnerBars = false;   // view 12 thins and locks the inner bars again
};
ViewSwitchPlan PlanViewSwitch(int number, int shownNumber);

// The navigation commands of the bar and what each does.
struct NavigationAction {
  int view = 0;             // view to switch to; 0 none
  int plotMode = 0;         // 1 users, 2 traffic; 0 unchanged
  int headerViewBy = -1;    // the header bar's view-by value to set first; -1 none
  int headerFocusControl = 0;
  bool loadBalanceFlag = false;
  bool runSummary = false;  // the summary dialog instead of a view
  const char* trace = "";   // debugger output first, when not empty
};
std::optional<NavigationAction> FindNavigationAction(int command);
