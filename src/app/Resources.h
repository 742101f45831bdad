#pragma once
// Captions, texts and dialog/control ids of the application's own windows.
#include "uibase/AppTitle.h"  // the title the shared message box uses too

namespace res {

// Main window title; the trailing blank is part of it.
inline constexpr char kMainWindowTitle[] = "Corvath Aurelan ";
inline constexpr char kVersionText[] = "1.00.11 2008-06-25";
inline constexpr char kAboutCaptionPrefix[] = "About ";

inline constexpr char kSingleInstanceName[] = "PELLION IS RUNNING";
inline constexpr char kAlreadyRunning[] = "Application is already running!";

// Main menu.
inline constexpr char kMenuSystem[] = "&System";
inline constexpr char kMenuSaveAll[] = "&Save All To Database\tCtrl+S";
inline constexpr char kMenuClearDatabase[] = "&Clear All From Database";
inline constexpr char kMenuBackupDatabase[] = "Backup Database";
inline constexpr char kMenuRestoreDatabase[] = "Restore Database";
inline constexpr char kMenuExit[] = "E&xit";
inline constexpr char kMenuModifySystemPassword[] = "Modify System Password ...";
inline constexpr char kMenuView[] = "&View";
inline constexpr char kMenuToolbar[] = "&Toolbar";
inline constexpr char kMenuStatusBar[] = "&Status Bar";
inline constexpr char kMenuOutputBar[] = "Output Bar";
inline constexpr char kMenuTools[] = "&Tools";
inline constexpr char kMenuSwitchDiscoverUtility[] = "&Switch Discover Utility";
inline constexpr char kMenuDiscoveryWizard[] = "&Discovery Wizard ...";
inline constexpr char kMenuPasswordManager[] = "Password Manager";
inline constexpr char kMenuSystemKeyManager[] = "System &Key Manager";
inline constexpr char kMenuPreferences[] = "&Preference...";
inline constexpr char kMenuLog[] = "&Log";
inline constexpr char kMenuOpenLog[] = "Open Log...";
inline constexpr char kMenuSaveLogAs[] = "Save Log As...";
inline constexpr char kMenuClearLog[] = "Clear Log";
inline constexpr char kMenuHelp[] = "&Help";
inline constexpr char kMenuAbout[] = "&About CORVATH Aurelan...";

// Tray.
inline constexpr char kTrayTip[] = "CORVATH Aurelan ";
inline constexpr char kTrayOpen[] = "&Open CORVATH Aurelan";

// Output bar.
inline constexpr char kOutputCaption[] = "Output";
inline constexpr char kSystemLogTitle[] = "System Log";
inline constexpr char kActionLogTitle[] = "Action Log";
constexpr int IDC_SYSTEM_LOG_PANE = 5630;
constexpr int IDC_ACTION_LOG_PANE = 5631;

// Messages of the frame.
inline constexpr char kClearDatabaseConfirm[] = "Clear database, are you sure?";
inline constexpr char kBackupDone[] = "Backup the database successful";
inline constexpr char kRestoreNotDatabase[] = "Please select the database file";
inline constexpr char kRestoreNotOurs[] = "Please Select the database file Backuped before, please retry...";
inline constexpr char kRestoreDone[] = "Restore the database  file successful";
inline constexpr char kCloseDialogFirst[] = "Please close the opened dialog!";
inline constexpr char kExitWithoutTray[] =
    "The desktop has no system tray to keep the program in.\nExit the program?";
inline constexpr char kTrapPortBusy[] = "SNMP trap port is in use, please stop the other SNMP application";

// Tips of the navigation bar's "Group" and "Log" folders.
inline constexpr char kGroupFolderTip[] =
    "STEP 1. Add group\r\nSTEP 2. Add APs to group\r\nSTEP 3. Edit group template\r\nSTEP 4. Apply template to "
    "Group\n\r\nTIPS:\r\n1.AP can present at many groups, but couldn't bind same group template property in more "
    "than one group\r\n2.Group template's property numbers from 0 -all AP's is legal";
inline constexpr char kLogFolderTip[] =
    "TIPS:\nYou can set the system log level that you intrested  to be recorded at preference. \n\nSystem log level "
    "\n  Critical \n     AP online/offline \n     AP property changed, client filter changed   \n  Warning \n    "
    "Find new AP/Switch, AP replaced \n  Info \n    Polling device \nDebug \n    debug information \n\n";

// About box.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDC_VERSION = 1328;

}  // namespace res
