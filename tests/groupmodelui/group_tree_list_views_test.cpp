// The group tree view beside the group list view: APs dragged from the list onto groups with the mouse,
// the refusals a drop meets, and a group renamed from the tree.
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/sizer.h>

#include <chrono>
#include <thread>

#include "GroupWindowScript.h"
#include "groupmodel/ui/ApRowPeer.h"
#include "groupmodel/ui/GroupCommands.h"
#include "groupmodel/ui/GroupListView.h"
#include "groupmodel/ui/GroupTreeView.h"
#include "groupmodel/ui/RenameGroupDlg.h"
#include "groups/GroupStore.h"
#include "platform/Shutdown.h"
#include "support/MessageRecorder.h"
#include "support/ReferenceNetworkRows.h"
#include "support/TempDatabase.h"

namespace {

namespace net = testing_support::reference_network;
using namespace group_ui_test;
using testing_support::PumpUntil;

// The device list as the tree view's peer: one row per AP with its MAC as the row's data.
class DeviceRows : public wxListCtrl, public IApRowPeer {
 public:
  explicit DeviceRows(wxWindow* parent) : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT) {
    AppendColumn("MAC", wxLIST_FORMAT_LEFT, 200);
    for (const std::string& mac : {net::kAp1, net::kAp2, net::kAp3}) {
      macs_.push_back(mac);
      InsertItem(GetItemCount(), mac);
    }
  }
  wxWindow* PeerWindow() override { return this; }
  int RowAt(const wxPoint& point) override {
    if (!Rows()->GetRect().Contains(point)) return -1;
    int flags = 0;
    return static_cast<int>(HitTest(Rows()->ScreenToClient(ClientToScreen(point)), flags));
  }
  // The inner window of the rows, below the header.
  wxWindow* Rows() const {
    wxWindow* rows = nullptr;
    for (wxWindow* child : GetChildren())
      if (!rows || child->GetSize().y > rows->GetSize().y) rows = child;
    return rows;
  }
  std::string MacOfRow(int row) override { return macs_.at(row); }
  void SetDropHighlight(int row, bool on) override { SetItemState(row, on ? wxLIST_STATE_DROPHILITED : 0, wxLIST_STATE_DROPHILITED); }
  void NoOp() override { ++told; }
  int told = 0;

 private:
  std::vector<std::string> macs_;
};

class GroupTreeListViewsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(net::AddDevices(database_, "device_list_prev"));
    GroupTemplateRecord channel;
    channel.channel = 3;
    ASSERT_EQ(GetGroupStore()->AddGroup("radio", &channel), 0);
    ASSERT_EQ(GetGroupStore()->AddApToGroup("radio", net::kAp1), 0);
    frame_ = new wxFrame(nullptr, wxID_ANY, "group views", wxPoint(20, 20), wxSize(900, 360));
    tree_ = new CGroupTreeView(frame_, {});
    list_ = new CGroupListView(frame_, {});
    list_->SetPeerTreeView(tree_);
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(tree_, 1, wxEXPAND);
    sizer->Add(list_, 2, wxEXPAND);
    frame_->SetSizer(sizer);
    frame_->Show();
    frame_->Raise();
    ASSERT_TRUE(PumpUntil([&] { return list_->IsShownOnScreen(); }));
    frame_->Layout();
    list_->LayoutColumns();
    testing_support::PumpPending();
  }
  void TearDown() override {
    frame_->Destroy();
    testing_support::PumpPending();
    platform::RunShutdown();
  }

  int RowOf(const std::string& mac) const {
    for (int row = 0; row < list_->GetItemCount(); ++row)
      if (list_->GetItemText(row, CGroupListView::kMac).utf8_string() == mac) return row;
    return -1;
  }
  // Presses on the node, moves a few pixels, then onto the point and lets go.
  void DragFromTree(const wxTreeItemId& node, const wxPoint& to) {
    wxRect item;
    ASSERT_TRUE(tree_->GetBoundingRect(node, item, true));
    const wxPoint from = tree_->ClientToScreen(wxPoint(item.x + item.width / 2, item.y + item.height / 2));
    wxUIActionSimulator simulator;
    simulator.MouseMove(from);
    testing_support::PumpPending();
    simulator.MouseDown();
    testing_support::PumpPending();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    for (int step = 1; step <= 4; ++step) {
      simulator.MouseMove(from + wxPoint(0, step));
      testing_support::PumpPending();
    }
    EXPECT_TRUE(PumpUntil([&] { return tree_->IsDragging(); }));
    for (int step = 1; step <= 12; ++step) {
      simulator.MouseMove(from + (to - from) * step / 12);
      testing_support::PumpPending();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    simulator.MouseUp();
    ASSERT_TRUE(PumpUntil([&] { return !tree_->IsDragging(); }));
    testing_support::PumpPending();
  }

  // Chooses the row, presses on it, waits past the drag delay, moves onto the tree node and lets go.
  void Drag(int row, const wxTreeItemId& node) {
    wxRect item;
    ASSERT_TRUE(list_->GetItemRect(row, item));
    const wxPoint from = list_->ClientToScreen(wxPoint(item.x + 40, item.y + item.height / 2));
    wxRect target;
    ASSERT_TRUE(tree_->GetBoundingRect(node, target, true));
    const wxPoint to = tree_->ClientToScreen(wxPoint(target.x + target.width / 2, target.y + target.height / 2));
    ClickAt(from);  // the row is chosen first, as a user does before dragging it
    std::this_thread::sleep_for(std::chrono::milliseconds(400));  // no double click
    wxUIActionSimulator simulator;
    simulator.MouseDown();
    testing_support::PumpPending();
    std::this_thread::sleep_for(std::chrono::milliseconds(60));
    for (int step = 1; step <= 4; ++step) {  // a few pixels on the row start the drag
      simulator.MouseMove(from + wxPoint(2 * step, 0));
      testing_support::PumpPending();
    }
    for (int step = 1; step <= 12; ++step) {
      simulator.MouseMove(from + (to - from) * step / 12);
      testing_support::PumpPending();
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    simulator.MouseUp();
    ASSERT_TRUE(PumpUntil([&] { return !list_->IsDragging(); }));
    testing_support::PumpPending();
  }

  testing_support::TempDatabase database_;
  testing_support::MessageBoxRecorder boxes_;
  wxFrame* frame_ = nullptr;
  CGroupTreeView* tree_ = nullptr;
  CGroupListView* list_ = nullptr;
};

TEST_F(GroupTreeListViewsTest, DraggingApsOntoGroups) {
  const wxTreeItemId radio = FindItem(tree_, "radio");
  ASSERT_TRUE(radio.IsOk());
  EXPECT_TRUE(FindItem(tree_, ":127.0.0.11", radio).IsOk()) << "a rebuilt AP node reads :IP";
  ASSERT_EQ(list_->GetItemCount(), 3);
  EXPECT_EQ(list_->GetItemText(RowOf(net::kAp1), CGroupListView::kGroups), "radio");

  Drag(RowOf(net::kAp2), radio);
  EXPECT_TRUE(FindItem(tree_, ":127.0.0.12", radio).IsOk());
  EXPECT_EQ(list_->GetItemText(RowOf(net::kAp2), CGroupListView::kGroups), "radio");
  EXPECT_EQ(GetGroupStore()->IsApInGroup(net::kAp2, "radio"), 1);
  EXPECT_TRUE(boxes_.Texts().empty());

  Drag(RowOf(net::kAp3), FindItem(tree_, "default"));
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"can't add device to default group"});
  EXPECT_EQ(GetGroupStore()->IsApInGroup(net::kAp3, "default"), 0);

  Drag(RowOf(net::kAp1), radio);  // already a member: nothing happens, nothing said
  EXPECT_EQ(boxes_.Texts().size(), 1u);
  int members = 0;
  wxTreeItemIdValue cookie;
  for (wxTreeItemId child = tree_->GetFirstChild(radio, cookie); child.IsOk(); child = tree_->GetNextChild(radio, cookie))
    ++members;
  EXPECT_EQ(members, 2);
}

TEST_F(GroupTreeListViewsTest, RenamingAGroupFromTheTree) {
  const wxTreeItemId radio = FindItem(tree_, "radio");
  ClickTreeItem(tree_, radio);
  ASSERT_TRUE(PumpUntil([&] { return tree_->GetSelection() == radio; }));
  ModalScript<CRenameGroupDlg> rename([&](CRenameGroupDlg* dialog) {
    EXPECT_EQ(static_cast<wxTextCtrl*>(dialog->FindWindow(CRenameGroupDlg::kCurrentName))->GetValue(), "radio");
    Click(dialog->FindWindow(wxID_OK));
    EXPECT_TRUE(PumpUntil([&] { return boxes_.Texts().size() == 1; }));
    EXPECT_TRUE(TypeInto(dialog->FindWindow(CRenameGroupDlg::kNewName), std::string(31, 'r')));
    Click(dialog->FindWindow(wxID_OK));
    EXPECT_TRUE(PumpUntil([&] { return boxes_.Texts().size() == 2; }));
    EXPECT_TRUE(TypeInto(dialog->FindWindow(CRenameGroupDlg::kNewName), "radio-2"));
    Click(dialog->FindWindow(wxID_OK));
  });
  wxCommandEvent command(wxEVT_MENU, group_cmd::kRename);
  tree_->ProcessWindowEvent(command);
  ASSERT_TRUE(rename.Ran());
  EXPECT_EQ(boxes_.Texts(), (std::vector<std::string>{"please input new group name", "group name max length is 30 characters",
                                                      "rename radio to radio-2 success"}));
  EXPECT_EQ(tree_->GetItemText(radio), "radio-2");
  EXPECT_EQ(GetGroupStore()->GroupExists("radio-2"), 1);
}

// A group node dragged onto a row of the device list makes that AP a member; the default group refuses.
TEST_F(GroupTreeListViewsTest, DraggingAGroupOntoTheDeviceList) {
  auto* devices = new DeviceRows(frame_);
  frame_->GetSizer()->Add(devices, 1, wxEXPAND);
  frame_->Layout();
  tree_->SetPeerListView(devices);
  testing_support::PumpPending();
  const auto rowCentre = [&](int row) {
    wxRect item;
    devices->GetItemRect(row, item);
    return devices->ClientToScreen(wxPoint(item.x + 40, item.y + item.height / 2));
  };
  const wxTreeItemId radio = FindItem(tree_, "radio");
  DragFromTree(radio, rowCentre(2));
  EXPECT_EQ(GetGroupStore()->IsApInGroup(net::kAp3, "radio"), 1);
  EXPECT_TRUE(FindItem(tree_, ":127.0.0.13", radio).IsOk()) << "an AP without stored properties shows its address only";
  EXPECT_TRUE(boxes_.Texts().empty());

  DragFromTree(radio, rowCentre(0));  // a member already: nothing added twice
  int members = 0;
  wxTreeItemIdValue cookie;
  for (wxTreeItemId child = tree_->GetFirstChild(radio, cookie); child.IsOk(); child = tree_->GetNextChild(radio, cookie))
    ++members;
  EXPECT_EQ(members, 2);

  DragFromTree(FindItem(tree_, "default"), rowCentre(1));
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"can't add device to default group"});
  EXPECT_EQ(GetGroupStore()->IsApInGroup(net::kAp2, "default"), 0);
}

}  // namespace
