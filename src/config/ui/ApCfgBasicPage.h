#pragma once
// The "Basic" page of an AP's configuration sheet: address settings, name, location, management host,
// connection limit, country and the clients count, over CApBasicPageModel.
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include "config/ui/ApConfigPage.h"

class CApCfgBasicPage : public CApConfigPage {
 public:
  CApCfgBasicPage(wxWindow* sheet, CApConfigSheetModel& model);

  void Load() override;
  void Save() override;

 protected:
  PageCheck CheckOnLeave() override;

 private:
  void UpdateAddressControls();

  CApBasicPageModel& page_;
  wxRadioButton *dynamic_, *static_;
  wxTextCtrl *ip_, *mask_, *gateway_, *host_, *name_, *location_, *limit_;
  wxStaticText* clients_;
  wxChoice* country_;
};
