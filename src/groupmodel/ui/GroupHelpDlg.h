#pragma once
// The steps and tips on groups, as a captionless child whose text is drawn straight onto its parent's
// background.
#include <wx/panel.h>

class CGroupHelpDlg : public wxPanel {
 public:
  static constexpr int kText = 1346;
  static constexpr const char* kHelpText =
      "STEP 1. Add group\r\nSTEP 2. Add APs to group\r\nSTEP 3. Edit group template\r\nSTEP 4. Apply template to "
      "Group\n\r\nTIPS:\r\n1.AP can present at many groups, but couldn't bind same group template property in more "
      "than one group\r\n2.Group template's property numbers from 0 -all AP's is legal";

  explicit CGroupHelpDlg(wxWindow* parent);
};
