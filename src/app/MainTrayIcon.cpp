#include "app/MainTrayIcon.h"

#include <wx/menu.h>

#include "app/Resources.h"
#include "uibase/CommandIds.h"

CMainTrayIcon::CMainTrayIcon(wxEvtHandler* target) : target_(target) {
  Bind(wxEVT_TASKBAR_LEFT_DCLICK, &CMainTrayIcon::OnDoubleClick, this);
  Bind(wxEVT_MENU, [this](wxCommandEvent& event) { target_->ProcessEvent(event); });
}

wxMenu* CMainTrayIcon::CreatePopupMenu() {
  auto* menu = new wxMenu;
  menu->Append(cmd::WxId(cmd::ID_TRAY_OPEN), wxString::FromUTF8(res::kTrayOpen));
  menu->AppendSeparator();
  menu->Append(cmd::WxId(cmd::ID_APP_EXIT), wxString::FromUTF8(res::kMenuExit));
  return menu;
}

void CMainTrayIcon::OnDoubleClick(wxTaskBarIconEvent&) {
  wxCommandEvent open(wxEVT_MENU, cmd::WxId(cmd::ID_TRAY_OPEN));
  target_->ProcessEvent(open);
}
