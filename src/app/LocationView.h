#pragma once
// A location tree with a fixed sample content, whatever the database holds: two buildings, a floor each,
// one AP per floor.
#include <wx/treectrl.h>

class CLocationView : public wxTreeCtrl {
 public:
  explicit CLocationView(wxWindow* parent);
  // Fills the tree; the view's initial update.
  void OnInitialUpdate();
};
