#include "config/ui/FirmwareUpgradeCommand.h"

#include "config/FirmwareUpgradeAction.h"
#include "config/ui/FirmwareSwitchView.h"
#include "platform/MessageBox.h"

bool RunFirmwareUpgradeCommand(const std::string& firmwareFile, const FirmwarePanes& panes,
                               const FirmwareUpgradeStarter& start) {
  if (firmwareFile.empty()) {
    platform::MessageBox("Please select a firmware file!");
    return false;
  }
  std::vector<std::string> ips;
  int kind = 0;
  if (panes.apList) {
    kind = CFirmwareUpgradeAction::kAps;
    if (!panes.apList(ips)) return false;
  } else if (panes.switchList != nullptr) {
    kind = CFirmwareUpgradeAction::kSwitches;
    if (!panes.switchList->GetSelectedSwitches(ips)) return false;
  } else {
    platform::MessageBox("Please select AP or switch !");
    return false;
  }
  start(kind, ips, firmwareFile);
  return true;
}
