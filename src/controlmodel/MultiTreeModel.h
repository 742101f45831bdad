#pragma once
// The items and selection rules of a tree in which several items can be selected at once: Ctrl toggles
// single items, Shift selects a span from an anchor, a rubber band selects what it covers. The focus is
// one item (the caret); each item's selection is its own bit. Every change of an item's selection goes
// past the observer, which may veto it. All walks go through the visible items in display order, so
// items under collapsed nodes are never touched; collapsing deselects what it hides.
#include <functional>
#include <string>
#include <vector>

namespace multitree {

using ItemId = int;
constexpr ItemId kNoItem = 0;

// State bits as the tree numbers them.
constexpr unsigned kFocused = 0x0001, kSelected = 0x0002, kExpanded = 0x0020;

enum class Button { Left, Right };
struct Modifiers {
  bool ctrl = false;
  bool shift = false;
};

class MultiTreeObserver {
 public:
  virtual ~MultiTreeObserver() = default;
  // True vetoes the change.
  virtual bool SelChanging(ItemId /*item*/, bool /*selecting*/) { return false; }
  virtual void SelChanged(ItemId /*item*/, bool /*selected*/) {}
  virtual void Clicked(Button /*button*/) {}
  virtual void BeginDrag(ItemId /*item*/, Button /*button*/) {}
};

class CMultiTreeModel {
 public:
  void SetObserver(MultiTreeObserver* observer) { observer_ = observer; }

  // Items.
  ItemId InsertItem(const std::string& text, ItemId parent = kNoItem);
  const std::string& GetItemText(ItemId item) const;
  ItemId GetParent(ItemId item) const;
  const std::vector<ItemId>& GetChildren(ItemId item) const;
  bool IsExpanded(ItemId item) const;
  // Expanding shows the children; collapsing deselects the descendants it hides and, when one of them
  // had the focus and the node is not selected, leaves no item focused.
  void Expand(ItemId item, bool expand);
  std::vector<ItemId> VisibleItems() const;
  int Depth(ItemId item) const;

  // Selection.
  bool EnableMultiSelect(bool on);  // the old mode; off keeps only the focused item, if selected
  bool IsMultiSelect() const { return multiSelect_; }
  bool IsItemSelected(ItemId item) const;
  int CountSelected() const;
  ItemId FindFirstSelected() const;
  ItemId FindNextSelected(ItemId item) const;
  void CollectSelected(std::vector<ItemId>& items) const;
  void SelectAllVisible(bool select);
  void SelectAllExcept(bool select, ItemId except);
  void SelectSpan(ItemId first, ItemId last, bool only);
  // True when one of the visited items had the focus.
  bool SetChildrenSelection(ItemId parent, bool select, bool recurse);
  // Null takes the focus from the focused item, which keeps its selection.
  void FocusItem(ItemId item);
  ItemId GetFocus() const { return focus_; }
  unsigned GetItemState(ItemId item, unsigned mask) const;
  // False for an unknown item or when the observer vetoes the selection change.
  bool SetItemState(ItemId item, unsigned state, unsigned mask);
  ItemId GetAnchor() const { return anchor_; }

  // Input, as the window reports it.
  // A button pressed on an item, before it is known whether a click or a drag follows.
  void PreSelect(ItemId item, Button button, Modifiers modifiers);
  void Click(ItemId item, Button button, Modifiers modifiers);
  void Drag(ItemId item, Button button, bool dragDisabled = false);
  // Up or down arrow.
  void MoveKey(bool down, Modifiers modifiers);

  // The rubber band: begun on a press in empty space, updated with the items it covers.
  void BeginBand(Button button, Modifiers modifiers);
  void BandShown();  // the pointer moved far enough for the band to appear
  void UpdateBand(const std::function<bool(ItemId)>& covers);
  // Button-up ends the band; Escape deselects everything.
  void EndBand(bool escape);

 private:
  struct Item {
    std::string text;
    ItemId parent = kNoItem;
    std::vector<ItemId> children;
    bool expanded = false;
    bool selected = false;
  };
  bool Valid(ItemId item) const { return item > 0 && item < static_cast<int>(items_.size()); }
  void AppendVisible(ItemId parent, std::vector<ItemId>& out) const;
  bool ChangeSelection(ItemId item, bool select);
  ItemId Neighbour(ItemId item, bool down) const;

  std::vector<Item> items_{Item{}};  // item 0 is the invisible root
  MultiTreeObserver* observer_ = nullptr;
  bool multiSelect_ = true;
  ItemId focus_ = kNoItem;
  ItemId anchor_ = kNoItem;
  Button bandButton_ = Button::Left;
  Modifiers bandModifiers_;
  bool bandShown_ = false;
  std::vector<ItemId> kept_;
};

}  // namespace multitree
