#pragma once
// A tree-sheet page that loads itself the first time it is shown and takes part in the sheet's OK: first
// every opened page checks its input (OnApply), then each saves (OnOK). A page never shown does neither.
#include "controls/TreePropPage.h"

class CApplyPropPage : public CTreePropPage {
 public:
  CApplyPropPage(wxWindow* sheet, const std::string& caption);

  bool WasOpened() const { return m_opened; }
  // Loads the page's values into its controls; called once, when the page is first shown.
  virtual void OnInitPage() {}
  // Checks the input; false keeps the sheet open (the page has said why).
  virtual bool OnApply() { return true; }
  // Saves and applies the page's values.
  virtual void OnOK() {}

 protected:
  // Makes this page the one its sheet shows, before a failed check is explained to the user.
  void ActivateInSheet();

 private:
  void OnShow(wxShowEvent& event);
  bool m_opened = false;
};
