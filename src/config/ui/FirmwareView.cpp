#include "config/ui/FirmwareView.h"

CFirmwareView::CFirmwareView(wxWindow* parent)
    : wxTreeCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_SINGLE) {
  root_ = AddRoot("Module", 0);
  for (const auto& [model, ap] : {std::pair{"Velmora_C", "Ap1:10.0.0.1"}, std::pair{"Velmora_B", "Ap2:10.0.0.2"}}) {
    const wxTreeItemId item = AppendItem(root_, model, 1);
    AppendItem(item, ap, 2);
    Expand(item);
  }
  Expand(root_);
}
