#pragma once
// The load-balance screen's tips: the steps of balancing load, on a plain panel the frame places.
#include <wx/panel.h>

class CLoadBalanceHelpPanel : public wxPanel {
 public:
  enum { IDC_TIP = 1346 };
  static const char* const kTip;

  explicit CLoadBalanceHelpPanel(wxWindow* parent, wxWindowID id = wxID_ANY);
};
