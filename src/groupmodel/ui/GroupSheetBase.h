#pragma once
// What the template sheet and the add-group sheet share: the three template pages over their models,
// OK only once the page in view accepts being left, and the MAC filter page brought up when the wireless
// page is left with load balance enabled.
#include "controls/TreePropSheet.h"
#include "groupmodel/TemplatePageMapping.h"

class CCfgWirelessPage;
class CCfgAdvancePage;
class CGroupMacControlPage;

class CGroupSheetBase : public CTreePropSheet {
 public:
  TemplatePages Pages() { return {wireless_, advanced_, macFilter_}; }
  CCfgWirelessPage* WirelessPage() const { return wirelessPage_; }
  CCfgAdvancePage* AdvancedPage() const { return advancedPage_; }
  CGroupMacControlPage* MacFilterPage() const { return macFilterPage_; }

 protected:
  explicit CGroupSheetBase(const std::string& caption);
  // Adds the wireless, advanced and MAC filter pages after the pages already added.
  void AddTemplatePages();
  void SetTemplateBindingCheck(IFieldBindingCheck* check);

 private:
  void OnOk(wxCommandEvent& event);

  CWirelessPageModel wireless_;
  CAdvancedPageModel advanced_;
  CMacFilterPageModel macFilter_;
  CCfgWirelessPage* wirelessPage_ = nullptr;
  CCfgAdvancePage* advancedPage_ = nullptr;
  CGroupMacControlPage* macFilterPage_ = nullptr;
};
