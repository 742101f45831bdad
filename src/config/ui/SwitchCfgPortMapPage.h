#pragma once
// The Port Mapping page of the switch configuration: the switch's links as the map's topology holds
// them, built once when the page is made.
#include <wx/listctrl.h>

#include <string>

#include "controls/TreePropPage.h"

class CTopologyData;

class CSwitchCfgPortMapPage : public CTreePropPage {
 public:
  static constexpr int kList = 1068;

  explicit CSwitchCfgPortMapPage(wxWindow* sheet);

  void SetSwitchMac(const std::string& mac) { mac_ = mac; }
  // Fills the list from the topology's links of the switch; a null topology lists nothing.
  void FillList(const CTopologyData* topology);
  wxListCtrl* List() const { return list_; }

 private:
  std::string mac_;
  wxListCtrl* list_;
};
