// The load-balance pane as a user meets it, over the simulated reference network: a group of two APs
// made with the create button and the group dialog, balancing switched on at both APs while the window
// stays responsive, a third AP joined from the AP list, and the group deleted again with its button.
#include <gtest/gtest.h>
#include <wx/bmpbuttn.h>
#include <wx/choice.h>
#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <mutex>

#include "ModalDialogScript.h"
#include "config/ui/SetTrapHostDlg.h"
#include "settings/GlobalSettings.h"
#include "loadbalance/ui/LoadBalanceCommandIds.h"
#include "loadbalance/ui/LoadBalanceDialog.h"
#include "loadbalance/ui/LoadBalanceJoinDialog.h"
#include "loadbalance/ui/LoadBalanceListView.h"
#include "loadbalance/ui/LoadBalanceTreeView.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "platform/MessageBox.h"
#include "platform/Shutdown.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"
#include "support/ui/WxTestEnvironment.h"

namespace {

using testing_support::DevSimReference;
using testing_support::PumpPending;
using testing_support::PumpUntil;
namespace net = testing_support::reference_network;
const std::string kRoot = "1.3.6.1.4.1.44711.1";

class LoadBalancePaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.nSnmpTimeout = 30;
    }
    ASSERT_TRUE(net::AddDevices(database, "device_list_prev"));
    ASSERT_TRUE(net::AddApProperties(database, "127.0.0.1"));
    for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2, DevSimReference::kAp3})
      simulator.Set(ap, kRoot + ".1.9.0|64|127.0.0.1");

    frame = new wxFrame(nullptr, wxID_ANY, "load balance", wxPoint(40, 40), wxSize(1100, 500));
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    tree = new CLoadBalanceTreeView(frame);
    list = new CLoadBalanceListView(frame);
    sizer->Add(tree, 1, wxEXPAND);
    sizer->Add(list, 1, wxEXPAND);
    frame->SetSizer(sizer);
    frame->Show();
    frame->Layout();
    tree->SetListView(list);
    tree->OnInitialUpdate();
    tree->SetSummaryShown(true);
    list->OnInitialUpdate();
    PumpPending();
  }
  void TearDown() override {
    frame->Hide();
    frame->Destroy();
    PumpPending();
    platform::RunShutdown();
  }
  void Click(wxWindow* window) {
    wxMilliSleep(300);
    window->GetParent()->Raise();
    PumpPending();
    wxUIActionSimulator input;
    input.MouseMove(window->ClientToScreen(wxPoint(window->GetSize().x / 2, window->GetSize().y / 2)));
    PumpPending();
    input.MouseClick();
    for (int round = 0; round < 5; ++round) PumpPending();
  }
  wxWindow* Button(int id) { return tree->FindWindow(id); }
  std::string Value(const char* ap, const std::string& suffix) { return simulator.Value(ap, kRoot + suffix); }
  wxTreeItemId FirstGroup() {
    wxTreeItemIdValue cookie;
    return tree->Tree()->GetFirstChild(tree->Tree()->GetRootItem(), cookie);
  }

  const std::filesystem::path home = std::filesystem::current_path();
  testing_support::MessageBoxRecorder boxes;
  testing_support::TempDatabase database;
  testing_support::DevSimProcess simulator;
  ModalDialogScript dialogs;
  wxFrame* frame = nullptr;
  CLoadBalanceTreeView* tree = nullptr;
  CLoadBalanceListView* list = nullptr;
};

TEST_F(LoadBalancePaneTest, AGroupOfTwoReferenceApsIsMadeAndDeleted) {
  EXPECT_EQ(tree->Tree()->GetCount(), 0u);
  ASSERT_EQ(list->List().GetItemCount(), 3);
  EXPECT_NE(tree->Summary()->GetValue().Find("Total Load balance Group numbers\t:0"), wxNOT_FOUND);

  // Without a selected group the delete button only says so.
  Click(Button(lb_command::kButtonDeleteGroup));
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{"Please select the tree group item"}));

  bool ticked = false;
  dialogs.Next([&](wxDialog& opened) {
    auto& dialog = static_cast<CLoadBalanceDialog&>(opened);
    CReportCtrl& rows = dialog.List();
    for (int row = 0; row < rows.GetItemCount(); ++row) {
      const std::string ip = rows.GetItemText(row, 1);
      if (ip == DevSimReference::kAp1 || ip == DevSimReference::kAp2) ticked = rows.SetRowCheck(row, true);
    }
    dialog.NameBox()->SetFocus();
    dialog.NameBox()->ChangeValue("hall");
    Click(dialog.FindWindow(CLoadBalanceDialog::IDC_OK));
  });
  Click(Button(lb_command::kButtonCreateGroup));
  EXPECT_EQ(dialogs.Opened(), 1);
  EXPECT_TRUE(ticked);
  ASSERT_TRUE(PumpUntil([&] { return !tree->Busy() && tree->Tree()->GetCount() == 3; }))
      << "the group node and its two APs";
  const wxTreeItemId group = FirstGroup();
  EXPECT_EQ(tree->Tree()->GetItemText(group), "hall");
  EXPECT_EQ(tree->Tree()->GetChildrenCount(group), 2u);
  EXPECT_TRUE(tree->Tree()->IsExpanded(group));
  for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2}) {
    EXPECT_EQ(Value(ap, ".4.18.0"), "1") << ap;
    EXPECT_EQ(Value(ap, ".4.3.0"), "corvath") << ap;
  }
  int inHall = 0;
  for (int row = 0; row < list->List().GetItemCount(); ++row) inHall += list->List().GetItemText(row, 3) == "hall";
  EXPECT_EQ(inHall, 2) << "the AP list shows the new membership";
  EXPECT_EQ(list->List().GetItemCount(listmodel::ROW_SELECTED), 2) << "with the group's APs selected";
  EXPECT_NE(tree->Summary()->GetValue().Find("Total Load balance Group numbers\t:1"), wxNOT_FOUND);
  EXPECT_EQ(boxes.Texts().size(), 1u) << "no failure was shown";

  const wxImage shot = testing_support::CaptureWindow(frame);
  testing_support::SaveCapture(shot, "load_balance_pane", home);
  const wxRect treeArea(tree->Tree()->GetPosition(), wxSize(200, 80));
  EXPECT_GT(testing_support::CountPixels(shot, *wxBLACK, 110, treeArea), 80) << "the group and its APs are shown";

  // The third AP, picked in the AP list, joins the group through the list's command.
  int third = -1;
  for (int row = 0; row < list->List().GetItemCount(); ++row)
    if (list->List().GetItemText(row, 1) == DevSimReference::kAp3) third = row;
  ASSERT_GE(third, 0);
  list->List().ApplyRowStates(third, listmodel::ROW_SELECTED);
  dialogs.Next([](wxDialog& opened) {
    auto& join = static_cast<CLoadBalanceJoinDialog&>(opened);
    join.GroupChoice()->SetSelection(join.GroupChoice()->FindString("hall"));
    join.OnOk();
  });
  wxCommandEvent joinCommand(wxEVT_MENU, lb_command::kJoinGroup);
  tree->ProcessWindowEvent(joinCommand);
  ASSERT_TRUE(PumpUntil([&] { return !tree->Busy() && tree->Tree()->GetCount() == 4; }));
  EXPECT_EQ(Value(DevSimReference::kAp3, ".4.18.0"), "1");
  EXPECT_EQ(database.Rows("SELECT group_balance FROM device_list_prev WHERE mac = ?", {net::kAp3}),
            (CAccessDatabase::TextRows{{"hall"}}));

  // A double click on an AP's node finds its row in the AP list.
  const wxTreeItemId lastAp = tree->Tree()->GetLastChild(FirstGroup());
  EXPECT_EQ(tree->Tree()->GetItemText(lastAp), "AP_3 : (" + net::kAp3 + ") : 127.0.0.13");
  list->DeselectAll();
  wxTreeEvent activated(wxEVT_TREE_ITEM_ACTIVATED, tree->Tree(), lastAp);
  tree->Tree()->ProcessWindowEvent(activated);
  const int selected = list->List().FindNextRowWithStates(listmodel::ROW_SELECTED, -1);
  ASSERT_GE(selected, 0);
  EXPECT_EQ(list->List().GetItemText(selected, 2), net::kAp3);

  // Delete the group with its button: the question answered OK.
  const wxTreeItemId shown = FirstGroup();  // the tree was built anew after the join
  tree->Tree()->SelectItem(shown);
  tree->SetSelectedItem(shown);
  boxes.ScriptAnswers({platform::IDOK});
  Click(Button(lb_command::kButtonDeleteGroup));
  ASSERT_TRUE(PumpUntil([&] { return !tree->Busy() && tree->Tree()->GetCount() == 0; }));
  EXPECT_EQ(boxes.Texts().back(), "Do you be sure to delete the group hall");
  for (const char* ap : {DevSimReference::kAp1, DevSimReference::kAp2, DevSimReference::kAp3})
    EXPECT_EQ(Value(ap, ".4.18.0"), "0") << ap;
  EXPECT_EQ(database.Rows("SELECT COUNT(*) FROM load_balance_group"), (CAccessDatabase::TextRows{{"0"}}));
}

// An AP that sends its traps elsewhere makes the group command ask for the management host; the command
// runs on the pane's worker, the question is asked on the UI thread (as the main window installs it).
TEST_F(LoadBalancePaneTest, TheHostQuestionOfAGroupCommandIsAskedOnTheUiThread) {
  simulator.Set(DevSimReference::kAp1, kRoot + ".1.9.0|64|10.9.8.7");
  ASSERT_TRUE(database.Exec("UPDATE ap_property SET enterpriseAPSysSNMPTrapIP = '10.9.8.7' WHERE mac = ?",
                            {net::kAp1}));
  GetLoadBalanceManager()->SetHostChooser(
      [this](const std::string& oldHost, const std::string& apIp, const std::list<std::string>& addresses) {
        return ChooseManagementHost(frame, oldHost, apIp, addresses);
      });

  bool askedOnUiThread = false;
  std::string oldHostShown;
  const auto answerHost = [&](wxDialog& opened) {
    auto& dialog = static_cast<CSetTrapHostDlg&>(opened);
    askedOnUiThread = wxThread::IsMain();
    oldHostShown = static_cast<wxTextCtrl*>(dialog.FindWindow(CSetTrapHostDlg::kOldHost))->GetValue().utf8_string();
    static_cast<wxComboBox*>(dialog.FindWindow(CSetTrapHostDlg::kNewHost))->SetValue("127.0.0.1");
    wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
    dialog.ProcessWindowEvent(ok);
  };
  dialogs.Next([&](wxDialog& opened) {
    auto& dialog = static_cast<CLoadBalanceDialog&>(opened);
    CReportCtrl& rows = dialog.List();
    for (int row = 0; row < rows.GetItemCount(); ++row)
      if (rows.GetItemText(row, 1) == DevSimReference::kAp1) rows.SetRowCheck(row, true);
    dialog.NameBox()->ChangeValue("yard");
    dialogs.Next(answerHost);
    Click(dialog.FindWindow(CLoadBalanceDialog::IDC_OK));
  });
  Click(Button(lb_command::kButtonCreateGroup));
  ASSERT_TRUE(PumpUntil([&] { return !tree->Busy() && dialogs.Opened() == 2; }));
  GetLoadBalanceManager()->SetHostChooser({});
  EXPECT_TRUE(askedOnUiThread);
  EXPECT_EQ(oldHostShown, "10.9.8.7");
  EXPECT_EQ(Value(DevSimReference::kAp1, ".1.9.0"), "127.0.0.1") << "the chosen host reached the AP";
  EXPECT_EQ(Value(DevSimReference::kAp1, ".4.18.0"), "1");
  EXPECT_EQ(tree->Tree()->GetCount(), 2u) << "the group node and its AP";
}

}  // namespace
