#pragma once
// Captions, texts and dialog/control ids of the application's own windows.

namespace res {

// Product title: the application title in captions ("About " + title, message boxes without a caption).
inline constexpr char kAppTitle[] = "Aurelan";
// Main window title; the trailing blank is part of it.
inline constexpr char kMainWindowTitle[] = "Corvath Aurelan ";
inline constexpr char kVersionText[] = "1.00.11 2008-06-25";
inline constexpr char kAboutCaptionPrefix[] = "About ";

inline constexpr char kSingleInstanceName[] = "PELLION IS RUNNING";
inline constexpr char kAlreadyRunning[] = "Application is already running!";

// Main menu.
inline constexpr char kMenuSystem[] = "&System";
inline constexpr char kMenuExit[] = "E&xit";
inline constexpr char kMenuModifySystemPassword[] = "Modify System Password ...";
inline constexpr char kMenuTools[] = "&Tools";
inline constexpr char kMenuSwitchDiscoverUtility[] = "&Switch Discover Utility";
inline constexpr char kMenuHelp[] = "&Help";
inline constexpr char kMenuAbout[] = "&About CORVATH Aurelan...";

// About box.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDC_VERSION = 1328;

}  // namespace res
