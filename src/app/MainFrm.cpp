#include "app/MainFrm.h"

#include <wx/menu.h>

#include "app/CommandIds.h"
#include "app/GuiMessageReceiver.h"
#include "app/QuillonLibrary.h"
#include "app/Resources.h"
#include "log/ui/ModifySysPwdDlg.h"
#include "platform/AppContext.h"
#include "platform/MessageIds.h"
#include "platform/StatusText.h"

namespace {
// Pane 0 is the framework's message pane; the polling status text goes to pane 1.
constexpr int kStatusPaneCount = 2;
constexpr int kStatusTextPane = 1;
}  // namespace

CMainFrame::CMainFrame() : wxFrame(nullptr, wxID_ANY, wxString::FromUTF8(res::kMainWindowTitle)) {
  BuildMenuBar();
  CreateStatusBar(kStatusPaneCount);
  Bind(wxEVT_MENU, &CMainFrame::OnExit, this, cmd::WxId(cmd::ID_APP_EXIT));
  Bind(wxEVT_MENU, &CMainFrame::OnModifySystemPassword, this, cmd::WxId(cmd::ID_MODIFY_SYSTEM_PASSWORD));
  Bind(wxEVT_MENU, &CMainFrame::RunQuillon, this, cmd::WxId(cmd::ID_SWITCH_DISCOVER_UTILITY));
  quillon_ = std::make_unique<CQuillonLibrary>(CQuillonLibrary::BesideProgram());

  receiver_ = std::make_shared<CGuiMessageReceiver>(this, [this](const platform::Message& m) { return OnMessage(m); });
  windowId_ = platform::RegisterWindow(receiver_);
  platform::SetMainWindow(windowId_);
}

CMainFrame::~CMainFrame() {
  platform::UnregisterWindow(windowId_);  // also clears the main-window id
  receiver_->Detach();
}

void CMainFrame::BuildMenuBar() {
  auto* system = new wxMenu;
  system->Append(cmd::WxId(cmd::ID_MODIFY_SYSTEM_PASSWORD), wxString::FromUTF8(res::kMenuModifySystemPassword));
  system->AppendSeparator();
  system->Append(cmd::WxId(cmd::ID_APP_EXIT), wxString::FromUTF8(res::kMenuExit));
  auto* tools = new wxMenu;
  tools->Append(cmd::WxId(cmd::ID_SWITCH_DISCOVER_UTILITY), wxString::FromUTF8(res::kMenuSwitchDiscoverUtility));
  auto* help = new wxMenu;
  help->Append(cmd::WxId(cmd::ID_APP_ABOUT), wxString::FromUTF8(res::kMenuAbout));

  auto* bar = new wxMenuBar;
  bar->Append(system, wxString::FromUTF8(res::kMenuSystem));
  bar->Append(tools, wxString::FromUTF8(res::kMenuTools));
  bar->Append(help, wxString::FromUTF8(res::kMenuHelp));
  SetMenuBar(bar);
}

std::intptr_t CMainFrame::OnMessage(const platform::Message& message) {
  switch (message.id) {
    case msg::WM_NMS_STATUS_TEXT:
      OnStatusText(message.lParam);
      break;
  }
  return 0;
}

void CMainFrame::OnStatusText(std::intptr_t stage) {
  switch (stage) {
    case 1:
      SetStatusText(wxString::FromUTF8(::GetStatusText()), kStatusTextPane);
      break;
    case 2:
      SetStatusText(wxString(), kStatusTextPane);
      break;
  }
}

void CMainFrame::OnExit(wxCommandEvent&) { Close(); }

void CMainFrame::OnModifySystemPassword(wxCommandEvent&) {
  CModifySysPwdDlg dialog(nullptr, platform::GetLoggedInUser());
  dialog.ShowModal();
}

void CMainFrame::RunQuillon(wxCommandEvent&) { quillon_->Run(); }
