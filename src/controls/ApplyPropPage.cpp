#include "controls/ApplyPropPage.h"

#include "controls/TreePropSheet.h"

CApplyPropPage::CApplyPropPage(wxWindow* sheet, const std::string& caption) : CTreePropPage(sheet, caption) {
  Bind(wxEVT_SHOW, &CApplyPropPage::OnShow, this);
}

void CApplyPropPage::OnShow(wxShowEvent& event) {
  event.Skip();
  if (!event.IsShown() || m_opened) return;
  m_opened = true;
  OnInitPage();
}

void CApplyPropPage::ActivateInSheet() {
  for (wxWindow* parent = GetParent(); parent; parent = parent->GetParent()) {
    auto* sheet = dynamic_cast<CTreePropSheet*>(parent);
    if (!sheet) continue;
    for (int index = 0; index < sheet->GetPageCount(); ++index)
      if (sheet->GetPage(index) == this) sheet->SetActivePage(index);
    return;
  }
}
