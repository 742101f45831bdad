#pragma once
// Command ids of the group views' buttons and context menus, and the menus themselves.
#include <string>

class wxMenu;

namespace group_cmd {
constexpr int kEditTemplate = 172;
constexpr int kApplyTemplate = 185;
constexpr int kRename = 32795;
constexpr int kDelete = 109;
constexpr int kAddGroup = 32778;
constexpr int kAddAp = 32890;
constexpr int kCollapse = 32871;
constexpr int kExpand = 32869;
constexpr int kApConfiguration = 225;
constexpr int kApPreviousConfiguration = 213;
constexpr int kConfigureApList = 32780;
constexpr int kSaveToDatabase = 32876;
constexpr int kDeleteFromDatabase = 32879;
constexpr int kNotYet1 = 32774;
constexpr int kNotYet2 = 32775;
constexpr int kNotYet3 = 199;
constexpr int kListNoAction = 32773;
constexpr int kReservedGroupCommand = 32781;  // no menu item; enabled on group nodes only
}  // namespace group_cmd

// The pop-ups of the group trees (menu 123) and of the group list (menu 122).
enum class GroupPopup { kGroupNode, kApNode, kDefaultGroup, kEmptyClick, kGroupList };
wxMenu* MakeGroupPopup(GroupPopup popup);
