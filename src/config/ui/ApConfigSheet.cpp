#include "config/ui/ApConfigSheet.h"

#include <wx/button.h>

#include "config/ui/ApCfgAdvancePage.h"
#include "config/ui/ApCfgBasicPage.h"
#include "config/ui/ApCfgMacControlPage.h"
#include "config/ui/ApCfgWirelessPage.h"

CApConfigSheet::CApConfigSheet(wxWindow* parent, CApConfigSheetModel& model)
    : CTreePropSheet(model.title, parent), model_(model) {
  basic_ = new CApCfgBasicPage(this, model);
  wireless_ = new CApCfgWirelessPage(this, model);
  advance_ = new CApCfgAdvancePage(this, model);
  macFilter_ = new CApCfgMacControlPage(this, model);
  for (CTreePropPage* page : std::initializer_list<CTreePropPage*>{basic_, wireless_, advance_, macFilter_})
    AddPage(page);
  basic_->Load();
  wireless_->Load();
  advance_->Load();
  macFilter_->Load();
  Bind(wxEVT_INIT_DIALOG, &CApConfigSheet::OnInit, this);
  Bind(wxEVT_BUTTON, &CApConfigSheet::OnOk, this, wxID_OK);
}

void CApConfigSheet::OnInit(wxInitDialogEvent& event) {
  event.Skip();
  FindWindow(wxID_OK)->Enable(model_.context.reachable);
}

void CApConfigSheet::OnOk(wxCommandEvent&) {
  CApConfigPage* const pages[] = {basic_, wireless_, advance_, macFilter_};
  for (CApConfigPage* page : pages) page->Save();
  if (const auto failure = model_.CheckPages()) {
    pages[failure->page]->ShowFailure(failure->check);
    return;
  }
  changes_ = model_.BuildChanges();
  EndModal(wxID_OK);
}
