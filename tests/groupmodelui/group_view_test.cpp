// The group view as the administrator meets it: the reference APs grouped with a new template, the
// template edited and applied, the simulated APs taking the new SSID, and each step seen on the screen.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/listctrl.h>

#include <memory>
#include <string>

#include "GroupWindowScript.h"
#include "groupapply/ApplyTemplateThread.h"
#include "groupmodel/MacFilterPageModel.h"
#include "groupmodel/WirelessPageModel.h"
#include "groupmodel/ui/AddGroupBasicPage.h"
#include "groupmodel/ui/AddGroupSheet.h"
#include "groupmodel/ui/ApListControl.h"
#include "groupmodel/ui/CfgGroupApDlg.h"
#include "groupmodel/ui/CfgGroupTemplateSheet.h"
#include "groupmodel/ui/GroupAddApDlg.h"
#include "groupmodel/ui/GroupCommands.h"
#include "groupmodel/ui/GroupIcons.h"
#include "groupmodel/ui/GroupMacControlPage.h"
#include "groupmodel/ui/GroupView.h"
#include "groups/GroupStore.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "platform/Shutdown.h"
#include "support/CompetingWriter.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/SnmpDefaults.h"
#include "support/TempDatabase.h"
#include "uibase/GuiMessageReceiver.h"

namespace {

namespace net = testing_support::reference_network;
using namespace group_ui_test;
using testing_support::DevSimReference;
using testing_support::PumpUntil;
using W = CWirelessPageModel;
const std::string kSsidObject = "1.3.6.1.4.1.44711.1.4.3.0";

class GroupViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSnmpDefaults("public", "private", 50);
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
    frame_ = new wxFrame(nullptr, wxID_ANY, "groups", wxPoint(20, 20), wxSize(520, 420));
    // The main frame's part: it runs the apply and rebuilds the view's tree when the apply ends.
    receiver_ = std::make_shared<CGuiMessageReceiver>(frame_, [this](const platform::Message& message) -> std::intptr_t {
      if (message.id == msg::WM_NMS_TEMPLATE_END) view_->RefreshGroupTree();
      if (message.id == msg::WM_NMS_POLLING_RESTART) ++appliesEnded_;
      return 0;
    });
    frameId_ = platform::RegisterWindow(receiver_);
    apply_.SetOwnerWindow(frameId_);
    GroupViewServices services;
    services.startApplyGroupTemplate = [this](const std::string& group) { applying_.push_back(group), apply_.StartApply(group); };
    view_ = new CGroupView(frame_, services);
    frame_->Show();
    frame_->Raise();
    ASSERT_TRUE(PumpUntil([&] { return view_->IsShownOnScreen(); }));
  }
  void TearDown() override {
    platform::UnregisterWindow(frameId_);
    receiver_->Detach();
    frame_->Destroy();
    testing_support::PumpPending();
    platform::RunShutdown();
  }

  std::string Ssid(const char* ap) { return devsim_.Value(ap, kSsidObject); }
  // How many pixels of the tree show the icon colour.
  int IconPixels(const wxColour& colour, const std::string& capture) {
    const wxImage image = testing_support::CaptureWindow(view_->Tree());
    testing_support::SaveCapture(image, capture);
    return testing_support::CountPixels(image, colour, 12);
  }
  bool WaitForApply(int count) { return PumpUntil([&] { return appliesEnded_ >= count; }); }
  void SelectGroup(const std::string& label) {
    const wxTreeItemId item = FindItem(view_->Tree(), label);
    ASSERT_TRUE(item.IsOk()) << label;
    ClickTreeItem(view_->Tree(), item);
    ASSERT_TRUE(PumpUntil([&] { return view_->Tree()->GetSelection() == item; }));
  }

  testing_support::TempDatabase database_;
  testing_support::DevSimProcess devsim_;
  testing_support::MessageBoxRecorder boxes_;
  CApplyTemplateThread apply_{0};
  std::shared_ptr<CGuiMessageReceiver> receiver_;
  platform::WindowId frameId_ = platform::kNoWindow;
  wxFrame* frame_ = nullptr;
  CGroupView* view_ = nullptr;
  std::vector<std::string> applying_;
  int appliesEnded_ = 0;
};

TEST_F(GroupViewTest, GroupTheReferenceApsAndPushATemplate) {
  wxTreeCtrl* tree = view_->Tree();
  EXPECT_TRUE(FindItem(tree, "default(0)").IsOk());
  EXPECT_EQ(IconPixels(CGroupIcons::kMatchColour, "groups-0-empty"), 0);

  // Add Group: OK without a name is refused on the basic page; then the name, two APs and an SSID.
  boxes_.ScriptAnswers({platform::IDOK, platform::IDYES});
  ModalScript<CAddGroupSheet> create([&](CAddGroupSheet* sheet) {
    Click(sheet->FindWindow(wxID_OK));
    EXPECT_TRUE(PumpUntil([&] { return boxes_.Texts().size() == 1; }));
    EXPECT_TRUE(TypeInto(sheet->FindWindow(CAddGroupBasicPage::kNameEdit), "lab"));
    auto* aps = dynamic_cast<wxListCtrl*>(sheet->FindWindow(CAddGroupBasicPage::kApList));
    ASSERT_NE(aps, nullptr);
    ASSERT_EQ(aps->GetItemCount(), 3);
    aps->CheckItem(0, true);
    aps->CheckItem(1, true);
    ClickTreeItem(sheet->PageTreeControl(), FindItem(sheet->PageTreeControl(), "Wireless"));
    ASSERT_TRUE(PumpUntil([&] { return sheet->GetActiveIndex() == 1; }));
    ClickBox(sheet->FindWindow(W::kSsidBox));
    ASSERT_TRUE(PumpUntil([&] { return sheet->FindWindow(W::kSsidEdit)->IsEnabled(); }));
    EXPECT_TRUE(TypeInto(sheet->FindWindow(W::kSsidEdit), "pellion-lab"));
    EXPECT_FALSE(sheet->FindWindow(W::kAutoScan)->IsEnabled()) << "the channel is not included";
    EXPECT_FALSE(sheet->FindWindow(W::kUserLimitEdit)->IsEnabled());
    Click(sheet->FindWindow(wxID_OK));
  });
  Click(view_->FindWindow(CGroupView::kAddGroupButton));
  ASSERT_TRUE(PumpUntil([&] { return create.Ran() && !applying_.empty(); }));
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"Please input group name",
                                                      "Are you sure to apply this template at  all group AP?"}));
  ASSERT_TRUE(WaitForApply(1));
  EXPECT_EQ(applying_, std::vector<std::string>{"lab"});
  EXPECT_EQ(Ssid(DevSimReference::kAp1), "pellion-lab");
  EXPECT_EQ(Ssid(DevSimReference::kAp2), "pellion-lab");
  EXPECT_EQ(Ssid(DevSimReference::kAp3), "corvath") << "not in the group";
  const wxTreeItemId lab = FindItem(tree, "lab(2)");
  ASSERT_TRUE(lab.IsOk());
  EXPECT_TRUE(FindItem(tree, " AP_1:(" + net::kAp1 + "):127.0.0.11", lab).IsOk());
  EXPECT_TRUE(FindItem(tree, " AP_2:(" + net::kAp2 + "):127.0.0.12", lab).IsOk());
  EXPECT_GT(IconPixels(CGroupIcons::kMatchColour, "groups-1-created-and-applied"), 40)
      << "both APs show that they match the template";
  EXPECT_GT(IconPixels(CGroupIcons::kGroupColour, "groups-1-created-and-applied"), 40);

  // Edit Template: a new SSID, saved without applying: the APs now differ from their template.
  boxes_.ScriptAnswers({platform::IDNO});
  SelectGroup("lab(2)");
  ModalScript<CCfgGroupTemplateSheet> edit([&](CCfgGroupTemplateSheet* sheet) {
    EXPECT_EQ(sheet->GetTitle(), "config \"lab\" template");
    EXPECT_TRUE(static_cast<wxCheckBox*>(sheet->FindWindow(W::kSsidBox))->GetValue());
    EXPECT_TRUE(TypeInto(sheet->FindWindow(W::kSsidEdit), "pellion-new"));
    Click(sheet->FindWindow(wxID_OK));
  });
  Click(view_->FindWindow(CGroupView::kEditTemplateButton));
  ASSERT_TRUE(PumpUntil([&] { return edit.Ran() && boxes_.Texts().size() == 3; }));
  GroupTemplateRecord stored;
  ASSERT_EQ(GetGroupStore()->GetGroupTemplate("lab", &stored), 0);
  EXPECT_EQ(stored.ssid, "pellion-new");
  EXPECT_EQ(Ssid(DevSimReference::kAp1), "pellion-lab");
  EXPECT_EQ(IconPixels(CGroupIcons::kMatchColour, "groups-2-edited"), 0);
  EXPECT_GT(IconPixels(CGroupIcons::kDiffersColour, "groups-2-edited"), 40) << "both APs differ now";

  // Apply Template from the group's menu: both APs take the new SSID.
  SelectGroup("lab(2)");
  wxCommandEvent applyCommand(wxEVT_MENU, group_cmd::kApplyTemplate);
  view_->ProcessWindowEvent(applyCommand);
  ASSERT_TRUE(WaitForApply(2));
  EXPECT_EQ(Ssid(DevSimReference::kAp1), "pellion-new");
  EXPECT_EQ(Ssid(DevSimReference::kAp2), "pellion-new");
  EXPECT_GT(IconPixels(CGroupIcons::kMatchColour, "groups-3-applied"), 40);
  EXPECT_EQ(IconPixels(CGroupIcons::kDiffersColour, "groups-3-applied"), 0);
}

// Members added with "Add Group AP", moved with "Config Group AP List", removed and the group deleted
// with the Delete button; the default group is kept.
TEST_F(GroupViewTest, MembersComeAndGo) {
  GroupTemplateRecord channel;
  channel.channel = 3;
  ASSERT_EQ(GetGroupStore()->AddGroup("lab", &channel), 0);
  ASSERT_EQ(GetGroupStore()->AddApToGroup("lab", net::kAp1), 0);
  view_->RefreshGroupTree();
  wxTreeCtrl* tree = view_->Tree();

  SelectGroup("lab(1)");
  ModalScript<CGroupAddApDlg> add([&](CGroupAddApDlg* dialog) {
    auto* list = dynamic_cast<CApListControl*>(dialog->FindWindow(CGroupAddApDlg::kList));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetItemCount(), 2) << "AP 1 is a member already";
    EXPECT_EQ(list->GetItemText(0, 2), net::kAp2);
    list->CheckItem(0, true);
    Click(dialog->FindWindow(wxID_OK));
  });
  Click(view_->FindWindow(CGroupView::kAddApButton));
  ASSERT_TRUE(PumpUntil([&] { return add.Ran() && FindItem(tree, "lab(2)").IsOk(); }));

  SelectGroup("lab(2)");
  ModalScript<CCfgGroupApDlg> move([&](CCfgGroupApDlg* dialog) {
    auto* available = dynamic_cast<CApListControl*>(dialog->FindWindow(CCfgGroupApDlg::kAvailable));
    ASSERT_NE(available, nullptr);
    ASSERT_EQ(available->GetItemCount(), 1);
    available->SetItemState(0, wxLIST_STATE_SELECTED, wxLIST_STATE_SELECTED);
    Click(dialog->FindWindow(CCfgGroupApDlg::kAdd));
    EXPECT_EQ(available->GetItemCount(), 0);
    Click(dialog->FindWindow(wxID_OK));
  });
  wxCommandEvent configure(wxEVT_MENU, group_cmd::kConfigureApList);
  view_->ProcessWindowEvent(configure);
  ASSERT_TRUE(move.Ran());
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"success"});
  ASSERT_TRUE(FindItem(tree, "lab(3)").IsOk());

  boxes_.ScriptAnswers({platform::IDOK, platform::IDOK});
  const std::string ap3 = " AP_3:(" + net::kAp3 + "):127.0.0.13";
  ClickTreeItem(tree, FindItem(tree, ap3));
  Click(view_->FindWindow(CGroupView::kDeleteButton));
  ASSERT_TRUE(PumpUntil([&] { return FindItem(tree, "lab(2)").IsOk(); }));
  EXPECT_EQ(boxes_.Texts().back(), "do you want to delete device '" + ap3 + "' from group 'lab'");
  SelectGroup("lab(2)");
  Click(view_->FindWindow(CGroupView::kDeleteButton));
  ASSERT_TRUE(PumpUntil([&] { return !FindItem(tree, "lab(2)").IsOk(); }));
  EXPECT_EQ(boxes_.Texts().back(), "do you want to delete group 'lab'");
  EXPECT_EQ(GetGroupStore()->GroupExists("lab"), 0);

  SelectGroup("default(0)");
  Click(view_->FindWindow(CGroupView::kDeleteButton));
  EXPECT_EQ(boxes_.Texts().back(), "can't delete default group");
  EXPECT_TRUE(FindItem(tree, "default(0)").IsOk());
}

// Switching load balancing off in one AP: the switch, the user limit and the commit, and the stored state.
TEST_F(GroupViewTest, ResetApLoadBalanceSetsTheApAndTheStore) {
  ASSERT_TRUE(database_.Exec("insert into ap_property (mac, LoadBalanceStatus, crvAPUserNumLimit) values (?, '1', '20')",
                             {net::kAp1}));
  devsim_.ReceivedSets(DevSimReference::kAp1);
  view_->ResetApLoadBalance(net::kAp1);
  std::vector<std::string> sets;
  for (const std::string& line : devsim_.ReceivedSets(DevSimReference::kAp1)) {
    const auto tag = line.find('|');
    sets.push_back(line.substr(0, tag) + "=" + line.substr(line.find('|', tag + 1) + 1));
  }
  const std::string root = "1.3.6.1.4.1.44711.1";
  EXPECT_EQ(sets, (std::vector<std::string>{root + ".4.18.0=0", root + ".4.19.0=60", root + ".1.3.0=1"}));
  EXPECT_EQ(database_.Value("select LoadBalanceStatus from ap_property where mac = ?", {net::kAp1}), "0");
  EXPECT_EQ(database_.Value("select crvAPUserNumLimit from ap_property where mac = ?", {net::kAp1}), "60");
}

// Another group binds AP 1's SSID: the template sheet refuses the SSID box with that group's warning;
// load balance forces the MAC filter on, and leaving the wireless page brings that page up.
TEST_F(GroupViewTest, TheTemplateSheetRefusesBoundSettingsAndForcesTheFilter) {
  GroupTemplateRecord ssid;
  ssid.ssid = "elsewhere";
  ASSERT_EQ(GetGroupStore()->AddGroup("other", &ssid), 0);
  ASSERT_EQ(GetGroupStore()->AddApToGroup("other", net::kAp1), 0);
  GroupTemplateRecord none;
  ASSERT_EQ(GetGroupStore()->AddGroup("lab", &none), 0);
  ASSERT_EQ(GetGroupStore()->AddApToGroup("lab", net::kAp1), 0);
  view_->RefreshGroupTree();
  const std::string warning =
      "Warning: couldn't select ssid param!\r\nReason: current group device '127.0.0.11' has bind ssid in group other";

  boxes_.ScriptAnswers({platform::IDOK, platform::IDOK, platform::IDOK, platform::IDNO});
  SelectGroup("lab(1)");
  ModalScript<CCfgGroupTemplateSheet> edit([&](CCfgGroupTemplateSheet* sheet) {
    auto* ssidBox = static_cast<wxCheckBox*>(sheet->FindWindow(W::kSsidBox));
    ClickBox(ssidBox);
    EXPECT_TRUE(PumpUntil([&] { return boxes_.Texts().size() == 1; }));
    EXPECT_FALSE(ssidBox->GetValue()) << "the refused click is undone";
    ClickBox(sheet->FindWindow(W::kWmmBox));
    EXPECT_TRUE(static_cast<wxCheckBox*>(sheet->FindWindow(W::kWmmBox))->GetValue());

    ClickBox(sheet->FindWindow(W::kLoadBalanceBox));
    EXPECT_TRUE(PumpUntil([&] { return boxes_.Texts().size() == 3; }));
    EXPECT_FALSE(ssidBox->GetValue());
    EXPECT_FALSE(ssidBox->IsEnabled()) << "load balance locks the SSID box";
    EXPECT_TRUE(static_cast<wxCheckBox*>(sheet->FindWindow(W::kSecurityBox))->GetValue());
    EXPECT_TRUE(static_cast<wxCheckBox*>(sheet->FindWindow(W::kUserLimitBox))->GetValue());

    ClickTreeItem(sheet->PageTreeControl(), FindItem(sheet->PageTreeControl(), "Advance"));
    EXPECT_TRUE(PumpUntil([&] { return sheet->GetActiveIndex() == 2; })) << "the MAC filter page comes up";
    auto* include = static_cast<wxCheckBox*>(sheet->MacFilterPage()->FindWindow(CMacFilterPageModel::kIncludeBox));
    EXPECT_TRUE(include->GetValue());
    EXPECT_FALSE(include->IsEnabled());
    Click(sheet->FindWindow(wxID_OK));
  });
  Click(view_->FindWindow(CGroupView::kEditTemplateButton));
  ASSERT_TRUE(PumpUntil([&] { return edit.Ran() && boxes_.Texts().size() == 4; }));
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{warning,
                                                      "Please set the SSID, User limit, Security, and MAC filter",
                                                      warning, "Are you sure to apply this template at  all group AP?"}));
  GroupTemplateRecord stored;
  ASSERT_EQ(GetGroupStore()->GetGroupTemplate("lab", &stored), 0);
  EXPECT_EQ(stored.loadbalance_group, 1);
  EXPECT_EQ(stored.ssid, "");
  EXPECT_EQ(stored.security_type, 1);
  EXPECT_EQ(stored.UserNumberLimit, "60");
  EXPECT_EQ(stored.wmm_function, 1);
  EXPECT_EQ(stored.mac_filter_type, 0);
  EXPECT_TRUE(FindItem(view_->Tree(), "lab(1)").IsOk());
}

// Another program holds the database: the new group and the edited template are reported as not saved,
// and no apply is offered for a template that was never stored.
TEST_F(GroupViewTest, ABusyDatabaseRefusesTheNewGroupAndTheEditedTemplate) {
  GroupTemplateRecord ssid;
  ssid.ssid = "kept";
  ASSERT_EQ(GetGroupStore()->AddGroup("lab", &ssid), 0);
  view_->RefreshGroupTree();
  testing_support::CompetingWriter writer;

  ModalScript<CAddGroupSheet> create([&](CAddGroupSheet* sheet) {
    EXPECT_TRUE(TypeInto(sheet->FindWindow(CAddGroupBasicPage::kNameEdit), "radio"));
    auto* aps = dynamic_cast<wxListCtrl*>(sheet->FindWindow(CAddGroupBasicPage::kApList));
    ASSERT_NE(aps, nullptr);
    aps->CheckItem(0, true);
    Click(sheet->FindWindow(wxID_OK));
  });
  Click(view_->FindWindow(CGroupView::kAddGroupButton));
  ASSERT_TRUE(PumpUntil([&] { return create.Ran() && !boxes_.Texts().empty(); }));

  SelectGroup("lab(0)");
  ModalScript<CCfgGroupTemplateSheet> edit([&](CCfgGroupTemplateSheet* sheet) {
    EXPECT_TRUE(TypeInto(sheet->FindWindow(W::kSsidEdit), "lost"));
    Click(sheet->FindWindow(wxID_OK));
  });
  Click(view_->FindWindow(CGroupView::kEditTemplateButton));
  ASSERT_TRUE(PumpUntil([&] { return edit.Ran() && boxes_.Texts().size() == 2; }));
  testing_support::PumpPending();

  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"add group radio fail", "save group lab template fail"}))
      << "no apply question after either";
  EXPECT_TRUE(applying_.empty());
  EXPECT_FALSE(FindItem(view_->Tree(), "radio(1)").IsOk());
  EXPECT_FALSE(FindItem(view_->Tree(), "radio(0)").IsOk());
  testing_support::SaveCapture(testing_support::CaptureWindow(view_->Tree()), "groups-busy-database");
  writer.LetGo();
  GroupTemplateRecord stored;
  ASSERT_EQ(GetGroupStore()->GetGroupTemplate("lab", &stored), 0);
  EXPECT_EQ(stored.ssid, "kept");
}

}  // namespace
