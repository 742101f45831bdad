#include "app/MainFrm.h"

#include <wx/artprov.h>
#include <wx/aui/auibook.h>
#include <wx/gauge.h>
#include <wx/menu.h>
#include <wx/settings.h>

#include <algorithm>

#include "uibase/CommandIds.h"
#include "uibase/GuiMessageReceiver.h"
#include "app/MainTrayIcon.h"
#include "app/NoticePopup.h"
#include "app/QuillonLibrary.h"
#include "app/Resources.h"
#include "uibase/UiThreadCall.h"
#include "app/ViewFactories.h"
#include "config/ui/FirmwareUpgradeRunner.h"
#include "controls/CommandBarArt.h"
#include "controls/Outlook2Ctrl.h"
#include "controls/PellionView.h"
#include "config/ApSetThread.h"
#include "config/ui/SetTrapHostDlg.h"
#include "controls/SplitterWndEx.h"
#include "credentials/DevicePasswordChanger.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "mainmodel/PollingThreadControl.h"
#include "mainmodel/ui/EventDlg.h"
#include "platform/DebugTrace.h"

namespace {

constexpr int kNavigationBarId = 100;
constexpr int kLogListId = 255;
constexpr int kLogColumnWidth = 125;
constexpr int kHeaderMinimum = 18;
constexpr int kIndicatorWidth = 40;
constexpr int kScheduleTimerMs = 1000;
enum TimerId { kMailTimer = 1, kSyslogTimer = 2, kNoticeTimer = 12 };

CMainFrame::PollingFactory& PollingFactoryHolder() {
  static CMainFrame::PollingFactory factory;
  return factory;
}

wxString Utf8(const char* text) { return wxString::FromUTF8(text); }

}  // namespace

void CMainFrame::SetPollingFactory(PollingFactory factory) { PollingFactoryHolder() = std::move(factory); }

CMainFrame::CMainFrame()
    : wxFrame(nullptr, wxID_ANY, Utf8(res::kMainWindowTitle)),
      mailTimer_(this, kMailTimer),
      syslogTimer_(this, kSyslogTimer),
      noticeTimer_(this, kNoticeTimer) {
  receiver_ = std::make_shared<CGuiMessageReceiver>(this, [this](const platform::Message& m) { return OnMessage(m); });
  windowId_ = platform::RegisterWindow(receiver_);
  platform::SetMainWindow(windowId_);
  const PollingFactory& makePolling = PollingFactoryHolder();
  controller_ = std::make_unique<CMainController>(
      *this, makePolling ? makePolling() : std::make_unique<CPollingThreadControl>());
  WireJobs();
  GetLoadBalanceManager()->SetHostChooser(
      [this](const std::string& oldHost, const std::string& apIp, const std::list<std::string>& addresses) {
        return ChooseManagementHost(this, oldHost, apIp, addresses);
      });

  aui_.SetManagedWindow(this);
  BuildMenuBar();
  BuildToolBar();
  BuildStatusBar();
  BuildNavigationBar();
  BuildClientArea();
  BuildOutputBar();
  aui_.Update();
  BindCommands();

  UpdateEventCounters();
  quillon_ = std::make_unique<CQuillonLibrary>(CQuillonLibrary::BesideProgram());
  firmwareUpgrade_ = std::make_unique<CFirmwareUpgradeRunner>();
  controller_->ReadAlertSettings();
  mailTimer_.Start(kScheduleTimerMs);
  syslogTimer_.Start(kScheduleTimerMs);

  trayIcon_ = std::make_unique<CMainTrayIcon>(this);
  if (!trayIcon_->SetIcon(wxArtProvider::GetBitmapBundle(wxART_INFORMATION, wxART_OTHER), Utf8(res::kTrayTip)))
    DebugTrace("Failed to create tray icon\n");

  // The workers start last: their first messages find every window in place.
  controller_->StartWorkers(windowId_);
}

CMainFrame::~CMainFrame() {
  // The workers joined below may be waiting for a message box or a sent message: they get no answer.
  CUiThreadJoining joining;
  StopTimers();
  for (CNoticePopup*& notice : notices_) {
    if (notice) notice->Destroy();
    notice = nullptr;
  }
  controller_->StopWorkers();  // the trap listener first; every thread is joined
  GetLoadBalanceManager()->SetHostChooser({});
  apSetThread_.reset();  // their jobs end before the window they post to goes
  passwordChanger_.reset();
  platform::UnregisterWindow(windowId_);  // also clears the main-window id
  receiver_->Detach();
  quillon_.reset();
  if (trayIcon_) trayIcon_->RemoveIcon();
  trayIcon_.reset();
  aui_.UnInit();
}

void CMainFrame::BuildMenuBar() {
  auto item = [](wxMenu* menu, int command, const char* text, wxItemKind kind = wxITEM_NORMAL) {
    menu->Append(cmd::WxId(command), Utf8(text), wxEmptyString, kind);
  };
  auto* system = new wxMenu;
  item(system, cmd::ID_FILE_SAVE, res::kMenuSaveAll);
  item(system, cmd::ID_CLEAR_DATABASE, res::kMenuClearDatabase);
  system->AppendSeparator();
  item(system, cmd::ID_BACKUP_DATABASE, res::kMenuBackupDatabase);
  item(system, cmd::ID_RESTORE_DATABASE, res::kMenuRestoreDatabase);
  system->AppendSeparator();
  item(system, cmd::ID_MODIFY_SYSTEM_PASSWORD, res::kMenuModifySystemPassword);
  system->AppendSeparator();
  item(system, cmd::ID_APP_EXIT, res::kMenuExit);
  auto* view = new wxMenu;
  item(view, cmd::ID_VIEW_TOOLBAR, res::kMenuToolbar, wxITEM_CHECK);
  item(view, cmd::ID_VIEW_STATUS_BAR, res::kMenuStatusBar, wxITEM_CHECK);
  item(view, cmd::ID_TOGGLE_OUTPUT_BAR, res::kMenuOutputBar, wxITEM_CHECK);
  auto* tools = new wxMenu;
  item(tools, cmd::ID_SWITCH_DISCOVER_UTILITY, res::kMenuSwitchDiscoverUtility);
  item(tools, cmd::ID_DISCOVERY_WIZARD, res::kMenuDiscoveryWizard);
  item(tools, cmd::ID_PASSWORD_MANAGER, res::kMenuPasswordManager);
  item(tools, cmd::ID_SYSTEM_KEY_MANAGER, res::kMenuSystemKeyManager);
  tools->AppendSeparator();
  item(tools, cmd::ID_PREFERENCES, res::kMenuPreferences);
  auto* log = new wxMenu;
  item(log, cmd::ID_OPEN_LOG, res::kMenuOpenLog);
  item(log, cmd::ID_SAVE_LOG_AS, res::kMenuSaveLogAs);
  item(log, cmd::ID_CLEAR_LOG, res::kMenuClearLog);
  auto* help = new wxMenu;
  item(help, cmd::ID_APP_ABOUT, res::kMenuAbout);

  auto* bar = new wxMenuBar;
  bar->Append(system, Utf8(res::kMenuSystem));
  bar->Append(view, Utf8(res::kMenuView));
  bar->Append(tools, Utf8(res::kMenuTools));
  bar->Append(log, Utf8(res::kMenuLog));
  bar->Append(help, Utf8(res::kMenuHelp));
  SetMenuBar(bar);
}

void CMainFrame::BuildToolBar() {
  // An AUI tool bar, so the command-bar theme can paint it through its art.
  auto* bar = new wxAuiToolBar(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxAUI_TB_DEFAULT_STYLE);
  bar->SetArtProvider(new CCommandBarArt);
  bar->SetToolBitmapSize(wxSize(24, 24));
  toolBar_ = bar;
  struct Tool {
    int command;
    const char* label;
    wxArtID art;
  };
  const Tool tools[] = {
      {cmd::ID_DISCOVERY_WIZARD, "Discovery Wizard", wxART_FIND},
      {cmd::ID_START_POLLING, "Start Polling", wxART_REDO},
      {cmd::ID_FILE_SAVE, "Save All To Database", wxART_FILE_SAVE},
      {cmd::ID_CLEAR_DATABASE, "Clear Database", wxART_DELETE},
      {cmd::ID_PREFERENCES, "Preference", wxART_EXECUTABLE_FILE},
      {cmd::ID_PASSWORD_MANAGER, "Password Manager", wxART_LIST_VIEW},
      {cmd::ID_SYSTEM_KEY_MANAGER, "System Key Manager", wxART_REPORT_VIEW},
      {cmd::ID_BACKUP_DATABASE, "Backup Database", wxART_HARDDISK},
      {cmd::ID_RESTORE_DATABASE, "Restore Database", wxART_UNDO},
      {cmd::ID_SWITCH_DISCOVER_UTILITY, "Switch Discover Utility", wxART_GO_HOME},
  };
  bool first = true;
  for (const Tool& tool : tools) {
    if (!first) bar->AddSeparator();
    first = false;
    bar->AddTool(cmd::WxId(tool.command), tool.label, wxArtProvider::GetBitmapBundle(tool.art, wxART_TOOLBAR, wxSize(24, 24)),
                 tool.label);
  }
  if (!bar->Realize()) DebugTrace("Failed to create toolbar\n");
  aui_.AddPane(bar, wxAuiPaneInfo().Name("Standard").Caption("Standard").ToolbarPane().Top().Row(0));
}

void CMainFrame::BuildStatusBar() {
  CreateStatusBar(4, wxSTB_DEFAULT_STYLE, cmd::WxId(cmd::ID_VIEW_STATUS_BAR));
  const int widths[] = {-1, kIndicatorWidth, kIndicatorWidth, kIndicatorWidth};
  SetStatusWidths(4, widths);
}

void CMainFrame::BuildNavigationBar() {
  navigationBar_ = new COutlook2Ctrl;
  if (!navigationBar_->CreateNavigationBar(this, kNavigationBarId)) {
    DebugTrace("Failed to create navigation bar\n");
    return;
  }
  COutlook2Ctrl& bar = *navigationBar_;
  bar.AppendFolder("Monitor", 231, cmd::ID_VIEW_AP_LIST);
  bar.AppendGroup("", 0);
  bar.AppendItem("AP", 127, NAV_ITEM_BUTTON, cmd::ID_VIEW_AP_LIST);
  bar.AppendItem("Client", 230, NAV_ITEM_BUTTON, cmd::ID_VIEW_CLIENT);
  bar.AppendItem("Summary", 232, NAV_ITEM_BUTTON, cmd::ID_VIEW_SUMMARY);
  bar.AppendFolder("Group", 238, cmd::ID_VIEW_GROUP, res::kGroupFolderTip);
  bar.AppendGroup("", 0);
  bar.AppendFolder("Utilization", 233, cmd::ID_VIEW_AP_USERS);
  bar.AppendGroup("", 0);
  bar.AppendItem("AP Users", 290, NAV_ITEM_BUTTON, cmd::ID_VIEW_AP_USERS);
  bar.AppendItem("AP Traffic", 289, NAV_ITEM_BUTTON, cmd::ID_VIEW_AP_TRAFFIC);
  bar.AppendItem("Client Info.", 243, NAV_ITEM_BUTTON, cmd::ID_VIEW_CLIENT_INFO);
  bar.AppendItem("Load Balance", 245, NAV_ITEM_BUTTON, cmd::ID_VIEW_LOAD_BALANCE);
  bar.AppendFolder("Firmware Upgrade", 306, cmd::ID_VIEW_FIRMWARE);
  bar.AppendFolder("Log", 234, cmd::ID_VIEW_LOG, res::kLogFolderTip);
  bar.AppendFolder("Switch Discover Utility", 380, cmd::ID_NAV_SWITCH_DISCOVER_UTILITY);
  eventDlg_ = new CEventDlg(navigationBar_);
  eventDlg_->SetSize(-1, eventDlg_->FullHeight());
  bar.PinBottomFolder("Status", 229, eventDlg_, false);
  bar.FitFolderCaptions();
  aui_.AddPane(navigationBar_, wxAuiPaneInfo().Name("navigation").Left().CaptionVisible(false).CloseButton(false)
                                   .MinSize(navigationBar_->CalcFixedLayout().x, -1).Layer(1));
}

void CMainFrame::BuildClientArea() {
  outerSplitter_ = new CSplitterWndEx(this);
  outerSplitter_->AllowResize(false);
  headerBar_ = CreateHeaderBar(outerSplitter_);
  innerSplitter_ = new CSplitterWndEx(outerSplitter_);
  innerSplitter_->AllowResize(false);
  innerSplitter_->HideBars();
  defaultView_ = new CPellionView(innerSplitter_);
  innerSplitter_->Initialize(defaultView_);
  headerHeight_ = FindViewLayout(view::kDeviceList)->headerHeight;
  outerSplitter_->SplitHorizontally(headerBar_, innerSplitter_, headerHeight_);
  outerSplitter_->SetMinimumPaneSize(1);
  outerSplitter_->SetSashGravity(0.0);
  // The header keeps its height whatever the window's size; a split made before the first layout is
  // placed again once the splitter has its size.
  outerSplitter_->Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    event.Skip();
    if (outerSplitter_->IsSplit() && outerSplitter_->GetSashPosition() != headerHeight_)
      outerSplitter_->SetSashPosition(headerHeight_);
  });
  aui_.AddPane(outerSplitter_, wxAuiPaneInfo().Name("views").CenterPane());
  SwitchView(view::kDeviceList);
}

void CMainFrame::BuildOutputBar() {
  output_ = new wxAuiNotebook(this, wxID_ANY, wxDefaultPosition, wxSize(200, 160),
                              wxAUI_NB_TOP | wxAUI_NB_TAB_MOVE | wxAUI_NB_CLOSE_ON_ACTIVE_TAB);
  output_->SetArtProvider(new wxAuiDefaultTabArt);
  output_->GetArtProvider()->SetNormalFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold());
  output_->GetArtProvider()->SetSelectedFont(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT).Bold());
  systemLog_ = CreateLogList(output_, res::IDC_SYSTEM_LOG_PANE);
  actionLog_ = CreateLogList(output_, res::IDC_ACTION_LOG_PANE);
  output_->AddPage(systemLog_, Utf8(res::kSystemLogTitle), true);
  output_->AddPage(actionLog_, Utf8(res::kActionLogTitle), false);
  // A closed tab keeps its list, so the Output Bar command can bring it back.
  output_->Bind(wxEVT_AUINOTEBOOK_PAGE_CLOSE, [this](wxAuiNotebookEvent& event) {
    event.Veto();
    output_->RemovePage(event.GetSelection());
  });
  aui_.AddPane(output_, wxAuiPaneInfo().Name("output").Caption(Utf8(res::kOutputCaption)).Bottom()
                            .BestSize(200, 200).MinSize(-1, 120).CloseButton(true));
}

wxListCtrl* CMainFrame::CreateLogList(wxWindow* parent, int id) {
  auto* list = new wxListCtrl(parent, id, wxDefaultPosition, wxDefaultSize,
                              wxLC_REPORT | wxLC_NO_HEADER | wxLC_SINGLE_SEL | wxBORDER_STATIC);
  list->InsertColumn(0, "Log", wxLIST_FORMAT_LEFT, kLogColumnWidth);
  if (list->GetColumnCount() != 1) DebugTrace("Unable to create system log control.\n");
  return list;
}

void CMainFrame::ApplyHeaderHeight(int height, bool thinBars) {
  if (thinBars) {
    outerSplitter_->HideBars();
    if (outerSplitter_->IsSplit()) outerSplitter_->Unsplit(headerBar_);
    return;
  }
  outerSplitter_->RestoreBars();
  // At least what the header's controls of the mode take, so none is cut.
  const int needed = headerBar_->GetSizer() ? headerBar_->GetSizer()->GetMinSize().y : 0;
  const int position = std::max({height, kHeaderMinimum, needed});
  headerHeight_ = position;
  if (!outerSplitter_->IsSplit()) {
    headerBar_->Show();
    outerSplitter_->SplitHorizontally(headerBar_, innerSplitter_, position);
  } else {
    outerSplitter_->SetSashPosition(position);
  }
}

std::intptr_t CMainFrame::OnMessage(const platform::Message& message) { return controller_->Dispatch(message); }
