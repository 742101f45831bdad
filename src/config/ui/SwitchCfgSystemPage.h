#pragma once
// The System page of the switch configuration: IP mode, address, subnet mask, gateway, LLDP state,
// system name and location, over CSwitchSystemPageModel.
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <memory>
#include <string>

#include "config/SwitchSystemPageModel.h"
#include "controls/TreePropPage.h"

class CSwitchCfgSystemPage : public CTreePropPage {
 public:
  enum Id : int {
    kStatic = 1358, kDhcp = 1359, kIp = 1098, kNetmask = 1088, kGateway = 1090,
    kLldpEnable = 1396, kLldpDisable = 1397, kName = 1060, kLocation = 1066,
  };

  explicit CSwitchCfgSystemPage(wxWindow* sheet);

  void SetSwitchMac(const std::string& mac) { mac_ = mac; }
  const std::string& GetSwitchMac() const { return mac_; }
  // Reads the database and shows the values.
  void Load();
  // The sheet's OK: the checks (their message keeps the sheet open, false), then the sets.
  bool Apply();
  SwitchSystemInput Input() const;

 private:
  void EnableAddresses(bool enable);

  std::string mac_;
  std::unique_ptr<CSwitchSystemPageModel> model_;
  wxRadioButton *static_, *dhcp_, *lldpEnable_, *lldpDisable_;
  wxTextCtrl *ip_, *netmask_, *gateway_, *name_, *location_;
};
