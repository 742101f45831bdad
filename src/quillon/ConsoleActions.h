#pragma once
// What the console's buttons decide before any dialog opens: how many rows are selected, whether the
// selected switch speaks a protocol the console can configure, and how a header click sorts the list.
// The window turns the decisions into its message boxes and dialogs.
#include <optional>

#include "quillon/ConsoleSession.h"

namespace quillon {

enum class SelectionKind { Several = 1, None = 2, One = 3 };

enum class ConsoleAction {
  Nothing,           // refused without a message (versions)
  SelectionRefused,  // "Only one device can be selected" or "Please select one device" was shown
  LoaderRefused,     // "Agent is in loader mode, it can't set \n it needs firmware upgrade" was shown
  OpenConfiguration,
  PrepareUpgrade,
  OpenDhcpRefresh,
};

class CConsoleActions {
 public:
  explicit CConsoleActions(CConsoleSession& session) : session_(session) {}

  SelectionKind Selection() const;
  // For one selected row: 0 when the console can configure the switch, 5 for a protocol version other than 2,
  // 6 for an interface version above 3, 7 below 3. `index` is the switch's record.
  int CheckDeviceVersions(int& index) const;

  ConsoleAction Configuration();
  ConsoleAction FirmwareUpgrade();
  ConsoleAction DhcpRefresh();
  // After a click in the list: whether the DHCP Refresh button is enabled; empty leaves it as it is.
  std::optional<bool> DhcpRefreshEnabled() const;
  // A header click: toggles the direction, then sorts by columns 0 to 9 (column 10 sorts nothing).
  void Sort(int column);

  int SelectedDevice() const { return selectedDevice_; }
  int ListCount() const { return listCount_; }
  int SortColumn() const { return sortColumn_; }
  bool Ascending() const { return ascending_; }

 private:
  bool RefuseSelection(SelectionKind kind) const;

  CConsoleSession& session_;
  int selectedDevice_ = 0;
  int listCount_ = 0;
  int sortColumn_ = 0;
  bool ascending_ = true;
};

}  // namespace quillon
