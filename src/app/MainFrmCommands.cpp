// The main window's menu, tool-bar, navigation and tray commands, its timers, closing and Exit.
#include <wx/aui/auibook.h>
#include <wx/dialog.h>
#include <wx/filedlg.h>
#include <wx/utils.h>

#include "uibase/CommandIds.h"
#include "app/MainFrm.h"
#include "devmodel/ui/ListViewHead.h"
#include "app/MainTrayIcon.h"
#include "app/NoticePopup.h"
#include "app/QuillonLibrary.h"
#include "app/Resources.h"
#include "alerts/ui/MailAlertPage.h"
#include "alerts/ui/SyslogParamPage.h"
#include "config/ui/DefParamsPage.h"
#include "config/ui/SummaryDlg.h"
#include "controls/ApplyPropSheet.h"
#include "controls/BrowseDirDialog.h"
#include "credentials/ui/PasswdManagerDlg.h"
#include "controls/ProgressWnd.h"
#include "credentials/SystemKeySupportWriter.h"
#include "credentials/ui/ModifySystemKeyDlg.h"
#include "db/AccessDatabase.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "log/LogDBModule.h"
#include "log/ui/LogFileDialogs.h"
#include "log/ui/ModifySysPwdDlg.h"
#include "log/ui/SnmpSettingPage.h"
#include "mainmodel/ClearDatabaseSequence.h"
#include "mainmodel/ui/ManageSegmentDlg.h"
#include "map/MapViewFactory.h"
#include "mapmodel/PellionDoc.h"
#include "platform/AppContext.h"
#include "platform/DebugTrace.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"

namespace {

constexpr int kNavigationCommands[] = {cmd::ID_VIEW_AP_LIST,       cmd::ID_VIEW_CLIENT,     cmd::ID_VIEW_SUMMARY,
                                       cmd::ID_VIEW_GROUP,         cmd::ID_VIEW_LOAD_BALANCE_TREE,
                                       cmd::ID_VIEW_LOAD_BALANCE_TREE2, cmd::ID_VIEW_FIRMWARE, cmd::ID_VIEW_LOG,
                                       cmd::ID_VIEW_AP_TRAFFIC,    cmd::ID_VIEW_AP_USERS,   cmd::ID_VIEW_CLIENT_INFO,
                                       cmd::ID_VIEW_LOAD_BALANCE};

enum TimerId { kMailTimer = 1, kSyslogTimer = 2, kNoticeTimer = 12 };

}  // namespace

void CMainFrame::BindCommands() {
  auto on = [this](int command, void (CMainFrame::*handler)(wxCommandEvent&)) {
    Bind(wxEVT_MENU, handler, this, cmd::WxId(command));
  };
  on(cmd::ID_CLEAR_DATABASE, &CMainFrame::OnClearDatabase);
  on(cmd::ID_BACKUP_DATABASE, &CMainFrame::OnBackupDatabase);
  on(cmd::ID_RESTORE_DATABASE, &CMainFrame::OnRestoreDatabase);
  on(cmd::ID_MODIFY_SYSTEM_PASSWORD, &CMainFrame::OnModifySystemPassword);
  on(cmd::ID_PREFERENCES, &CMainFrame::OnPreferences);
  on(cmd::ID_PASSWORD_MANAGER, &CMainFrame::OnPasswordManager);
  on(cmd::ID_FILE_SAVE, &CMainFrame::OnSaveAllToDatabase);
  on(cmd::ID_SAVE_TOPOLOGY_POSITION, &CMainFrame::OnSaveTopologyPosition);
  on(cmd::ID_SYSTEM_KEY_MANAGER, &CMainFrame::OnSystemKeyManager);
  on(cmd::ID_APP_EXIT, &CMainFrame::OnExit);
  on(cmd::ID_VIEW_TOOLBAR, &CMainFrame::OnToggleToolBar);
  on(cmd::ID_VIEW_STATUS_BAR, &CMainFrame::OnToggleStatusBar);
  on(cmd::ID_TOGGLE_OUTPUT_BAR, &CMainFrame::OnToggleOutputBar);
  on(cmd::ID_SWITCH_DISCOVER_UTILITY, &CMainFrame::RunQuillon);
  on(cmd::ID_NAV_SWITCH_DISCOVER_UTILITY, &CMainFrame::RunQuillon);
  on(cmd::ID_DISCOVERY_WIZARD, &CMainFrame::OnDiscoveryWizard);
  on(cmd::ID_OPEN_LOG, &CMainFrame::OnOpenLog);
  on(cmd::ID_SAVE_LOG_AS, &CMainFrame::OnSaveLogAs);
  on(cmd::ID_CLEAR_LOG, &CMainFrame::OnClearLog);
  on(cmd::ID_START_POLLING, &CMainFrame::OnStartPolling);
  on(cmd::ID_TRAY_OPEN, &CMainFrame::OnTrayOpen);
  for (int command : kNavigationCommands) on(command, &CMainFrame::OnNavigation);
  Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Check(OutputPanesOpen()); }, cmd::WxId(cmd::ID_TOGGLE_OUTPUT_BAR));
  Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Check(aui_.GetPane(toolBar_).IsShown()); },
       cmd::WxId(cmd::ID_VIEW_TOOLBAR));
  Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& e) { e.Check(GetStatusBar() && GetStatusBar()->IsShown()); },
       cmd::WxId(cmd::ID_VIEW_STATUS_BAR));
  Bind(wxEVT_TIMER, &CMainFrame::OnScheduleTimer, this, kMailTimer);
  Bind(wxEVT_TIMER, &CMainFrame::OnScheduleTimer, this, kSyslogTimer);
  Bind(wxEVT_TIMER, &CMainFrame::OnNoticeTimer, this, kNoticeTimer);
  Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
}


void CMainFrame::OnClearDatabase(wxCommandEvent&) {
  CClearDatabaseSequence::Steps steps;
  steps.confirm = [] {
    return platform::MessageBox(res::kClearDatabaseConfirm, "", platform::MB_OKCANCEL) == platform::IDOK;
  };
  steps.clearDatabase = [] {
    wxBusyCursor wait;
    return CAccessDatabase().ClearDatabase();
  };
  steps.clearOutputLists = [this] {
    controller_->Dispatch(platform::Message{msg::WM_NMS_SYSLOG_CLEAR, 0, 0, {}});
    controller_->Dispatch(platform::Message{msg::WM_NMS_ACTION_CLEAR, 0, 0, {}});
  };
  steps.selectEmptyLocation = [] { GetPellionDoc().SelectLocation(""); };
  steps.refreshAllViews = [this](bool full) { RefreshAllViews(full); };
  steps.reloadGroups = [this] { ReloadGroupView(); };
  steps.resetLayoutPlacement = [] { GetPellionDoc().GetLayoutContext().Reset(); };
  CClearDatabaseSequence(controller_->Polling(), steps).Run();
}

void CMainFrame::OnBackupDatabase(wxCommandEvent&) {
  CBrowseDirDialog chooser;
  if (!chooser.Browse() || chooser.m_strPath.empty()) return;
  std::string copy = chooser.m_strPath;  // the chosen folder; the backup makes it the copy's path
  bool done = false;
  {
    wxBusyCursor wait;
    done = GetLoadBalanceManager()->BackupDatabase(copy);
  }
  // The copy's name carries the time it was made: the message says where it went.
  if (done) platform::MessageBox(std::string(res::kBackupDone) + "\n" + copy);
}

void CMainFrame::OnRestoreDatabase(wxCommandEvent&) {
  wxFileDialog chooser(this, wxFileSelectorPromptStr, "", "", "Access dababase file|*.mdb|All files|*.*",
                       wxFD_OPEN | wxFD_FILE_MUST_EXIST);
  if (chooser.ShowModal() != wxID_OK) return;
  const std::string path = chooser.GetPath().utf8_string();
  if (!CMainController::IsDatabaseFileName(path)) {
    platform::MessageBox(res::kRestoreNotDatabase);
    return;
  }
  if (!GetLoadBalanceManager()->CheckDatabase(path)) {
    platform::MessageBox(res::kRestoreNotOurs);
    return;
  }
  bool done = false;
  {
    wxBusyCursor wait;
    done = GetLoadBalanceManager()->RestoreDatabase(path);
  }
  if (done) {
    controller_->ReloadSettings();
    platform::MessageBox(res::kRestoreDone);
  }
  RefreshAllViews(true);
}

void CMainFrame::OnModifySystemPassword(wxCommandEvent&) {
  CModifySysPwdDlg dialog(this, platform::GetLoggedInUser());
  dialog.ShowModal();
}

void CMainFrame::OnPreferences(wxCommandEvent&) {
  CApplyPropSheet sheet("Preferences", this);
  sheet.AddPage(new CSnmpSettingPage(&sheet));
  sheet.AddPage(new CDefParamsPage(&sheet));
  sheet.AddPage(new CMailAlertPage(&sheet, [this](const MailAlertSettings& saved) { controller_->mailSettings = saved; }));
  sheet.AddPage(new CSyslogParamPage(&sheet, [this](const CScheduleParams& saved) { controller_->syslogSchedule = saved; }));
  sheet.SetEmptyPageText("Please select a child item of '%s'.");
  sheet.SetTreeViewMode(true, true, true);
  if (sheet.ShowModal() == wxID_OK) controller_->PollingIntervalChanged();
}

void CMainFrame::OnPasswordManager(wxCommandEvent&) {
  CPasswdManagerDlg dialog(this, nullptr, [this](const std::string& password) { StartModifyDevicePassword(password); });
  passwordManager_ = &dialog;
  dialog.ShowModal();
  passwordManager_ = nullptr;
}

void CMainFrame::OnSaveAllToDatabase(wxCommandEvent&) {
  GetPellionDoc().SetRefreshAllViews([this] { RefreshAllViews(true); });
  GetPellionDoc().SaveAllToDatabase();
}

void CMainFrame::OnSaveTopologyPosition(wxCommandEvent&) { GetPellionDoc().SaveTopologyPosition(); }

void CMainFrame::OnSystemKeyManager(wxCommandEvent&) {
  CSystemKeySupportWriter writer;
  CModifySystemKeyDlg dialog(this, writer, [this] { RefreshAllViews(false); });
  dialog.ShowModal();
}

void CMainFrame::OnDiscoveryWizard(wxCommandEvent&) {
  CManageSegmentDlg wizard(this);
  if (wizard.ShowModal() == wxID_OK) controller_->StartDiscoveryScan();
}

bool CMainFrame::OutputPanesOpen() const {
  return const_cast<wxAuiManager&>(aui_).GetPane(output_).IsShown() && output_->GetPageIndex(systemLog_) != wxNOT_FOUND &&
         output_->GetPageIndex(actionLog_) != wxNOT_FOUND;
}

void CMainFrame::OnToggleOutputBar(wxCommandEvent&) {
  if (OutputPanesOpen()) {
    aui_.GetPane(output_).Hide();
  } else {
    if (output_->GetPageIndex(systemLog_) == wxNOT_FOUND) output_->InsertPage(0, systemLog_, res::kSystemLogTitle);
    if (output_->GetPageIndex(actionLog_) == wxNOT_FOUND) output_->AddPage(actionLog_, res::kActionLogTitle);
    output_->SetSelection(output_->GetPageIndex(systemLog_));
    aui_.GetPane(output_).Show();
  }
  aui_.Update();
}

void CMainFrame::OnToggleToolBar(wxCommandEvent&) {
  wxAuiPaneInfo& bar = aui_.GetPane(toolBar_);
  bar.Show(!bar.IsShown());
  aui_.Update();
}

void CMainFrame::OnToggleStatusBar(wxCommandEvent&) {
  if (wxStatusBar* bar = GetStatusBar()) bar->Show(!bar->IsShown());
  SendSizeEvent();
}

void CMainFrame::OnOpenLog(wxCommandEvent&) { GetLogDBModule()->OpenLogFile(OpenLogFileChooser(this)); }

void CMainFrame::OnSaveLogAs(wxCommandEvent&) { GetLogDBModule()->SaveLogAs(SaveLogFileChooser(this)); }

void CMainFrame::OnClearLog(wxCommandEvent&) { controller_->ClearLog(); }

void CMainFrame::OnStartPolling(wxCommandEvent&) { controller_->StartPolling(); }

void CMainFrame::OnNavigation(wxCommandEvent& event) {
  const int command = event.GetId();
  const std::optional<NavigationAction> action = FindNavigationAction(command);
  if (!action) return;
  if (*action->trace) DebugTrace("%s", action->trace);
  if (action->loadBalanceFlag) loadBalanceView_ = true;
  if (action->plotMode) SetPlotMode(action->plotMode);
  if (action->runSummary) {
    CSummaryDlg(nullptr).ShowModal();
    return;
  }
  if (auto* header = dynamic_cast<CListViewHead*>(headerBar_); header && action->headerViewBy >= 0)
    header->SetViewBy(action->headerViewBy);
  SwitchView(action->view);
}

void CMainFrame::RunQuillon(wxCommandEvent&) { quillon_->Run(); }

void CMainFrame::OnTrayOpen(wxCommandEvent&) {
  if (!IsShown() || IsIconized()) {
    Show();
    Iconize(false);
    Raise();
  }
}

bool CMainFrame::ModalWindowOpen() const {
  if (!IsEnabled()) return true;
  for (wxWindow* window : wxTopLevelWindows) {
    if (auto* dialog = dynamic_cast<wxDialog*>(window); dialog && dialog->IsModal()) return true;
    if (auto* progress = dynamic_cast<CProgressWnd*>(window); progress && progress->IsModal()) return true;
  }
  return false;
}

void CMainFrame::OnExit(wxCommandEvent&) {
  if (ModalWindowOpen()) {  // its loop and its messages still need the frame
    platform::MessageBox(res::kCloseDialogFirst);
    return;
  }
  StopTimers();
  exiting_ = true;
  Close(true);
}

void CMainFrame::OnClose(wxCloseEvent& event) {
  if (exiting_ || !event.CanVeto()) {
    StopTimers();
    Destroy();
    return;
  }
  event.Veto();
  // The close box only hides the window to the tray: polling, the monitor and the timers go on.
  if (HasTray()) {
    Hide();
    return;
  }
  // Without a tray nothing could show a hidden window again: the close box offers to end the program.
  if (platform::MessageBox(res::kExitWithoutTray, "", platform::MB_YESNO | platform::MB_ICONQUESTION) !=
      platform::IDYES)
    return;
  wxCommandEvent exit(wxEVT_MENU, cmd::WxId(cmd::ID_APP_EXIT));
  OnExit(exit);
}

bool CMainFrame::HasTray() const {
  return trayIcon_ && trayIcon_->IsIconInstalled() && wxTaskBarIcon::IsAvailable();
}

void CMainFrame::StopTimers() {
  mailTimer_.Stop();
  syslogTimer_.Stop();
  noticeTimer_.Stop();
}

void CMainFrame::OnScheduleTimer(wxTimerEvent& event) {
  controller_->OnTimer(event.GetId());
  if (event.GetId() == kMailTimer) ShowKeyIndicators();
}

void CMainFrame::ShowKeyIndicators() {
  wxStatusBar* bar = GetStatusBar();
  if (!bar) return;
  const int first = bar->GetFieldsCount() - 3;  // the three panes after the message pane
  const std::pair<wxKeyCode, const char*> keys[] = {{WXK_CAPITAL, "CAP"}, {WXK_NUMLOCK, "NUM"}, {WXK_SCROLL, "SCRL"}};
  for (int i = 0; i < 3; ++i) bar->SetStatusText(wxGetKeyState(keys[i].first) ? keys[i].second : "", first + i);
}

void CMainFrame::OnNoticeTimer(wxTimerEvent&) { HideNotices(); }
