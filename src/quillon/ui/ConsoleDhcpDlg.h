#pragma once
// Asks a switch that uses DHCP to renew its address; only its password is asked for.
#include <wx/dialog.h>

#include "uibase/GuiMessageBox.h"

class wxTextCtrl;

namespace quillon {
class CConsoleSession;
class IConsoleTransport;
}  // namespace quillon

namespace quillon::ui {

namespace dhcp_id {
inline constexpr int kPassword = 1132, kApply = 1133;
}

class CConsoleDhcpDlg : public wxDialog {
 public:
  CConsoleDhcpDlg(wxWindow* parent, CConsoleSession& session, IConsoleTransport& transport, int selectedDevice);

 private:
  void OnApply(wxCommandEvent& event);

  CConsoleSession& session_;
  IConsoleTransport& transport_;
  int selectedDevice_;
  wxTextCtrl* password_;
  CMessageBoxOwner boxOwner_{this};  // the boxes this dialog raises open over it
};

}  // namespace quillon::ui
