#pragma once
// The About box: the version text and an OK button.
#include <wx/dialog.h>

class CAboutDialog : public wxDialog {
 public:
  explicit CAboutDialog(wxWindow* parent);
};
