#include "groupmodel/ui/CfgGroupTemplateSheet.h"

#include "groupmodel/MacFilterPageModel.h"

CCfgGroupTemplateSheet::CCfgGroupTemplateSheet(const std::string& caption) : CGroupSheetBase(caption) {
  AddTemplatePages();
  SetTemplateBindingCheck(&check_);
  // Closed with the close box: the MAC filter page is no longer open for load balance to change.
  Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& event) {
    Pages().macFilter.Closed();
    event.Skip();
  });
}
