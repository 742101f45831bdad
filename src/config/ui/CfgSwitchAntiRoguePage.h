#pragma once
// The Anti-rogue page of the switch configuration: the ports' anti-rogue control as stored, and a range
// of ports switched on or off with Apply, over CAntiRoguePageModel. Read-only while the switch has LLDP off.
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/listctrl.h>

#include <memory>
#include <string>

#include "config/AntiRoguePageModel.h"
#include "controls/TreePropPage.h"

class CCfgSwitchAntiRoguePage : public CTreePropPage {
 public:
  enum Id : int { kControl = 11077, kToPort = 11076, kFromPort = 1340, kList = 1343, kApply = 1342 };

  explicit CCfgSwitchAntiRoguePage(wxWindow* sheet);

  void SetSwitchMac(const std::string& mac) { mac_ = mac; }
  // Reads the port count and the stored text, fills the choices and the list.
  void InitControls();
  void RefreshList();
  void OnButtonApply();
  wxListCtrl* List() const { return list_; }

 private:
  void ShowRows(const std::vector<CAntiRoguePageModel::Row>& rows);

  std::string mac_;
  std::unique_ptr<CAntiRoguePageModel> model_;
  wxChoice *from_, *to_, *control_;
  wxButton* apply_;
  wxListCtrl* list_;
};
