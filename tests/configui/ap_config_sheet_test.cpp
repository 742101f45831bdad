// The AP configuration sheet as a user meets it on the simulated reference network: opened on an AP,
// a field typed into, OK pressed, and the AP holding the new value; the red mark of a value that changed
// on the AP; the management host and summary dialogs.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <string>

#include "config/ApSetThread.h"
#include "config/ui/ApCfgWirelessPage.h"
#include "config/ui/ApConfigSheet.h"
#include "config/ui/ApConfiguration.h"
#include "config/ui/SetTrapHostDlg.h"
#include "config/ui/SummaryDlg.h"
#include "device/GlobalSettings.h"
#include "platform/Shutdown.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"
#include "support/ui/WxTestEnvironment.h"

namespace {

namespace net = testing_support::reference_network;
using testing_support::DevSimReference;
using testing_support::PumpPending;
using testing_support::PumpUntil;
const std::string kRoot = "1.3.6.1.4.1.44711.1";

void Click(wxWindow* window) {
  wxUIActionSimulator simulator;
  const wxRect area = window->GetScreenRect();
  simulator.MouseMove(area.GetLeft() + area.GetWidth() / 2, area.GetTop() + area.GetHeight() / 2);
  PumpPending();
  simulator.MouseClick();
  PumpPending();
}

bool TypeInto(wxTextEntry* entry, wxWindow* field, const std::string& text) {
  field->SetFocus();
  PumpUntil([&] { return wxWindow::FindFocus() == field; });
  entry->SelectAll();
  wxUIActionSimulator().Text(text.c_str());
  return PumpUntil([&] { return entry->GetValue().utf8_string() == text; });
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

class ApConfigSheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.strReadCommunity = "public";
      g_RuntimeSettings.strWriteCommunity = "private";
      g_RuntimeSettings.nSnmpTimeout = 50;
    }
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
  }
  void TearDown() override { platform::RunShutdown(); }

  // The main frame's part: runs the job to its end.
  ApSetJobStarter RunJobs() {
    return [this](const CApSetTask& task, const std::string&) {
      ++jobs_;
      CApSetThread job;
      job.SetTask(task);
      job.StartJob();
      job.Stop(false);
    };
  }
  std::string OnAp(const std::string& suffix) {
    const std::string line = devsim_.Get(DevSimReference::kAp1, kRoot + suffix);
    return line.substr(line.rfind('|') + 1);
  }

  testing_support::TempDatabase database_;
  testing_support::DevSimProcess devsim_;
  testing_support::MessageBoxRecorder boxes_;
  int jobs_ = 0;
};

TEST_F(ApConfigSheetTest, ATypedSsidReachesTheApOnOk) {
  bool okEnabled = false;
  WhenShown<CApConfigSheet>([&](CApConfigSheet& sheet) {
    okEnabled = sheet.FindWindow(wxID_OK)->IsEnabled();
    sheet.SetActivePage(1);
    PumpPending();
    auto* ssid = wxDynamicCast(sheet.WirelessPage()->FindWindow(CApWirelessPageModel::kSsid), wxTextCtrl);
    ASSERT_NE(ssid, nullptr);
    EXPECT_EQ(ssid->GetValue(), "corvath") << "read from the AP, which has no stored row";
    EXPECT_TRUE(TypeInto(ssid, ssid, "lab-net"));
    Click(sheet.FindWindow(wxID_OK));
  });
  EXPECT_EQ(ShowApConfiguration(nullptr, DevSimReference::kAp1, net::kAp1, "AP 1", RunJobs()), 1);
  EXPECT_TRUE(okEnabled);
  EXPECT_EQ(jobs_, 1);
  EXPECT_EQ(OnAp(".4.3.0"), "lab-net");
  EXPECT_EQ(database_.Value("SELECT crvAPssid FROM ap_property WHERE mac = ?", {net::kAp1}), "lab-net");
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(ApConfigSheetTest, AValueChangedOnTheApIsMarkedRedAndCancelSendsNothing) {
  ASSERT_TRUE(database_.Exec("INSERT INTO ap_property (mac, APSysDHCP, crvAPUserNumLimit, crvAPssid, crvAPChannel, crvAPSecurityType, "
                             "crvAPSuperG, crvAPBGMode) VALUES (?, '1', 60, 'corvath', 1, 1, 0, 0)", {net::kAp1}));
  ASSERT_TRUE(database_.Exec("UPDATE device_list_prev SET status = 6 WHERE mac = ?", {net::kAp1}));
  ASSERT_TRUE(database_.Exec("INSERT INTO sync_result (mac, property, \"current\", previous) "
                             "VALUES (?, 'crvAPssid', 'corvath', 'old-net')", {net::kAp1}));
  devsim_.ReceivedSets(DevSimReference::kAp1);
  int redPixels = 0;
  bool markShown = false;
  WhenShown<CApConfigSheet>([&](CApConfigSheet& sheet) {
    sheet.SetActivePage(1);
    PumpPending();
    wxWindow* mark = sheet.WirelessPage()->FindWindow(1178);
    markShown = mark && mark->IsShown();
    const wxImage picture = testing_support::CaptureWindow(&sheet);
    testing_support::SaveCapture(picture, "ap_config_sheet_marked");
    redPixels = testing_support::CountPixels(picture, *wxRED, 60);
    Click(sheet.FindWindow(wxID_CANCEL));
  });
  EXPECT_EQ(ShowApConfiguration(nullptr, DevSimReference::kAp1, net::kAp1, "AP 1", RunJobs()), 0);
  EXPECT_TRUE(markShown);
  EXPECT_GT(redPixels, 0) << "the mark beside the SSID shows on the screen";
  EXPECT_EQ(jobs_, 0);
  EXPECT_TRUE(devsim_.ReceivedSets(DevSimReference::kAp1).empty());
}

TEST_F(ApConfigSheetTest, StoredValuesNoListHoldsSelectNothing) {
  ASSERT_TRUE(database_.Exec(
      "INSERT INTO ap_property (mac, APSysDHCP, crvAPUserNumLimit, crvAPssid, crvAPChannel, crvAPSecurityType, "
      "crvAPWEP64KeyType, crvAPWEP128DefaultKeyValue, crvAPSuperG, crvAPBGMode, crvAPAntennaTransmitPower, "
      "crvAPTxRates, crvAPCTSMode) VALUES (?, '1', 60, 'corvath', 40, 4, 5, 9, 7, 5, 9, 1, 8)", {net::kAp1}));
  int superG = 0, power = 0, keyType = 0;
  WhenShown<CApConfigSheet>([&](CApConfigSheet& sheet) {
    superG = wxDynamicCast(sheet.FindWindow(CApWirelessPageModel::kSuperG), wxChoice)->GetSelection();
    keyType = wxDynamicCast(sheet.FindWindow(CApSecurityModel::kKeyType), wxChoice)->GetSelection();
    power = wxDynamicCast(sheet.FindWindow(CApAdvancePageModel::kTransmitPower), wxChoice)->GetSelection();
    sheet.EndModal(wxID_CANCEL);
  });
  EXPECT_EQ(ShowApConfiguration(nullptr, DevSimReference::kAp1, net::kAp1, "AP 1", RunJobs()), 0);
  EXPECT_EQ(superG, wxNOT_FOUND);
  EXPECT_EQ(keyType, wxNOT_FOUND);
  EXPECT_EQ(power, wxNOT_FOUND);
}

TEST_F(ApConfigSheetTest, AnApThatDoesNotAnswerLeavesTheSheetWithoutOk) {
  devsim_.Configure(DevSimReference::kAp1, "silent on");
  bool okEnabled = true, ssidEnabled = true;
  WhenShown<CApConfigSheet>([&](CApConfigSheet& sheet) {
    okEnabled = sheet.FindWindow(wxID_OK)->IsEnabled();
    ssidEnabled = sheet.WirelessPage()->FindWindow(CApWirelessPageModel::kSsid)->IsEnabled();
    sheet.EndModal(wxID_CANCEL);
  });
  EXPECT_EQ(ShowApConfiguration(nullptr, DevSimReference::kAp1, net::kAp1, "AP 1", RunJobs()), 0);
  EXPECT_FALSE(okEnabled);
  EXPECT_FALSE(ssidEnabled);
}

TEST_F(ApConfigSheetTest, NoPreviousConfigurationSaysSo) {
  EXPECT_EQ(ShowApPreviousConfiguration(nullptr, DevSimReference::kAp2, net::kAp2, "AP 2", RunJobs()), 0);
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"No Ap previous configuration"});
  EXPECT_EQ(ReplaceApConfiguration(nullptr, DevSimReference::kAp2, net::kAp2, net::kAp3, RunJobs()), 0);
  EXPECT_EQ(boxes_.Texts().back(), "Couldn't get replace Ap " + net::kAp3 + " configuration")
      << "nothing of an unknown AP is pushed to its successor";
  EXPECT_EQ(jobs_, 0);
}

TEST(SetTrapHostDlg, CandidatesSortedAndAnEmptyChoiceKeepsTheDialog) {
  std::optional<std::string> chosen;
  bool stayedOpen = false;
  std::string firstShown;
  WhenShown<CSetTrapHostDlg>([&](CSetTrapHostDlg& dialog) {
    auto* hosts = wxDynamicCast(dialog.FindWindow(CSetTrapHostDlg::kNewHost), wxComboBox);
    firstShown = hosts->GetValue().utf8_string();
    hosts->SetValue("");
    Click(dialog.FindWindow(wxID_OK));
    stayedOpen = dialog.IsModal();
    EXPECT_TRUE(TypeInto(hosts, hosts, "10.9.9.9"));
    Click(dialog.FindWindow(wxID_OK));
  });
  chosen = ChooseManagementHost(nullptr, "192.168.5.5", "127.0.0.11", {"10.0.0.2", "10.0.0.1"});
  EXPECT_EQ(firstShown, "10.0.0.1");
  EXPECT_TRUE(stayedOpen);
  EXPECT_EQ(chosen, std::optional<std::string>("10.9.9.9")) << "a typed address comes back unchanged";
}

TEST(SummaryDlg, ShowsTheCountsOnce) {
  testing_support::TempDatabase database;
  ASSERT_TRUE(net::AddDevices(database, "device_list_prev"));
  ASSERT_TRUE(net::AddDevices(database, "device_list"));  // found again as new: still three APs
  ASSERT_TRUE(database.Exec("INSERT INTO ap_property (mac, LoadBalanceStatus) VALUES (?, '1')", {net::kAp2}));
  std::map<int, std::string> shown;
  WhenShown<CSummaryDlg>([&](CSummaryDlg& dialog) {
    for (int id : {CSummaryDlg::kTotal, CSummaryDlg::kManaged, CSummaryDlg::kNew, CSummaryDlg::kLoadBalance,
                   CSummaryDlg::kCurrentClient})
      shown[id] = dialog.FindWindow(id)->GetLabel().utf8_string();
    Click(dialog.FindWindow(wxID_OK));
  });
  CSummaryDlg dialog;
  dialog.ShowModal();
  EXPECT_EQ(shown[CSummaryDlg::kManaged], "3");
  EXPECT_EQ(shown[CSummaryDlg::kNew], "3");
  EXPECT_EQ(shown[CSummaryDlg::kTotal], "3");
  EXPECT_EQ(shown[CSummaryDlg::kLoadBalance], "1");
  EXPECT_EQ(shown[CSummaryDlg::kCurrentClient], "0");
  platform::RunShutdown();
}

}  // namespace
