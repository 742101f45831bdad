#pragma once
// The single-AP configuration sheet: the Basic, Wireless, Advance and MAC Filter pages over one
// CApConfigSheetModel. OK checks every page that was shown and keeps the change list their entries make;
// an AP that did not answer leaves the sheet without OK.
#include "config/ApConfigSheetModel.h"
#include "controls/TreePropSheet.h"

class CApCfgBasicPage;
class CApCfgWirelessPage;
class CApCfgAdvancePage;
class CApCfgMacControlPage;

class CApConfigSheet : public CTreePropSheet {
 public:
  // The model is filled and started; the sheet keeps a reference to it.
  CApConfigSheet(wxWindow* parent, CApConfigSheetModel& model);

  const ApSetEntryList& Changes() const { return changes_; }
  CApCfgBasicPage* BasicPage() const { return basic_; }
  CApCfgWirelessPage* WirelessPage() const { return wireless_; }
  CApCfgAdvancePage* AdvancePage() const { return advance_; }
  CApCfgMacControlPage* MacFilterPage() const { return macFilter_; }

 private:
  void OnInit(wxInitDialogEvent& event);
  void OnOk(wxCommandEvent& event);

  CApConfigSheetModel& model_;
  CApCfgBasicPage* basic_;
  CApCfgWirelessPage* wireless_;
  CApCfgAdvancePage* advance_;
  CApCfgMacControlPage* macFilter_;
  ApSetEntryList changes_;
};
