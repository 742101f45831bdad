// The device windows the main window opens: the switch configuration sheet from the device tree's
// command, the System Key Manager from the Tools menu, and the switch firmware pane reached from the
// navigation bar; each seen on the display and checked in a picture.
#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/modalhook.h>
#include <wx/radiobut.h>
#include <wx/settings.h>

#include <filesystem>
#include <functional>
#include <string>

#include "AppTestEnvironment.h"
#include "app/MainFrm.h"
#include "config/ui/FirmwareSwitchView.h"
#include "config/ui/SwitchCfgSheet.h"
#include "controls/ReportCtrl.h"
#include "controls/ReportListView.h"
#include "credentials/ui/ModifySystemKeyDlg.h"
#include "db/db_maintain.h"
#include "devmodel/DeviceCommandIds.h"
#include "devmodel/ui/ListViewHead.h"
#include "devmodel/ui/TopologyTreeCtrl.h"
#include "devmodel/ui/TopologyTreeView.h"
#include "mainmodel/ViewTable.h"
#include "uibase/CommandIds.h"

namespace {

using app_test::PumpPending;
using app_test::PumpUntil;
using app_test::RunningApp;
using app_test::TestRoot;
using testing_support::CaptureWindow;
using testing_support::CountPixels;
using testing_support::SaveCapture;

const char kSwitchMac[] = "02:44:71:00:00:01";
// Pictures stay beside the test program: the running application works in a temporary folder.
const std::filesystem::path kProgramFolder = std::filesystem::current_path();

// Lets the next modal dialog appear, looks at it, takes its picture from inside its own loop, then cancels
// it (the dialog is gone once the command returns).
class DialogPicture : public wxModalDialogHook {
 public:
  DialogPicture(std::string name, std::function<void(wxDialog*)> inspect)
      : name_(std::move(name)), inspect_(std::move(inspect)) {
    Register();
  }
  ~DialogPicture() override { Unregister(); }

  bool Seen() const { return seen_; }
  const wxImage& Picture() const { return picture_; }
  bool Closed() const { return closed_; }

 protected:
  int Enter(wxDialog* dialog) override {
    seen_ = true;
    inspect_(dialog);
    dialog->CallAfter([this, dialog] {
      PumpUntil([dialog] { return dialog->IsShownOnScreen(); });
      for (int i = 0; i < 10; ++i) PumpPending();
      picture_ = CaptureWindow(dialog);
      SaveCapture(picture_, name_, kProgramFolder);
      wxWindow* cancel = dialog->FindWindow(wxID_CANCEL);
      if (!cancel) {
        ADD_FAILURE() << "the dialog has no Cancel";
        dialog->EndModal(wxID_CANCEL);
        return;
      }
      wxCommandEvent press(wxEVT_BUTTON, wxID_CANCEL);
      press.SetEventObject(cancel);
      cancel->ProcessWindowEvent(press);
    });
    return wxID_NONE;
  }
  void Exit(wxDialog*) override { closed_ = true; }

 private:
  std::string name_;
  std::function<void(wxDialog*)> inspect_;
  bool seen_ = false;
  wxImage picture_;
  bool closed_ = false;
};

// Dark pixels: the captions and labels a window draws.
int TextPixels(const wxImage& image) { return CountPixels(image, *wxBLACK, 60); }

void AddManagedSwitch() {
  CDB_Maintain& database = *GetDBMaintain();
  ASSERT_TRUE(database.ExecuteCommand(
      std::string("insert into device_list_prev (name, ip, mac, type, port_num, online, status, isnew) values"
                  " ('lab-switch', '127.0.0.10', '") + kSwitchMac + "', 1, 24, 1, 0, 0)"));
  ASSERT_TRUE(database.ExecuteCommand(std::string("insert into switch_property (mac, sys_name, location) values ('") +
                                      kSwitchMac + "', 'lab-switch', 'lab')"));
}

void Command(CMainFrame* frame, int command) {
  wxCommandEvent event(wxEVT_MENU, cmd::WxId(command));
  event.SetEventObject(frame);
  frame->GetEventHandler()->ProcessEvent(event);
}

TEST(DeviceWindowsInFrameTest, TheTreeCommandOpensTheSwitchSheetOnTheSwitch) {
  RunningApp app(TestRoot() / "switch-sheet");
  ASSERT_TRUE(app.Started());
  AddManagedSwitch();
  CMainFrame* frame = app.Frame();
  frame->SwitchView(view::kTopologyTree);
  auto* tree = dynamic_cast<CTopologyTreeView*>(frame->CurrentViewWindow());
  ASSERT_TRUE(tree);
  tree->ReloadTree();
  ASSERT_FALSE(tree->Tree()->GetTopNodes().empty());
  tree->Tree()->SelectNode(tree->Tree()->GetTopNodes().front());

  std::string sheetMac = "no sheet";
  DialogPicture picture("switch_sheet_from_tree", [&](wxDialog* dialog) {
    if (auto* sheet = dynamic_cast<CSwitchCfgSheet*>(dialog)) sheetMac = sheet->GetSwitchMac();
  });
  wxCommandEvent configPage(wxEVT_MENU, devcmd::kTreeSwitchConfigPage);
  tree->GetEventHandler()->ProcessEvent(configPage);

  ASSERT_TRUE(picture.Seen()) << "the tree's command opens a dialog";
  EXPECT_EQ(sheetMac, kSwitchMac) << "the switch sheet, on the selected switch";
  EXPECT_TRUE(picture.Closed());
  EXPECT_GT(TextPixels(picture.Picture()), 200) << "the sheet shows its pages";
  frame->SwitchView(view::kDeviceList);
  app.Exit();
}

TEST(DeviceWindowsInFrameTest, TheSystemKeyManagerOpensAndCloses) {
  RunningApp app(TestRoot() / "system-key");
  ASSERT_TRUE(app.Started());
  CMainFrame* frame = app.Frame();
  frame->UpdateWindowUI(wxUPDATE_UI_RECURSE);
  PumpPending();
  wxMenuItem* item = frame->GetMenuBar()->FindItem(cmd::WxId(cmd::ID_SYSTEM_KEY_MANAGER));
  ASSERT_TRUE(item);
  EXPECT_TRUE(item->IsEnabled());

  bool keyDialog = false;
  DialogPicture picture("system_key_manager",
                        [&](wxDialog* dialog) { keyDialog = dynamic_cast<CModifySystemKeyDlg*>(dialog) != nullptr; });
  Command(frame, cmd::ID_SYSTEM_KEY_MANAGER);
  ASSERT_TRUE(picture.Seen());
  EXPECT_TRUE(keyDialog) << "the menu command opens the system key dialog";
  EXPECT_TRUE(picture.Closed());
  EXPECT_GT(TextPixels(picture.Picture()), 200) << "the dialog shows its modes and fields";
  app.Exit();
}

TEST(DeviceWindowsInFrameTest, TheNavigationReachesTheSwitchFirmwarePane) {
  RunningApp app(TestRoot() / "switch-firmware");
  ASSERT_TRUE(app.Started());
  AddManagedSwitch();
  CMainFrame* frame = app.Frame();
  Command(frame, cmd::ID_VIEW_FIRMWARE);
  auto* switchRadio = dynamic_cast<wxRadioButton*>(frame->HeaderBar()->FindWindow(CListViewHead::kFirmwareSwitch));
  ASSERT_TRUE(switchRadio && switchRadio->IsShown()) << "the firmware navigation shows the header's Switch choice";
  switchRadio->SetValue(true);
  wxCommandEvent chosen(wxEVT_RADIOBUTTON, CListViewHead::kFirmwareSwitch);
  chosen.SetEventObject(switchRadio);
  switchRadio->GetEventHandler()->ProcessEvent(chosen);

  auto* pane = dynamic_cast<CFirmwareSwitchView*>(frame->CurrentViewWindow());
  ASSERT_TRUE(pane) << "the Switch choice shows the switch firmware pane";
  EXPECT_EQ(frame->CurrentView(), view::kFirmwareSwitches);
  ASSERT_EQ(pane->List()->GetItemCount(), 1);
  EXPECT_EQ(pane->List()->GetItemText(0, 3), "127.0.0.10");
  pane->List()->GetListView()->SetFocus();
  pane->List()->ApplyRowStates(0, listmodel::ROW_SELECTED);
  for (int i = 0; i < 10; ++i) PumpPending();
  const wxImage shot = CaptureWindow(pane);
  SaveCapture(shot, "switch_firmware_pane", kProgramFolder);
  EXPECT_GT(CountPixels(shot, wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT), 30), 200)
      << "the switch's row is drawn selected";
  frame->SwitchView(view::kDeviceList);
  app.Exit();
}

}  // namespace
