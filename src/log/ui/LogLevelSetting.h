#pragma once
// "Log Level": a page with the four level boxes that sets the running log-level mask without storing it.
// It always opens with every box clear.
#include "controls/ApplyPropPage.h"

class wxCheckBox;

class CLogLevelSetting : public CApplyPropPage {
 public:
  enum { IDC_CRITICAL = 1037, IDC_WARNING = 1292, IDC_INFO = 1293, IDC_DEBUG = 1294 };

  explicit CLogLevelSetting(wxWindow* sheet);

  void OnOK() override;

 private:
  wxCheckBox* m_levels[4] = {};  // Critical, Warning, Info, Debug
};
