#include "controls/ApplyPropSheet.h"

CApplyPropSheet::CApplyPropSheet(const std::string& caption, wxWindow* parent, int selectPage)
    : CTreePropSheet(caption, parent, selectPage) {
  Bind(wxEVT_BUTTON, &CApplyPropSheet::OnOK, this, wxID_OK);
}

bool CApplyPropSheet::ApplyPages() {
  std::vector<CApplyPropPage*> opened;
  for (int index = 0; index < GetPageCount(); ++index) {
    auto* page = dynamic_cast<CApplyPropPage*>(GetPage(index));
    if (!page || !page->WasOpened()) continue;
    if (!page->OnApply()) {
      SetActivePage(index);
      return false;
    }
    opened.push_back(page);
  }
  for (CApplyPropPage* page : opened) page->OnOK();
  return true;
}

void CApplyPropSheet::OnOK(wxCommandEvent&) {
  if (!ApplyPages()) return;
  if (IsModal())
    EndModal(wxID_OK);
  else
    Hide();
}
