#pragma once
// One entry of a navigation-bar group: a button, radio button, link, check box or a hosted child window.
#include <string>

#include "controlmodel/ControlRect.h"

enum NavItemKind { NAV_ITEM_BUTTON = 0, NAV_ITEM_RADIO = 1, NAV_ITEM_LINK = 2, NAV_ITEM_CHECK = 3, NAV_ITEM_WINDOW = 4 };

// Flags of an item's last command update.
enum : unsigned { kNavEnabled = 0x1, kNavChecked = 0x2, kNavRadio = 0x4 };

// Height of a window item that takes the rest of its folder.
constexpr int kNavFillHeight = -1;

struct CNavItem {
  std::string name;
  int iconId = 0;
  NavItemKind kind = NAV_ITEM_BUTTON;
  ControlRect rect;  // where the last paint put it; empty when not placed
  // The command id, or for a window item its height (kNavFillHeight: the rest of the folder).
  int commandOrHeight = 0;
  void* window = nullptr;  // the hosted window of a window item, owned by the caller
  unsigned flags = 0;
  std::string tip;  // kept with the item; the bar shows folder tips only

  bool IsChecked() const { return (flags & kNavChecked) != 0; }
};
