#pragma once
// A LAN management tree that nothing fills yet: an empty tree view.
#include <wx/treectrl.h>

class CLanManagementView : public wxTreeCtrl {
 public:
  explicit CLanManagementView(wxWindow* parent);
};
