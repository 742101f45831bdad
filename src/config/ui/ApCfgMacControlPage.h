#pragma once
// The "MAC Filter" page of an AP's configuration sheet: the filter type and the filtered MACs, over
// CApMacFilterPageModel.
#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "config/ui/ApConfigPage.h"

class CApCfgMacControlPage : public CApConfigPage {
 public:
  CApCfgMacControlPage(wxWindow* sheet, CApConfigSheetModel& model);

  void Load() override;
  void Save() override;

 private:
  void FillList();
  void OnAdd(wxCommandEvent& event);
  void OnDelete(wxCommandEvent& event);

  CApMacFilterPageModel& page_;
  wxRadioButton *disabled_, *accept_, *reject_;
  wxListCtrl* list_;
  wxTextCtrl* macText_;
};
