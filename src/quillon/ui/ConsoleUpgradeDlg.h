#pragma once
// Upgrades the firmware of one switch: its password and a firmware file, the trigger over the console
// protocol, then the TFTP transfer. Not modal, so the console stays usable meanwhile.
#include <wx/dialog.h>

#include <functional>
#include <memory>

#include "quillon/ConsoleProtocol.h"
#include "quillon/ConsoleTransport.h"
#include "quillon/TftpWriteClient.h"
#include "quillon/ui/WxConsoleTimer.h"
#include "uibase/GuiMessageBox.h"

class wxButton;
class wxTextCtrl;

namespace quillon {
class CConsoleSession;
}

namespace quillon::ui {

class CSocketWatch;

namespace upgrade_id {
inline constexpr int kFirmwarePath = 1045, kDeviceIp = 1060, kDeviceMac = 1061, kPassword = 1070, kState = 1073,
                     kBrowse = 1074, kStart = 1015;
}

struct UpgradeContext {
  CConsoleSession& session;
  IConsoleTransport& transport;
  ConsoleEndpoints endpoints;
  ConsoleDeviceRecord device;
  TftpTimings timings;
  std::function<void()> onFinished;  // every block went over: the console rediscovers the switch
  std::function<void()> onClosed;
};

class CConsoleUpgradeDlg : public wxDialog {
 public:
  CConsoleUpgradeDlg(wxWindow* parent, UpgradeContext context);
  ~CConsoleUpgradeDlg() override;

  // The console closes first: the transfer stops and the console hears nothing more.
  void Abandon();

  wxString StateText() const;

 private:
  class WatchedSocket;
  void OnStart(wxCommandEvent& event);
  void OnBrowse(wxCommandEvent& event);
  void OnTriggerWaited();
  void End();

  UpgradeContext context_;
  wxTextCtrl *path_, *password_, *state_;
  wxButton* start_;
  std::unique_ptr<WatchedSocket> socket_;
  CWxConsoleTimer dataTimer_, requestTimer_, finishTimer_, triggerTimer_;
  std::unique_ptr<CTftpWriteClient> client_;
  std::string firmwarePath_;
  CMessageBoxOwner boxOwner_{this};  // the boxes this dialog raises open over it
};

}  // namespace quillon::ui
