#pragma once
// A tree of firmware modules with a fixed sample content: two models, one AP under each.
#include <wx/treectrl.h>

class CFirmwareView : public wxTreeCtrl {
 public:
  explicit CFirmwareView(wxWindow* parent);

 private:
  wxTreeItemId root_;
};
