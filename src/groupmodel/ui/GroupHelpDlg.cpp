#include "groupmodel/ui/GroupHelpDlg.h"

#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

CGroupHelpDlg::CGroupHelpDlg(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxTRANSPARENT_WINDOW) {
  wxString text = wxString::FromUTF8(kHelpText);
  text.Replace("\r", "");
  auto* label = new wxStaticText(this, kText, text);
  label->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
  auto* all = new wxBoxSizer(wxVERTICAL);
  all->Add(label, 1, wxEXPAND | wxALL, 4);
  SetSizerAndFit(all);
}
