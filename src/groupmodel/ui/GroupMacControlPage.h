#pragma once
// The MAC filter page of the template sheets over a CMacFilterPageModel.
#include "controls/TreePropPage.h"
#include "groupmodel/MacFilterPageModel.h"
#include "groupmodel/ui/PageControls.h"

class wxListCtrl;
class wxShowEvent;

class CGroupMacControlPage : public CTreePropPage {
 public:
  CGroupMacControlPage(wxWindow* sheet, CMacFilterPageModel& model);
  bool OnKillActive() override;
  // Shows the model again after load balance on the wireless page forced or released the filter.
  void Refresh();

 private:
  void Build();
  void ReadControls();
  void OnShow(wxShowEvent& event);

  CMacFilterPageModel& model_;
  CPageControls c_;
  wxListCtrl* list_ = nullptr;
  bool opened_ = false;
};
