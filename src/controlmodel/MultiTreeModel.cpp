#include "controlmodel/MultiTreeModel.h"

#include <algorithm>

namespace multitree {

ItemId CMultiTreeModel::InsertItem(const std::string& text, ItemId parent) {
  if (parent != kNoItem && !Valid(parent)) return kNoItem;
  const ItemId id = static_cast<ItemId>(items_.size());
  items_.push_back(Item{text, parent, {}, false, false});
  items_[parent].children.push_back(id);
  return id;
}

const std::string& CMultiTreeModel::GetItemText(ItemId item) const { return items_.at(item).text; }
ItemId CMultiTreeModel::GetParent(ItemId item) const { return Valid(item) ? items_[item].parent : kNoItem; }
const std::vector<ItemId>& CMultiTreeModel::GetChildren(ItemId item) const { return items_.at(item).children; }
bool CMultiTreeModel::IsExpanded(ItemId item) const { return Valid(item) && items_[item].expanded; }

int CMultiTreeModel::Depth(ItemId item) const {
  int depth = 0;
  for (ItemId parent = GetParent(item); parent != kNoItem; parent = GetParent(parent)) ++depth;
  return depth;
}

void CMultiTreeModel::AppendVisible(ItemId parent, std::vector<ItemId>& out) const {
  for (ItemId child : items_[parent].children) {
    out.push_back(child);
    if (items_[child].expanded) AppendVisible(child, out);
  }
}

std::vector<ItemId> CMultiTreeModel::VisibleItems() const {
  std::vector<ItemId> out;
  AppendVisible(kNoItem, out);
  return out;
}

void CMultiTreeModel::Expand(ItemId item, bool expand) {
  if (!Valid(item)) return;
  if (!expand && multiSelect_ && items_[item].expanded) {
    const bool nodeSelected = items_[item].selected;
    const bool hadFocus = SetChildrenSelection(item, false, true);
    if (hadFocus) focus_ = nodeSelected ? item : kNoItem;
  }
  items_[item].expanded = expand;
}

bool CMultiTreeModel::EnableMultiSelect(bool on) {
  const bool old = multiSelect_;
  multiSelect_ = on;
  if (!on) {
    // Quietly: the single-selection tree reports only its own selection.
    for (size_t i = 1; i < items_.size(); ++i)
      if (static_cast<ItemId>(i) != focus_) items_[i].selected = false;
    if (Valid(focus_) && !items_[focus_].selected) focus_ = kNoItem;
  }
  return old;
}

bool CMultiTreeModel::IsItemSelected(ItemId item) const { return Valid(item) && items_[item].selected; }

int CMultiTreeModel::CountSelected() const {
  int count = 0;
  for (ItemId item : VisibleItems()) count += items_[item].selected ? 1 : 0;
  return count;
}

ItemId CMultiTreeModel::FindFirstSelected() const {
  for (ItemId item : VisibleItems())
    if (items_[item].selected) return item;
  return kNoItem;
}

ItemId CMultiTreeModel::FindNextSelected(ItemId item) const {
  const std::vector<ItemId> visible = VisibleItems();
  auto at = std::find(visible.begin(), visible.end(), item);
  if (at == visible.end()) return kNoItem;
  auto next = std::find_if(at + 1, visible.end(), [this](ItemId other) { return items_[other].selected; });
  return next == visible.end() ? kNoItem : *next;
}

void CMultiTreeModel::CollectSelected(std::vector<ItemId>& items) const {
  items.clear();
  for (ItemId item = FindFirstSelected(); item != kNoItem; item = FindNextSelected(item)) items.push_back(item);
}

void CMultiTreeModel::SelectAllVisible(bool select) { SelectAllExcept(select, kNoItem); }

void CMultiTreeModel::SelectAllExcept(bool select, ItemId except) {
  for (ItemId item : VisibleItems())
    if (item != except && items_[item].selected != select) ChangeSelection(item, select);
}

void CMultiTreeModel::SelectSpan(ItemId first, ItemId last, bool only) {
  enum { Before, Inside, After } phase = Before;
  ItemId otherEnd = kNoItem;
  for (ItemId item : VisibleItems()) {
    if (phase == Before && (item == first || item == last)) {
      otherEnd = item == first ? last : first;
      ChangeSelection(item, true);
      phase = otherEnd == item ? After : Inside;
      continue;
    }
    if (phase == Inside) {
      ChangeSelection(item, true);
      if (item == otherEnd) phase = After;
    } else if (only && items_[item].selected) {
      ChangeSelection(item, false);
    }
  }
}

bool CMultiTreeModel::SetChildrenSelection(ItemId parent, bool select, bool recurse) {
  bool hadFocus = false;
  for (ItemId child : items_.at(parent).children) {
    if (child == focus_) hadFocus = true;
    if (items_[child].selected != select) ChangeSelection(child, select);
    if (recurse && items_[child].expanded && SetChildrenSelection(child, select, true)) hadFocus = true;
  }
  return hadFocus;
}

void CMultiTreeModel::FocusItem(ItemId item) {
  if (item == kNoItem)
    focus_ = kNoItem;
  else
    SetItemState(item, kFocused, kFocused);
}

unsigned CMultiTreeModel::GetItemState(ItemId item, unsigned mask) const {
  if (!Valid(item)) return 0;
  unsigned state = (items_[item].selected ? kSelected : 0) | (items_[item].expanded ? kExpanded : 0);
  if (item == focus_) state |= kFocused;
  return state & mask;
}

bool CMultiTreeModel::ChangeSelection(ItemId item, bool select) {
  if (items_[item].selected == select) return true;
  if (observer_ && observer_->SelChanging(item, select)) return false;
  items_[item].selected = select;
  if (observer_) observer_->SelChanged(item, select);
  return true;
}

bool CMultiTreeModel::SetItemState(ItemId item, unsigned state, unsigned mask) {
  if (!Valid(item)) return false;
  if (mask & kFocused) {
    if (state & kFocused)
      focus_ = item;
    else if (focus_ == item)
      focus_ = kNoItem;
  }
  if (mask & kSelected) {
    if (!ChangeSelection(item, (state & kSelected) != 0)) return false;
    // A single-selection tree keeps one selected item: the focused one.
    if (!multiSelect_ && (state & kSelected)) {
      for (size_t i = 1; i < items_.size(); ++i)
        if (static_cast<ItemId>(i) != item && items_[i].selected) ChangeSelection(static_cast<ItemId>(i), false);
      focus_ = item;
    }
  }
  if (mask & kExpanded) Expand(item, (state & kExpanded) != 0);
  return true;
}

void CMultiTreeModel::PreSelect(ItemId item, Button button, Modifiers modifiers) {
  if (!multiSelect_) {
    SetItemState(item, kFocused | kSelected, kFocused | kSelected);
    return;
  }
  if (button == Button::Right) {
    if (modifiers.shift) return;
    if (modifiers.ctrl) {
      anchor_ = item;
      return;
    }
  } else if (modifiers.shift) {
    if (anchor_ == kNoItem) anchor_ = focus_;
    SelectSpan(anchor_, item, !modifiers.ctrl);
    FocusItem(item);
    return;
  }
  if (!modifiers.ctrl) {
    if (!items_[item].selected) SelectAllExcept(false, item);
    SetItemState(item, kFocused | kSelected, kFocused | kSelected);
  }
  if (button == Button::Left) anchor_ = kNoItem;
}

void CMultiTreeModel::Click(ItemId item, Button button, Modifiers modifiers) {
  if (multiSelect_ && button == Button::Left && !modifiers.shift) {
    const bool select = modifiers.ctrl ? !items_[item].selected : true;
    if (!modifiers.ctrl) SelectAllExcept(false, item);
    SetItemState(item, kFocused | (select ? kSelected : 0), kFocused | kSelected);
  }
  if (observer_) observer_->Clicked(button);
}

void CMultiTreeModel::Drag(ItemId item, Button button, bool dragDisabled) {
  SetItemState(item, kFocused | kSelected, kFocused | kSelected);
  if (!dragDisabled && observer_) observer_->BeginDrag(item, button);
}

ItemId CMultiTreeModel::Neighbour(ItemId item, bool down) const {
  const std::vector<ItemId> visible = VisibleItems();
  if (visible.empty()) return kNoItem;
  auto at = std::find(visible.begin(), visible.end(), item);
  if (at == visible.end()) return visible.front();
  if (down) return at + 1 == visible.end() ? item : *(at + 1);
  return at == visible.begin() ? item : *(at - 1);
}

void CMultiTreeModel::MoveKey(bool down, Modifiers modifiers) {
  const ItemId noted = focus_;
  const ItemId target = Neighbour(noted, down);
  if (target == kNoItem) return;
  if (!multiSelect_) {
    SetItemState(target, kFocused | kSelected, kFocused | kSelected);
    return;
  }
  if (anchor_ == kNoItem) anchor_ = noted;
  if (!modifiers.ctrl && !modifiers.shift) {
    anchor_ = kNoItem;
    SelectAllVisible(false);
    SetItemState(target, kFocused | kSelected, kFocused | kSelected);
  } else if (modifiers.shift) {
    SelectSpan(anchor_, target, !modifiers.ctrl);
    FocusItem(target);
  } else {
    FocusItem(target);
  }
}

void CMultiTreeModel::BeginBand(Button button, Modifiers modifiers) {
  bandButton_ = button;
  bandModifiers_ = modifiers;
  bandShown_ = false;
  kept_.clear();
  if (modifiers.ctrl || modifiers.shift) CollectSelected(kept_);
}

void CMultiTreeModel::BandShown() {
  if (bandShown_) return;
  bandShown_ = true;
  if (!bandModifiers_.ctrl && !bandModifiers_.shift) SelectAllVisible(false);
}

void CMultiTreeModel::UpdateBand(const std::function<bool(ItemId)>& covers) {
  for (ItemId item : VisibleItems()) {
    auto kept = std::find(kept_.begin(), kept_.end(), item);
    const bool isKept = kept != kept_.end();
    if (covers(item)) {
      if (!items_[item].selected && !isKept)
        ChangeSelection(item, true);
      else if (isKept && bandModifiers_.ctrl)
        ChangeSelection(item, false);
      else if (isKept && bandModifiers_.shift)
        kept_.erase(kept);
    } else if (isKept) {
      ChangeSelection(item, true);
    } else if (items_[item].selected) {
      ChangeSelection(item, false);
    }
  }
}

void CMultiTreeModel::EndBand(bool escape) {
  if (escape || (!bandShown_ && !bandModifiers_.ctrl && !bandModifiers_.shift)) SelectAllVisible(false);
  kept_.clear();
  bandShown_ = false;
  if (observer_) observer_->Clicked(bandButton_);
}

}  // namespace multitree
