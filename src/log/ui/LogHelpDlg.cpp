#include "log/ui/LogHelpDlg.h"

#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

const char CLogHelpDlg::kLevelTips[] =
    "TIPS:\nYou can set the system log level that you intrested  to be recorded at preference. \n\nSystem log level "
    "\n  Critical \n     AP online/offline \n     AP property changed, client filter changed   \n  Warning \n    Find "
    "new AP/Switch, AP replaced \n  Info \n    Polling device \nDebug \n    debug information \n\n";

CLogHelpDlg::CLogHelpDlg(wxWindow* parent) : wxPanel(parent, IDD) {
  // The text sits on the window colour, with nothing painted behind it.
  SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
  auto* text = new wxStaticText(this, IDC_TEXT, kLevelTips);
  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->Add(text, wxSizerFlags(1).Expand().Border(wxALL, 6));
  SetSizerAndFit(layout);
}
