#include "groupmodel/ui/GroupSheetBase.h"

#include "groupmodel/ui/CfgAdvancePage.h"
#include "groupmodel/ui/CfgWirelessPage.h"
#include "groupmodel/ui/GroupMacControlPage.h"

CGroupSheetBase::CGroupSheetBase(const std::string& caption) : CTreePropSheet(caption, nullptr, 0) {
  wireless_.SetMacFilterPage(&macFilter_);
  Bind(wxEVT_BUTTON, &CGroupSheetBase::OnOk, this, wxID_OK);
}

void CGroupSheetBase::AddTemplatePages() {
  wirelessPage_ = new CCfgWirelessPage(this, wireless_);
  advancedPage_ = new CCfgAdvancePage(this, advanced_);
  macFilterPage_ = new CGroupMacControlPage(this, macFilter_);
  AddPage(wirelessPage_);
  AddPage(advancedPage_);
  AddPage(macFilterPage_);
  const int macPage = GetPageCount() - 1;
  wirelessPage_->SetMacFilterRequest([this, macPage] {
    if (IsModal() && SetActivePage(macPage)) macFilterPage_->Refresh();
  });
}

void CGroupSheetBase::SetTemplateBindingCheck(IFieldBindingCheck* check) {
  wireless_.SetBindingCheck(check);
  advanced_.SetBindingCheck(check);
  macFilter_.SetBindingCheck(check);
  wireless_.SetSkipCheck(check == nullptr);
  advanced_.SetSkipCheck(check == nullptr);
  macFilter_.SetSkipCheck(check == nullptr);
}

void CGroupSheetBase::OnOk(wxCommandEvent&) {
  CTreePropPage* page = GetActiveIndex() >= 0 && GetActiveIndex() < GetPageCount() ? GetPage(GetActiveIndex()) : nullptr;
  if (page && page->IsShown() && !page->OnKillActive()) return;
  EndModal(wxID_OK);
}
