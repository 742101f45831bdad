// The group view as the administrator meets it: the reference APs grouped with a new template, the
// template edited and applied, the simulated APs taking the new SSID, and each step seen on the screen.
#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/listctrl.h>

#include <memory>
#include <string>

#include "GroupWindowScript.h"
#include "app/GuiMessageReceiver.h"
#include "device/GlobalSettings.h"
#include "groupapply/ApplyTemplateThread.h"
#include "groupmodel/ui/AddGroupBasicPage.h"
#include "groupmodel/ui/AddGroupSheet.h"
#include "groupmodel/ui/CfgGroupTemplateSheet.h"
#include "groupmodel/ui/GroupCommands.h"
#include "groupmodel/ui/GroupIcons.h"
#include "groupmodel/ui/GroupView.h"
#include "groupmodel/WirelessPageModel.h"
#include "groups/GroupStore.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "platform/Shutdown.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

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
    {
      std::lock_guard lock(g_RuntimeSettings.csSettings);
      g_RuntimeSettings.strReadCommunity = "public";
      g_RuntimeSettings.strWriteCommunity = "private";
      g_RuntimeSettings.nSnmpTimeout = 50;
    }
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

  std::string Ssid(const char* ap) {
    const std::string line = devsim_.Get(ap, kSsidObject);
    return line.substr(line.rfind('|') + 1);
  }
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

}  // namespace
