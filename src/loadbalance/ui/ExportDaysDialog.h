#pragma once
// The report export's date dialog: it shows the chosen file and asks for the first and last day of the
// report; OK refuses a range that begins after its end or in the future.
#include <wx/dialog.h>

#include <optional>
#include <string>

#include "reports/ReportExporter.h"

class wxDatePickerCtrl;
class wxTextCtrl;

class CExportDaysDialog : public wxDialog {
 public:
  enum { IDC_END_DATE = 1253, IDC_BEGIN_DATE = 1257, IDC_PATH = 1354 };

  CExportDaysDialog(wxWindow* parent, const std::string& path);

  // Valid after OK.
  const ReportDays& Days() const { return days_; }
  wxDatePickerCtrl* BeginPicker() const { return begin_; }
  wxDatePickerCtrl* EndPicker() const { return end_; }

 private:
  void OnOk(wxCommandEvent& event);

  wxDatePickerCtrl* begin_ = nullptr;
  wxDatePickerCtrl* end_ = nullptr;
  ReportDays days_;
};

// The date step of the report export: the dialog over the active window; nothing when cancelled.
std::optional<ReportDays> ChooseReportDays(const std::string& path);
