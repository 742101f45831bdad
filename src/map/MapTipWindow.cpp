#include "map/MapTipWindow.h"

#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

CMapTipWindow::CMapTipWindow(wxWindow* owner) : wxPopupWindow(owner, wxBORDER_SIMPLE) {
  SetBackgroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOBK));
  m_Text = new wxStaticText(this, wxID_ANY, "");
  m_Text->SetForegroundColour(wxSystemSettings::GetColour(wxSYS_COLOUR_INFOTEXT));
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(m_Text, 0, wxALL, 2);
  SetSizer(sizer);
}

void CMapTipWindow::ShowText(const wxString& text, const wxPoint& screenPoint) {
  m_Text->SetLabel(text);
  GetSizer()->Fit(this);
  Move(screenPoint);
  Show();
}

wxString CMapTipWindow::GetText() const { return m_Text->GetLabel(); }
