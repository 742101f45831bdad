#pragma once
// Command ids of menus, tool bars and the navigation bar, with the product's numbers; handlers are
// routed by these numbers.

namespace cmd {

constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_MODIFY_SYSTEM_PASSWORD = 32929;
constexpr int ID_SWITCH_DISCOVER_UTILITY = 32930;

// wxWidgets takes menu ids below 0x7FFF only, while most of the product's commands lie in 0x8000-0x80FF
// and 0xE000-0xEFFF. Those are shifted down by 0x8000, where the product has no commands of its own;
// ids below 0x8000 stay as they are.
constexpr int WxId(int command) { return command >= 0x8000 ? command - 0x8000 : command; }

}  // namespace cmd
