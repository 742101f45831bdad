#pragma once
// Creates a group: the basic page (name and APs) and the three template pages, without binding checks.
#include "groupmodel/ui/GroupSheetBase.h"

class CAddGroupBasicPage;

class CAddGroupSheet : public CGroupSheetBase {
 public:
  explicit CAddGroupSheet(const std::string& caption);
  CAddGroupBasicPage* BasicPage() const { return basic_; }

 private:
  CAddGroupBasicPage* basic_ = nullptr;
};
