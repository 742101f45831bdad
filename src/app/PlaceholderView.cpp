#include "app/PlaceholderView.h"

#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

CPlaceholderView::CPlaceholderView(wxWindow* parent, const std::string& viewName)
    : wxPanel(parent, wxID_ANY), viewName_(viewName) {
  auto* caption = new wxStaticText(this, wxID_ANY, wxString::FromUTF8(viewName));
  caption->SetFont(caption->GetFont().Bold().Scaled(1.3f));
  auto* layout = new wxBoxSizer(wxVERTICAL);
  layout->AddStretchSpacer();
  layout->Add(caption, wxSizerFlags().Centre());
  layout->AddStretchSpacer();
  SetSizer(layout);
  SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOW));
}
