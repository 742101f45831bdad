#pragma once
// A row of view buttons under "View by:". The buttons have no handlers; whoever hosts the row may bind them.
#include <wx/panel.h>

class CTreeViewHead : public wxPanel {
 public:
  enum { IDC_LIST = 1198, IDC_TREE = 1200, IDC_TOPOLOGY = 1204, IDC_CONN = 1211, IDC_CFG = 1220, IDC_REL = 1223,
         IDC_DEL = 1225, IDC_ADD = 10600 };

  explicit CTreeViewHead(wxWindow* parent, wxWindowID id = wxID_ANY);
};
