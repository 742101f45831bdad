#pragma once
// The "Default Params" page of the Preferences sheet: the defaults new APs receive, over
// CDefParamsPageModel. The sheet's OK calls OnApply, which checks the page and saves the defaults.
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

#include <memory>

#include "config/DefParamsPageModel.h"
#include "config/ui/SecurityControls.h"
#include "controls/TreePropPage.h"

class CTreePropSheet;

class CDefParamsPage : public CTreePropPage {
 public:
  explicit CDefParamsPage(wxWindow* sheet);

  // True when the page was never shown (nothing to save) or its checks passed and the defaults were
  // saved; false keeps the sheet open with the failure shown.
  bool OnApply();
  CDefParamsPageModel& Model() { return model_; }

 private:
  void Load();
  void Save();
  void ShowSecurityGroup();

  CDefParamsPageModel model_;
  bool loaded_ = false;
  wxComboBox* host_;
  wxTextCtrl* ssid_;
  wxCheckBox* apply_;
  wxChoice* security_;
  std::unique_ptr<CSecurityControls> securityControls_;
};

// The "Preferences" sheet with the Default Params page alone, shown modally; true when closed with OK.
// Zero-config offers it when no default management host is set.
bool ShowDefaultParamsSheet(wxWindow* parent);
