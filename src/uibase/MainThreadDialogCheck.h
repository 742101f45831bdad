#pragma once
// The toolkit runs on the UI thread only: a modal dialog or message box opened on any other thread would
// run a second event loop there and corrupt the toolkit's state. Once registered, this check raises a
// toolkit assertion for such a dialog and refuses it (as Cancel) instead of showing it. Window tests and
// debug builds register it.
#include <wx/debug.h>
#include <wx/dialog.h>
#include <wx/modalhook.h>
#include <wx/thread.h>

class CMainThreadDialogCheck : public wxModalDialogHook {
 public:
  CMainThreadDialogCheck() { Register(); }

 protected:
  int Enter(wxDialog* dialog) override {
    if (wxThread::IsMain()) return wxID_NONE;
    wxFAIL_MSG(wxString::Format("modal dialog \"%s\" opened off the UI thread", dialog ? dialog->GetTitle() : ""));
    return wxID_CANCEL;
  }
  void Exit(wxDialog*) override {}
};
