#pragma once
// A caption-less child window that explains the system-log levels; the same text is the navigation
// bar's tip of its "Log" item.
#include <wx/panel.h>

class CLogHelpDlg : public wxPanel {
 public:
  enum { IDD = 365, IDC_TEXT = 1346 };
  static const char kLevelTips[];

  explicit CLogHelpDlg(wxWindow* parent);
};
