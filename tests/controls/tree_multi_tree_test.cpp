// The multi-select tree as a user meets it: clicks with Ctrl and Shift, a rubber band dragged through
// empty space, Escape during a band, the arrows, and the highlight the screen shows for selected rows.
#include <gtest/gtest.h>
#include <wx/frame.h>
#include <wx/settings.h>
#include <wx/uiaction.h>

#include <vector>

#include "controls/MultiTree.h"
#include "support/ui/WxTestEnvironment.h"

using multitree::ItemId;
using testing_support::PumpPending;

namespace {

class MultiTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frame = new wxFrame(nullptr, wxID_ANY, "multi tree", wxPoint(700, 80), wxSize(320, 260));
    tree = new CMultiTree(frame, wxID_ANY, wxPoint(0, 0), frame->GetClientSize());
    a = tree->InsertItem("alpha");
    b = tree->InsertItem("bravo");
    b1 = tree->InsertItem("bravo one", b);
    c = tree->InsertItem("charlie");
    d = tree->InsertItem("delta");
    tree->Expand(b, true);
    tree->Bind(EVT_MULTITREE_SEL_CHANGED, [this](wxCommandEvent& event) { changes.push_back(event.GetInt()); });
    tree->Bind(EVT_MULTITREE_CLICK, [this](wxCommandEvent&) { ++clicks; });
    frame->Show();
    PumpPending();
  }
  void TearDown() override {
    frame->Hide();
    frame->Destroy();
    PumpPending();
  }
  std::vector<ItemId> Selected() {
    std::vector<ItemId> items;
    tree->Model().CollectSelected(items);
    return items;
  }
  wxPoint OnLabel(ItemId item) {
    const wxRect label = tree->GetItemRect(item, true);
    return tree->ClientToScreen(wxPoint(label.x + 6, label.y + label.height / 2));
  }
  wxPoint EmptyRight(ItemId item) {
    const wxRect row = tree->GetItemRect(item, false);
    return tree->ClientToScreen(wxPoint(tree->GetClientSize().x - 20, row.y + row.height / 2));
  }
  void Settle() {
    for (int round = 0; round < 5; ++round) {
      wxMilliSleep(20);
      PumpPending();
    }
  }
  void Click(const wxPoint& screen, int modifiers = 0) {
    frame->Raise();
    wxUIActionSimulator input;
    input.MouseMove(screen);
    Settle();
    if (modifiers & wxMOD_CONTROL) input.KeyDown(WXK_CONTROL);
    if (modifiers & wxMOD_SHIFT) input.KeyDown(WXK_SHIFT);
    Settle();
    input.MouseClick();
    Settle();
    if (modifiers & wxMOD_SHIFT) input.KeyUp(WXK_SHIFT);
    if (modifiers & wxMOD_CONTROL) input.KeyUp(WXK_CONTROL);
    Settle();
  }
  // Presses at from, moves in steps to to, and either releases or presses Escape first.
  void Band(const wxPoint& from, const wxPoint& to, bool escape) {
    frame->Raise();
    wxUIActionSimulator input;
    input.MouseMove(from);
    Settle();
    input.MouseDown();
    Settle();
    for (int step = 1; step <= 4; ++step) {
      input.MouseMove(from + (to - from) * step / 4);
      Settle();
    }
    if (escape) {
      input.Char(WXK_ESCAPE);
      Settle();
    }
    input.MouseUp();
    Settle();
  }

  wxFrame* frame = nullptr;
  CMultiTree* tree = nullptr;
  ItemId a, b, b1, c, d;
  std::vector<ItemId> changes;
  int clicks = 0;
};

TEST_F(MultiTreeTest, ClicksWithCtrlAndShiftSelectAndTheScreenShowsIt) {
  Click(OnLabel(a));
  EXPECT_EQ(Selected(), (std::vector<ItemId>{a}));
  Click(OnLabel(c), wxMOD_CONTROL);
  EXPECT_EQ(Selected(), (std::vector<ItemId>{a, c}));
  Click(OnLabel(a), wxMOD_CONTROL);
  EXPECT_EQ(Selected(), (std::vector<ItemId>{c}));
  EXPECT_EQ(tree->Model().GetFocus(), a) << "Ctrl+click deselects but keeps the focus";
  Click(OnLabel(d), wxMOD_SHIFT);
  EXPECT_EQ(Selected(), (std::vector<ItemId>{a, b, b1, c, d})) << "the span runs from the focused item";
  EXPECT_EQ(clicks, 4);
  EXPECT_FALSE(changes.empty());

  Click(OnLabel(b1));
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b1}));
  const wxImage shot = testing_support::CaptureWindow(tree);
  testing_support::SaveCapture(shot, "multi_tree_one_selected");
  const wxColour highlight = wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT);
  const wxRect selectedRow = tree->GetItemRect(b1, false);
  const wxRect otherRow = tree->GetItemRect(c, false);
  EXPECT_GT(testing_support::CountPixels(shot, highlight, 8, selectedRow), 100);
  EXPECT_EQ(testing_support::CountPixels(shot, highlight, 8, otherRow), 0);
}

TEST_F(MultiTreeTest, RubberBandSelectsTheRowsItCoversAndEscapeClearsAll) {
  Click(OnLabel(a));
  Band(EmptyRight(b), EmptyRight(c), false);
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b, b1, c}));

  Band(EmptyRight(b1) + wxPoint(-10, 0), EmptyRight(d), true);
  EXPECT_TRUE(Selected().empty());

  Click(EmptyRight(d) + wxPoint(0, 60));  // a press below the rows, no band: deselects all
  EXPECT_TRUE(Selected().empty());
}

TEST_F(MultiTreeTest, ArrowsMoveTheSelectionAndShiftExtendsIt) {
  Click(OnLabel(b));
  wxUIActionSimulator input;
  input.Char(WXK_DOWN);
  Settle();
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b1}));
  input.Char(WXK_DOWN, wxMOD_SHIFT);
  input.Char(WXK_DOWN, wxMOD_SHIFT);
  Settle();
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b1, c, d}));

  // The expand button collapses the node; its hidden child loses its selection.
  const wxRect label = tree->GetItemRect(b, true);
  Click(tree->ClientToScreen(wxPoint(label.x - CMultiTree::kIndent / 2 - 4, label.y + label.height / 2)));
  EXPECT_FALSE(tree->Model().IsExpanded(b));
  EXPECT_EQ(Selected(), (std::vector<ItemId>{c, d}));
}

}  // namespace
