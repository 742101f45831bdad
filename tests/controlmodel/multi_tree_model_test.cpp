// The multi-select tree's rules: clicks with and without Ctrl and Shift, spans, drags, arrows, the
// rubber band, collapsing, vetoes and the single-selection mode.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "controlmodel/MultiTreeModel.h"

namespace {

using namespace multitree;

class Recorder : public MultiTreeObserver {
 public:
  bool SelChanging(ItemId item, bool) override { return vetoed.count(item) > 0; }
  void SelChanged(ItemId item, bool selected) override { changes.push_back((selected ? "+" : "-") + std::to_string(item)); }
  void Clicked(Button button) override { clicks.push_back(button); }
  void BeginDrag(ItemId item, Button) override { drags.push_back(item); }
  std::set<ItemId> vetoed;
  std::vector<std::string> changes;
  std::vector<Button> clicks;
  std::vector<ItemId> drags;
};

// a, b (children b1, b2, expanded), c, d
class MultiTreeModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    a = tree.InsertItem("a");
    b = tree.InsertItem("b");
    b1 = tree.InsertItem("b1", b);
    b2 = tree.InsertItem("b2", b);
    c = tree.InsertItem("c");
    d = tree.InsertItem("d");
    tree.Expand(b, true);
    tree.SetObserver(&recorder);
  }
  std::vector<ItemId> Selected() const {
    std::vector<ItemId> items;
    tree.CollectSelected(items);
    return items;
  }
  void LeftClick(ItemId item, Modifiers modifiers = {}) {
    tree.PreSelect(item, Button::Left, modifiers);
    tree.Click(item, Button::Left, modifiers);
  }

  CMultiTreeModel tree;
  Recorder recorder;
  ItemId a, b, b1, b2, c, d;
};

TEST_F(MultiTreeModelTest, PlainClickSelectsOnlyTheItemAndCtrlClickToggles) {
  LeftClick(b1);
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b1}));
  EXPECT_EQ(tree.GetFocus(), b1);
  LeftClick(c, {.ctrl = true});
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b1, c}));

  tree.PreSelect(c, Button::Left, {.ctrl = true});
  EXPECT_TRUE(tree.IsItemSelected(c)) << "still selected until the button comes up";
  tree.Click(c, Button::Left, {.ctrl = true});
  EXPECT_FALSE(tree.IsItemSelected(c));
  EXPECT_EQ(tree.GetFocus(), c) << "deselected but focused";
  EXPECT_EQ(tree.GetItemState(c, kFocused | kSelected), kFocused);
  EXPECT_EQ(recorder.clicks.size(), 3u);

  LeftClick(d);
  EXPECT_EQ(Selected(), (std::vector<ItemId>{d}));
  EXPECT_EQ(tree.CountSelected(), 1);
}

TEST_F(MultiTreeModelTest, ShiftClickSelectsASpanFromTheAnchor) {
  LeftClick(b, {.shift = true});  // no anchor, no focus: the item and everything after it
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b, b1, b2, c, d}));

  LeftClick(b1);
  LeftClick(d, {.shift = true});
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b1, b2, c, d}));
  EXPECT_EQ(tree.GetAnchor(), b1);
  LeftClick(a, {.shift = true});
  EXPECT_EQ(Selected(), (std::vector<ItemId>{a, b, b1})) << "the span turns around the same anchor";
  EXPECT_EQ(tree.GetFocus(), a);

  LeftClick(d, {.ctrl = true});
  LeftClick(c, {.ctrl = true, .shift = true});
  EXPECT_EQ(Selected(), (std::vector<ItemId>{a, b, b1, c, d})) << "Ctrl+Shift adds the span to the rest";
}

TEST_F(MultiTreeModelTest, RightButtonRules) {
  LeftClick(a);
  tree.PreSelect(c, Button::Right, {.ctrl = true});
  EXPECT_EQ(tree.GetAnchor(), c);
  EXPECT_EQ(Selected(), (std::vector<ItemId>{a}));
  tree.PreSelect(d, Button::Right, {.shift = true});
  EXPECT_EQ(Selected(), (std::vector<ItemId>{a}));
  tree.PreSelect(d, Button::Right, {});
  tree.Click(d, Button::Right, {});
  EXPECT_EQ(Selected(), (std::vector<ItemId>{d}));
  EXPECT_EQ(tree.GetAnchor(), c) << "a plain right press keeps the anchor";
  EXPECT_EQ(recorder.clicks.back(), Button::Right);
}

TEST_F(MultiTreeModelTest, DragSelectsAndFocusesTheItemFirst) {
  LeftClick(a);
  tree.PreSelect(c, Button::Left, {.ctrl = true});
  tree.Drag(c, Button::Left);
  EXPECT_EQ(Selected(), (std::vector<ItemId>{a, c}));
  EXPECT_EQ(tree.GetFocus(), c);
  EXPECT_EQ(recorder.drags, (std::vector<ItemId>{c}));
  tree.Drag(d, Button::Left, true);
  EXPECT_EQ(recorder.drags.size(), 1u) << "no drag report when dragging is disabled";
}

TEST_F(MultiTreeModelTest, ArrowKeysMoveSelectOrExtend) {
  LeftClick(b1);
  tree.MoveKey(true, {});
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b2}));
  tree.MoveKey(true, {.shift = true});
  tree.MoveKey(true, {.shift = true});
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b2, c, d}));
  tree.MoveKey(true, {.shift = true});
  EXPECT_EQ(tree.GetFocus(), d) << "the last item stays the target";
  tree.MoveKey(false, {.ctrl = true});
  EXPECT_EQ(tree.GetFocus(), c);
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b2, c, d})) << "Ctrl alone moves the focus only";
}

TEST_F(MultiTreeModelTest, BandSelectsWhatItCoversAndCtrlOrShiftWorkOnTheKeptSelection) {
  LeftClick(a);
  tree.BeginBand(Button::Left, {});
  tree.BandShown();
  EXPECT_EQ(tree.CountSelected(), 0) << "a plain band starts afresh";
  tree.UpdateBand([&](ItemId item) { return item == b || item == b1; });
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b, b1}));
  tree.UpdateBand([&](ItemId item) { return item == b1 || item == b2; });
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b1, b2}));
  tree.EndBand(false);
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b1, b2}));

  tree.BeginBand(Button::Left, {.ctrl = true});  // inverts what it covers
  tree.BandShown();
  tree.UpdateBand([&](ItemId item) { return item == b2 || item == c; });
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b1, c}));
  tree.UpdateBand([](ItemId) { return false; });
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b1, b2})) << "leaving restores the kept selection";
  tree.EndBand(false);

  tree.BeginBand(Button::Left, {.shift = true});  // covered kept items are let go
  tree.BandShown();
  tree.UpdateBand([&](ItemId item) { return item == b2 || item == c; });
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b1, b2, c}));
  tree.UpdateBand([&](ItemId item) { return item == d; });
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b1, d}));
  tree.EndBand(true);
  EXPECT_EQ(tree.CountSelected(), 0) << "Escape deselects everything";

  LeftClick(a);
  tree.BeginBand(Button::Right, {});
  tree.EndBand(false);
  EXPECT_EQ(tree.CountSelected(), 0) << "a press in empty space without a band deselects all";
  EXPECT_EQ(recorder.clicks.back(), Button::Right);
}

TEST_F(MultiTreeModelTest, CollapsingDeselectsHiddenItemsAndDropsTheirFocus) {
  LeftClick(b1);
  LeftClick(b2, {.ctrl = true});
  LeftClick(c, {.ctrl = true});
  LeftClick(b2, {.ctrl = true});
  LeftClick(b2, {.ctrl = true});  // b2 selected and focused
  tree.Expand(b, false);
  EXPECT_EQ(Selected(), (std::vector<ItemId>{c}));
  EXPECT_EQ(tree.GetFocus(), kNoItem);
  EXPECT_FALSE(tree.IsItemSelected(b1));

  tree.Expand(b, true);
  LeftClick(b);
  LeftClick(b1, {.ctrl = true});
  tree.Expand(b, false);
  EXPECT_EQ(tree.GetFocus(), b) << "a selected node takes the focus of its hidden child";
  EXPECT_EQ(tree.VisibleItems(), (std::vector<ItemId>{a, b, c, d}));
  ASSERT_TRUE(tree.SetItemState(b1, kSelected, kSelected));
  tree.SelectAllVisible(false);
  EXPECT_TRUE(tree.IsItemSelected(b1)) << "hidden items are never touched";
  EXPECT_EQ(tree.CountSelected(), 0) << "and not counted";
}

TEST_F(MultiTreeModelTest, VetoedChangesLeaveTheItemAndFail) {
  recorder.vetoed = {c};
  LeftClick(a);
  EXPECT_FALSE(tree.SetItemState(c, kSelected, kSelected));
  EXPECT_FALSE(tree.IsItemSelected(c));
  EXPECT_FALSE(tree.SetItemState(99, kSelected, kSelected));
  recorder.changes.clear();
  EXPECT_TRUE(tree.SetItemState(d, kSelected, kSelected));
  EXPECT_EQ(recorder.changes, (std::vector<std::string>{"+" + std::to_string(d)}));
  EXPECT_TRUE(tree.SetItemState(d, kSelected, kSelected));
  EXPECT_EQ(recorder.changes.size(), 1u) << "only changes are reported";
}

TEST_F(MultiTreeModelTest, SelectionQueriesAndChildren) {
  tree.SelectAllVisible(true);
  EXPECT_EQ(tree.CountSelected(), 6);
  tree.SelectAllExcept(false, c);
  EXPECT_EQ(Selected(), (std::vector<ItemId>{c}));
  EXPECT_EQ(tree.FindFirstSelected(), c);
  EXPECT_EQ(tree.FindNextSelected(c), kNoItem);
  tree.FocusItem(b2);
  EXPECT_TRUE(tree.SetChildrenSelection(b, true, true));
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b1, b2, c}));
  EXPECT_FALSE(tree.SetChildrenSelection(kNoItem, false, false)) << "no top-level item has the focus";
  EXPECT_EQ(Selected(), (std::vector<ItemId>{b1, b2}));
  tree.FocusItem(kNoItem);
  EXPECT_EQ(tree.GetFocus(), kNoItem);
  EXPECT_TRUE(tree.IsItemSelected(b2)) << "losing the focus keeps the selection";
}

TEST_F(MultiTreeModelTest, TurningMultiSelectOffKeepsOnlyTheSelectedFocus) {
  LeftClick(a);
  LeftClick(c, {.ctrl = true});
  EXPECT_TRUE(tree.EnableMultiSelect(false));
  EXPECT_EQ(Selected(), (std::vector<ItemId>{c}));
  LeftClick(d, {.ctrl = true});
  EXPECT_EQ(Selected(), (std::vector<ItemId>{d})) << "one selected item in single mode";
  EXPECT_FALSE(tree.EnableMultiSelect(true));

  LeftClick(a);
  LeftClick(c, {.ctrl = true});
  LeftClick(c, {.ctrl = true});  // focused, not selected
  tree.EnableMultiSelect(false);
  EXPECT_EQ(tree.CountSelected(), 0);
  EXPECT_EQ(tree.GetFocus(), kNoItem);
}

}  // namespace
