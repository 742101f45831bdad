#include "app/LocationView.h"

CLocationView::CLocationView(wxWindow* parent)
    : wxTreeCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_SINGLE | wxTR_DEFAULT_STYLE) {}

void CLocationView::OnInitialUpdate() {
  // No image list is attached, so the image numbers show nothing.
  const wxTreeItemId location = AddRoot("Location", 0, 0);
  for (const char* ap : {"Ap1:10.0.0.1", "Ap2:10.0.0.2"}) {
    const bool first = ap[2] == '1';
    const wxTreeItemId builder = AppendItem(location, first ? "Builder 1" : "Builder 2", 1, 1);
    const wxTreeItemId floor = AppendItem(builder, "Floor 1", 2, 2);
    AppendItem(floor, ap, 2, 2);
    Expand(builder);
    Expand(floor);
  }
  Expand(location);
}
