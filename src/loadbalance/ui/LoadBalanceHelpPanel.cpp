#include "loadbalance/ui/LoadBalanceHelpPanel.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

const char* const CLoadBalanceHelpPanel::kTip =
    "STEP 1. Add Load balance group\nSTEP 2. Add APs to load balance group\nSTEP 3. select the  group of "
    "unification SSID \n\nTIPS:\r\n1.AP can present at only one load balance group\r\n2.The user limit adjust "
    "automatically";

CLoadBalanceHelpPanel::CLoadBalanceHelpPanel(wxWindow* parent, wxWindowID id) : wxPanel(parent, id) {
  auto* top = new wxBoxSizer(wxVERTICAL);
  top->Add(new wxStaticText(this, IDC_TIP, kTip), 1, wxEXPAND | wxTOP | wxLEFT, 8);
  SetSizerAndFit(top);
}
