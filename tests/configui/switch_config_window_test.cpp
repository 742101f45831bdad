// The switch configuration sheet and the firmware pane as a user meets them on the simulated reference
// switch: a name typed and confirmed, the Anti-rogue list, an offline switch without OK; a switch chosen in
// the firmware pane, a file typed, Upgrade pressed, the progress window's bar and the switches' lines on
// the screen, the file arriving at tftpd-hpa on the switch's address and the other switch's failure shown
// in the progress window while its message box is open.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/frame.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>

#include "config/ui/CfgSwitchAntiRoguePage.h"
#include "config/ui/FirmwareSwitchView.h"
#include "config/ui/FirmwareUpgradeDlg.h"
#include "config/ui/FirmwareUpgradeRunner.h"
#include "config/ui/SwitchCfgPortMapPage.h"
#include "config/ui/SwitchCfgSheet.h"
#include "config/ui/SwitchCfgSystemPage.h"
#include "controls/ProgressWnd.h"
#include "controls/ReportCtrl.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "platform/Shutdown.h"
#include "settings/GlobalSettings.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"
#include "support/TempDir.h"
#include "support/TftpdProcess.h"
#include "support/ui/WxTestEnvironment.h"
#include "topology/TopologyData.h"

namespace {

namespace net = testing_support::reference_network;
using testing_support::DevSimReference;
using testing_support::PumpPending;
using testing_support::PumpUntil;
const std::string kRoot = "1.3.6.1.4.1.44711.10.76.2";

void Click(wxWindow* window) {
  wxUIActionSimulator simulator;
  const wxRect area = window->GetScreenRect();
  simulator.MouseMove(area.GetLeft() + area.GetWidth() / 2, area.GetTop() + area.GetHeight() / 2);
  PumpPending();
  simulator.MouseClick();
  PumpPending();
}

// Keeps a box that a worker thread asks for open until the test lets it go, as a user reading it would;
// then the box goes on to the handler installed before. Boxes of the UI thread pass straight on.
class HeldWorkerBox {
 public:
  HeldWorkerBox() {
    previous_ = platform::SetMessageBoxHandler([this](const std::string& text, const std::string& caption,
                                                      unsigned style) {
      if (std::this_thread::get_id() != uiThread_) {
        std::unique_lock lock(mutex_);
        held_ = true;
        released_.wait(lock, [this] { return release_; });
      }
      return previous_(text, caption, style);
    });
  }
  ~HeldWorkerBox() {
    Release();
    platform::SetMessageBoxHandler(previous_);
  }
  bool Held() {
    std::lock_guard lock(mutex_);
    return held_;
  }
  void Release() {
    std::lock_guard lock(mutex_);
    release_ = true;
    released_.notify_all();
  }

 private:
  const std::thread::id uiThread_ = std::this_thread::get_id();
  platform::MessageBoxHandler previous_;
  std::mutex mutex_;
  std::condition_variable released_;
  bool held_ = false;
  bool release_ = false;
};

// Pixels of the window's message that are drawn in the text's dark colour.
int MessageInk(CProgressWnd* progress, const wxImage& picture) {
  wxWindow* text = progress->FindWindow(CProgressWnd::IDC_TEXT);
  const wxRect area(text->GetScreenRect().GetTopLeft() - progress->GetScreenRect().GetTopLeft(), text->GetSize());
  return testing_support::CountPixels(picture, *wxBLACK, 90, area);
}

std::string MessageOf(CProgressWnd* progress) {
  return progress->FindWindow(CProgressWnd::IDC_TEXT)->GetLabel().utf8_string();
}

bool TypeInto(wxTextCtrl* field, const std::string& text) {
  field->SetFocus();
  PumpUntil([&] { return wxWindow::FindFocus() == field; });
  field->SelectAll();
  wxUIActionSimulator().Text(text.c_str());
  return PumpUntil([&] { return field->GetValue().utf8_string() == text; });
}

template <typename Dialog>
Dialog* FindShown() {
  for (wxWindow* window : wxTopLevelWindows)
    if (auto* dialog = dynamic_cast<Dialog*>(window); dialog && dialog->IsShownOnScreen()) return dialog;
  return nullptr;
}

// Runs script inside the next modal loop, once the dialog is on the screen.
template <typename Dialog>
void WhenShown(std::function<void(Dialog&)> script) {
  wxTheApp->CallAfter([script] {
    Dialog* dialog = nullptr;
    PumpUntil([&] { return (dialog = FindShown<Dialog>()) != nullptr; });
    for (int round = 0; round < 10; ++round) PumpPending();
    if (dialog) script(*dialog);
    if (dialog && dialog->IsModal() && !PumpUntil([&] { return !dialog->IsModal(); })) dialog->EndModal(wxID_CANCEL);
  });
}

class SwitchWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.strReadCommunity = "public";
      g_RuntimeSettings.strWriteCommunity = "private";
      g_RuntimeSettings.nSnmpTimeout = 50;
    }
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
    ASSERT_TRUE(database_.Exec(
        "INSERT INTO switch_property (mac, sys_name, location, subnet_mask, gateway, ipmode, anti_rogue, LLDPonoff)"
        " VALUES (?, 'lab-switch', 'lab', '255.0.0.0', '127.0.0.1', 1, 'F0 00 00 ', 1)",
        {net::kSwitch}));
    devsim_.ReceivedSets(DevSimReference::kSwitch);
  }
  void TearDown() override { platform::RunShutdown(); }

  testing_support::TempDatabase database_;
  testing_support::DevSimProcess devsim_;
  testing_support::MessageBoxRecorder boxes_;
};

TEST_F(SwitchWindowTest, ATypedNameReachesTheSwitchOnOk) {
  CTopologyData topology;
  CDeviceRecord ap;
  ap.mac = net::kAp1;
  ap.ip = DevSimReference::kAp1;
  topology.m_Devices.push_back(ap);
  CConnectionRecord link;
  link.srcMac = net::kSwitch;
  link.destMac = net::kAp1;
  link.srcPort = 1;
  link.destPort = 1;
  topology.m_Connections.push_back(link);
  bool okEnabled = false;
  int antiRogueRows = 0;
  std::string firstPortState, peerIp;
  WhenShown<CSwitchCfgSheet>([&](CSwitchCfgSheet& sheet) {
    okEnabled = sheet.FindWindow(wxID_OK)->IsEnabled();
    antiRogueRows = sheet.AntiRoguePage()->List()->GetItemCount();
    firstPortState = sheet.AntiRoguePage()->List()->GetItemText(0, 1).utf8_string();
    peerIp = sheet.PortMapPage()->List()->GetItemText(0, 1).utf8_string();
    auto* name = wxDynamicCast(sheet.SystemPage()->FindWindow(CSwitchCfgSystemPage::kName), wxTextCtrl);
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(TypeInto(name, "core-7"));
    Click(sheet.FindWindow(wxID_OK));
  });
  EXPECT_EQ(ShowSwitchConfiguration(nullptr, net::kSwitch, &topology), 1);
  EXPECT_TRUE(okEnabled);
  EXPECT_EQ(antiRogueRows, 24);
  EXPECT_EQ(firstPortState, "Enable");
  EXPECT_EQ(peerIp, DevSimReference::kAp1);
  const std::string line = devsim_.Get(DevSimReference::kSwitch, "1.3.6.1.2.1.1.5.0");
  EXPECT_EQ(line.substr(line.rfind('|') + 1), "core-7");
  EXPECT_EQ(database_.Value("SELECT name FROM device_list_prev WHERE mac=?", {net::kSwitch}), "core-7");
}

TEST_F(SwitchWindowTest, AnOfflineSwitchCanBeViewedButNotApplied) {
  ASSERT_TRUE(database_.Exec("UPDATE device_list_prev SET online=0 WHERE mac=?", {net::kSwitch}));
  bool okEnabled = true;
  WhenShown<CSwitchCfgSheet>([&](CSwitchCfgSheet& sheet) {
    okEnabled = sheet.FindWindow(wxID_OK)->IsEnabled();
    Click(sheet.FindWindow(wxID_CANCEL));
  });
  EXPECT_EQ(ShowSwitchConfiguration(nullptr, net::kSwitch, nullptr), 0);
  EXPECT_FALSE(okEnabled);
}

// The reference network and a second switch at an address where no TFTP server listens, so its upload
// waits while the first one has ended and the progress window shows half a bar.
class FirmwarePaneTest : public ::testing::Test {
 protected:
  static constexpr const char* kSecondSwitch = "127.0.0.15";
  inline static const std::string kSecondMac = "02:44:71:00:00:05";

  static std::vector<testing_support::DevSimDevice> Devices() {
    auto devices = testing_support::DevSimProcess::ReferenceNetwork();
    devices.push_back({kSecondSwitch, testing_support::DevSimProcess::DataFile("switch-awkward.snmprec")});
    return devices;
  }
  void SetUp() override {
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.strReadCommunity = "public";
      g_RuntimeSettings.strWriteCommunity = "private";
      g_RuntimeSettings.nSnmpTimeout = 50;
    }
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
    ASSERT_TRUE(database_.Exec("INSERT INTO device_list_prev (name, ip, mac, type, port_num, online, status, isnew,"
                               " write_community, sysobjid) VALUES ('second', ?, ?, 1, 24, 1, 0, 1, 'private', ?)",
                               {kSecondSwitch, kSecondMac, kRoot}));
    for (const std::string& mac : {net::kSwitch, kSecondMac})
      ASSERT_TRUE(database_.Exec("INSERT INTO switch_property (mac, sys_name, location) VALUES (?, 'sw', 'lab')", {mac}));
    devsim_.Configure(kSecondSwitch, "writable " + kRoot + ".11.42.0");
    devsim_.Set(kSecondSwitch, kRoot + ".11.42.0|2|0");
    devsim_.ReceivedSets(DevSimReference::kSwitch);
  }
  void TearDown() override { platform::RunShutdown(); }

  testing_support::TempDatabase database_;
  testing_support::DevSimProcess devsim_{Devices()};
  testing_support::MessageBoxRecorder boxes_;
};

TEST_F(FirmwarePaneTest, FirmwareGoesToTheChosenSwitchesWithTheProgressShown) {
  testing_support::TftpdProcess tftpd({DevSimReference::kSwitch});
  testing_support::TempDir files;
  const std::string firmware = files.File("switch-fw.bin");
  {
    std::ofstream out(firmware, std::ios::binary);
    for (int i = 0; i < 256 * 1024; ++i) out.put(static_cast<char>(i * 31 + 7));
  }
  testing_support::MessageRecorder mainWindow(true);
  CFirmwareUpgradeRunner runner(tftpd.Port());
  auto* frame = new wxFrame(nullptr, wxID_ANY, "firmware", wxDefaultPosition, wxSize(700, 400));
  auto* view = new CFirmwareSwitchView(frame);
  auto* dialog = new CFirmwareUpgradeDlg(
      frame, [view] { return FirmwarePanes{{}, view}; },
      [&](int kind, const std::vector<std::string>& ips, const std::string& file) {
        runner.StartFirmwareUpgrade(kind, ips, file);
      });
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(dialog, 0, wxEXPAND);
  sizer->Add(view, 1, wxEXPAND);
  frame->SetSizer(sizer);
  frame->Show();
  frame->Layout();
  PumpPending();
  ASSERT_EQ(view->List()->GetItemCount(), 2);
  EXPECT_EQ(view->List()->GetItemText(0, 3), DevSimReference::kSwitch);

  auto* upgrade = dialog->FindWindow(CFirmwareUpgradeDlg::kUpgrade);
  Click(upgrade);
  EXPECT_EQ(boxes_.Texts().back(), "Please select a firmware file!");
  EXPECT_TRUE(TypeInto(wxDynamicCast(dialog->FindWindow(CFirmwareUpgradeDlg::kFile), wxTextCtrl), firmware));
  Click(upgrade);
  EXPECT_EQ(boxes_.Texts().back(), "Please select switch!");

  view->List()->ApplyRowStates(0, listmodel::ROW_SELECTED);
  view->List()->ApplyRowStates(1, listmodel::ROW_SELECTED);
  HeldWorkerBox failureBox;
  Click(upgrade);
  ASSERT_TRUE(PumpUntil([&] {
    return runner.ProgressWindow() != nullptr && runner.ProgressWindow()->Progress().Position() == 500;
  })) << "the first switch has its file, the second waits";
  CProgressWnd* progress = runner.ProgressWindow();
  const wxImage picture = testing_support::CaptureWindow(progress);
  testing_support::SaveCapture(picture, "firmware-progress");
  wxWindow* bar = progress->FindWindow(CProgressWnd::IDC_PROGRESS);
  ASSERT_NE(bar, nullptr);
  const wxRect area(bar->GetScreenRect().GetTopLeft() - progress->GetScreenRect().GetTopLeft(), bar->GetSize());
  // The filled part of the bar is drawn in a saturated colour, the rest in the window's greys.
  const auto filledPixels = [&](int from, int to) {
    int count = 0;
    for (int y = std::max(area.GetTop(), 0); y <= std::min(area.GetBottom(), picture.GetHeight() - 1); ++y)
      for (int x = std::max(from, 0); x < std::min(to, picture.GetWidth()); ++x) {
        const int r = picture.GetRed(x, y), g = picture.GetGreen(x, y), b = picture.GetBlue(x, y);
        if (std::max({r, g, b}) - std::min({r, g, b}) > 60) ++count;
      }
    return count;
  };
  const int middle = area.GetLeft() + area.GetWidth() / 2;
  EXPECT_GT(filledPixels(area.GetLeft(), middle - 4), area.GetWidth() / 4) << "the first half of the bar is filled";
  EXPECT_EQ(filledPixels(middle + 4, area.GetRight()), 0) << "the second half is not";
  EXPECT_NE(MessageOf(progress).find("target IP: " + std::string(DevSimReference::kSwitch) + " "), std::string::npos)
      << MessageOf(progress);
  EXPECT_NE(MessageOf(progress).find("target IP: 127.0.0.15 "), std::string::npos) << MessageOf(progress);
  EXPECT_GT(MessageInk(progress, picture), 100) << "the switches' lines are on the screen";

  // The second switch has no TFTP server: its failure leads the lines while its box is open.
  ASSERT_TRUE(PumpUntil([&] { return failureBox.Held(); }));
  const std::string failure = "target IP: 127.0.0.15 firmware upgrade failed or something wrong";
  ASSERT_TRUE(PumpUntil([&] { return MessageOf(progress).starts_with(failure); })) << MessageOf(progress);
  EXPECT_EQ(runner.ProgressWindow(), progress) << "the window stays while the failure is read";
  EXPECT_EQ(MessageOf(progress),
            failure + "\ntarget IP: " + DevSimReference::kSwitch + " firmware upgrade successful.");
  const wxImage failed = testing_support::CaptureWindow(progress);
  testing_support::SaveCapture(failed, "firmware-failure");
  wxWindow* text = progress->FindWindow(CProgressWnd::IDC_TEXT);
  EXPECT_GT(text->GetSize().GetWidth(), text->GetTextExtent(wxString::FromUTF8(failure)).GetWidth())
      << "the failure line fits the window";
  EXPECT_GT(MessageInk(progress, failed), 200) << "the failure is on the screen";
  failureBox.Release();

  ASSERT_TRUE(PumpUntil([&] { return runner.ProgressWindow() == nullptr; }));
  runner.Job().Stop(false);
  std::ifstream sent(firmware, std::ios::binary),
      received(tftpd.Folder(DevSimReference::kSwitch) / "switch-fw.bin", std::ios::binary);
  EXPECT_TRUE(std::string(std::istreambuf_iterator<char>(sent), {}) ==
              std::string(std::istreambuf_iterator<char>(received), {}));
  EXPECT_EQ(devsim_.ReceivedSets(DevSimReference::kSwitch).front(), kRoot + ".11.42.0|2|1");
  EXPECT_EQ(database_.Value("SELECT COUNT(*) FROM system_log WHERE description=?",
                            {"target IP: 127.0.0.15 firmware upgrade failed or something wrong"}),
            "1");
  EXPECT_TRUE(PumpUntil([&] {
    return boxes_.Texts().back() == "target IP: 127.0.0.15 firmware upgrade failed or something wrong";
  })) << "the failure is shown, not only logged";
  EXPECT_TRUE(mainWindow.WaitFor(msg::WM_NMS_POLLING_RESTART, 1)) << "polling resumes in the main window";
  frame->Destroy();
  PumpPending();
}

}  // namespace
