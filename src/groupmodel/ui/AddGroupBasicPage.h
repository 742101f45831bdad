#pragma once
// The first page of the add-group sheet: the new group's name and the managed APs to put in it.
#include <string>
#include <vector>

#include "controls/TreePropPage.h"
#include "db/ApInfoRecord.h"

class wxListCtrl;
class wxTextCtrl;

class CAddGroupBasicPage : public CTreePropPage {
 public:
  static constexpr int kNameEdit = 1177;
  static constexpr int kApList = 1185;

  explicit CAddGroupBasicPage(wxWindow* sheet);
  bool OnKillActive() override;

  const std::string& GroupName() const { return groupName_; }
  // The ticked APs (MAC and IP only), in list order, as the page was last left.
  const std::vector<ApInfoRecord>& SelectedAps() const { return selected_; }

 private:
  wxTextCtrl* name_ = nullptr;
  wxListCtrl* list_ = nullptr;
  std::string groupName_;
  std::vector<ApInfoRecord> selected_;
};
