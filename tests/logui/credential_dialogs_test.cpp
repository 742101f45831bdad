// The password manager, "Modify Password" and "Modify System Key" as a user meets them: a device's row
// opened by a double click and given a new password on the simulated network, and a system key typed
// for every managed device, run by the dialog's worker over a fake key writer.
#include <wx/app.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/listctrl.h>
#include <wx/modalhook.h>

#include <atomic>
#include <thread>

#include "LogUiTest.h"
#include "credentials/ui/ModifyPwdDlg.h"
#include "credentials/ui/ModifySystemKeyDlg.h"
#include "credentials/ui/PasswdManagerDlg.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/ReferenceNetworkRows.h"

namespace {

using namespace logui_test;
namespace net = testing_support::reference_network;

// Runs a script inside the loop of the next dialog with the id.
class DialogUser : public wxModalDialogHook {
 public:
  DialogUser(int id, std::function<void(wxDialog&)> script) : id_(id), script_(std::move(script)) { Register(); }
  ~DialogUser() override { Unregister(); }

 protected:
  int Enter(wxDialog* dialog) override {
    if (dialog->GetId() == id_) dialog->CallAfter([this, dialog] { script_(*dialog); });
    return wxID_NONE;
  }
  void Exit(wxDialog*) override {}

 private:
  int id_;
  std::function<void(wxDialog&)> script_;
};

void ExpectClosed(wxDialog& dialog) {
  if (testing_support::PumpUntil([&] { return !dialog.IsModal(); })) return;
  ADD_FAILURE() << "the dialog " << dialog.GetTitle() << " stayed open";
  dialog.EndModal(wxID_CANCEL);
}

class CredentialDialogsTest : public WindowTest {
 protected:
  void SetUp() override {
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.strReadCommunity = "public";
      g_RuntimeSettings.nSnmpTimeout = 50;
    }
    ASSERT_TRUE(net::AddDevices(database, "device_list_prev"));
    main = new wxFrame(nullptr, wxID_ANY, "main", wxPoint(0, 0), wxSize(300, 200));
    wxTheApp->SetTopWindow(main);
    main->Show();
  }
  void TearDown() override {
    main->Destroy();
    Pump();
    WindowTest::TearDown();
  }
  wxFrame* main = nullptr;
};

TEST_F(CredentialDialogsTest, ADoubleClickedDeviceTakesANewPassword) {
  testing_support::DevSimProcess devsim;
  auto* manager = new CPasswdManagerDlg(main, [](const std::string&) { return std::string(); },
                                        [](const std::string&) {});
  manager->Show();
  Pump();
  wxListCtrl* list = manager->List();
  ASSERT_EQ(list->GetItemCount(), 5);
  EXPECT_EQ(list->GetItemText(1, 1), "AP");
  EXPECT_EQ(list->GetItemText(1, 2), "127.0.0.11");
  EXPECT_EQ(list->GetItemText(1, 4), "******");
  const wxImage shot = testing_support::CaptureWindow(manager);
  SavePicture(shot, "password_manager");
  const wxRect rows = list->GetRect();
  EXPECT_GT(DarkPixels(shot, wxRect(rows.x, rows.y + 25, rows.width, 90)), 200) << "the devices are listed";

  bool sawDevice = false;
  DialogUser user(CModifyPwdDlg::IDD, [&](wxDialog& dialog) {
    auto& modify = dynamic_cast<CModifyPwdDlg&>(dialog);
    sawDevice = dynamic_cast<wxTextCtrl*>(modify.FindWindow(CModifyPasswordService::IDC_IP))->GetValue() ==
                    "127.0.0.11" &&
                dynamic_cast<wxChoice*>(modify.FindWindow(CModifyPasswordService::IDC_DEVICE_TYPE))
                        ->GetStringSelection() == "AP";
    TypeInto(modify.FindWindow(CModifyPasswordService::IDC_NEW), "n3w");
    Click(modify.FindWindow(wxID_OK));
    ExpectClosed(modify);
  });
  list->SetItemState(1, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED, wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED);
  wxRect row;
  list->GetItemRect(1, row);
  wxUIActionSimulator input;
  input.MouseMove(list->ClientToScreen(row.GetPosition() + wxPoint(20, row.height / 2)));
  Pump(3);
  input.MouseDblClick();
  ASSERT_TRUE(testing_support::PumpUntil([&] { return !boxes.Texts().empty(); }));
  Pump();
  EXPECT_TRUE(sawDevice) << "the dialog opened on the double-clicked device";
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Modify device 127.0.0.11 password success"});
  EXPECT_EQ(database.Value("select write_community from device_list_prev where mac=?", {net::kAp1}), "n3w");
  manager->Destroy();
}

TEST_F(CredentialDialogsTest, ModifyAllAsksOnlyForTheNewPasswordAndHandsItOver) {
  std::vector<std::string> handedOver;
  auto* manager = new CPasswdManagerDlg(main, nullptr, [&](const std::string& password) { handedOver.push_back(password); });
  manager->Show();
  Pump();
  bool onlyNew = false;
  DialogUser user(CModifyPwdDlg::IDD, [&](wxDialog& dialog) {
    onlyNew = !dialog.FindWindow(CModifyPasswordService::IDC_CURRENT)->IsShown() &&
              !dialog.FindWindow(CModifyPasswordService::IDC_IP)->IsShown() &&
              dialog.FindWindow(CModifyPasswordService::IDC_NEW)->IsShown() &&
              dialog.FindWindow(CModifyPwdDlg::IDC_NOTICE)->IsShown() &&
              dialog.GetTitle() == "Modify all devices password";
    TypeInto(dialog.FindWindow(CModifyPasswordService::IDC_NEW), "all-new");
    Click(dialog.FindWindow(wxID_OK));
    ExpectClosed(dialog);
  });
  Click(manager->FindWindow(CPasswdManagerDlg::IDC_MODIFY_ALL));
  ASSERT_TRUE(testing_support::PumpUntil([&] { return !handedOver.empty(); }));
  EXPECT_TRUE(onlyNew);
  EXPECT_EQ(handedOver, std::vector<std::string>{"all-new"});
  EXPECT_TRUE(boxes.Texts().empty());
  manager->Destroy();
}

class FakeKeyWriter : public ISystemKeyWriter {
 public:
  int SetAllDevices(const std::string& key, const Progress& progress) override {
    keys.push_back(key);
    progress(50);
    progress(100);
    onUiThread = wxThread::IsMain();
    return 1;
  }
  int SetKeyErrorDevices() override { return 0; }
  int SetSingleDevice(const std::string&, const std::string&, const std::string&, const std::string&) override {
    return 0;
  }
  std::vector<std::string> keys;
  std::atomic<bool> onUiThread{true};
};

TEST_F(CredentialDialogsTest, AKeyForEveryDeviceRunsOnTheWorkerAndClosesTheDialog) {
  FakeKeyWriter writer;
  int refreshes = 0;
  CModifySystemKeyDlg dialog(main, writer, [&] { ++refreshes; });
  bool keyOnly = false;
  DialogUser user(CModifySystemKeyDlg::IDD, [&](wxDialog&) {
    keyOnly = dialog.FindWindow(CSystemKeyService::IDC_KEY)->IsEnabled() &&
              !dialog.FindWindow(CSystemKeyService::IDC_SINGLE_KEY)->IsEnabled();
    Click(dialog.FindWindow(wxID_OK));
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{"Please input system key!"});
    TypeInto(dialog.FindWindow(CSystemKeyService::IDC_KEY), "s3cret-key");
    const wxImage shot = testing_support::CaptureWindow(&dialog);
    SavePicture(shot, "system_key_dialog");
    const wxRect key = dialog.FindWindow(CSystemKeyService::IDC_KEY)->GetRect();
    EXPECT_GT(DarkPixels(shot, key), 20) << "the typed key shows";
    Click(dialog.FindWindow(wxID_OK));
  });
  EXPECT_EQ(dialog.ShowModal(), wxID_OK);
  EXPECT_TRUE(keyOnly) << "the dialog opens on all managed devices";
  EXPECT_EQ(writer.keys, std::vector<std::string>{"s3cret-key"});
  EXPECT_FALSE(writer.onUiThread) << "the pass ran on the worker";
  EXPECT_EQ(dialog.Progress()->GetValue(), 100);
  EXPECT_EQ(boxes.Texts().back(), "Modify system key success");
  EXPECT_EQ(refreshes, 1);
  EXPECT_FALSE(dialog.WorkerRunning());
}

}  // namespace
