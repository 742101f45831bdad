#pragma once
// A pane listing the trap table: sequence number, time and description per received trap. It shows the
// table as of its last reload, which its first showing and every update make.
#include <wx/panel.h>

#include "engine/ui/TrapListCtrl.h"

class CTrapView : public wxPanel {
 public:
  static constexpr int kListId = 1134;

  explicit CTrapView(wxWindow* parent, wxWindowID id = wxID_ANY);

  // Sets up the list's grid lines and columns, then reloads.
  void OnInitialUpdate();
  // Any change of the trap table: reload.
  void OnUpdate();
  CTrapListCtrl& List() { return m_list; }

 private:
  void Reload();
  void OnSize(wxSizeEvent& event);

  CTrapListCtrl m_list;
};
