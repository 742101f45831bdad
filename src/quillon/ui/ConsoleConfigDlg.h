#pragma once
// Changes the names, addresses, trap receiver, DHCP and group interval of the selected switch with one set.
#include <wx/dialog.h>

#include "quillon/ConsoleConfigSet.h"
#include "uibase/GuiMessageBox.h"

class wxRadioButton;
class wxTextCtrl;

namespace quillon {
class CConsoleSession;
class IConsoleTransport;
}  // namespace quillon

namespace quillon::ui {

namespace config_id {
inline constexpr int kProductName = 1024, kSystemName = 1027, kMac = 1028, kLocation = 1031, kGroupInterval = 1032,
                     kIpAddress = 1033, kGateway = 1034, kTrapAddress = 1035, kSubnetMask = 1036, kPassword = 1022,
                     kEnable = 1130, kDisable = 1131, kSet = 1011, kCancel = 1015;
}

class CConsoleConfigDlg : public wxDialog {
 public:
  CConsoleConfigDlg(wxWindow* parent, CConsoleSession& session, IConsoleTransport& transport, int selectedDevice);

  // What the fields hold, as "Set" reads them.
  ConsoleConfigForm Form() const;

 private:
  void Fill();
  void ChooseDhcp(bool enable);
  void OnSet(wxCommandEvent& event);

  CConsoleSession& session_;
  IConsoleTransport& transport_;
  int selectedDevice_;
  wxTextCtrl *productName_, *mac_, *ipAddress_, *subnetMask_, *gateway_, *trapAddress_, *systemName_, *location_,
      *password_, *groupInterval_;
  wxRadioButton *enable_, *disable_;
  CMessageBoxOwner boxOwner_{this};  // the boxes this dialog raises open over it
};

}  // namespace quillon::ui
