#pragma once
// A tree property sheet whose OK applies its pages: every opened CApplyPropPage checks its input in
// page order, the first that refuses becomes the active page and the sheet stays open; otherwise each
// opened page saves, and the sheet closes with OK.
#include "controls/ApplyPropPage.h"
#include "controls/TreePropSheet.h"

class CApplyPropSheet : public CTreePropSheet {
 public:
  CApplyPropSheet(const std::string& caption, wxWindow* parent = nullptr, int selectPage = 0);

  // The sheet's OK without closing it: true when every opened page took its values.
  bool ApplyPages();

 private:
  void OnOK(wxCommandEvent& event);
};
