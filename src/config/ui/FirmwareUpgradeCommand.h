#pragma once
// The steps of the "Upgrade" command that the header bar over the device views and the upgrade dialog
// share: a firmware file must be chosen, the devices come from the firmware pane that is shown (the AP
// list's selection, else the switch list's), and the upgrade is started with them.
#include <functional>
#include <string>
#include <vector>

class CFirmwareSwitchView;

// Starts the firmware upgrade job: device kind (1 switches, 2 APs), IP list, firmware file (the main
// frame's StartFirmwareUpgrade).
using FirmwareUpgradeStarter =
    std::function<void(int deviceKind, const std::vector<std::string>& ips, const std::string& firmwareFile)>;
// The selected APs of the AP firmware list; false once that view has shown why there are none.
using ApFirmwareSelection = std::function<bool(std::vector<std::string>& ips)>;

// The pane the frame shows now: at most one of the two is set.
struct FirmwarePanes {
  ApFirmwareSelection apList;
  CFirmwareSwitchView* switchList = nullptr;
};

// True when the upgrade was started.
bool RunFirmwareUpgradeCommand(const std::string& firmwareFile, const FirmwarePanes& panes,
                               const FirmwareUpgradeStarter& start);
