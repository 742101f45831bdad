#include "uibase/GuiMessageBox.h"

#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/thread.h>
#include <wx/window.h>

#include <algorithm>
#include <vector>

#include "platform/DebugTrace.h"
#include "platform/MessageBox.h"
#include "uibase/AppTitle.h"
#include "uibase/UiThreadCall.h"

namespace {

long DialogStyle(unsigned style) {
  long buttons = wxOK;
  switch (style & 0xF) {
    case platform::MB_OKCANCEL: buttons = wxOK | wxCANCEL; break;
    case platform::MB_YESNO: buttons = wxYES_NO; break;
    case platform::MB_YESNOCANCEL: buttons = wxYES_NO | wxCANCEL; break;
  }
  long icon = wxICON_NONE;
  switch (style & 0xF0) {
    case platform::MB_ICONERROR: icon = wxICON_ERROR; break;
    case platform::MB_ICONQUESTION: icon = wxICON_QUESTION; break;
    case platform::MB_ICONWARNING: icon = wxICON_WARNING; break;
    case platform::MB_ICONINFORMATION: icon = wxICON_INFORMATION; break;
  }
  return buttons | icon;
}

int Answer(int dialogResult) {
  switch (dialogResult) {
    case wxID_YES: return platform::IDYES;
    case wxID_NO: return platform::IDNO;
    case wxID_CANCEL: return platform::IDCANCEL;
    default: return platform::IDOK;
  }
}

// The windows of the living CMessageBoxOwners, oldest first; touched on the UI thread only.
std::vector<wxWindow*>& Owners() {
  static std::vector<wxWindow*> owners;
  return owners;
}

wxWindow* BoxParent() {
  const auto& owners = Owners();
  const auto shown = std::find_if(owners.rbegin(), owners.rend(), [](wxWindow* window) { return window->IsShown(); });
  return shown != owners.rend() ? *shown : wxTheApp->GetTopWindow();
}

}  // namespace

CMessageBoxOwner::CMessageBoxOwner(wxWindow* window) : window_(window) { Owners().push_back(window); }

// Owners of modeless windows may end in any order.
CMessageBoxOwner::~CMessageBoxOwner() { std::erase(Owners(), window_); }

int CGuiMessageBox::operator()(const std::string& text, const std::string& caption, unsigned style) const {
  if (wxThread::IsMain()) return ShowModal(text, caption, style);
  constexpr std::intptr_t kNotShown = -1;
  std::intptr_t answer = kNotShown;
  if (!CUiThreadCall::IsShuttingDown()) {
    CUiThreadCall call(*wxTheApp, [text, caption, style] { return ShowModal(text, caption, style); });
    answer = call.Wait(kNotShown);
  }
  if (answer != kNotShown) return static_cast<int>(answer);
  // The UI thread is stopping this worker or the program ends: the text goes to the trace instead.
  DebugTrace("Message box not shown: %s\n", text.c_str());
  return platform::IDCANCEL;
}

int CGuiMessageBox::ShowModal(const std::string& text, const std::string& caption, unsigned style) {
  // A box without a caption carries the application title, as the framework's boxes do.
  wxMessageDialog dialog(BoxParent(), wxString::FromUTF8(text),
                         wxString::FromUTF8(caption.empty() ? res::kAppTitle : caption), DialogStyle(style));
  return Answer(dialog.ShowModal());
}
