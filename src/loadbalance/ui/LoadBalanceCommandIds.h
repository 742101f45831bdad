#pragma once
// Commands of the load-balance screen's pop-up menus and its tree view's buttons.
namespace lb_command {

enum : int {
  kReloadPreviousGroup = 1021,
  kRename = 32870,
  kDeleteGroup = 32872,
  kAddGroupHere = 32873,
  kAddAp = 32875,
  kDeleteGroupAps = 32878,
  kDisableGroup = 32881,
  kEnableGroup = 32883,
  kDeleteAp = 32885,
  kJoinNodeMessage = 32887,
  kCreateGroup = 32889,
  kJoinGroup = 32892,
  kListApConfiguration = 32894,
  kSaveToDatabase = 32899,
  kDeleteFromDatabase = 32901,
  kApConfiguration = 32907,
  kApPreviousConfiguration = 32909,
  kNothing = 32910,
  kDeleteApMessage = 32912,
  kExpand = 32913,
  kCollapse = 32915,
  kAddGroup = 32917,
};

// The tree view's buttons.
enum : int {
  kButtonDeleteGroup = 1069,
  kButtonDeleteAps = 1284,
  kButtonReload = 1286,
  kButtonCreateGroup = 1288,
  kButtonAddAps = 1290,
};

}  // namespace lb_command
