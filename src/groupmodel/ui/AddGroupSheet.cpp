#include "groupmodel/ui/AddGroupSheet.h"

#include "groupmodel/ui/AddGroupBasicPage.h"

CAddGroupSheet::CAddGroupSheet(const std::string& caption) : CGroupSheetBase(caption) {
  basic_ = new CAddGroupBasicPage(this);
  AddPage(basic_);
  AddTemplatePages();
  SetTemplateBindingCheck(nullptr);
}
