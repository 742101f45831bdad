#include "loadbalance/ui/ExportDaysDialog.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/datectrl.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "lbmodel/LoadBalanceForms.h"
#include "loadbalance/ui/WxTimes.h"
#include "platform/MessageBox.h"

CExportDaysDialog::CExportDaysDialog(wxWindow* parent, const std::string& path)
    : wxDialog(parent, wxID_ANY, "Please Select Data and Time") {
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(new wxStaticText(this, wxID_ANY, "Export File Pathname"), 0, wxALL, 6);
  auto* pathBox = new wxTextCtrl(this, IDC_PATH, wxString::FromUTF8(path), wxDefaultPosition, wxSize(320, -1),
                                 wxTE_READONLY);
  top->Add(pathBox, 0, wxEXPAND | wxLEFT | wxRIGHT, 6);
  auto* dates = new wxStaticBoxSizer(wxVERTICAL, this, "Date and Time");
  auto* grid = new wxFlexGridSizer(2, 6, 6);
  begin_ = new wxDatePickerCtrl(dates->GetStaticBox(), IDC_BEGIN_DATE);
  end_ = new wxDatePickerCtrl(dates->GetStaticBox(), IDC_END_DATE);
  grid->Add(new wxStaticText(dates->GetStaticBox(), wxID_ANY, "Begin"), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(begin_);
  grid->Add(new wxStaticText(dates->GetStaticBox(), wxID_ANY, "End"), 0, wxALIGN_CENTER_VERTICAL);
  grid->Add(end_);
  dates->Add(grid, 0, wxALL, 6);
  top->Add(dates, 0, wxEXPAND | wxALL, 6);
  top->Add(CreateButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 6);
  SetSizerAndFit(top);
  Bind(wxEVT_BUTTON, &CExportDaysDialog::OnOk, this, wxID_OK);
}

void CExportDaysDialog::OnOk(wxCommandEvent&) {
  const platform::TimePoint begin = ToTimePoint(begin_->GetValue());
  const platform::TimePoint end = ToTimePoint(end_->GetValue());
  const std::string refusal = CheckReportDays(begin, end, platform::Now());
  if (!refusal.empty()) {
    platform::MessageBox(refusal);
    return;
  }
  days_ = {begin, end};
  EndModal(wxID_OK);
}

std::optional<ReportDays> ChooseReportDays(const std::string& path) {
  CExportDaysDialog dialog(wxTheApp ? wxTheApp->GetTopWindow() : nullptr, path);
  if (dialog.ShowModal() != wxID_OK) return std::nullopt;
  return dialog.Days();
}
