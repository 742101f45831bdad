#include "controls/ZoomToDialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "controlmodel/ZoomPercent.h"
#include "platform/MessageBox.h"

CZoomToDialog::CZoomToDialog(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Zoom To"), m_nPercent(kZoomPercentDefault) {
  percent_ = new wxTextCtrl(this, IDC_PERCENT);
  auto* line = new wxBoxSizer(wxHORIZONTAL);
  line->Add(new wxStaticText(this, wxID_ANY, "Zoom To"), 0, wxALIGN_CENTER_VERTICAL | wxALL, 6);
  line->Add(percent_, 1, wxALIGN_CENTER_VERTICAL | wxALL, 6);
  line->Add(new wxStaticText(this, wxID_ANY, "%"), 0, wxALIGN_CENTER_VERTICAL | wxALL, 6);
  auto* column = new wxBoxSizer(wxVERTICAL);
  column->Add(line, 0, wxEXPAND);
  column->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 6);
  SetSizerAndFit(column);
}

bool CZoomToDialog::TransferDataToWindow() {
  percent_->ChangeValue(std::to_string(m_nPercent));
  return true;
}

bool CZoomToDialog::TransferDataFromWindow() {
  const std::string text = percent_->GetValue().utf8_string();
  const std::string problem = ZoomPercentProblem(text);
  if (!problem.empty()) {
    platform::MessageBox(problem, {}, platform::MB_OK | platform::MB_ICONWARNING);
    percent_->SetFocus();
    percent_->SelectAll();
    return false;
  }
  m_nPercent = *ParseZoomPercent(text);
  return true;
}
