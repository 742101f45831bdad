#pragma once
// Edits the template of an existing group: wireless, advanced and MAC filter pages, every include click
// put to the bindings the caller fills before the sheet runs.
#include "groupmodel/TemplateBindingCheck.h"
#include "groupmodel/ui/GroupSheetBase.h"

class CCfgGroupTemplateSheet : public CGroupSheetBase {
 public:
  explicit CCfgGroupTemplateSheet(const std::string& caption);

  std::vector<GroupBindRecord>& Bindings() { return check_.Bindings(); }
  bool CheckFieldBinding(int property) { return check_.CheckFieldBinding(property); }

 private:
  CTemplateBindingCheck check_;
};
