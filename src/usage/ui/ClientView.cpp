#include "usage/ui/ClientView.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/stattext.h>

#include <mutex>

#include "settings/GlobalSettings.h"
#include "usage/ClientListDb.h"
#include "usage/ClientListFilters.h"

namespace {

// The filter controls keep this much of the pane's top.
constexpr int kListTop = 40;

}  // namespace

CClientView::CClientView(wxWindow* parent, wxWindowID id) : wxPanel(parent, id) {
  new wxStaticText(this, wxID_ANY, "Filter Type :", ConvertDialogToPixels(wxPoint(9, 7)));
  filterType_ = new wxChoice(this, kFilterTypeId, ConvertDialogToPixels(wxPoint(70, 5)),
                             wxSize(ConvertDialogToPixels(wxSize(92, 0)).x, -1));
  new wxStaticText(this, wxID_ANY, "Filter :", ConvertDialogToPixels(wxPoint(175, 7)));
  filter_ = new wxChoice(this, kFilterId, ConvertDialogToPixels(wxPoint(213, 5)),
                         wxSize(ConvertDialogToPixels(wxSize(92, 0)).x, -1), 0, nullptr, wxCB_SORT);
  new wxButton(this, kCleanFilterId, "Clean Filter", ConvertDialogToPixels(wxPoint(324, 5)),
               ConvertDialogToPixels(wxSize(53, 14)));
  wxRect area = GetClientRect();
  area.y += kListTop;
  area.height = std::max(area.height - kListTop, 1);
  list_.CreateReportList(this, kListId, &area, wxBORDER_SIMPLE);
  Bind(wxEVT_SIZE, &CClientView::OnSize, this);
  Bind(
      wxEVT_CHOICE, [this](wxCommandEvent&) { OnSelchangeFilterType(); }, kFilterTypeId);
  Bind(
      wxEVT_CHOICE, [this](wxCommandEvent&) { OnSelchangeFilter(); }, kFilterId);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { RefreshList(); }, kCleanFilterId);
}

void CClientView::OnInitialUpdate() {
  list_.SetGridLines(true);
  list_.SetColumnHeader("AP Name, 110; AP MAC, 150; AP IP, 110; Client MAC, 150; RSSI, 110; Mode, 110");
  for (const ClientFilterType& type : kClientFilterTypes) filterType_->Append(type.item);
  RefreshList();
}

void CClientView::OnSize(wxSizeEvent& event) {
  event.Skip();
  const wxSize size = GetClientSize();
  list_.SetSize(0, kListTop, size.x, std::max(size.y - kListTop, 1));
  list_.Refresh();
}

void CClientView::RefreshList() {
  list_.DeleteAllItems();
  bool recorded = false;
  {
    std::lock_guard lock(g_csClients);  // held for the copy alone, never during a query
    recorded = g_bClientsRecorded;
  }
  if (!recorded) return;
  std::vector<ClientListRow> rows;
  CClientListDb().LoadClientList(rows);
  FillList(rows);
}

void CClientView::FillList(const std::vector<ClientListRow>& rows) {
  int number = 0;
  for (const ClientListRow& row : rows) {
    list_.InsertRowWithTexts(number,
                             {row.ap_name, row.ap_mac, row.ap_ip, row.client_mac, row.rssi, ModeText(row.mode)});
    ++number;
  }
}

void CClientView::OnSelchangeFilterType() {
  const int type = filterType_->GetSelection();
  if (type < 0 || type >= kClientFilterTypeCount) return;
  std::vector<std::string> values;
  CClientListDb().GetDistinctValues(kClientFilterTypes[type].column, values);
  if (values.empty()) return;  // the filter box keeps what it had
  filter_->Clear();
  for (const std::string& value : values) {
    const std::string text = type == kModeFilterType ? ModeText(value) : value;
    if (!text.empty() || type != kModeFilterType) filter_->Append(wxString::FromUTF8(text));
  }
}

void CClientView::OnSelchangeFilter() {
  list_.DeleteAllItems();
  const int type = filterType_->GetSelection();
  if (type < 0 || type >= kClientFilterTypeCount) return;
  std::string value = filter_->GetStringSelection().utf8_string();
  if (type == kModeFilterType) value = ModeCode(value);
  std::vector<ClientListRow> rows;
  CClientListDb().LoadFilteredClientList(rows, kClientFilterTypes[type].column, value);
  FillList(rows);
}
