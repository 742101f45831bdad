#pragma once
// The wireless client list pane: the clients of the online APs in the client monitor's latest round, one
// row per client with its AP, filtered by one column's value on request. The main window calls
// RefreshList when the client monitor reports a round (WM_NMS_CLIENTS_CHANGED).
#include <wx/panel.h>

#include <vector>

#include "controls/ReportCtrl.h"
#include "usage/ClientListRow.h"

class wxChoice;

class CClientView : public wxPanel {
 public:
  enum ControlId : int { kListId = 1277, kFilterTypeId = 11075, kFilterId = 1275, kCleanFilterId = 1266 };

  explicit CClientView(wxWindow* parent, wxWindowID id = wxID_ANY);

  // Sets the list's columns and the filter types up, then RefreshList.
  void OnInitialUpdate();
  // The whole list again, while the client monitor's latest round recorded clients; empty otherwise.
  void RefreshList();

  CReportCtrl& List() { return list_; }
  wxChoice& FilterType() { return *filterType_; }
  wxChoice& Filter() { return *filter_; }

 private:
  void FillList(const std::vector<ClientListRow>& rows);
  void OnSelchangeFilterType();
  void OnSelchangeFilter();
  void OnSize(wxSizeEvent& event);

  CReportCtrl list_;
  wxChoice* filterType_ = nullptr;
  wxChoice* filter_ = nullptr;
};
