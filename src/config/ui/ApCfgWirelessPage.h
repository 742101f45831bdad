#pragma once
// The "Wireless" page of an AP's configuration sheet: radio, B/G mode, SSID, channel, SuperG, WMM, SSID
// broadcast and security, over CApWirelessPageModel.
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <memory>

#include "config/ui/ApConfigPage.h"
#include "config/ui/SecurityControls.h"

class CApCfgWirelessPage : public CApConfigPage {
 public:
  CApCfgWirelessPage(wxWindow* sheet, CApConfigSheetModel& model);

  void Load() override;
  void Save() override;

 private:
  void ShowChannelState();
  void ShowSecurityGroup();

  CApWirelessPageModel& page_;
  wxChoice *bgMode_, *channel_, *superG_, *security_;
  wxRadioButton *radioOn_, *radioOff_, *wmmOn_, *wmmOff_, *broadcastOn_, *broadcastOff_;
  wxTextCtrl* ssid_;
  wxCheckBox* autoChannel_;
  std::unique_ptr<CSecurityControls> securityControls_;
};
