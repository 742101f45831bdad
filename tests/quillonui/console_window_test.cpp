// The device console as a user meets it under Xvfb: simulated switches on loopback, simulated clicks and
// typing, and a look at what the screen shows.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <fstream>
#include <random>

#include "ConsoleTestSetup.h"
#include "SwitchSimulator.h"
#include "TftpPeer.h"
#include "app/QuillonLibrary.h"
#include "platform/MessageBox.h"
#include "quillon/ui/ConsoleConfigDlg.h"
#include "quillon/ui/ConsoleDhcpDlg.h"
#include "quillon/ui/ConsoleDlg.h"
#include "quillon/ui/ConsoleUpgradeDlg.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"
#include "support/ui/WxTestEnvironment.h"
#include "uibase/GuiMessageBox.h"

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
  for (int column = 0; column < list->GetColumnCount(); ++column) {
    wxListItem header;
    header.SetMask(wxLIST_MASK_TEXT);
    list->GetColumn(column, header);
    EXPECT_GT(list->GetColumnWidth(column), list->GetTextExtent(header.GetText()).x + 8)
        << header.GetText() << " shows whole";
  }
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

TEST_F(ConsoleWindowTest, TheDhcpButtonsAreOneChoiceAndASetKeepsWhatTheSwitchReports) {
  testing_support::MessageBoxRecorder boxes;
  consolesim::SwitchConfig onDhcp = Switch("127.0.0.61", "00c0ffee0061", "dhcp-client");
  onDhcp.dhcp = 1;
  // The other keeps every value the simulator reports by default: a set with only the password must pass.
  consolesim::SwitchConfig plain;
  plain.address = "127.0.0.62";
  plain.mac = "00c0ffee0062";
  consolesim::SwitchSimulator switches(kMagic, ports_.base, kGroup, "127.0.0.1", {onDhcp, plain});
  switches.Start();
  Open(2);
  const auto radio = [](wxDialog* dialog, int id) { return static_cast<wxRadioButton*>(dialog->FindWindow(id)); };

  ASSERT_TRUE(SelectRow(RowOf("00c0ffee0061")));
  {
    ModalScript onDhcpScript([&](wxDialog* dialog) {
      testing_support::SaveCapture(testing_support::CaptureWindow(dialog), "console_config_dhcp_enabled");
      EXPECT_TRUE(radio(dialog, config_id::kEnable)->GetValue());
      EXPECT_FALSE(radio(dialog, config_id::kDisable)->GetValue()) << "one button of the two is chosen";
      EXPECT_FALSE(dialog->FindWindow(config_id::kIpAddress)->IsEnabled());
      EXPECT_TRUE(TypeInto(dialog->FindWindow(config_id::kPassword), "secret"));
      Click(dialog->FindWindow(config_id::kSet));
    });
    Click(Button(console_id::kConfiguration));
    ASSERT_TRUE(PumpUntil([&] { return onDhcpScript.Ran() && boxes.Texts().size() == 1; }));
    EXPECT_EQ(boxes.Texts()[0], "Set Succesful");
    EXPECT_EQ(switches.Switch("00c0ffee0061").dhcp, 1) << "an untouched choice is sent as shown";
  }

  ASSERT_TRUE(SelectRow(RowOf("00c0ffee0062")));
  ModalScript plainScript([&](wxDialog* dialog) {
    EXPECT_FALSE(radio(dialog, config_id::kEnable)->GetValue());
    EXPECT_TRUE(radio(dialog, config_id::kDisable)->GetValue());
    Click(radio(dialog, config_id::kEnable));
    EXPECT_TRUE(PumpUntil([&] { return radio(dialog, config_id::kEnable)->GetValue(); }));
    EXPECT_FALSE(radio(dialog, config_id::kDisable)->GetValue()) << "choosing one clears the other";
    EXPECT_FALSE(dialog->FindWindow(config_id::kIpAddress)->IsEnabled());
    Click(radio(dialog, config_id::kDisable));
    EXPECT_TRUE(PumpUntil([&] { return radio(dialog, config_id::kDisable)->GetValue(); }));
    EXPECT_FALSE(radio(dialog, config_id::kEnable)->GetValue());
    EXPECT_TRUE(dialog->FindWindow(config_id::kIpAddress)->IsEnabled());
    testing_support::SaveCapture(testing_support::CaptureWindow(dialog), "console_config_dhcp_disabled");
    EXPECT_TRUE(TypeInto(dialog->FindWindow(config_id::kPassword), "admin"));
    Click(dialog->FindWindow(config_id::kSet));
  });
  Click(Button(console_id::kConfiguration));
  ASSERT_TRUE(PumpUntil([&] { return plainScript.Ran() && boxes.Texts().size() == 2; }));
  EXPECT_EQ(boxes.Texts()[1], "Set Succesful") << "the simulator's own trap receiver and interval are accepted";
  EXPECT_EQ(switches.Switch("00c0ffee0062").dhcp, 0);
}

// The DHCP refresh's password is checked as the other dialogs check it: counted in bytes, as the switch's
// field holds them, so twenty accented characters are refused rather than cut.
TEST_F(ConsoleWindowTest, TheDhcpRefreshRefusesAPasswordItsFieldCannotHold) {
  testing_support::MessageBoxRecorder boxes;
  consolesim::SwitchConfig onDhcp = Switch("127.0.0.63", "00c0ffee0063", "dhcp-client");
  onDhcp.dhcp = 1;
  consolesim::SwitchSimulator switches(kMagic, ports_.base, kGroup, "127.0.0.1", {onDhcp});
  switches.Start();
  Open(1);
  ASSERT_TRUE(SelectRow(RowOf("00c0ffee0063")));
  std::vector<bool> stayedOpen;
  ModalScript script([&](wxDialog* dialog) {
    auto* password = static_cast<wxTextCtrl*>(dialog->FindWindow(dhcp_id::kPassword));
    for (const char* refused : {"", "\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"}) {
      password->ChangeValue(wxString::FromUTF8(refused));
      Click(dialog->FindWindow(dhcp_id::kApply));
      stayedOpen.push_back(dialog->IsShown());
    }
    Click(dialog->FindWindow(wxID_CANCEL));
  });
  // The button stays hidden in the console; its command is what a click would send.
  wxCommandEvent refresh(wxEVT_BUTTON, console_id::kDhcpRefresh);
  Button(console_id::kDhcpRefresh)->GetEventHandler()->ProcessEvent(refresh);
  ASSERT_TRUE(PumpUntil([&] { return script.Ran() && !wxWindow::FindWindowById(dhcp_id::kApply); }));
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Password lengths between 1-20", "Password lengths between 1-20"}));
  EXPECT_EQ(stayedOpen, (std::vector<bool>{true, true})) << "the dialog waits for a password that fits";
}

// Watches modal dialogs: runs a script in the first one that is not a message box, and for each message
// box notes its text and owner, copies the screen over the owner while the box shows, and answers it with
// the Return key.
class BoxWatch : public wxModalDialogHook {
 public:
  explicit BoxWatch(std::function<void(wxDialog*)> script) : script_(std::move(script)) { Register(); }
  ~BoxWatch() override { Unregister(); }

  struct Box {
    std::string text;
    wxWindow* owner = nullptr;
    wxImage ownerArea;
  };
  std::vector<Box> boxes;

 protected:
  int Enter(wxDialog* dialog) override {
    if (auto* box = dynamic_cast<wxMessageDialog*>(dialog)) {
      boxes.push_back({box->GetMessage().utf8_string(), box->GetParent(), wxImage()});
      const std::size_t index = boxes.size() - 1;
      wxTheApp->CallAfter([this, index] { LookAndAnswer(index); });
    } else if (!ran_) {
      ran_ = true;
      dialog->CallAfter([this, dialog] {
        testing_support::PumpUntil([dialog] { return dialog->IsShownOnScreen(); });
        for (int round = 0; round < 10; ++round) testing_support::PumpPending();
        script_(dialog);
        if (dialog->IsModal()) dialog->EndModal(wxID_CANCEL);
      });
    }
    return wxID_NONE;
  }
  void Exit(wxDialog*) override {}

 private:
  void LookAndAnswer(std::size_t index) {
    Box& seen = boxes[index];
    for (int round = 0; round < 30; ++round) {
      testing_support::PumpPending();
      wxMilliSleep(10);
    }
    if (seen.owner) seen.ownerArea = testing_support::CaptureScreen(seen.owner->GetScreenRect());
    // The pointer over the box's owner, where the box is centred, so the key reaches the box.
    wxUIActionSimulator simulator;
    if (seen.owner) {
      const wxRect area = seen.owner->GetScreenRect();
      simulator.MouseMove(area.GetLeft() + area.GetWidth() / 2, area.GetTop() + area.GetHeight() / 2);
    }
    testing_support::PumpPending();
    simulator.Char(WXK_RETURN);
  }

  std::function<void(wxDialog*)> script_;
  bool ran_ = false;
};

TEST_F(ConsoleWindowTest, TheConfigurationDialogsBoxesOpenOverIt) {
  const auto previous = platform::SetMessageBoxHandler(CGuiMessageBox{});
  consolesim::SwitchSimulator switches(kMagic, ports_.base, kGroup, "127.0.0.1", {Switch("127.0.0.63", "00c0ffee0063", "x")});
  switches.Start();
  Open(1);
  ASSERT_TRUE(SelectRow(0));
  wxImage before;
  wxWindow* configuration = nullptr;
  BoxWatch watch([&](wxDialog* dialog) {
    configuration = dialog;
    auto* interval = static_cast<wxTextCtrl*>(dialog->FindWindow(config_id::kGroupInterval));
    interval->Clear();
    EXPECT_TRUE(TypeInto(interval, "30"));
    EXPECT_TRUE(TypeInto(dialog->FindWindow(config_id::kPassword), "secret"));
    before = testing_support::CaptureWindow(dialog);
    Click(dialog->FindWindow(config_id::kSet));
    EXPECT_TRUE(PumpUntil([&] { return watch.boxes.size() == 1 && watch.boxes[0].ownerArea.IsOk(); }));
    EXPECT_TRUE(dialog->IsModal()) << "a refused set keeps the dialog open";
    static_cast<wxTextCtrl*>(dialog->FindWindow(config_id::kTrapAddress))->ChangeValue("127.0.0.1");
    interval->ChangeValue("300");
    Click(dialog->FindWindow(config_id::kSet));
    EXPECT_TRUE(PumpUntil([&] { return watch.boxes.size() == 2 && watch.boxes[1].ownerArea.IsOk(); }));
    Click(dialog->FindWindow(config_id::kCancel));
  });
  Click(Button(console_id::kConfiguration));
  ASSERT_TRUE(PumpUntil([&] { return configuration && !wxWindow::FindWindowById(config_id::kSet); }));
  ASSERT_EQ(watch.boxes.size(), 2u);
  platform::SetMessageBoxHandler(previous);

  EXPECT_EQ(watch.boxes[0].text, "Group Interval value must between 120-1225\n0 means disable switch group interval");
  EXPECT_EQ(watch.boxes[1].text, "Error Trap IP");
  for (const auto& box : watch.boxes) {
    EXPECT_EQ(box.owner, configuration) << box.text;
    ASSERT_TRUE(box.ownerArea.IsOk());
  }
  testing_support::SaveCapture(before, "console_config_before_box");
  testing_support::SaveCapture(watch.boxes[0].ownerArea, "console_config_with_box");
  // What covers the dialog while the box shows: many pixels differ from the dialog alone.
  int changed = 0;
  for (int y = 0; y < before.GetHeight(); ++y)
    for (int x = 0; x < before.GetWidth(); ++x)
      if (before.GetRed(x, y) != watch.boxes[0].ownerArea.GetRed(x, y)) ++changed;
  EXPECT_GT(changed, before.GetWidth() * before.GetHeight() / 10) << "the box lies over the dialog";
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
