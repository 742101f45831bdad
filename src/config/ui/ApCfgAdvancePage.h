#pragma once
// The "Advance" page of an AP's configuration sheet: the radio parameters over CApAdvancePageModel.
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "config/ui/ApConfigPage.h"

class CApCfgAdvancePage : public CApConfigPage {
 public:
  CApCfgAdvancePage(wxWindow* sheet, CApConfigSheetModel& model);

  void Load() override;
  void Save() override;

 protected:
  PageCheck CheckOnLeave() override;

 private:
  CApAdvancePageModel& page_;
  wxChoice *rate_, *power_;
  wxTextCtrl *beacon_, *rts_, *fragmentation_, *dtim_;
  wxRadioButton *shortPreamble_, *longPreamble_, *ctsNone_, *ctsAlways_, *ctsAuto_, *partitionOff_, *partitionOn_;
};
