#pragma once
// The device console: the list of switches that answered a discovery, and the buttons that configure,
// refresh or upgrade the one the user selected. Everything runs on the UI thread: the sockets' readiness
// and the timers arrive through the toolkit's event loop.
#include <wx/dialog.h>

#include <memory>
#include <vector>

#include "quillon/ConsoleActions.h"
#include "quillon/ConsoleSession.h"
#include "quillon/ConsoleTransport.h"
#include "quillon/KeepAlive.h"
#include "quillon/Rediscovery.h"
#include "quillon/TftpWriteClient.h"
#include "quillon/ui/WxConsoleTimer.h"
#include "uibase/GuiMessageBox.h"

class wxButton;
class wxGUIEventLoop;
class wxListCtrl;
class wxListEvent;

namespace quillon::ui {

class CConsoleUpgradeDlg;
class CSocketWatch;

namespace console_id {
inline constexpr int kList = 1000, kDiscovery = 1001, kConfiguration = 1009, kFirmwareUpgrade = 1042, kExit = 1043,
                     kDhcpRefresh = 1131;
}

class CConsoleDlg : public wxDialog {
 public:
  explicit CConsoleDlg(wxWindow* parent = nullptr);
  ~CConsoleDlg() override;

  // The start-up: define.ecf, the sockets, the keep-alive and a first discovery. False when the multicast
  // socket could not be made ready; the console then closes.
  bool Initialise();
  // Shows the console, with the windows that exist now disabled, until it closes.
  int RunModal();

  // Shorter waits for tests.
  void SetTimings(RediscoveryTimings rediscovery, TftpTimings tftp);

  CConsoleSession& Session() { return *session_; }
  wxListCtrl* List() const { return list_; }
  CConsoleUpgradeDlg* UpgradeDialog() const { return upgrade_; }
  bool RediscoveryRunning() const { return rediscovery_ && rediscovery_->Running(); }

 private:
  void BuildControls();
  void OnDiscovery(wxCommandEvent& event);
  void OnConfiguration(wxCommandEvent& event);
  void OnFirmwareUpgrade(wxCommandEvent& event);
  void OnDhcpRefresh(wxCommandEvent& event);
  void OnExit(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);
  void OnCharHook(wxKeyEvent& event);
  void OnColumnClick(wxListEvent& event);
  void OnSelectionChanged(wxListEvent& event);
  void OnActivated(wxListEvent& event);

  void Configure();
  void PrepareUpgradeDialog();
  void HandleReadable();
  // The list control shows the model's rows and selection.
  void ShowList();
  // The model takes the control's selection.
  void TakeSelection();
  void CloseConsole();

  wxListCtrl* list_ = nullptr;
  wxButton* dhcpRefresh_ = nullptr;
  std::unique_ptr<CUdpConsoleTransport> transport_;
  std::unique_ptr<CConsoleSession> session_;
  std::unique_ptr<CConsoleActions> actions_;
  std::unique_ptr<CIgmpKeepAlive> keepAlive_;
  std::vector<std::unique_ptr<CSocketWatch>> watches_;
  CWxConsoleTimer rediscoveryTimer_;
  std::unique_ptr<CRediscovery> rediscovery_;
  RediscoveryTimings rediscoveryTimings_;
  TftpTimings tftpTimings_;
  CConsoleUpgradeDlg* upgrade_ = nullptr;
  wxGUIEventLoop* loop_ = nullptr;
  int result_ = wxID_CANCEL;
  bool showing_ = false;
  CMessageBoxOwner boxOwner_{this};  // the boxes this dialog raises open over it
};

}  // namespace quillon::ui
