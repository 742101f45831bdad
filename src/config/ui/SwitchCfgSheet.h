#pragma once
// One switch's configuration sheet, "Switch config": the System, Anti-rogue and Port Mapping pages. OK
// checks and applies the System page; a switch that is offline can be viewed but not applied.
#include <string>

#include "controls/TreePropSheet.h"

class CCfgSwitchAntiRoguePage;
class CSwitchCfgPortMapPage;
class CSwitchCfgSystemPage;
class CTopologyData;

class CSwitchCfgSheet : public CTreePropSheet {
 public:
  // topology: the map's devices and links for the Port Mapping page (may be null).
  CSwitchCfgSheet(const std::string& caption, wxWindow* parent, int selectPage = 0,
                  const CTopologyData* topology = nullptr);

  // Before the sheet is shown: the switch every page works on; loads the pages.
  void SetSwitchMac(const std::string& mac);
  std::string GetSwitchMac() const;

  CSwitchCfgSystemPage* SystemPage() const { return system_; }
  CCfgSwitchAntiRoguePage* AntiRoguePage() const { return antiRogue_; }
  CSwitchCfgPortMapPage* PortMapPage() const { return portMap_; }

 private:
  void OnInit(wxInitDialogEvent& event);
  void OnOk(wxCommandEvent& event);

  const CTopologyData* topology_;
  CSwitchCfgSystemPage* system_;
  CCfgSwitchAntiRoguePage* antiRogue_;
  CSwitchCfgPortMapPage* portMap_;
};

// The device tree's and the map's entry point: shows the sheet for the switch modally; 1 when the user
// confirmed with OK, else 0.
int ShowSwitchConfiguration(wxWindow* parent, const std::string& mac, const CTopologyData* topology,
                            int firstPage = 0);
