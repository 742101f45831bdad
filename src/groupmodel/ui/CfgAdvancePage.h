#pragma once
// The advanced (radio timing) page of the template sheets over a CAdvancedPageModel.
#include "controls/TreePropPage.h"
#include "groupmodel/AdvancedPageModel.h"
#include "groupmodel/ui/PageControls.h"

class wxShowEvent;

class CCfgAdvancePage : public CTreePropPage {
 public:
  CCfgAdvancePage(wxWindow* sheet, CAdvancedPageModel& model);
  bool OnKillActive() override;

 private:
  void Build();
  void Refresh();
  void ReadControls();
  void OnShow(wxShowEvent& event);

  CAdvancedPageModel& model_;
  CPageControls c_;
  bool opened_ = false;
};
