// A new user's first run, end to end on a real display: log in, discover the simulated reference network
// with the Discovery Wizard, see its devices in the System Log and the counters, save them, find them
// managed in the database; then the close box hides the window to the tray and Exit shuts down in order.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/msgdlg.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "AppTestEnvironment.h"
#include "app/MainFrm.h"
#include "app/MainTrayIcon.h"
#include "config/ui/SaveNewDev.h"
#include "db/AccessDatabase.h"
#include "mainmodel/ui/EventDlg.h"
#include "mainmodel/ui/ManageSegmentDlg.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/ui/WxTestEnvironment.h"
#include "uibase/CommandIds.h"

using app_test::PumpPending;
using app_test::PumpUntil;
using app_test::RunningApp;
using app_test::TestRoot;

namespace {

void Click(wxWindow* window) {
  wxUIActionSimulator sim;
  sim.MouseMove(window->GetScreenRect().GetPosition() + window->GetSize() / 2);
  PumpPending();
  sim.MouseClick();
}

template <typename Field>
void TypeInto(Field* field, const std::string& text) {
  Click(field);  // as a user puts the cursor into a field
  PumpUntil([field] { return field->HasFocus() || wxWindow::FindFocus() == field; });
  field->SelectAll();  // typing replaces what the field held
  wxUIActionSimulator().Text(text.c_str());
  EXPECT_TRUE(PumpUntil([&] { return field->GetValue().utf8_string() == text; }))
      << "typed " << text << ", the field holds " << field->GetValue().utf8_string();
}

// Plays the user in the wizard and the save dialog, each inside the dialog's own loop; message boxes are
// recorded and answered at once.
class DiscoveryUser : public wxModalDialogHook {
 public:
  DiscoveryUser() { Register(); }
  ~DiscoveryUser() override { Unregister(); }

  std::vector<std::string> messages;
  bool wizardDone = false;
  bool saveDone = false;
  std::vector<std::string> savedApNames;
  std::vector<std::string> savedSwitchNames;

 protected:
  int Enter(wxDialog* dialog) override {
    if (auto* box = dynamic_cast<wxMessageDialogBase*>(dialog)) {
      messages.push_back(box->GetMessage().utf8_string());
      return wxID_OK;
    }
    if (dialog->GetId() == CManageSegmentDlg::IDD) dialog->CallAfter([this, dialog] { PlayWizard(*dialog); });
    if (dialog->GetId() == CSaveNewDevDlg::IDD) dialog->CallAfter([this, dialog] { PlaySave(*dialog); });
    return wxID_NONE;
  }
  void Exit(wxDialog*) override {}

 private:
  void PlayWizard(wxDialog& dialog) {
    auto* from = dynamic_cast<wxComboBox*>(dialog.FindWindow(CManageSegmentDlg::IDC_FROM_IP));
    auto* to = dynamic_cast<wxComboBox*>(dialog.FindWindow(CManageSegmentDlg::IDC_TO_IP));
    auto* password = dynamic_cast<wxTextCtrl*>(dialog.FindWindow(CManageSegmentDlg::IDC_PASSWORD));
    ASSERT_TRUE(from && to && password);
    EXPECT_FALSE(dialog.FindWindow(wxID_OK)->IsEnabled()) << "OK waits for a segment";
    TypeInto(from, "127.0.0.10");
    TypeInto(to, "127.0.0.10");
    TypeInto(password, "private");
    Click(dialog.FindWindow(CManageSegmentDlg::IDC_ADD));
    auto* segments = dynamic_cast<wxListCtrl*>(dialog.FindWindow(CManageSegmentDlg::IDC_SEGMENTS));
    EXPECT_TRUE(PumpUntil([&] { return segments->GetItemCount() == 1; }));
    EXPECT_TRUE(dialog.FindWindow(wxID_OK)->IsEnabled());
    const wxImage shot = testing_support::CaptureWindow(&dialog);
    testing_support::SaveCapture(shot, "discovery_wizard");
    EXPECT_GT(testing_support::CountPixels(shot, wxColour(0, 0, 0), 60), 50) << "the wizard shows its texts";
    Click(dialog.FindWindow(wxID_OK));
    wizardDone = PumpUntil([&] { return !dialog.IsModal(); });
    if (!wizardDone) dialog.EndModal(wxID_CANCEL);
  }

  void PlaySave(wxDialog& dialog) {
    auto& save = dynamic_cast<CSaveNewDevDlg&>(dialog);
    for (long row = 0; row < save.ApList()->GetItemCount(); ++row)
      savedApNames.push_back(save.ApList()->GetItemText(row, 1).utf8_string());
    for (long row = 0; row < save.SwitchList()->GetItemCount(); ++row)
      savedSwitchNames.push_back(save.SwitchList()->GetItemText(row, 1).utf8_string());
    testing_support::SaveCapture(testing_support::CaptureWindow(&dialog), "save_new_devices");
    Click(dialog.FindWindow(wxID_OK));
    saveDone = PumpUntil([&] { return !dialog.IsModal(); });
    if (!saveDone) dialog.EndModal(wxID_CANCEL);
  }
};

int CountLines(wxListCtrl* list, const std::string& part) {
  int count = 0;
  for (long row = 0; row < list->GetItemCount(); ++row)
    if (list->GetItemText(row).utf8_string().find(part) != std::string::npos) ++count;
  return count;
}

}  // namespace

TEST(DiscoveryEndToEndTest, DiscoversTheReferenceNetworkSavesItAndShutsDownInOrder) {
  testing_support::DevSimProcess simulator;  // on a port of its own, exported as PELLION_SNMP_PORT
  DiscoveryUser user;
  RunningApp app(TestRoot() / "discovery");
  ASSERT_TRUE(app.Started());
  CMainFrame* frame = app.Frame();

  wxCommandEvent wizard(wxEVT_MENU, cmd::WxId(cmd::ID_DISCOVERY_WIZARD));
  frame->ProcessWindowEvent(wizard);
  ASSERT_TRUE(user.wizardDone) << "the wizard did not close with OK";
  {
    std::lock_guard hold(g_RuntimeSettings.csSettings);
    EXPECT_EQ(g_RuntimeSettings.strWriteCommunity, "private") << "the wizard's password is the community now";
  }
  EXPECT_TRUE(user.messages.empty()) << user.messages.front();

  // The scan, the pass and the save dialog all run from the frame's messages.
  if (!PumpUntil([&] { return user.saveDone; })) {
    for (long row = 0; row < frame->SystemLogList()->GetItemCount(); ++row)
      ADD_FAILURE() << frame->SystemLogList()->GetItemText(row).utf8_string();
    for (const std::string& m : user.messages) ADD_FAILURE() << "box: " << m;
    FAIL() << "no Save New Device dialog came";
  }
  EXPECT_EQ(user.savedSwitchNames.size(), 1u);
  EXPECT_EQ(user.savedApNames.size(), 3u);
  EXPECT_EQ(CountLines(frame->SystemLogList(), "Discovered a new device"), 5);
  EXPECT_EQ(frame->EventPane()->ValueAt(CEventDlg::kUnknownDevice), "1");

  // Saved: the switch and the three APs are managed; the counters follow at the next refresh.
  CAccessDatabase database;
  EXPECT_TRUE(PumpUntil([&] {
    return database.QueryValues("SELECT mac FROM device_list_prev WHERE type IN ('1', '2')", {}).size() == 4u;
  }));
  EXPECT_TRUE(PumpUntil([&] { return frame->EventPane()->ValueAt(CEventDlg::kManagedAp) == "3"; }));
  EXPECT_EQ(frame->EventPane()->ValueAt(CEventDlg::kManagedSwitch), "1");

  // The discovery lines are green (Warning); the capture shows the log's lines.
  wxListCtrl* log = frame->SystemLogList();
  for (long row = 0; row < log->GetItemCount(); ++row) {
    if (log->GetItemText(row).Contains("Discovered a new device")) {
      EXPECT_EQ(log->GetItemTextColour(row), wxColour(69, 129, 43)) << log->GetItemText(row);
    }
  }
  const wxImage shot = testing_support::CaptureWindow(frame);
  testing_support::SaveCapture(shot, "main_window_after_discovery");
  wxRect logArea(log->GetScreenPosition() - frame->GetScreenPosition() - frame->GetClientAreaOrigin(), log->GetSize());
  logArea.Intersect(wxRect(shot.GetSize()));
  const wxColour background = wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW);
  const int area = logArea.GetWidth() * logArea.GetHeight();
  EXPECT_GT(area - testing_support::CountPixels(shot, background, 8, logArea), 200) << "the log shows its lines";

  // The tray's Open brings a hidden window back (this display has no tray, so its close box asks to
  // exit instead of hiding the window).
  frame->Hide();
  EXPECT_TRUE(PumpUntil([&] { return !frame->IsShown(); }));
  ASSERT_NE(frame->TrayIcon(), nullptr);
  wxCommandEvent open(wxEVT_MENU, cmd::WxId(cmd::ID_TRAY_OPEN));
  frame->ProcessWindowEvent(open);
  EXPECT_TRUE(frame->IsShown());

  app.Exit();  // every worker thread is stopped and joined before the window goes
  EXPECT_TRUE(wxTopLevelWindows.IsEmpty());
}
