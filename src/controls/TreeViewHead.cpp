#include "controls/TreeViewHead.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

CTreeViewHead::CTreeViewHead(wxWindow* parent, wxWindowID id) : wxPanel(parent, id) {
  struct Button { int id; const char* label; };
  static constexpr Button kButtons[] = {{IDC_LIST, "List"}, {IDC_TREE, "Tree"}, {IDC_TOPOLOGY, "Topology"},
                                        {IDC_CONN, "Conn"}, {IDC_CFG, "Cfg"},   {IDC_REL, "Rel"},
                                        {IDC_ADD, "Add"},   {IDC_DEL, "Del"}};
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  row->Add(new wxStaticText(this, wxID_ANY, "View by:"), 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
  for (const Button& button : kButtons)
    row->Add(new wxButton(this, button.id, button.label, wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT), 0,
             wxALL, 2);
  SetSizerAndFit(row);
}
