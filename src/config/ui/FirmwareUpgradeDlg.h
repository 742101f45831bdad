#pragma once
// The upgrade dialog: a firmware file chosen with "Browse . . ." and the "Upgrade" command, which warns
// about the cables first and then runs the header bar's steps.
#include <wx/button.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <functional>
#include <string>

#include "config/ui/FirmwareUpgradeCommand.h"

class CFirmwareUpgradeDlg : public wxPanel {
 public:
  enum Id : int { kUpgrade = 1, kBrowse = 1116, kFile = 1120, kStatus = 1189 };

  // panes: asked at each Upgrade for the pane the frame shows then.
  CFirmwareUpgradeDlg(wxWindow* parent, std::function<FirmwarePanes()> panes, FirmwareUpgradeStarter start);

  void OnBrowse();
  void OnOK();
  std::string FirmwareFile() const { return file_->GetValue().utf8_string(); }

 private:
  std::function<FirmwarePanes()> panes_;
  FirmwareUpgradeStarter start_;
  wxTextCtrl* file_;
  wxStaticText* status_;
};
