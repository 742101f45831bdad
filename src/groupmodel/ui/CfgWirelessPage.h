#pragma once
// The wireless page of the template sheets: shows a CWirelessPageModel and hands the user's clicks to it.
// The model is the sheet's; the page reads the channel count from an AP when it first opens.
#include <functional>

#include "controls/TreePropPage.h"
#include "groupmodel/WirelessPageModel.h"
#include "groupmodel/ui/PageControls.h"

class CMacEdit;
class wxCommandEvent;
class wxShowEvent;

class CCfgWirelessPage : public CTreePropPage {
 public:
  CCfgWirelessPage(wxWindow* sheet, CWirelessPageModel& model);

  bool OnKillActive() override;
  // Called after the page was left with load balance enabled: the sheet brings up its MAC filter page.
  void SetMacFilterRequest(std::function<void()> request) { macFilterRequest_ = std::move(request); }

 private:
  void Build();
  void Refresh();
  void ReadControls();
  void OnShow(wxShowEvent& event);
  // Runs a change of the model on the controls' current values, then shows the result.
  void Change(const std::function<void()>& change);
  void OnInclude(wxCommandEvent& event);

  CWirelessPageModel& model_;
  CPageControls c_;
  CMacEdit* keyEdit_ = nullptr;
  bool opened_ = false;
  std::function<void()> macFilterRequest_;
};
