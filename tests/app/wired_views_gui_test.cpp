// The views and dialogs the main window opens, as a user reaches them: the navigation bar leads to each
// real view (captured, so a person can look), Preferences stores a changed value on OK, the Password
// Manager opens and closes, and a restored database's settings come into use.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <wx/filedlg.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <functional>
#include <mutex>
#include <string>

#include "AppTestEnvironment.h"
#include "app/MainFrm.h"
#include "app/PlaceholderView.h"
#include "controls/Outlook2Ctrl.h"
#include "credentials/ui/PasswdManagerDlg.h"
#include "groupmodel/ui/GroupView.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "loadbalance/ui/ClientHistoryView.h"
#include "loadbalance/ui/LoadBalanceTreeView.h"
#include "log/ui/LogView.h"
#include "log/ui/SnmpSettingPage.h"
#include "settings/GlobalSettings.h"
#include "settings/GlobalSettingsApplier.h"
#include "uibase/CommandIds.h"
#include "usage/ui/ClientView.h"
#include "usage/ui/UtilizationBalanceView.h"
#include "usage/ui/UtilizationUserPlotView.h"

using app_test::PumpPending;
using app_test::PumpUntil;
using app_test::RunningApp;

namespace {

void ClickAt(wxWindow* window, const wxPoint& point) {
  wxUIActionSimulator input;
  input.MouseMove(window->ClientToScreen(point));
  PumpPending();
  input.MouseClick();
}

void ClickRect(COutlook2Ctrl* bar, const ControlRect& r) {
  ClickAt(bar, wxPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
}

void ClickButton(wxWindow* button) { ClickAt(button, wxPoint(button->GetClientSize().x / 2, button->GetClientSize().y / 2)); }

// Share of the capture that is not the placeholder's plain window colour: a real view shows its panel,
// buttons and lists, the placeholder one caption on an empty pane.
double DrawnShare(const wxImage& shot) {
  const int plain = testing_support::CountPixels(shot, wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW), 8);
  const double area = static_cast<double>(shot.GetWidth()) * shot.GetHeight();
  return area > 0 ? 1.0 - plain / area : 0.0;
}

// Runs once the dialog of the given title is in its own loop, from inside that loop, as a user would act.
class DialogAction : public wxModalDialogHook {
 public:
  DialogAction(std::string title, std::function<void(wxDialog*)> act) : title_(std::move(title)), act_(std::move(act)) {
    Register();
  }
  ~DialogAction() override { Unregister(); }
  int Runs() const { return runs_; }

 protected:
  int Enter(wxDialog* dialog) override {
    if (dialog->GetTitle().utf8_string() != title_) return wxID_NONE;
    ++runs_;
    dialog->CallAfter([dialog, act = act_] { act(dialog); });
    return wxID_NONE;
  }
  void Exit(wxDialog*) override {}

 private:
  std::string title_;
  std::function<void(wxDialog*)> act_;
  int runs_ = 0;
};

}  // namespace

TEST(WiredViewsTest, TheNavigationBarLeadsToEachRealView) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  CMainFrame* frame = app.Frame();
  frame->SetSize(1100, 800);
  frame->Raise();
  COutlook2Ctrl* bar = frame->NavigationBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return !bar->FolderAt(1)->headerRect.IsEmpty(); }));

  // folder, item (-1 the folder's header), the view it leads to, its check, a name for the capture
  struct Step {
    int folder;
    int item;
    int view;
    std::function<bool(wxWindow*)> isView;
    const char* name;
  };
  const Step steps[] = {
      {0, 1, 6, [](wxWindow* w) { return dynamic_cast<CClientView*>(w) != nullptr; }, "view_clients"},
      {1, -1, 4, [](wxWindow* w) { return dynamic_cast<CGroupView*>(w) != nullptr; }, "view_groups"},
      {2, -1, 12, [](wxWindow* w) { return dynamic_cast<CUtilizationUserPlotView*>(w) != nullptr; }, "view_ap_users"},
      {2, 1, 12, [](wxWindow* w) { return dynamic_cast<CUtilizationUserPlotView*>(w) != nullptr; }, "view_ap_traffic"},
      {2, 2, 14, [](wxWindow* w) { return dynamic_cast<CClientHistoryView*>(w) != nullptr; }, "view_client_info"},
      {2, 3, 15, [](wxWindow* w) { return dynamic_cast<CUtilizationBalanceView*>(w) != nullptr; }, "view_load_balance"},
      {4, -1, 11, [](wxWindow* w) { return dynamic_cast<CLogView*>(w) != nullptr; }, "view_log"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    wxWindow* before = frame->CurrentViewWindow();  // every step makes a new view, also of the same number
    if (step.item < 0) {
      ClickRect(bar, bar->FolderAt(step.folder)->headerRect);
    } else {
      ASSERT_TRUE(PumpUntil([&] { return !bar->ItemAt(step.folder, 0, step.item)->rect.IsEmpty(); }));
      ClickRect(bar, bar->ItemAt(step.folder, 0, step.item)->rect);
    }
    ASSERT_TRUE(PumpUntil([&] {
      return frame->CurrentViewWindow() != before && frame->CurrentView() == step.view &&
             step.isView(frame->CurrentViewWindow());
    }));
    const wxImage shot = testing_support::CaptureWindow(frame->CurrentViewWindow());
    testing_support::SaveCapture(shot, step.name);
    EXPECT_GT(DrawnShare(shot), 0.02) << "the pane shows the view's own controls";
  }
  EXPECT_EQ(frame->GetPlotMode(), 2) << "AP Traffic plots traffic";

  // Nothing on the bar issues the load-balance tree's command; the menu route is the only one.
  wxCommandEvent tree(wxEVT_MENU, cmd::WxId(cmd::ID_VIEW_LOAD_BALANCE_TREE));
  frame->ProcessWindowEvent(tree);
  ASSERT_NE(dynamic_cast<CLoadBalanceTreeView*>(frame->CurrentViewWindow()), nullptr);
  const wxImage shot = testing_support::CaptureWindow(frame->CurrentViewWindow());
  testing_support::SaveCapture(shot, "view_load_balance_tree");
  EXPECT_GT(DrawnShare(shot), 0.02);
}

TEST(WiredDialogsTest, PreferencesStoresAChangedIntervalOnOk) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  const int before = LoadGlobalSettings().interval;
  const int wanted = before == 120 ? 130 : 120;
  bool typed = false;
  std::function<void(wxDialog*)> act = [&](wxDialog* sheet) {
    auto* interval = dynamic_cast<wxTextCtrl*>(sheet->FindWindow(CSnmpSettingPage::IDC_INTERVAL));
    // The first page loads its values when it is shown.
    PumpUntil([&] { return interval && !interval->GetValue().empty(); });
    testing_support::SaveCapture(testing_support::CaptureWindow(sheet), "preferences");
    if (!interval || interval->GetValue().empty()) {
      ADD_FAILURE() << "the first page shows no polling interval";
      sheet->EndModal(wxID_CANCEL);
      return;
    }
    ClickButton(interval);
    PumpPending();
    interval->SelectAll();
    wxUIActionSimulator().Text(std::to_string(wanted).c_str());
    PumpUntil([&] { return interval->GetValue() == std::to_string(wanted); });
    typed = interval->GetValue() == std::to_string(wanted);
    ClickButton(sheet->FindWindow(wxID_OK));
  };
  DialogAction answer("Preferences", [&](wxDialog* sheet) { act(sheet); });
  wxCommandEvent open(wxEVT_MENU, cmd::WxId(cmd::ID_PREFERENCES));
  app.Frame()->ProcessWindowEvent(open);
  EXPECT_EQ(answer.Runs(), 1);
  EXPECT_TRUE(typed);
  EXPECT_EQ(LoadGlobalSettings().interval, wanted);
}

TEST(WiredDialogsTest, PasswordManagerOpensWithItsListAndCloses) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  bool listed = false;
  DialogAction answer("Deivce Password Manager", [&](wxDialog* dialog) {
    auto* manager = dynamic_cast<CPasswdManagerDlg*>(dialog);
    listed = manager && manager->List() && manager->List()->GetColumnCount() > 0;
    testing_support::SaveCapture(testing_support::CaptureWindow(dialog), "password_manager");
    ClickButton(dialog->FindWindow(wxID_CANCEL));
  });
  app.Frame()->UpdateWindowUI();
  ASSERT_TRUE(app.Frame()->GetMenuBar()->IsEnabled(cmd::WxId(cmd::ID_PASSWORD_MANAGER)));
  wxCommandEvent open(wxEVT_MENU, cmd::WxId(cmd::ID_PASSWORD_MANAGER));
  app.Frame()->ProcessWindowEvent(open);
  EXPECT_EQ(answer.Runs(), 1);
  EXPECT_TRUE(listed);
}

namespace {

// Acts in the file chooser (chooses the file and opens it) and answers every message
// box OK at once, noting its text.
class RestoreChooser : public wxModalDialogHook {
 public:
  explicit RestoreChooser(std::string file) : file_(std::move(file)) { Register(); }
  ~RestoreChooser() override { Unregister(); }
  std::vector<std::string> boxes;
  bool chose = false;

 protected:
  int Enter(wxDialog* dialog) override {
    if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) {
      boxes.push_back(box->GetMessage().utf8_string());
      return wxID_OK;
    }
    auto* chooser = dynamic_cast<wxFileDialog*>(dialog);
    // The toolkit's file dialog passes through this hook twice in one showing; a second answer queued
    // behind the first would set the path again while the first waits for it and undo its selection.
    if (!chooser || chooser == answered_) return wxID_NONE;
    answered_ = chooser;
    chooser->CallAfter([this, chooser] {
      chooser->SetPath(wxString::FromUTF8(file_));
      chose = PumpUntil([&] { return chooser->GetPath().utf8_string() == file_; });
      // Without a window manager the chooser never gets the keyboard: it answers as its Open button would
      // (the toolkit's own call, looked up at run time as the test does not link the toolkit directly).
      using Respond = void (*)(void*, int);
      static const auto respond = reinterpret_cast<Respond>(dlsym(RTLD_DEFAULT, "gtk_dialog_response"));
      constexpr int kAccept = -3;
      if (respond) respond(chooser->GetHandle(), chose ? kAccept : -6);
    });
    return wxID_NONE;
  }
  void Exit(wxDialog*) override {}

 private:
  std::string file_;
  wxDialog* answered_ = nullptr;
};

}  // namespace

TEST(WiredDialogsTest, RestoreBringsTheRestoredSettingsIntoUse) {
  RunningApp app;
  ASSERT_TRUE(app.Started());
  // A backup whose settings differ from those in use.
  const std::filesystem::path folder = app_test::TestRoot() / "backups";
  std::filesystem::create_directories(folder);
  std::string backup = folder.string();
  ASSERT_TRUE(GetLoadBalanceManager()->BackupDatabase(backup)) << "the folder becomes the copy's path";
  sqlite3* file = nullptr;
  ASSERT_EQ(sqlite3_open(backup.c_str(), &file), SQLITE_OK);
  EXPECT_EQ(sqlite3_exec(file, "UPDATE global_setting SET interval=90, monitor_time=1200, timeout=3", nullptr, nullptr,
                         nullptr),
            SQLITE_OK);
  sqlite3_close(file);
  {
    std::lock_guard hold(g_RuntimeSettings.csSettings);
    ASSERT_EQ(g_RuntimeSettings.nMonitorIntervalMs, 600000) << "the new database's value is in use";
  }

  RestoreChooser chooser(backup);
  wxCommandEvent restore(wxEVT_MENU, cmd::WxId(cmd::ID_RESTORE_DATABASE));
  app.Frame()->ProcessWindowEvent(restore);
  EXPECT_TRUE(chooser.chose);
  EXPECT_EQ(chooser.boxes, (std::vector<std::string>{"the file already exists , do you replace it",
                                                     "Restore the database  file successful"}));
  std::lock_guard hold(g_RuntimeSettings.csSettings);
  EXPECT_EQ(g_RuntimeSettings.nPollingIntervalMs, 90000);
  EXPECT_EQ(g_RuntimeSettings.nMonitorIntervalMs, 1200000);
  EXPECT_EQ(g_RuntimeSettings.nSnmpTimeout, 300);
}
