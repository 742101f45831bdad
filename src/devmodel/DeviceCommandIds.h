#pragma once
// The command ids of the device views' context menus and of the header bar that forwards them.
namespace devcmd {

// AP list (its context menu, the header menu and the header bar's reset).
enum ApList : int {
  kListConfiguration = 375,
  kListReloadPrevious = 32837,
  kListSaveToDatabase = 32838,
  kListDeleteFromDatabase = 32839,
  kListReplace = 32836,
  kListCustomColumns = 32874,
  kListResetFilter = 32854,
};

// Device tree.
enum Tree : int {
  kTreeApConfiguration = 32777,
  kTreeConfiguration = 32830,
  kTreeApReloadPrevious = 32822,
  kTreeReloadPrevious = 32832,
  kTreeApSaveToDatabase = 32824,
  kTreeSaveToDatabase = 32833,
  kTreeApDeleteFromDatabase = 32826,
  kTreeDeleteSwitch = 32834,
  kTreeExpand = 32828,
  kTreeExpandSpare = 32792,
  kTreeCollapse = 32829,
  kTreeCollapseSpare = 32794,
  kTreeLinkToWeb = 32831,
  kTreeSwitchConfigPage = 32827,
};

// Map view, and the "Delete" of any other device kind that the tree shares.
enum Map : int {
  kMapApConfiguration = 374,
  kMapApReloadPrevious = 32802,
  kMapSwitchConfiguration = 32810,
  kMapSwitchConfigPage = 32809,
  kMapLinkToWeb = 32812,
  kMapSwitchSaveToDatabase = 32816,
  kMapApSaveToDatabase = 32818,
  kMapSwitchDeleteFromDatabase = 32820,
  kMapApDeleteFromDatabase = 32819,
  kDeleteOtherDevice = 32921,
  kMapLoadBackground = 32796,
  kMapModifyBackground = 32797,
  kMapRemoveBackground = 32798,
  kMapBackgroundColor = 32799,
  kMapGrid = 32801,
  kMapZoomIn = 32859,
  kMapZoomOut = 32860,
  kMapZoom100 = 32863,
  kMapZoom75 = 32864,
  kMapZoom50 = 32865,
  kMapZoom25 = 32866,
  kMapZoomTo = 32867,
  kMapZoom200 = 32868,
  kMapSwitchReloadPrevious = 32814,  // handled, does nothing
  kMapIgnored = 32861,               // handled, does nothing
};

// Menu items of the toolkit take ids below 0x8000: a command from 0x8000 up is carried 0x8000 lower on a
// menu item (which leaves 9 to 0xA0 for them), and turned back when the item is chosen.
constexpr int MenuItemId(int command) { return command >= 0x8000 ? command - 0x8000 : command; }
constexpr int CommandOfMenuItem(int id) { return id > 0 && id < 0x100 ? id + 0x8000 : id; }

}  // namespace devcmd
