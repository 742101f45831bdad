#pragma once
// The main window's icon in the system tray: its menu opens the window again or exits the program.
#include <wx/taskbar.h>

class CMainTrayIcon : public wxTaskBarIcon {
 public:
  // Menu commands go to target, as the main menu's would.
  explicit CMainTrayIcon(wxEvtHandler* target);

 protected:
  wxMenu* CreatePopupMenu() override;

 private:
  void OnDoubleClick(wxTaskBarIconEvent& event);
  wxEvtHandler* target_;
};
