#pragma once
// Asks for the map's zoom as a percentage from 10 to 100,000; 100 at first.
#include <wx/dialog.h>
#include <wx/textctrl.h>

class CZoomToDialog : public wxDialog {
 public:
  enum { IDC_PERCENT = 1036 };

  explicit CZoomToDialog(wxWindow* parent);

  bool TransferDataToWindow() override;
  // Refuses text that is no whole number in range with a message; the dialog then stays open.
  bool TransferDataFromWindow() override;

  int m_nPercent;

 private:
  wxTextCtrl* percent_;
};
