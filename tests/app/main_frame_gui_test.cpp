// The main window's own behaviour on a real display: the view switch, the Output bar, the log lines and
// their cap, the counter pane, Exit while a dialog is open, and the clear-database confirmation.
#include <gtest/gtest.h>
#include <wx/aui/auibook.h>
#include <wx/msgdlg.h>
#include <wx/taskbar.h>

#include "AppTestEnvironment.h"
#include "app/MainFrm.h"
#include "app/NoticePopup.h"
#include "app/PlaceholderView.h"
#include "controls/CustomNMSTheme.h"
#include "db/AccessDatabase.h"
#include "db/DeviceEventCounters.h"
#include "db/db_maintain.h"
#include "mainmodel/ui/EventDlg.h"
#include "mainmodel/ui/ManageSegmentDlg.h"
#include "platform/MessageIds.h"
#include "support/ui/WxTestEnvironment.h"
#include "uibase/CommandIds.h"

using app_test::ModalDialogRecorder;
using app_test::PumpPending;
using app_test::PumpUntil;
using app_test::RunningApp;

namespace {

void Command(CMainFrame* frame, int command) {
  wxCommandEvent event(wxEVT_MENU, cmd::WxId(command));
  frame->ProcessWindowEvent(event);
}

bool MenuChecked(CMainFrame* frame, int command) {
  frame->UpdateWindowUI();
  return frame->GetMenuBar()->IsChecked(cmd::WxId(command));
}

}  // namespace

TEST(MainFrameViewsTest, NavigationSwitchesTheLowerPaneAndKeepsAViewAlreadyShown) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  CMainFrame* frame = app.Frame();
  EXPECT_EQ(frame->CurrentView(), 1) << "the device list comes first";
  wxWindow* list = frame->CurrentViewWindow();
  ASSERT_NE(list, nullptr);

  Command(frame, cmd::ID_VIEW_AP_LIST);
  EXPECT_EQ(frame->CurrentViewWindow(), list) << "AP while the list is shown does not recreate it";

  Command(frame, cmd::ID_VIEW_FIRMWARE);
  EXPECT_EQ(frame->CurrentView(), 9);
  wxWindow* firmware = frame->CurrentViewWindow();
  Command(frame, cmd::ID_VIEW_AP_TRAFFIC);
  EXPECT_EQ(frame->CurrentView(), 12);
  EXPECT_EQ(frame->GetPlotMode(), 2);
  wxWindow* plot = frame->CurrentViewWindow();
  Command(frame, cmd::ID_VIEW_AP_USERS);
  EXPECT_EQ(frame->GetPlotMode(), 1);
  EXPECT_NE(frame->CurrentViewWindow(), plot) << "the plot is made anew on every switch";
  Command(frame, cmd::ID_VIEW_FIRMWARE);
  EXPECT_NE(frame->CurrentViewWindow(), nullptr);
  EXPECT_EQ(frame->CurrentView(), 9);
  (void)firmware;

  {
    ModalDialogRecorder summary(wxID_CANCEL);
    Command(frame, cmd::ID_VIEW_SUMMARY);
    ASSERT_EQ(summary.Dialogs().size(), 1u);
    EXPECT_EQ(summary.Dialogs()[0].title, "Summary");
  }
  EXPECT_EQ(frame->CurrentView(), 9) << "Summary opens a dialog, not a view";
  for (int command : {cmd::ID_VIEW_CLIENT, cmd::ID_VIEW_GROUP, cmd::ID_VIEW_LOG, cmd::ID_VIEW_CLIENT_INFO,
                      cmd::ID_VIEW_LOAD_BALANCE, cmd::ID_VIEW_LOAD_BALANCE_TREE}) {
    Command(frame, command);
    EXPECT_EQ(dynamic_cast<CPlaceholderView*>(frame->CurrentViewWindow()), nullptr) << command;
  }
  // The commands whose windows came last are offered.
  frame->UpdateWindowUI();
  for (int command : {cmd::ID_SYSTEM_KEY_MANAGER, cmd::ID_FILE_SAVE, cmd::ID_PASSWORD_MANAGER, cmd::ID_PREFERENCES})
    EXPECT_TRUE(frame->GetMenuBar()->IsEnabled(cmd::WxId(command))) << command;
}

TEST(MainFrameViewsTest, TheToolBarWearsTheCommandBarGradientAndTheViewMenuHidesIt) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  CMainFrame* frame = app.Frame();
  wxWindow* bar = frame->CommandBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return bar->IsShownOnScreen(); }));
  const wxImage shot = testing_support::CaptureWindow(bar);
  testing_support::SaveCapture(shot, "main_window_tool_bar");
  const int width = shot.GetWidth(), height = shot.GetHeight();
  ASSERT_GT(height, 8);
  EXPECT_GT(testing_support::CountPixels(shot, CCustomNMSTheme::kGradientTop, 16, wxRect(0, 0, width, 2)), width / 2)
      << "light blue along the top";
  EXPECT_GT(testing_support::CountPixels(shot, CCustomNMSTheme::kGradientBottom, 16, wxRect(0, height - 2, width, 2)),
            width / 2)
      << "dark blue along the bottom";

  EXPECT_TRUE(MenuChecked(frame, cmd::ID_VIEW_TOOLBAR));
  Command(frame, cmd::ID_VIEW_TOOLBAR);
  EXPECT_FALSE(MenuChecked(frame, cmd::ID_VIEW_TOOLBAR));
  EXPECT_TRUE(PumpUntil([&] { return !bar->IsShownOnScreen(); }));
  Command(frame, cmd::ID_VIEW_TOOLBAR);
  EXPECT_TRUE(MenuChecked(frame, cmd::ID_VIEW_TOOLBAR));
  EXPECT_TRUE(PumpUntil([&] { return bar->IsShownOnScreen(); }));
}

TEST(MainFrameOutputTest, LogLinesKeepTheLatestFiveHundredAndTheOutputBarReopensBothPanes) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  CMainFrame* frame = app.Frame();
  for (int i = 1; i <= 501; ++i)
    platform::PostMessage(frame->GetWindowId(), msg::WM_NMS_SYSLOG_LINE, 1, 0, "line " + std::to_string(i));
  platform::PostMessage(frame->GetWindowId(), msg::WM_NMS_SYSLOG_LINE, 1, 0, "");
  platform::PostMessage(frame->GetWindowId(), msg::WM_NMS_ACTION_LINE, 0, 0, "an action");
  wxListCtrl* system = frame->SystemLogList();
  ASSERT_TRUE(PumpUntil([&] { return frame->ActionLogList()->GetItemCount() == 1; }));
  EXPECT_EQ(system->GetItemCount(), 500);
  EXPECT_EQ(system->GetItemText(0).utf8_string(), "line 2");
  EXPECT_EQ(system->GetItemText(499).utf8_string(), "line 501");
  EXPECT_EQ(system->GetItemTextColour(499), wxColour(176, 28, 36));
  EXPECT_EQ(frame->ActionLogList()->GetItemTextColour(0), wxColour(0, 0, 0));

  EXPECT_TRUE(frame->OutputPanesOpen());
  EXPECT_TRUE(MenuChecked(frame, cmd::ID_TOGGLE_OUTPUT_BAR));
  // The user closes the System Log tab: the entry is unchecked, and choosing it brings both back.
  auto* notebook = dynamic_cast<wxAuiNotebook*>(system->GetParent());
  ASSERT_NE(notebook, nullptr);
  notebook->RemovePage(notebook->GetPageIndex(system));
  EXPECT_FALSE(MenuChecked(frame, cmd::ID_TOGGLE_OUTPUT_BAR));
  Command(frame, cmd::ID_TOGGLE_OUTPUT_BAR);
  EXPECT_TRUE(frame->OutputPanesOpen());
  EXPECT_EQ(notebook->GetCurrentPage(), system) << "System Log is the visible tab";
  Command(frame, cmd::ID_TOGGLE_OUTPUT_BAR);
  EXPECT_FALSE(frame->OutputPanesOpen());

  platform::PostMessage(frame->GetWindowId(), msg::WM_NMS_SYSLOG_CLEAR);
  EXPECT_TRUE(PumpUntil([&] { return system->GetItemCount() == 0; }));
}

TEST(MainFrameCommandsTest, ExitWhileADialogIsOpenIsRefusedAndTheProgramGoesOn) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  CMainFrame* frame = app.Frame();
  // Inside the wizard's loop the user chooses Exit; message boxes are recorded and answered at once.
  class ExitInside : public wxModalDialogHook {
   public:
    explicit ExitInside(CMainFrame* frame) : frame_(frame) { Register(); }
    ~ExitInside() override { Unregister(); }
    std::vector<std::string> messages;

   protected:
    int Enter(wxDialog* dialog) override {
      if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
        messages.push_back(box->GetMessage().utf8_string());
        return wxID_OK;
      }
      if (dialog->GetId() != CManageSegmentDlg::IDD) return wxID_NONE;
      dialog->CallAfter([this, dialog] {
        Command(frame_, cmd::ID_APP_EXIT);
        dialog->EndModal(wxID_CANCEL);
      });
      return wxID_NONE;
    }
    void Exit(wxDialog*) override {}

   private:
    CMainFrame* frame_;
  } exitInside(frame);
  Command(frame, cmd::ID_DISCOVERY_WIZARD);
  EXPECT_EQ(exitInside.messages, std::vector<std::string>{"Please close the opened dialog!"});
  EXPECT_TRUE(frame->IsShown());
  EXPECT_EQ(app.Frame(), frame);
}

// The virtual display has no system tray: the close box must not hide the window where nothing could
// bring it back.
TEST(MainFrameCommandsTest, TheCloseBoxWithoutATrayAsksToExitInsteadOfHiding) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  CMainFrame* frame = app.Frame();
  ASSERT_FALSE(wxTaskBarIcon::IsAvailable()) << "this test needs a display without a tray";
  {
    ModalDialogRecorder boxes(wxID_NO);
    frame->Close();  // what the window manager's close box does
    ASSERT_EQ(boxes.Dialogs().size(), 1u);
    EXPECT_EQ(boxes.Dialogs()[0].message,
              "The desktop has no system tray to keep the program in.\nExit the program?");
  }
  PumpPending();
  ASSERT_EQ(app.Frame(), frame) << "No keeps the program";
  EXPECT_TRUE(frame->IsShown()) << "and its window on the screen";
  const wxImage shot = testing_support::CaptureWindow(frame);
  testing_support::SaveCapture(shot, "main_window_after_close_refused");
  EXPECT_GT(testing_support::CountPixels(shot, CCustomNMSTheme::kGradientTop, 16), 100)
      << "the window, its tool bar first, is still drawn on the screen";
  {
    ModalDialogRecorder boxes(wxID_YES);
    frame->Close();
    EXPECT_EQ(boxes.Dialogs().size(), 1u);
  }
  EXPECT_TRUE(PumpUntil([] { return wxTopLevelWindows.IsEmpty(); })) << "Yes ends the program";
}

TEST(MainFrameCommandsTest, ClearDatabaseCancelledLeavesTheDevices) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  CAccessDatabase database;
  ASSERT_TRUE(database.QueryValues("INSERT INTO device_list_prev (ip, mac, name, type) VALUES ('127.0.0.10', "
                                   "'02:44:71:0A:00:01', 'SW_1', 1) RETURNING mac", {}).size() == 1);
  {
    ModalDialogRecorder boxes(wxID_CANCEL);
    Command(app.Frame(), cmd::ID_CLEAR_DATABASE);
    ASSERT_EQ(boxes.Dialogs().size(), 1u);
    EXPECT_EQ(boxes.Dialogs()[0].message, "Clear database, are you sure?");
  }
  EXPECT_EQ(database.QueryValues("SELECT COUNT(*) FROM device_list_prev", {})[0][0], "1");
  {
    ModalDialogRecorder boxes(wxID_OK);
    Command(app.Frame(), cmd::ID_CLEAR_DATABASE);
  }
  EXPECT_EQ(database.QueryValues("SELECT COUNT(*) FROM device_list_prev", {})[0][0], "0");
}

TEST(EventPaneTest, OpensWithTheCurrentCountsAndItsListFillsThePane) {
  DeviceEventCounters.nNewAp = 4;
  DeviceEventCounters.nManagedSwitch = 2;
  auto* frame = new wxFrame(nullptr, wxID_ANY, "pane");
  auto* pane = new CEventDlg(frame);
  EXPECT_EQ(pane->ValueAt(CEventDlg::kNewAp), "4");
  EXPECT_EQ(pane->ValueAt(CEventDlg::kManagedSwitch), "2");
  EXPECT_EQ(pane->ValueAt(CEventDlg::kUnknownDevice), "0");
  EXPECT_EQ(pane->List()->GetItemText(6).utf8_string(), "Managed AP");
  pane->SetChangedAp("7");
  EXPECT_EQ(pane->ValueAt(CEventDlg::kChangedAp), "7");
  pane->SetSize(240, 300);
  PumpPending();
  EXPECT_EQ(pane->List()->GetSize(), wxSize(240, 300));
  frame->Destroy();
  DeviceEventCounters.nNewAp = 0;
  DeviceEventCounters.nManagedSwitch = 0;
}

TEST(EventPaneTest, ItsColumnsOpenAsWideAsTheirHeadingsAndNames) {
  auto* frame = new wxFrame(nullptr, wxID_ANY, "pane", wxPoint(20, 20), wxSize(260, 240));
  auto* pane = new CEventDlg(frame);
  frame->Show();
  ASSERT_TRUE(PumpUntil([&] { return pane->IsShownOnScreen(); }));
  PumpPending();
  wxListCtrl* list = pane->List();
  // Whole texts need their extent and a margin on both sides.
  EXPECT_GE(list->GetColumnWidth(1), list->GetTextExtent("Value").x + 16) << "the heading \"Value\" is not cut";
  EXPECT_GE(list->GetColumnWidth(0), list->GetTextExtent("Managed Switch").x + 16);
  EXPECT_LE(list->GetColumnWidth(0) + list->GetColumnWidth(1), 260) << "both columns fit the pane";
  testing_support::SaveCapture(testing_support::CaptureWindow(frame), "event_pane_columns");
  frame->Destroy();
}

TEST(MainFrameNoticesTest, CountersShowOneNoticeAndTheTimerHidesIt) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  CMainFrame* frame = app.Frame();
  ASSERT_TRUE(GetDBMaintain()->ExecuteCommand("INSERT INTO device_list_prev (ip, mac, name, type, status, online) "
                                              "VALUES ('127.0.0.11', '02:44:71:00:01:01', 'AP_1', 2, 6, 1)", {}));
  frame->UpdateEventCounters();
  ASSERT_NE(frame->Notice(NoticeKind::Change), nullptr);
  EXPECT_TRUE(frame->Notice(NoticeKind::Change)->IsShown());
  EXPECT_EQ(frame->Notice(NoticeKind::ReplaceChange), nullptr);

  ASSERT_TRUE(GetDBMaintain()->ExecuteCommand("INSERT INTO device_list (ip, mac, name, type, status, online) "
                                              "VALUES ('127.0.0.12', '02:44:71:00:01:02', 'AP_2', 2, 5, 1)", {}));
  frame->UpdateEventCounters();
  EXPECT_FALSE(frame->Notice(NoticeKind::Change)->IsShown()) << "changed and replaced: only the combined one";
  ASSERT_NE(frame->Notice(NoticeKind::ReplaceChange), nullptr);
  EXPECT_TRUE(frame->Notice(NoticeKind::ReplaceChange)->IsShown());
  const wxImage shot = testing_support::CaptureWindow(frame->Notice(NoticeKind::ReplaceChange));
  EXPECT_GT(testing_support::CountPixels(shot, wxColour(255, 255, 225), 4), shot.GetWidth() * shot.GetHeight() / 2)
      << "the notice is a pale yellow card";
  // Nine seconds after the last show every notice is hidden.
  EXPECT_TRUE(PumpUntil([&] { return !frame->Notice(NoticeKind::ReplaceChange)->IsShown(); }));
}
