#pragma once
// The navigation bar without its window: folders, groups and items, the current folder and selection, the
// hover, the layout that gives every header and item its rectangle, the hit test over those rectangles, what
// a click does, and the drag of the bar's right edge that sets its width.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controlmodel/NavCmdUI.h"
#include "controlmodel/NavFolder.h"

enum NavHitCode { NAV_HIT_NONE = 0, NAV_HIT_FOLDER = 1, NAV_HIT_GROUP = 2, NAV_HIT_ITEM = 4, NAV_HIT_BOTTOM = 5 };

struct NavHit {
  NavHitCode code = NAV_HIT_NONE;
  int folder = -1;
  int group = -1;
  int item = -1;
};

// One step of painting, in the order the layout placed it.
struct NavPaintStep {
  enum Kind { kHeader, kEntry, kWindow, kFrame };
  Kind kind = kHeader;
  ControlRect rect;  // the header, the item, the window or the frame
  const CNavFolder* folder = nullptr;
  CNavItem* item = nullptr;
  const CNavGroup* group = nullptr;
  bool current = false;  // header of the current folder
  bool hovered = false;  // the cursor is inside
};

struct NavLayout {
  bool collapsed = false;  // only the background is painted
  ControlRect freeArea;    // what is left below the last header or item
  std::vector<NavPaintStep> steps;
};

// What a left-button press asks of the window.
struct NavClick {
  bool startDrag = false;
  std::optional<int> command;  // the command to send to the main window
  bool repaint = false;
  bool passOn = true;  // let the window system handle the press too
};

struct NavHover {
  bool repaint = false;
  std::optional<std::string> tip;  // a folder tip to show now, line breaks already in place
};

class CNavBarModel {
 public:
  static constexpr int kDefaultWidth = 200;
  static constexpr int kCollapsedWidth = 4;
  static constexpr int kSizingStripWidth = 5;
  static constexpr int kFolderHeight = 26;
  static constexpr int kGroupHeight = 0;
  static constexpr int kItemHeight = 26;
  static constexpr int kBottomFillHeight = 120;
  static constexpr int kGroupGap = 7;

  // Runs the owner's command-update handler for an item.
  using CommandUpdate = std::function<void(CNavCmdUI&)>;

  explicit CNavBarModel(int width = kDefaultWidth) : width_(width) {}

  int Width() const { return width_; }
  void SetWidth(int width) { width_ = width; }
  bool IsCollapsed() const { return width_ <= kCollapsedWidth; }
  void SetCommandUpdate(CommandUpdate update) { commandUpdate_ = std::move(update); }

  // A folder or group index below 0 stands for the last one.
  void AppendFolder(const std::string& name, int iconId, int commandId, const std::string& tip);
  void AppendGroup(const std::string& name, long value, int folder);
  void AppendItem(const std::string& name, int iconId, NavItemKind kind, int commandId, int folder, int group,
                  const std::string& tip);
  // height: the window's height in pixels, or kNavFillHeight for the rest of the folder.
  void AppendWindowItem(void* window, int height, int folder, int group, const std::string& tip);
  void PinBottomFolder(const std::string& name, int iconId, void* window, int height);

  // False when the folder is already current. The caller hides the folders' windows and repaints.
  bool SwitchToFolder(int index);
  NavHit HitTestBar(int x, int y) const;

  int FolderCount() const { return static_cast<int>(folders_.size()); }
  CNavFolder* FolderAt(int folder) const;
  CNavGroup* GroupAt(int folder, int group) const;
  CNavItem* ItemAt(int folder, int group, int item) const;
  CNavFolder* BottomFolder() const { return bottom_.get(); }
  // The hosted windows of every folder but the bottom one.
  std::vector<void*> FolderWindows() const;

  int CurrentFolderIndex() const { return currentIndex_; }
  CNavFolder* CurrentFolder() const { return currentFolder_; }
  CNavGroup* CurrentGroup() const { return currentGroup_; }
  CNavItem* SelectedItem() const { return selectedItem_; }
  int HoveredFolder() const { return hoveredFolder_; }
  CNavItem* HoveredItem() const { return hoveredItem_; }

  // Places the bottom folder, the headers and the current folder's groups and items in the client area,
  // with the cursor for the hover look; every rectangle not placed now is emptied.
  NavLayout Layout(ControlRect client, int cursorX, int cursorY);
  ControlRect FreeArea() const { return freeArea_; }

  // Runs the item's command update and keeps its flags, as painting does.
  unsigned RefreshItemFlags(CNavItem& item);
  // The frame's idle update: the placed button, radio and check items of the current folder whose state
  // changed since they were painted.
  std::vector<CNavItem*> ItemsWithChangedState();

  void SetClientSize(int width, int height);
  ControlRect SizingStrip() const { return sizingStrip_; }
  bool IsDragging() const { return dragging_; }
  ControlRect DragStrip() const { return dragStrip_; }

  NavClick LeftButtonDown(int x, int y);
  // Moves the drag strip; true when it moved.
  bool DragTo(int x);
  // Ends a drag and sets the width; false when no drag was running.
  bool EndDrag(int x);
  NavHover MouseMove(int x, int y);
  void MouseLeft();

  // A folder tip as written ("first\nsecond" with a backslash and n) with real line breaks.
  static std::string TipText(const std::string& written);

 private:
  int ResolveFolder(int folder) const;
  int ResolveGroup(const CNavFolder& folder, int group) const;
  unsigned QueryFlags(CNavItem& item);
  void ClearRects();
  void LayoutBottomFolder(ControlRect& area, int cursorX, int cursorY, NavLayout& layout);
  void LayoutGroups(CNavFolder& folder, ControlRect& area, int cursorX, int cursorY, NavLayout& layout);
  void LayoutItems(CNavGroup& group, ControlRect& area, int cursorX, int cursorY, NavLayout& layout);
  NavClick ClickItem(const NavHit& hit);

  int width_;
  std::vector<std::unique_ptr<CNavFolder>> folders_;
  std::unique_ptr<CNavFolder> bottom_;
  CommandUpdate commandUpdate_;

  int currentIndex_ = 0;
  CNavFolder* currentFolder_ = nullptr;
  CNavGroup* currentGroup_ = nullptr;
  CNavItem* selectedItem_ = nullptr;
  int hoveredFolder_ = -1;
  CNavItem* hoveredItem_ = nullptr;

  ControlRect freeArea_;
  ControlRect sizingStrip_;
  bool dragging_ = false;
  int dragOffset_ = 0;
  ControlRect dragStrip_;
};
