#pragma once
// The "Default Params" page of the Preferences sheet: the defaults new APs receive, over
// CDefParamsPageModel. The sheet's OK checks the page (OnApply), then saves the defaults (OnOK).
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include <memory>

#include "config/DefParamsPageModel.h"
#include "config/ui/SecurityControls.h"
#include "controls/ApplyPropPage.h"

class CDefParamsPage : public CApplyPropPage {
 public:
  explicit CDefParamsPage(wxWindow* sheet);

  void OnInitPage() override;
  // False keeps the sheet open with the failure shown.
  bool OnApply() override;
  void OnOK() override;
  CDefParamsPageModel& Model() { return model_; }

 private:
  void Save();
  void ShowSecurityGroup();

  CDefParamsPageModel model_;
  wxComboBox* host_;
  wxTextCtrl* ssid_;
  wxCheckBox* apply_;
  wxChoice* security_;
  std::unique_ptr<CSecurityControls> securityControls_;
};

// The "Preferences" sheet with the Default Params page alone, shown modally; true when closed with OK.
// Zero-config offers it when no default management host is set.
bool ShowDefaultParamsSheet(wxWindow* parent);
