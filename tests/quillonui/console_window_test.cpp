// The device console as a user meets it under Xvfb: simulated switches on loopback, simulated clicks and
// typing, and a look at what the screen shows.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <fstream>
#include <random>

#include "ConsoleTestSetup.h"
#include "SwitchSimulator.h"
#include "TftpPeer.h"
#include "app/QuillonLibrary.h"
#include "quillon/ui/ConsoleConfigDlg.h"
#include "quillon/ui/ConsoleDlg.h"
#include "quillon/ui/ConsoleUpgradeDlg.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/ui/WxTestEnvironment.h"

using namespace quillon::ui;
using namespace quillonui_test;
using testing_support::PumpUntil;

[[maybe_unused]] static auto* const g_wx = ::testing::AddGlobalTestEnvironment(testing_support::NewWxTestEnvironment());

namespace {

consolesim::SwitchConfig Switch(const std::string& address, const std::string& mac, const std::string& name) {
  consolesim::SwitchConfig c;
  c.address = address;
  c.mac = mac;
  c.systemName = name;
  c.password = "secret";
  c.location = "lab";
  c.groupInterval = 300;
  c.trapAddress = "10.1.1.1";  // the loopback address the simulator reports by default is no trap receiver
  return c;
}

std::vector<std::string> Texts(const testing_support::MessageBoxRecorder& boxes) { return boxes.Texts(); }

// The console shown without its own loop, so the test drives it from the outside.
class ConsoleWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ports_ = PrepareConsoleEnvironment(); }
  void TearDown() override {
    if (console_) console_->Destroy();
    testing_support::PumpPending();
  }

  void Open(int expectedRows) {
    console_ = new CConsoleDlg;
    console_->SetTimings({std::chrono::milliseconds(300), std::chrono::milliseconds(300), 20},
                         {std::chrono::milliseconds(1500), std::chrono::milliseconds(1500), std::chrono::milliseconds(100)});
    ASSERT_TRUE(console_->Initialise());
    console_->Show();
    ASSERT_TRUE(PumpUntil([&] { return console_->List()->GetItemCount() == expectedRows; }))
        << "rows: " << console_->List()->GetItemCount();
  }

  int RowOf(const std::string& mac) const {
    for (int row = 0; row < console_->List()->GetItemCount(); ++row)
      if (console_->List()->GetItemText(row, 0).utf8_string() == mac) return row;
    return -1;
  }

  // Clicks the row with the simulated mouse; true once it is the one selected row.
  bool SelectRow(int row) {
    wxListCtrl* list = console_->List();
    wxRect item;
    list->GetItemRect(row, item);
    wxUIActionSimulator simulator;
    const wxPoint at = list->ClientToScreen(wxPoint(item.x + 30, item.y + item.height / 2));
    simulator.MouseMove(at);
    testing_support::PumpPending();
    simulator.MouseClick();
    return PumpUntil([&] {
      return list->GetSelectedItemCount() == 1 && (list->GetItemState(row, wxLIST_STATE_SELECTED) & wxLIST_STATE_SELECTED);
    });
  }

  wxWindow* Button(int id) const { return console_->FindWindow(id); }

  // Opens the configuration dialog with the button and sets the location with the given password.
  void ConfigureLocation(const std::string& password, const std::string& location) {
    ModalScript script([&](wxDialog* dialog) {
      EXPECT_EQ(dialog->GetTitle(), "Configuration setting");
      auto* field = dialog->FindWindow(config_id::kLocation);
      static_cast<wxTextCtrl*>(field)->Clear();
      EXPECT_TRUE(TypeInto(field, location));
      EXPECT_TRUE(TypeInto(dialog->FindWindow(config_id::kPassword), password));
      Click(dialog->FindWindow(config_id::kSet));
    });
    Click(Button(console_id::kConfiguration));
    ASSERT_TRUE(PumpUntil([&] { return script.Ran() && !wxWindow::FindWindowById(config_id::kSet); }));
  }

  Ports ports_;
  CConsoleDlg* console_ = nullptr;
};

}  // namespace

TEST_F(ConsoleWindowTest, DiscoversConfiguresAndShowsTheSwitchsRefusal) {
  testing_support::MessageBoxRecorder boxes;
  consolesim::SwitchSimulator switches(kMagic, ports_.base, kGroup, "127.0.0.1",
                                       {Switch("127.0.0.41", "00c0ffee0001", "edge-1"),
                                        Switch("127.0.0.42", "00c0ffee0002", "edge-2"),
                                        Switch("127.0.0.43", "00c0ffee0003", "core")});
  switches.Start();
  Open(3);
  wxListCtrl* list = console_->List();
  ASSERT_EQ(list->GetColumnCount(), 11);
  EXPECT_EQ(list->GetItemText(RowOf("00c0ffee0002"), 1), "127.0.0.42");
  EXPECT_EQ(list->GetItemText(RowOf("00c0ffee0002"), 4), "edge-2");
  EXPECT_FALSE(Button(console_id::kDhcpRefresh)->IsShown());

  // Without a selection the button only says so.
  Click(Button(console_id::kConfiguration));
  ASSERT_TRUE(PumpUntil([&] { return !boxes.Texts().empty(); }));
  EXPECT_EQ(Texts(boxes), std::vector<std::string>{"Please select one device"});

  ASSERT_TRUE(SelectRow(RowOf("00c0ffee0002")));
  ConfigureLocation("secret", "hall 3");
  ASSERT_TRUE(PumpUntil([&] { return boxes.Texts().size() == 2; }));
  EXPECT_EQ(boxes.Texts()[1], "Set Succesful");
  EXPECT_EQ(switches.Switch("00c0ffee0002").location, "hall 3");
  ASSERT_TRUE(PumpUntil([&] { return list->GetItemText(RowOf("00c0ffee0002"), 6) == "hall 3"; }));

  switches.SetMode("00c0ffee0003", consolesim::Mode::WrongPassword);
  ASSERT_TRUE(SelectRow(RowOf("00c0ffee0003")));
  ConfigureLocation("secret", "roof");
  ASSERT_TRUE(PumpUntil([&] { return boxes.Texts().size() == 3; }));
  EXPECT_EQ(boxes.Texts()[2], "Device return : password error");
  EXPECT_EQ(switches.Switch("00c0ffee0003").location, "lab");
  for (int round = 0; round < 20; ++round) testing_support::PumpPending();
  EXPECT_EQ(list->GetSelectedItemCount(), 1);
  EXPECT_TRUE(list->GetItemState(RowOf("00c0ffee0003"), wxLIST_STATE_SELECTED) & wxLIST_STATE_SELECTED)
      << "the selection stays where the user put it while replies come in";

  // What the screen shows: the list filled with rows, one of them in the selection colour.
  const wxImage shot = testing_support::CaptureWindow(console_);
  testing_support::SaveCapture(shot, "console_three_switches");
  const wxRect listArea(list->GetPosition(), list->GetSize());
  const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
  const auto rowArea = [&](const std::string& mac) {
    wxRect item;
    list->GetItemRect(RowOf(mac), item);
    return wxRect(console_->ScreenToClient(list->ClientToScreen(item.GetPosition())), item.GetSize());
  };
  // A selected row is filled with the colour; its neighbour above shares at most a line of its edge.
  EXPECT_GT(testing_support::CountPixels(shot, highlight, 8, rowArea("00c0ffee0003")), 10000) << "the selected row";
  EXPECT_LT(testing_support::CountPixels(shot, highlight, 8, rowArea("00c0ffee0002")), 2000);
  const wxColour background = list->GetBackgroundColour();
  const int blank = testing_support::CountPixels(shot, background, 8, listArea);
  EXPECT_LT(blank, listArea.width * listArea.height - 2000) << "text in the rows";
}

TEST_F(ConsoleWindowTest, EnterAndEscapeLeaveTheConsoleOpenAndExitClosesIt) {
  testing_support::MessageBoxRecorder boxes;
  consolesim::SwitchSimulator switches(kMagic, ports_.base, kGroup, "127.0.0.1", {Switch("127.0.0.44", "00c0ffee0004", "a")});
  switches.Start();
  Open(1);
  console_->SetFocus();
  wxUIActionSimulator simulator;
  simulator.Char(WXK_ESCAPE);
  simulator.Char(WXK_RETURN);
  for (int round = 0; round < 20; ++round) testing_support::PumpPending();
  EXPECT_TRUE(console_->IsShown());
  Click(Button(console_id::kExit));
  ASSERT_TRUE(PumpUntil([&] { return !console_->IsShown(); }));
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST_F(ConsoleWindowTest, UpgradesASwitchAndFindsItAgain) {
  testing_support::MessageBoxRecorder boxes;
  consolesim::SwitchSimulator switches(kMagic, ports_.base, kGroup, "127.0.0.1", {Switch("127.0.0.51", "00c0ffee0051", "target")});
  switches.Start();
  consolesim::TftpPeer tftp("127.0.0.51", ports_.tftp);
  tftp.Start();
  testing_support::TempDir folder;
  std::vector<std::uint8_t> firmware(3000);
  std::mt19937 random(7);
  for (auto& b : firmware) b = static_cast<std::uint8_t>(random());
  const std::string path = folder.File("image.hex");
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(firmware.data()), 3000);

  Open(1);
  ASSERT_TRUE(SelectRow(0));
  Click(Button(console_id::kFirmwareUpgrade));
  ASSERT_TRUE(PumpUntil([&] { return console_->UpgradeDialog() && console_->UpgradeDialog()->IsShown(); }));
  CConsoleUpgradeDlg* upgrade = console_->UpgradeDialog();
  EXPECT_EQ(static_cast<wxTextCtrl*>(upgrade->FindWindow(upgrade_id::kDeviceIp))->GetValue(), "127.0.0.51");
  EXPECT_EQ(static_cast<wxTextCtrl*>(upgrade->FindWindow(upgrade_id::kDeviceMac))->GetValue(), "00c0ffee0051");

  // A second upgrade is refused while this one runs.
  Click(Button(console_id::kFirmwareUpgrade));
  ASSERT_TRUE(PumpUntil([&] { return !boxes.Texts().empty(); }));
  EXPECT_EQ(Texts(boxes), std::vector<std::string>{"A firmware upgrade is already running"});

  static_cast<wxTextCtrl*>(upgrade->FindWindow(upgrade_id::kFirmwarePath))->ChangeValue(path);
  ASSERT_TRUE(TypeInto(upgrade->FindWindow(upgrade_id::kPassword), "secret"));
  Click(upgrade->FindWindow(upgrade_id::kStart));
  ASSERT_TRUE(PumpUntil([&] { return tftp.Complete() || !console_->UpgradeDialog(); }));
  EXPECT_EQ(tftp.File(), firmware);
  EXPECT_EQ(tftp.RequestedName(), path);
  ASSERT_TRUE(PumpUntil([&] { return !console_->UpgradeDialog(); })) << "the dialog ends after the transfer";
  ASSERT_TRUE(PumpUntil([&] { return boxes.Texts().size() == 2; }));
  EXPECT_EQ(boxes.Texts()[1], "Upgrade successful");
  EXPECT_EQ(console_->List()->GetItemCount(), 1) << "the list shows what answered the last pass";
}

TEST_F(ConsoleWindowTest, AnUnansweredTriggerFails) {
  testing_support::MessageBoxRecorder boxes;
  consolesim::SwitchSimulator switches(kMagic, ports_.base, kGroup, "127.0.0.1", {Switch("127.0.0.52", "00c0ffee0052", "t")});
  switches.Start();
  testing_support::TempDir folder;
  std::ofstream(folder.File("image.hex")) << "short image";
  Open(1);
  switches.SetMode("00c0ffee0052", consolesim::Mode::Silent);
  ASSERT_TRUE(SelectRow(0));
  Click(Button(console_id::kFirmwareUpgrade));
  ASSERT_TRUE(PumpUntil([&] { return console_->UpgradeDialog() != nullptr; }));
  CConsoleUpgradeDlg* upgrade = console_->UpgradeDialog();
  ASSERT_TRUE(TypeInto(upgrade->FindWindow(upgrade_id::kPassword), "secret"));
  static_cast<wxTextCtrl*>(upgrade->FindWindow(upgrade_id::kFirmwarePath))->ChangeValue(folder.File("missing.hex"));
  Click(upgrade->FindWindow(upgrade_id::kStart));
  ASSERT_TRUE(PumpUntil([&] { return !boxes.Texts().empty(); }));
  EXPECT_EQ(Texts(boxes), std::vector<std::string>{"Firmware file not found"});
  static_cast<wxTextCtrl*>(upgrade->FindWindow(upgrade_id::kFirmwarePath))->ChangeValue(folder.File("image.hex"));
  Click(upgrade->FindWindow(upgrade_id::kStart));
  ASSERT_TRUE(PumpUntil([&] { return upgrade->StateText() == "Trigger fail"; }));
  EXPECT_EQ(console_->UpgradeDialog(), upgrade) << "the dialog stays for another try";
}

TEST(QuillonLibrary, TheProgramRunsTheConsoleFromTheLibraryAndANameWithoutOneDoesNothing) {
  const Ports ports = PrepareConsoleEnvironment();
  CQuillonLibrary missing("/nonexistent/libquillon.so");
  EXPECT_FALSE(missing.Loaded());
  missing.Run();
  EXPECT_TRUE(wxTopLevelWindows.IsEmpty());

  consolesim::SwitchSimulator switches(kMagic, ports.base, kGroup, "127.0.0.1", {Switch("127.0.0.46", "00c0ffee0046", "x"),
                                                                                  Switch("127.0.0.47", "00c0ffee0047", "y")});
  switches.Start();
  CQuillonLibrary library(QUILLON_LIBRARY);
  ASSERT_TRUE(library.Loaded());
  int rows = -1;
  // The console runs its own loop; the test acts from inside it, finds the list, and presses Exit.
  wxTheApp->CallAfter([&] {
    wxListCtrl* list = nullptr;
    PumpUntil([&] {
      for (wxWindow* window : wxTopLevelWindows)
        if (auto* found = dynamic_cast<wxListCtrl*>(window->FindWindow(console_id::kList))) list = found;
      return list && list->GetItemCount() == 2;
    });
    rows = list ? list->GetItemCount() : -1;
    if (list) Click(list->GetParent()->FindWindow(console_id::kExit));
  });
  ModalScript boxes([](wxDialog*) {});  // any message box of the library is answered at once
  library.Run();
  EXPECT_EQ(rows, 2);
  testing_support::PumpPending();
}
