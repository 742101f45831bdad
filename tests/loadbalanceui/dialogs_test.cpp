// The load-balance dialogs as a user meets them: the group dialog's SSID choice, the join and rename
// dialogs' refusals, the AP chooser and the report export's date range.
#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/datectrl.h>
#include <wx/frame.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "ModalDialogScript.h"
#include "loadbalance/ui/ApChoiceDialog.h"
#include "loadbalance/ui/ExportDaysDialog.h"
#include "loadbalance/ui/LoadBalanceDialog.h"
#include "loadbalance/ui/LoadBalanceJoinDialog.h"
#include "loadbalance/ui/LoadBalanceRenameDialog.h"
#include "platform/MessageBox.h"
#include "support/MessageRecorder.h"
#include "support/ui/WxTestEnvironment.h"

namespace {

using testing_support::PumpPending;
using Texts = std::vector<std::string>;

ApInfoRecord Ap(const std::string& ssid, const std::string& ip, const std::string& mac, const std::string& group = "") {
  ApInfoRecord ap;
  ap.ssid = ssid;
  ap.ip = ip;
  ap.mac = mac;
  ap.group_balance = group;
  ap.location = "hall";
  return ap;
}

class LoadBalanceDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new wxFrame(nullptr, wxID_ANY, "dialogs", wxPoint(40, 40), wxSize(300, 200));
    frame->Show();
    PumpPending();
  }
  void TearDown() override {
    frame->Hide();
    frame->Destroy();
    PumpPending();
  }
  void ClickRow(CReportCtrl& list, int row) {
    wxMilliSleep(300);
    wxRect cell;
    list.GetListView()->GetItemRect(row, cell);
    wxUIActionSimulator input;
    input.MouseMove(list.GetListView()->ClientToScreen(wxPoint(cell.x + 60, cell.y + cell.height / 2)));
    PumpPending();
    input.MouseClick();
    for (int round = 0; round < 5; ++round) PumpPending();
  }

  testing_support::MessageBoxRecorder boxes;
  ModalDialogScript script;
  wxFrame* frame = nullptr;
};

TEST_F(LoadBalanceDialogsTest, TwoSsidsLeadToTheGroupSsidChoice) {
  CLoadBalanceGroupForm form;
  form.groupNames = {"lobby"};
  form.candidateAps = {Ap("corvath", "127.0.0.11", "m1"), Ap("", "127.0.0.12", "m2")};
  form.selectedAps = {Ap("hall", "127.0.0.13", "m3")};
  CLoadBalanceDialog dialog(frame, form);
  CReportCtrl& rows = dialog.List();
  ASSERT_EQ(rows.GetItemCount(), 3);
  EXPECT_EQ(rows.GetItemText(0, 0), "<NULL>") << "candidates above the APs offered ticked, the last on top";
  EXPECT_EQ(rows.GetItemText(1, 0), "corvath");
  EXPECT_EQ(rows.GetItemText(2, 0), "hall");
  EXPECT_TRUE(rows.RowMatchesStates(2, listmodel::ROW_CHECKED));
  EXPECT_EQ(rows.GetItemText(1, 3), "hall") << "location";

  boxes.ScriptAnswers({platform::IDOK, platform::IDYES});
  bool choiceShown = false;
  script.Next([&](wxDialog&) {
    dialog.NameBox()->ChangeValue("lobby");
    dialog.OnOk();
    rows.SetRowCheck(1, true);
    ClickRow(rows, 1);  // offers the row's SSID
    dialog.NameBox()->ChangeValue("O'Brien");
    dialog.OnOk();  // corvath and hall: which one?
    choiceShown = dialog.SsidChoice()->IsShown();
    dialog.OnOk();  // nothing chosen yet
    const int corvath = dialog.SsidChoice()->FindString("corvath");
    dialog.SsidChoice()->SetSelection(corvath);
    dialog.OnOk();
  });
  ASSERT_EQ(dialog.ShowModal(), wxID_OK);
  EXPECT_TRUE(choiceShown);
  EXPECT_EQ(boxes.Texts(), (Texts{"Group name already exist, please retry...",
                                  "SSID is different , please choice the Group SSID", "please choice the Group SSID"}));
  EXPECT_EQ(form.name, "O'Brien");
  EXPECT_EQ(form.groupSsid, "corvath");
  EXPECT_TRUE(form.chooseSsid);
  ASSERT_EQ(form.selectedAps.size(), 2u);
  EXPECT_EQ(form.selectedAps[0].mac, "m1");
  EXPECT_EQ(form.selectedAps[1].mac, "m3");
}

TEST_F(LoadBalanceDialogsTest, JoinRenameAndApChooser) {
  CLoadBalanceJoinDialog join(frame, {"lobby", "hall"});
  script.Next([&](wxDialog&) {
    join.OnOk();
    join.GroupChoice()->SetSelection(join.GroupChoice()->FindString("lobby"));
    join.OnOk();
  });
  ASSERT_EQ(join.ShowModal(), wxID_OK);
  EXPECT_EQ(join.GroupName(), "lobby");
  EXPECT_EQ(join.GroupChoice()->GetString(0), "hall") << "sorted";

  CLoadBalanceRenameDialog rename(frame, "hall", {"hall", "lobby"});
  script.Next([&](wxDialog&) {
    rename.NewNameBox()->ChangeValue("hall");
    rename.OnOk();  // unchanged: nothing happens
    rename.NewNameBox()->ChangeValue("");
    rename.OnOk();
    rename.NewNameBox()->ChangeValue("lobby");
    rename.OnOk();
    rename.NewNameBox()->ChangeValue("Lobby");
    rename.OnOk();
  });
  ASSERT_EQ(rename.ShowModal(), wxID_OK);
  EXPECT_EQ(rename.NewName(), "Lobby");
  EXPECT_EQ(boxes.Texts(), (Texts{"Please select the current group name", "Group name Can't be empty , please retry...",
                                  "Group name already exist, please retry..."}));

  CApChoiceDialog chooser(frame, CApChoiceDialog::DeleteAps,
                          {Ap("a", "127.0.0.11", "m1", "hall"), Ap("b", "127.0.0.12", "m2"), Ap("c", "127.0.0.13", "m3", "hall")});
  ASSERT_EQ(chooser.List().GetItemCount(), 2) << "only the APs of groups, and no sample rows";
  script.Next([&](wxDialog&) {
    chooser.List().SetRowCheck(1, true);
    chooser.OnOk();
  });
  ASSERT_EQ(chooser.ShowModal(), wxID_OK);
  ASSERT_EQ(chooser.Chosen().size(), 1u);
  EXPECT_EQ(chooser.Chosen()[0].mac, "m1");
  EXPECT_EQ(chooser.Chosen()[0].group_balance, "hall");
}

TEST_F(LoadBalanceDialogsTest, TheExportRangeMayNotBeginAfterItsEndOrInTheFuture) {
  CExportDaysDialog dialog(frame, "/tmp/clients.csv");
  EXPECT_EQ(static_cast<wxTextCtrl*>(dialog.FindWindow(CExportDaysDialog::IDC_PATH))->GetValue(), "/tmp/clients.csv");
  const wxDateTime today = wxDateTime::Today();
  script.Next([&](wxDialog&) {
    dialog.BeginPicker()->SetValue(today);
    dialog.EndPicker()->SetValue(today - wxDateSpan::Day());
    wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
    dialog.ProcessWindowEvent(ok);
    dialog.BeginPicker()->SetValue(today + wxDateSpan::Days(1));
    dialog.EndPicker()->SetValue(today + wxDateSpan::Days(2));
    dialog.ProcessWindowEvent(ok);
    dialog.BeginPicker()->SetValue(today - wxDateSpan::Days(3));
    dialog.EndPicker()->SetValue(today);
    dialog.ProcessWindowEvent(ok);
  });
  ASSERT_EQ(dialog.ShowModal(), wxID_OK);
  EXPECT_EQ(boxes.Texts(), (Texts{"Begining date can't be bigger than Ending date",
                                  "Beginning date can't be biger than the Current date"}));
  EXPECT_EQ(std::chrono::duration_cast<std::chrono::hours>(dialog.Days().end - dialog.Days().begin).count(), 72);
}

}  // namespace
