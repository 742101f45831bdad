#pragma once
// Command ids of menus, tool bars, the navigation bar and the tray menu, with the product's numbers;
// handlers are routed by these numbers.

namespace cmd {

// System menu.
constexpr int ID_FILE_SAVE = 57603;  // "Save All To Database": the map document's
constexpr int ID_SAVE_TOPOLOGY_POSITION = 32880;  // the map document's; no menu issues it
constexpr int ID_CLEAR_DATABASE = 32808;
constexpr int ID_BACKUP_DATABASE = 32918;
constexpr int ID_RESTORE_DATABASE = 32919;
constexpr int ID_MODIFY_SYSTEM_PASSWORD = 32929;
constexpr int ID_APP_EXIT = 57665;
// View menu.
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;
constexpr int ID_TOGGLE_OUTPUT_BAR = 32911;
// Tools menu.
constexpr int ID_SWITCH_DISCOVER_UTILITY = 32930;
constexpr int ID_DISCOVERY_WIZARD = 32806;
constexpr int ID_PASSWORD_MANAGER = 32922;
constexpr int ID_SYSTEM_KEY_MANAGER = 32923;
constexpr int ID_PREFERENCES = 373;
// Log menu.
constexpr int ID_OPEN_LOG = 32891;
constexpr int ID_SAVE_LOG_AS = 32893;
constexpr int ID_CLEAR_LOG = 32895;
// Help menu.
constexpr int ID_APP_ABOUT = 57664;

// Tool bar, navigation bar folder and tray menu.
constexpr int ID_START_POLLING = 32916;
constexpr int ID_NAV_SWITCH_DISCOVER_UTILITY = 15624;
constexpr int ID_TRAY_OPEN = 32933;

// Navigation bar folders and items.
constexpr int ID_VIEW_AP_LIST = 5615;
constexpr int ID_VIEW_CLIENT = 5616;
constexpr int ID_VIEW_SUMMARY = 5617;
constexpr int ID_VIEW_GROUP = 5618;
constexpr int ID_VIEW_LOAD_BALANCE_TREE = 5619;
constexpr int ID_VIEW_LOAD_BALANCE_TREE2 = 5620;
constexpr int ID_VIEW_FIRMWARE = 5622;
constexpr int ID_VIEW_LOG = 5623;
constexpr int ID_VIEW_AP_TRAFFIC = 5624;
constexpr int ID_VIEW_AP_USERS = 5625;
constexpr int ID_VIEW_CLIENT_INFO = 5626;
constexpr int ID_VIEW_LOAD_BALANCE = 5627;

// wxWidgets takes menu ids below 0x7FFF only, while most of the product's commands lie in 0x8000-0x80FF
// and 0xE000-0xEFFF. Those are shifted down by 0x8000, where the product has no commands of its own;
// ids below 0x8000 stay as they are.
constexpr int WxId(int command) { return command >= 0x8000 ? command - 0x8000 : command; }

}  // namespace cmd
