#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/uiaction.h>

#include <set>
#include <string>
#include <vector>

#include "controls/SimpleTreeCtrl.h"
#include "support/ui/WxTestEnvironment.h"

using listmodel::MakeRgb;
using testing_support::PumpPending;
using testing_support::PumpUntil;

namespace {

std::set<std::string> g_deleted;
std::vector<std::string> g_calls;

class RecordingNode : public listmodel::CSimpleTreeItem {
 public:
  using CSimpleTreeItem::CSimpleTreeItem;
  ~RecordingNode() override { g_deleted.insert(GetName()); }
  void OnSelect() override { g_calls.push_back("select " + GetName()); }
  void OnUnselect() override { g_calls.push_back("unselect " + GetName()); }
  void OnRClick(int, int) override { g_calls.push_back("rclick " + GetName()); }
  void OnDblClick() override { g_calls.push_back("dblclick " + GetName()); }
  void OnInserted() override { g_calls.push_back("inserted " + GetName()); }
};

class RecordingTree : public CSimpleTreeCtrl {
 protected:
  void OnNodeNotify(Node* node) override { g_calls.push_back("notify " + (node ? node->GetName() : "-")); }
  void OnNodeRClick(Node* node) override { g_calls.push_back("tree rclick " + (node ? node->GetName() : "-")); }
  void OnInitTree() override { g_calls.push_back("init"); }
};

class SimpleTreeCtrlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_deleted.clear();
    g_calls.clear();
    frame = new wxFrame(nullptr, wxID_ANY, "tree", wxPoint(760, 60), wxSize(320, 300));
    tree = new RecordingTree();
    ASSERT_TRUE(tree->Create(frame, wxID_ANY, wxPoint(0, 0), wxSize(320, 300)));
    frame->Show();
    PumpPending();
  }
  void TearDown() override {
    frame->Hide();  // off the screen at once, not when the toolkit gets round to deleting it
    frame->Destroy();
    PumpPending();
  }
  wxPoint ItemOnScreen(listmodel::CSimpleTreeItem* node) {
    wxRect rect;
    tree->GetBoundingRect(wxTreeItemId(node->GetHandle()), rect, true);
    return tree->ClientToScreen(rect.GetPosition() + wxPoint(rect.width / 2, rect.height / 2));
  }
  void Click(const wxPoint& screen, int button = wxMOUSE_BTN_LEFT, bool twice = false) {
    wxMilliSleep(600);
    frame->Raise();  // other test programs' windows may have come up over this one
    PumpPending();
    wxUIActionSimulator input;
    input.MouseMove(screen);
    PumpPending();
    if (twice) input.MouseDblClick(button);
    else input.MouseClick(button);
    for (int round = 0; round < 5; ++round) PumpPending();
  }

  wxFrame* frame = nullptr;
  RecordingTree* tree = nullptr;
};

TEST_F(SimpleTreeCtrlTest, DeletingAnItemDeletesItsNodeAndEverythingBelow) {
  auto* a = new RecordingNode("A");
  auto* b = new RecordingNode("B");
  auto* c = new RecordingNode("C");
  tree->InsertNode(a, nullptr);
  tree->InsertNode(b, a);
  tree->InsertNode(c, nullptr);
  EXPECT_EQ(g_calls, (std::vector<std::string>{"init", "inserted A", "inserted B", "inserted C"}));
  EXPECT_EQ(tree->GetItemParent(wxTreeItemId(b->GetHandle())), wxTreeItemId(a->GetHandle()));
  EXPECT_EQ(tree->GetItemText(wxTreeItemId(b->GetHandle())), "B");

  tree->Delete(wxTreeItemId(a->GetHandle()));
  EXPECT_EQ(g_deleted, (std::set<std::string>{"A", "B"}));
  EXPECT_EQ(tree->GetTopNodes(), std::vector<listmodel::CSimpleTreeItem*>{c});

  c->SetName("renamed");
  EXPECT_EQ(tree->GetItemText(wxTreeItemId(c->GetHandle())), "renamed");
  tree->DeleteAllNodes();
  EXPECT_TRUE(g_deleted.count("renamed"));
  EXPECT_TRUE(tree->GetTopNodes().empty());
}

TEST_F(SimpleTreeCtrlTest, ClicksReachTheNodesAndTheTreeHooks) {
  auto* a = new RecordingNode("A");
  auto* b = new RecordingNode("B");
  tree->InsertNode(a, nullptr);
  tree->InsertNode(b, nullptr);
  g_calls.clear();

  Click(ItemOnScreen(a));
  ASSERT_TRUE(PumpUntil([&] { return tree->GetSelectedNode() == a; }));
  Click(ItemOnScreen(b), wxMOUSE_BTN_RIGHT);
  ASSERT_TRUE(PumpUntil([&] { return tree->GetSelectedNode() == b; }));
  Click(tree->ClientToScreen(wxPoint(150, 250)), wxMOUSE_BTN_RIGHT);  // empty space
  Click(ItemOnScreen(b), wxMOUSE_BTN_LEFT, true);
  ASSERT_TRUE(PumpUntil([&] { return !g_calls.empty() && g_calls.back() == "dblclick B"; }));
  EXPECT_EQ(g_calls, (std::vector<std::string>{"notify A", "select A", "notify B", "unselect A", "select B",
                                               "tree rclick B", "rclick B", "tree rclick -", "notify B",
                                               "dblclick B"}));
  EXPECT_EQ(tree->GetSelectedNode(), b);
  delete b;  // a node deleted directly leaves no dangling selection
  EXPECT_EQ(tree->GetSelectedNode(), nullptr);
}

TEST_F(SimpleTreeCtrlTest, ItemsShowTheirNodeColours) {
  auto* red = new RecordingNode("red item");
  auto* plain = new RecordingNode("plain item");
  tree->InsertNode(plain, nullptr);
  tree->InsertNode(red, nullptr);
  red->SetColor(MakeRgb(255, 0, 0));
  tree->SelectNode(plain);
  for (int round = 0; round < 50; ++round) {  // let the display draw the new frame before reading it back
    PumpPending();
    wxMilliSleep(10);
  }

  auto Row = [&](listmodel::CSimpleTreeItem* node) {
    wxRect rect;
    tree->GetBoundingRect(wxTreeItemId(node->GetHandle()), rect, true);
    return rect;
  };
  const wxImage shot = testing_support::CaptureWindow(tree);
  testing_support::SaveCapture(shot, "simple_tree");
  EXPECT_GT(testing_support::CountPixels(shot, *wxRED, 8, Row(red)), Row(red).width * Row(red).height / 2);
  EXPECT_EQ(testing_support::CountPixels(shot, *wxRED, 8, Row(plain)), 0);

  EXPECT_EQ(tree->GetItemBackgroundColour(wxTreeItemId(red->GetHandle())), *wxRED);
}

}  // namespace
