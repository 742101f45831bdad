#pragma once
// The report lists of the group dialogs: an AP per row as "AP Name", "IP Address", "MAC Address".
#include <wx/listctrl.h>

#include <vector>

#include "db/ApInfoRecord.h"

class CApListControl : public wxListCtrl {
 public:
  CApListControl(wxWindow* parent, int id, bool checkBoxes);
  void SetAps(const std::vector<ApInfoRecord>& aps);
  int FirstSelected() const;
  std::vector<int> CheckedRows() const;
};
