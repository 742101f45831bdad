#include "controlmodel/NavBarModel.h"

#include <algorithm>

namespace {
// The one folder that sends its command again when its header is clicked while it is open.
constexpr char kRepeatingFolder[] = "Switch Discover Utility";
// The one button item that sends its command again when clicked while selected.
constexpr char kRepeatingItem[] = "Summary";

bool IsStateItem(NavItemKind kind) { return kind == NAV_ITEM_BUTTON || kind == NAV_ITEM_RADIO || kind == NAV_ITEM_CHECK; }
}  // namespace

int CNavBarModel::ResolveFolder(int folder) const { return folder < 0 ? FolderCount() - 1 : folder; }

int CNavBarModel::ResolveGroup(const CNavFolder& folder, int group) const {
  return group < 0 ? static_cast<int>(folder.groups.size()) - 1 : group;
}

CNavFolder* CNavBarModel::FolderAt(int folder) const {
  folder = ResolveFolder(folder);
  return folder >= 0 && folder < FolderCount() ? folders_[folder].get() : nullptr;
}

CNavGroup* CNavBarModel::GroupAt(int folder, int group) const {
  CNavFolder* owner = FolderAt(folder);
  if (!owner) return nullptr;
  group = ResolveGroup(*owner, group);
  return group >= 0 && group < static_cast<int>(owner->groups.size()) ? owner->groups[group].get() : nullptr;
}

CNavItem* CNavBarModel::ItemAt(int folder, int group, int item) const {
  CNavGroup* owner = GroupAt(folder, group);
  return owner && item >= 0 && item < static_cast<int>(owner->items.size()) ? owner->items[item].get() : nullptr;
}

void CNavBarModel::AppendFolder(const std::string& name, int iconId, int commandId, const std::string& tip) {
  auto folder = std::make_unique<CNavFolder>();
  folder->name = name;
  folder->iconId = iconId;
  folder->commandId = commandId;
  folder->tip = tip;
  folders_.push_back(std::move(folder));
  if (!currentFolder_) {
    currentIndex_ = 0;
    currentFolder_ = folders_.front().get();
  }
}

void CNavBarModel::AppendGroup(const std::string& name, long value, int folder) {
  CNavFolder* owner = FolderAt(folder);
  if (!owner) return;
  auto group = std::make_unique<CNavGroup>();
  group->name = name;
  group->value = value;
  owner->groups.push_back(std::move(group));
  if (owner == currentFolder_ && !currentGroup_) currentGroup_ = owner->groups.back().get();
}

void CNavBarModel::AppendItem(const std::string& name, int iconId, NavItemKind kind, int commandId, int folder,
                              int group, const std::string& tip) {
  CNavGroup* owner = GroupAt(folder, group);
  if (!owner) return;
  auto item = std::make_unique<CNavItem>();
  item->name = name;
  item->iconId = iconId;
  item->kind = kind;
  item->commandOrHeight = commandId;
  item->tip = tip;
  owner->items.push_back(std::move(item));
  if (owner == currentGroup_ && !selectedItem_) selectedItem_ = owner->items.back().get();
}

void CNavBarModel::AppendWindowItem(void* window, int height, int folder, int group, const std::string& tip) {
  AppendItem({}, 0, NAV_ITEM_WINDOW, height, folder, group, tip);
  if (CNavGroup* owner = GroupAt(folder, group); owner && !owner->items.empty()) owner->items.back()->window = window;
}

void CNavBarModel::PinBottomFolder(const std::string& name, int iconId, void* window, int height) {
  auto folder = std::make_unique<CNavFolder>();
  folder->name = name;
  folder->iconId = iconId;
  auto group = std::make_unique<CNavGroup>();
  group->name = name;
  auto item = std::make_unique<CNavItem>();
  item->kind = NAV_ITEM_WINDOW;
  item->commandOrHeight = height;
  item->window = window;
  group->items.push_back(std::move(item));
  folder->groups.push_back(std::move(group));
  bottom_ = std::move(folder);
}

std::vector<void*> CNavBarModel::FolderWindows() const {
  std::vector<void*> windows;
  for (const auto& folder : folders_)
    for (const auto& group : folder->groups)
      for (const auto& item : group->items)
        if (item->kind == NAV_ITEM_WINDOW && item->window) windows.push_back(item->window);
  return windows;
}

void CNavBarModel::ClearRects() {
  auto clearFolder = [](CNavFolder& folder) {
    folder.headerRect = {};
    for (auto& group : folder.groups) {
      group->rect = {};
      for (auto& item : group->items) item->rect = {};
    }
  };
  for (auto& folder : folders_) clearFolder(*folder);
  if (bottom_) clearFolder(*bottom_);
}

bool CNavBarModel::SwitchToFolder(int index) {
  index = ResolveFolder(index);
  CNavFolder* folder = FolderAt(index);
  if (!folder || index == currentIndex_) return false;
  ClearRects();
  currentIndex_ = index;
  hoveredItem_ = nullptr;
  currentFolder_ = folder;
  currentGroup_ = folder->groups.empty() ? nullptr : folder->groups.front().get();
  selectedItem_ = currentGroup_ && !currentGroup_->items.empty() ? currentGroup_->items.front().get() : nullptr;
  return true;
}

NavHit CNavBarModel::HitTestBar(int x, int y) const {
  for (int f = 0; f < FolderCount(); ++f) {
    const CNavFolder& folder = *folders_[f];
    if (folder.headerRect.Contains(x, y)) return {NAV_HIT_FOLDER, f};
    for (int g = 0; g < static_cast<int>(folder.groups.size()); ++g) {
      const CNavGroup& group = *folder.groups[g];
      if (group.rect.Contains(x, y)) return {NAV_HIT_GROUP, f, g};
      for (int i = 0; i < static_cast<int>(group.items.size()); ++i)
        if (group.items[i]->rect.Contains(x, y)) return {NAV_HIT_ITEM, f, g, i};
    }
  }
  if (bottom_ && bottom_->headerRect.Contains(x, y)) return {NAV_HIT_BOTTOM};
  return {};
}

NavLayout CNavBarModel::Layout(ControlRect client, int cursorX, int cursorY) {
  ClearRects();
  NavLayout layout;
  if (IsCollapsed()) {
    layout.collapsed = true;
    return layout;
  }
  ControlRect area = client;
  area.top += 2;  // below the top strip
  const ControlRect frame = area;
  area.left += 3;
  area.right -= 3;
  LayoutBottomFolder(area, cursorX, cursorY, layout);
  layout.steps.push_back({NavPaintStep::kFrame, frame});

  if (area.bottom - kFolderHeight >= area.top) {
    for (int f = 0; f < FolderCount(); ++f) {
      CNavFolder& folder = *folders_[f];
      folder.headerRect = {area.left + 1, area.top, area.right, area.top + kFolderHeight};
      const bool current = f == currentIndex_;
      layout.steps.push_back({NavPaintStep::kHeader, folder.headerRect, &folder, nullptr, nullptr, current,
                              folder.headerRect.Contains(cursorX, cursorY)});
      area.top += kFolderHeight + 1;
      if (current) LayoutGroups(folder, area, cursorX, cursorY, layout);
      if (area.top + kFolderHeight >= area.bottom) break;
    }
  }
  freeArea_ = area;
  layout.freeArea = area;
  return layout;
}

void CNavBarModel::LayoutBottomFolder(ControlRect& area, int cursorX, int cursorY, NavLayout& layout) {
  if (!bottom_) return;
  CNavGroup& group = *bottom_->groups.front();
  if (area.bottom - kGroupHeight >= area.top) {
    group.rect = group.name.empty() ? ControlRect{area.left + 1, area.top + 1, area.right - 1, area.top + 3}
                                    : ControlRect{area.left + 1, area.top, area.right - 1, area.top + kGroupHeight};
  }
  CNavItem* item = group.items.empty() ? nullptr : group.items.front().get();
  if (area.bottom - kItemHeight >= area.top && item && item->window) {
    const int height = item->commandOrHeight == kNavFillHeight ? kBottomFillHeight : item->commandOrHeight;
    item->rect = {area.left + 1, area.bottom - height, area.right - 1, area.bottom};
    layout.steps.push_back({NavPaintStep::kWindow, item->rect, bottom_.get(), item, &group});
    area.bottom -= height;
  }
  if (area.bottom - kFolderHeight >= area.top) {
    bottom_->headerRect = {area.left + 1, area.bottom - kFolderHeight, area.right, area.bottom};
    layout.steps.push_back({NavPaintStep::kHeader, bottom_->headerRect, bottom_.get(), nullptr, nullptr, false,
                            bottom_->headerRect.Contains(cursorX, cursorY)});
    area.bottom -= kFolderHeight + 1;
  }
}

void CNavBarModel::LayoutGroups(CNavFolder& folder, ControlRect& area, int cursorX, int cursorY, NavLayout& layout) {
  if (area.bottom - kGroupHeight < area.top) return;
  for (size_t g = 0; g < folder.groups.size(); ++g) {
    CNavGroup& group = *folder.groups[g];
    if (g > 0) area.top += kGroupGap;
    if (group.name.empty()) {
      group.rect = {area.left + 1, area.top + 1, area.right - 1, area.top + 3};
    } else {
      group.rect = {area.left + 1, area.top, area.right - 1, area.top + kGroupHeight};
      area.top += kGroupHeight;
    }
    LayoutItems(group, area, cursorX, cursorY, layout);
    if (area.top >= area.bottom - kGroupHeight) break;
  }
}

void CNavBarModel::LayoutItems(CNavGroup& group, ControlRect& area, int cursorX, int cursorY, NavLayout& layout) {
  if (area.bottom - kItemHeight < area.top) return;
  for (auto& entry : group.items) {
    CNavItem& item = *entry;
    if (item.kind == NAV_ITEM_WINDOW) {
      const int height = item.commandOrHeight == kNavFillHeight ? area.bottom - area.top : item.commandOrHeight;
      item.rect = {area.left + 1, area.top, area.right - 1, area.top + height};
      layout.steps.push_back({NavPaintStep::kWindow, item.rect, currentFolder_, &item, &group});
      area.top += height;
    } else {
      item.rect = {area.left + 1, area.top, area.right - 1, area.top + kItemHeight};
      layout.steps.push_back({NavPaintStep::kEntry, item.rect, currentFolder_, &item, &group, false,
                              item.rect.Contains(cursorX, cursorY)});
      area.top += kItemHeight;
    }
    if (area.top >= area.bottom - kItemHeight) break;
  }
}

unsigned CNavBarModel::QueryFlags(CNavItem& item) {
  CNavCmdUI update(item);
  if (commandUpdate_) commandUpdate_(update);
  return update.Flags();
}

unsigned CNavBarModel::RefreshItemFlags(CNavItem& item) {
  item.flags = QueryFlags(item);
  return item.flags;
}

std::vector<CNavItem*> CNavBarModel::ItemsWithChangedState() {
  std::vector<CNavItem*> changed;
  if (!currentFolder_) return changed;
  for (auto& group : currentFolder_->groups)
    for (auto& item : group->items)
      if (IsStateItem(item->kind) && QueryFlags(*item) != item->flags && !item->rect.IsEmpty())
        changed.push_back(item.get());
  return changed;
}

void CNavBarModel::SetClientSize(int width, int height) {
  sizingStrip_ = {width - kSizingStripWidth, 0, width, height};
}

NavClick CNavBarModel::LeftButtonDown(int x, int y) {
  NavClick click;
  if (IsCollapsed() || sizingStrip_.Contains(x, y)) {
    dragging_ = true;
    dragOffset_ = width_ - x;
    dragStrip_ = sizingStrip_;
    click.startDrag = true;
    click.passOn = false;
    return click;
  }
  const NavHit hit = HitTestBar(x, y);
  if (hit.code == NAV_HIT_FOLDER) {
    CNavFolder& folder = *folders_[hit.folder];
    if (hit.folder == currentIndex_ && folder.name != kRepeatingFolder) {
      click.passOn = false;
      return click;
    }
    click.repaint = SwitchToFolder(hit.folder);
    click.command = folder.commandId;
  } else if (hit.code == NAV_HIT_ITEM) {
    click = ClickItem(hit);
  }
  return click;
}

NavClick CNavBarModel::ClickItem(const NavHit& hit) {
  NavClick click;
  CNavItem& item = *ItemAt(hit.folder, hit.group, hit.item);
  switch (item.kind) {
    case NAV_ITEM_LINK:
    case NAV_ITEM_CHECK:
      click.command = item.commandOrHeight;
      click.repaint = true;
      break;
    case NAV_ITEM_BUTTON:
    case NAV_ITEM_RADIO:
      if (QueryFlags(item) & kNavChecked) break;
      if (&item == selectedItem_ && item.name != kRepeatingItem) break;
      selectedItem_ = &item;
      currentIndex_ = hit.folder;
      currentFolder_ = folders_[hit.folder].get();
      currentGroup_ = currentFolder_->groups[hit.group].get();
      click.command = item.commandOrHeight;
      click.repaint = true;
      break;
    default:
      break;
  }
  return click;
}

bool CNavBarModel::DragTo(int x) {
  if (!dragging_) return false;
  const ControlRect strip{x + dragOffset_ - kSizingStripWidth, dragStrip_.top, x + dragOffset_, dragStrip_.bottom};
  if (strip == dragStrip_) return false;
  dragStrip_ = strip;
  return true;
}

bool CNavBarModel::EndDrag(int x) {
  if (!dragging_) return false;
  dragging_ = false;
  width_ = std::max(kCollapsedWidth, x + dragOffset_);
  return true;
}

NavHover CNavBarModel::MouseMove(int x, int y) {
  NavHover hover;
  const NavHit hit = HitTestBar(x, y);
  switch (hit.code) {
    case NAV_HIT_FOLDER:
      if (hit.folder != hoveredFolder_) {
        hoveredFolder_ = hit.folder;
        hover.repaint = true;
        const std::string& tip = folders_[hit.folder]->tip;
        if (!tip.empty()) hover.tip = TipText(tip);
      }
      break;
    case NAV_HIT_ITEM:
      hoveredItem_ = ItemAt(hit.folder, hit.group, hit.item);
      break;
    case NAV_HIT_NONE:
      MouseLeft();
      hover.repaint = true;
      break;
    default:
      break;
  }
  return hover;
}

void CNavBarModel::MouseLeft() {
  hoveredFolder_ = -1;
  hoveredItem_ = nullptr;
}

std::string CNavBarModel::TipText(const std::string& written) {
  std::string text;
  for (size_t i = 0; i < written.size(); ++i) {
    if (written[i] == '\\' && i + 1 < written.size() && written[i + 1] == 'n') {
      text += '\n';
      ++i;
    } else {
      text += written[i];
    }
  }
  return text;
}
