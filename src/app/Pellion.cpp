#include "app/Pellion.h"

#include <filesystem>
#include <system_error>

#include <wx/evtloop.h>
#include <wx/evtloopsrc.h>
#include <wx/gdicmn.h>

#include "app/AboutDialog.h"
#include "app/MainFrm.h"
#include "app/Resources.h"
#include "log/ui/LoginDlg.h"
#include "platform/AppContext.h"
#include "platform/Delay.h"
#include "platform/Shutdown.h"
#include "uibase/CommandIds.h"
#include "uibase/GuiMessageBox.h"
#include "uibase/UiThreadCall.h"

wxBEGIN_EVENT_TABLE(CPellionApp, wxApp)
  EVT_MENU(cmd::WxId(cmd::ID_APP_ABOUT), CPellionApp::OnAppAbout)
wxEND_EVENT_TABLE()

namespace {

// An unreadable current directory leaves it empty; the database is then opened relative to wherever
// the process runs.
std::string CurrentDirectory() {
  std::error_code error;
  std::filesystem::path current = std::filesystem::current_path(error);
  return error ? std::string() : current.string();
}

// Shows the main window (as the tray's Open does) when a second start rang.
class CDoorbellHandler : public wxEventLoopSourceHandler {
 public:
  explicit CDoorbellHandler(platform::CInstanceDoorbell& doorbell) : doorbell_(doorbell) {}
  void OnReadWaiting() override {
    if (!doorbell_.TakeRings()) return;
    wxWindow* frame = wxTheApp->GetTopWindow();
    if (!frame) return;
    wxCommandEvent open(wxEVT_MENU, cmd::WxId(cmd::ID_TRAY_OPEN));
    frame->GetEventHandler()->ProcessEvent(open);
  }
  void OnWriteWaiting() override {}
  void OnExceptionWaiting() override {}

 private:
  platform::CInstanceDoorbell& doorbell_;
};

}  // namespace

bool CPellionApp::OnInit() {
  CUiThreadCall::SetShuttingDown(false);
#ifndef NDEBUG
  dialogThreadCheck_ = std::make_unique<CMainThreadDialogCheck>();
#endif
  platform::MessageBoxHandler previous = platform::SetMessageBoxHandler(CGuiMessageBox{});
  auto lock = std::make_unique<platform::CSingleInstanceLock>(res::kSingleInstanceName);
  if (!lock->Acquire()) {
    // Nothing of this copy has started, so there is nothing to shut down. The running copy shows its
    // window when it has one; the message is for a copy still at its login, or one that cannot be reached.
    const bool otherCopy = lock->Error().empty();
    if (!otherCopy || !platform::CInstanceDoorbell::Ring(platform::DoorbellPathFor(lock->Path())))
      platform::MessageBox(otherCopy ? std::string(res::kAlreadyRunning) : lock->Error());
    platform::SetMessageBoxHandler(std::move(previous));
    return false;
  }
  instanceLock_ = std::move(lock);
  previousMessageBox_ = std::move(previous);

  // The database path must be known before anything opens the database (the main window's login).
  platform::SetStartDirectory(CurrentDirectory());

  if (!wxApp::OnInit() || !OpenFirstDocument()) {
    EndInstance();
    return false;
  }
  ListenForSecondStarts();
  return true;
}

void CPellionApp::ListenForSecondStarts() {
  // Without a doorbell a second start falls back to its message; this copy runs on as before.
  auto doorbell = std::make_unique<platform::CInstanceDoorbell>(platform::DoorbellPathFor(instanceLock_->Path()));
  if (!doorbell->Open()) return;
  auto handler = std::make_unique<CDoorbellHandler>(*doorbell);
  doorbellSource_.reset(wxEventLoopBase::AddSourceForFD(doorbell->Fd(), handler.get(), wxEVENT_SOURCE_INPUT));
  if (!doorbellSource_) return;
  doorbell_ = std::move(doorbell);
  doorbellHandler_ = std::move(handler);
}

bool CPellionApp::OpenFirstDocument() {
  // The login comes before anything else; Cancel ends the program without a window.
  {
    CLoginDlg login(nullptr, res::kAppTitle);
    if (login.ShowModal() != wxID_OK) return false;
    SetLoggedInUser(login.Account());
  }
  auto* frame = new CMainFrame;
  SetTopWindow(frame);
  // Without a window manager (a bare X server) maximising changes nothing, so start at the screen's size.
  frame->SetSize(wxGetClientDisplayRect());
  frame->Maximize();
  frame->Show();
  return true;
}

int CPellionApp::OnExit() {
  EndInstance();
  return wxApp::OnExit();
}

void CPellionApp::EndInstance() {
  // Each process-wide service registered its deleter when it was created; services never created in
  // this run are not created just to be deleted.
  CUiThreadCall::SetShuttingDown(true);
  platform::RequestDelayStop();  // a worker in a long wait ends it now instead of holding up the exit
  platform::RunShutdown();
  doorbellSource_.reset();  // no ring is handled after this
  doorbellHandler_.reset();
  doorbell_.reset();
  instanceLock_.reset();
  platform::SetMessageBoxHandler(std::move(previousMessageBox_));
}

std::string CPellionApp::GetDatabasePath() const { return platform::GetDatabasePath(); }
std::string CPellionApp::GetProgramFolder() const { return platform::GetProgramFolder(); }
std::string CPellionApp::GetLoggedInUser() const { return platform::GetLoggedInUser(); }
void CPellionApp::SetLoggedInUser(const std::string& user) { platform::SetLoggedInUser(user); }

void CPellionApp::OnAppAbout(wxCommandEvent&) {
  CAboutDialog about(GetTopWindow());
  about.ShowModal();
}
