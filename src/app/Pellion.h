#pragma once
// The application object: one running copy per user, the start directory, the main window, and the
// ordered shut-down of the process-wide services.
#include <wx/app.h>
#include <wx/evtloopsrc.h>

#include <memory>
#include <string>

#include "platform/InstanceDoorbell.h"
#include "platform/MessageBox.h"
#include "platform/SingleInstance.h"
#include "uibase/MainThreadDialogCheck.h"

class CPellionApp : public wxApp {
 public:
  // False ends the program: a second copy (which brings the running copy's window back, or when that
  // copy has no window yet says "Application is already running!"; the process then exits with
  // wxWidgets' failure status, non-zero), a bad command line, or no main window.
  bool OnInit() override;
  int OnExit() override;

  std::string GetDatabasePath() const;
  std::string GetProgramFolder() const;
  std::string GetLoggedInUser() const;
  void SetLoggedInUser(const std::string& user);

 private:
  // Asks for the login, then creates the main window and shows it maximised; false when the login was
  // cancelled or there is no window to show.
  bool OpenFirstDocument();
  void EndInstance();
  // From the main window's start until the end: a second start's ring shows the main window.
  void ListenForSecondStarts();
  void OnAppAbout(wxCommandEvent& event);

  std::unique_ptr<platform::CSingleInstanceLock> instanceLock_;
  std::unique_ptr<platform::CInstanceDoorbell> doorbell_;
  std::unique_ptr<wxEventLoopSourceHandler> doorbellHandler_;
  std::unique_ptr<wxEventLoopSource> doorbellSource_;
  platform::MessageBoxHandler previousMessageBox_;
  std::unique_ptr<CMainThreadDialogCheck> dialogThreadCheck_;  // debug builds only

  wxDECLARE_EVENT_TABLE();
};
