#include "controls/TreePropPage.h"

CTreePropPage::CTreePropPage(wxWindow* sheet, const std::string& caption) : wxPanel(sheet), caption_(caption) {
  Hide();  // the sheet shows the active page
}

bool CTreePropPage::OnKillActive() { return Validate() && TransferDataFromWindow(); }
