#pragma once
// The main window: menus, tool bar, status bar, the navigation bar with the device-event counters, the
// header bar and the current view in their splitters, the "Output" bar with the system and action logs,
// the tray icon, the timers and the device console's library. What it decides is CMainController's; this
// class carries the windows out (IFrameWindows) and routes the commands.
#include <wx/aui/aui.h>
#include <wx/frame.h>
#include <wx/listctrl.h>
#include <wx/timer.h>

#include <array>
#include <map>
#include <memory>

#include "config/ui/ApConfiguration.h"
#include "groupmodel/ui/GroupViewServices.h"
#include "loadbalance/ui/LoadBalanceTreeView.h"
#include "mainmodel/FrameWindows.h"
#include "mainmodel/MainController.h"
#include "platform/Window.h"
#include "usage/ui/UtilizationUserPlotView.h"

class CApSetThread;
class CDevicePasswordChanger;
class CEventDlg;
class CPasswdManagerDlg;
class CFirmwareUpgradeRunner;
class CGuiMessageReceiver;
class CMainTrayIcon;
class CNoticePopup;
class COutlook2Ctrl;
class CProgressWnd;
class CQuillonLibrary;
class CSaveNewDevDlg;
class CSplitterWndEx;
class wxAuiNotebook;
class wxGauge;

class CMainFrame : public wxFrame, public IFrameWindows {
 public:
  // The polling thread the frame drives; by default the engine's.
  using PollingFactory = std::function<std::unique_ptr<IPollingControl>()>;
  static void SetPollingFactory(PollingFactory factory);

  CMainFrame();
  ~CMainFrame() override;

  platform::WindowId GetWindowId() const { return windowId_; }
  CMainController& Controller() { return *controller_; }

  // Job starters for the views and dialogs that start long work; none waits for its job. launch starts
  // the job object of its own part of the console.
  bool StartApSetJob(std::size_t changeCount, const std::string& title, const ApSetTarget& target,
                     const std::function<void()>& launch) {
    return controller_->StartApSetJob(changeCount, title, target, launch);
  }
  // One AP's change list sent by the frame's AP-set thread, behind a modal progress window.
  void StartApSetJob(const CApSetTask& task, const std::string& caption);
  void StartApplyGroupTemplate(const std::string& group) { controller_->StartApplyGroupTemplate(group); }
  // The firmware job of the firmware panes' Upgrade command, with its progress window.
  CFirmwareUpgradeRunner& FirmwareUpgrade() { return *firmwareUpgrade_; }
  void StartModifyDevicePassword(const std::function<void()>& launch) {
    controller_->StartModifyDevicePassword(launch);
  }
  // Every managed device's password changed by the frame's password changer.
  void StartModifyDevicePassword(const std::string& newPassword);

  // What the views ask of the frame: the group view's services, the load-balance tree's AP configuration,
  // the utilisation plot's mode and AP.
  GroupViewServices GroupServices();
  CLoadBalanceTreeView::ApConfigurationOpener LoadBalanceConfigurationOpener();
  PlotChoice& Plot() { return plotChoice_; }

  // The lower pane.
  void SwitchView(int number);
  // Keeps the number as the frame's view number and lays the frame out again.
  void SelectView(int number);
  int CurrentView() const { return controller_->ShownView(); }
  wxWindow* CurrentViewWindow() const { return view_; }
  wxWindow* HeaderBar() const { return headerBar_; }
  void RefreshAllViews(bool fullReload) override;
  void UpdateEventCounters();
  int GetPlotMode() const { return plotChoice_.plotMode; }
  bool SetPlotMode(int mode);

  // Windows other tests and views look at.
  COutlook2Ctrl* NavigationBar() const { return navigationBar_; }
  CEventDlg* EventPane() const { return eventDlg_; }
  wxListCtrl* SystemLogList() const { return systemLog_; }
  wxListCtrl* ActionLogList() const { return actionLog_; }
  wxWindow* CommandBar() const { return toolBar_; }
  CSaveNewDevDlg* SaveNewDevicesDialog() const { return saveNewDevDlg_; }
  CProgressWnd* ProgressWindow(JobKind job) const { return progress_[static_cast<int>(job)]; }
  CMainTrayIcon* TrayIcon() const { return trayIcon_.get(); }
  bool OutputPanesOpen() const;
  CNoticePopup* Notice(NoticeKind kind) const { return notices_[static_cast<int>(kind)]; }

  // IFrameWindows.
  bool HasProgress(JobKind job) const override;
  void CreateProgress(JobKind job, const std::string& title) override;
  void DestroyProgress(JobKind job) override;
  void SetProgressRange(JobKind job, int lower, int upper) override;
  void StepProgress(JobKind job, bool pump) override;
  void SetProgressPos(JobKind job, int position) override;
  void SetProgressText(JobKind job, const std::string& text) override;
  bool HasStatusProgress() const override;
  void ShowStatusProgress() override;
  void HideStatusProgress() override;
  void SetStatusProgressPos(int position) override;
  void SetStatusMessage(const std::string& text) override;
  void RefreshGroupTree() override;
  void RefreshClientList() override;
  void ShowLogAppend(LogList list, const COutputLogModel::Append& append) override;
  void ClearLogList(LogList list) override;
  void ShowTrapPortBusy() override;
  bool RunSaveNewDevices() override;
  void RefillSaveNewDevices() override;

 private:
  // Construction and layout (MainFrm.cpp).
  void BuildMenuBar();
  void BuildToolBar();
  void BuildStatusBar();
  void BuildNavigationBar();
  void BuildClientArea();
  void BuildOutputBar();
  wxListCtrl* CreateLogList(wxWindow* parent, int id);
  void ApplyHeaderHeight(int height, bool thinBars);
  std::intptr_t OnMessage(const platform::Message& message);

  // Commands, timers, tray and shut-down (MainFrmCommands.cpp).
  void BindCommands();
  void OnClearDatabase(wxCommandEvent& event);
  void OnBackupDatabase(wxCommandEvent& event);
  void OnRestoreDatabase(wxCommandEvent& event);
  void OnModifySystemPassword(wxCommandEvent& event);
  void OnPreferences(wxCommandEvent& event);
  void OnPasswordManager(wxCommandEvent& event);
  void OnSaveAllToDatabase(wxCommandEvent& event);
  void OnSaveTopologyPosition(wxCommandEvent& event);
  void OnSystemKeyManager(wxCommandEvent& event);
  void OnDiscoveryWizard(wxCommandEvent& event);
  void OnToggleOutputBar(wxCommandEvent& event);
  void OnToggleToolBar(wxCommandEvent& event);
  void OnToggleStatusBar(wxCommandEvent& event);
  void OnOpenLog(wxCommandEvent& event);
  void OnSaveLogAs(wxCommandEvent& event);
  void OnClearLog(wxCommandEvent& event);
  void OnStartPolling(wxCommandEvent& event);
  void OnNavigation(wxCommandEvent& event);
  void RunQuillon(wxCommandEvent& event);
  void OnTrayOpen(wxCommandEvent& event);
  void OnExit(wxCommandEvent& event);
  void OnClose(wxCloseEvent& event);
  // Whether the window's icon sits in a system tray, from where a hidden window can be opened again.
  bool HasTray() const;
  void OnScheduleTimer(wxTimerEvent& event);
  void OnNoticeTimer(wxTimerEvent& event);
  void StopTimers();
  // A modal dialog or modal progress window is open.
  bool ModalWindowOpen() const;
  void ShowKeyIndicators();

  // An AP's configuration sheet; its OK starts the AP-set job (MainFrmViews.cpp).
  void OpenApSheet(const std::string& ip, const std::string& mac, const std::string& caption, ApSheetMode mode);

  // The job objects the controller's messages reach (MainFrmWindows.cpp).
  void WireJobs();
  void FinishApSet(const ApSetTarget& target);
  // Asks the group view, when one is shown, to rebuild its tree from the database.
  void ReloadGroupView();

  // Notices (MainFrmViews.cpp).
  void ShowNotice(NoticeKind kind, bool show);
  void HideNotices();

  std::shared_ptr<CGuiMessageReceiver> receiver_;
  platform::WindowId windowId_ = platform::kNoWindow;
  std::unique_ptr<CMainController> controller_;
  std::unique_ptr<CQuillonLibrary> quillon_;
  std::unique_ptr<CApSetThread> apSetThread_;
  std::unique_ptr<CDevicePasswordChanger> passwordChanger_;
  CPasswdManagerDlg* passwordManager_ = nullptr;  // while the Password Manager is open
  std::unique_ptr<CFirmwareUpgradeRunner> firmwareUpgrade_;

  wxAuiManager aui_;
  COutlook2Ctrl* navigationBar_ = nullptr;
  CEventDlg* eventDlg_ = nullptr;
  CSplitterWndEx* outerSplitter_ = nullptr;
  CSplitterWndEx* innerSplitter_ = nullptr;
  wxWindow* headerBar_ = nullptr;
  wxWindow* view_ = nullptr;
  wxWindow* defaultView_ = nullptr;
  wxAuiNotebook* output_ = nullptr;
  wxAuiToolBar* toolBar_ = nullptr;
  wxListCtrl* systemLog_ = nullptr;
  wxListCtrl* actionLog_ = nullptr;
  wxGauge* statusProgress_ = nullptr;
  int headerHeight_ = 0;
  PlotChoice plotChoice_;
  int selectedView_ = 1;
  bool loadBalanceView_ = false;

  std::array<CProgressWnd*, kJobKindCount> progress_{};
  CSaveNewDevDlg* saveNewDevDlg_ = nullptr;
  std::array<CNoticePopup*, kNoticeCount> notices_{};
  wxPoint noticePosition_{-1, -1};

  wxTimer mailTimer_;
  wxTimer syslogTimer_;
  wxTimer noticeTimer_;
  std::unique_ptr<CMainTrayIcon> trayIcon_;
  bool exiting_ = false;
};
