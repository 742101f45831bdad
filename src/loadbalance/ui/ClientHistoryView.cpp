#include "loadbalance/ui/ClientHistoryView.h"

#include <wx/artprov.h>
#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/datectrl.h>
#include <wx/stattext.h>
#include <wx/timectrl.h>

#include <algorithm>

#include "lbmodel/HistoryQuery.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "loadbalance/ui/ExportDaysDialog.h"
#include "loadbalance/ui/WxTimes.h"
#include "platform/MessageBox.h"
#include "reports/ReportExporter.h"
#include "reports/ui/ReportWindowsParts.h"

namespace {

constexpr listmodel::ColorRef kListBackground = listmodel::MakeRgb(240, 247, 233);
constexpr int kClientReport = 4;

struct IconButton {
  int id;
  wxArtID art;
  const char* tip;
};

}  // namespace

CClientHistoryView::CClientHistoryView(wxWindow* parent, wxWindowID id) : wxPanel(parent, id) {
  CreateBand();
  m_macList.CreateReportList(this, IDC_MAC_LIST, nullptr, wxLC_SINGLE_SEL);
  m_historyList.CreateReportList(this, IDC_HISTORY_LIST, nullptr);
  m_macList.GetListView()->Bind(wxEVT_LIST_ITEM_SELECTED, &CClientHistoryView::OnMacSelected, this);
  Bind(wxEVT_SIZE, &CClientHistoryView::OnSize, this);
}

void CClientHistoryView::CreateBand() {
  int x = 4;
  const auto place = [&](wxWindow* window, int gap = 4) {
    const wxSize size = window->GetBestSize();
    window->SetSize(x, (kBandHeight - size.y) / 2, size.x, size.y);
    x += size.x + gap;
  };
  place(new wxStaticText(this, wxID_ANY, "Begin"));
  m_beginDate = new wxDatePickerCtrl(this, IDC_BEGIN_DATE);
  place(m_beginDate);
  m_beginTime = new wxTimePickerCtrl(this, IDC_BEGIN_TIME);
  place(m_beginTime, 12);
  place(new wxStaticText(this, wxID_ANY, "End"));
  m_endDate = new wxDatePickerCtrl(this, IDC_END_DATE);
  place(m_endDate);
  m_endTime = new wxTimePickerCtrl(this, IDC_END_TIME);
  place(m_endTime, 12);

  const IconButton buttons[] = {{IDC_QUERY, wxART_FIND, "Query"},         {IDC_FIRST, wxART_GOTO_FIRST, "First"},
                                {IDC_PREV, wxART_GO_BACK, "Prev"},        {IDC_NEXT, wxART_GO_FORWARD, "Next"},
                                {IDC_LAST, wxART_GOTO_LAST, "Last"},      {IDC_RESET, wxART_UNDO, "Reset"}};
  for (const IconButton& b : buttons) {
    auto* button = new wxBitmapButton(this, b.id, wxArtProvider::GetBitmap(b.art, wxART_BUTTON, wxSize(20, 20)));
    button->SetToolTip(b.tip);
    place(button, 2);
  }
  x += 10;
  place(new wxButton(this, IDC_EXPORT, "Export"), 12);
  m_pageLabel = new wxStaticText(this, IDC_PAGE_LABEL, "0/0", wxDefaultPosition, wxSize(90, -1));
  place(m_pageLabel);

  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnQuery(); }, IDC_QUERY);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnFirstPage(); }, IDC_FIRST);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnPrevPage(); }, IDC_PREV);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnNextPage(); }, IDC_NEXT);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnLastPage(); }, IDC_LAST);
  Bind(wxEVT_BUTTON, [](wxCommandEvent&) {}, IDC_RESET);  // Reset changes nothing
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { OnExport(); }, IDC_EXPORT);
}

void CClientHistoryView::SetUpLists() {
  m_historyList.DeleteAllItems();
  m_historyList.SetExtendedStyle(CReportCtrl::LVS_EX_GRIDLINES | CReportCtrl::LVS_EX_FULLROWSELECT);
  m_historyList.RemoveAllColumns();
  for (const std::string& column : HistoryColumns()) m_historyList.InsertColumn(m_historyList.GetColumnCount(), column);
  m_macList.DeleteAllItems();
  m_macList.SetExtendedStyle(CReportCtrl::LVS_EX_GRIDLINES | CReportCtrl::LVS_EX_FULLROWSELECT);
  m_macList.RemoveAllColumns();
  m_macList.InsertColumn(0, "Station MAC Address");
}

void CClientHistoryView::OnInitialUpdate() {
  SetUpLists();
  const wxDateTime now = wxDateTime::Now();
  m_beginDate->SetValue(now - wxTimeSpan::Seconds(kBeginOffsetSeconds));
  FillMacList();
  wxSizeEvent size(GetClientSize());
  OnSize(size);
  OnQuery();
}

void CClientHistoryView::FillMacList() {
  std::vector<std::string> macs;
  GetLoadBalanceManager()->GetDistinctClientMacs(macs);
  if (macs.empty()) return;  // the list keeps what it had
  m_macList.DeleteAllItems();
  for (const std::string& mac : macs) m_macList.InsertItem(0, mac);  // each on top: the query's order reversed
  m_macList.SetItemBkColor(-1, -1, kListBackground);
  m_selectedMacRow = 0;
}

void CClientHistoryView::OnMacSelected(wxListEvent& event) {
  event.Skip();
  if (event.GetIndex() < 0) return;
  m_selectedMacRow = static_cast<int>(event.GetIndex());
  CallAfter([this] { OnQuery(); });  // after the list has taken the click
}

void CClientHistoryView::OnQuery() {
  for (int id : {IDC_FIRST, IDC_PREV, IDC_NEXT, IDC_LAST}) PagingButton(id)->Enable();
  m_historyList.DeleteAllItems();
  m_selectedMac = m_macList.IsRowIndexValid(m_selectedMacRow) ? m_macList.GetItemText(m_selectedMacRow, 0) : "";
  if (m_selectedMac.empty()) return;
  const HistoryPickers pickers{ToLocalTm(m_beginDate->GetValue()), ToLocalTm(m_beginTime->GetValue()),
                               ToLocalTm(m_endDate->GetValue()), ToLocalTm(m_endTime->GetValue())};
  const std::string refusal = CheckHistoryPickers(pickers);
  if (!refusal.empty()) {
    platform::MessageBox(refusal);
    return;
  }
  const HistoryWindow window = HistoryWindowOf(pickers);
  std::vector<ClientHistoryRecord> rows;
  GetLoadBalanceManager()->GetClientHistory(m_selectedMac, window.first, window.last, rows);
  m_pager.SetRows(std::move(rows));
  ShowPage();
}

void CClientHistoryView::OnFirstPage() {
  m_pager.First();
  ShowPage();
}

void CClientHistoryView::OnPrevPage() {
  m_pager.Prev();
  ShowPage();
}

void CClientHistoryView::OnNextPage() {
  m_pager.Next();
  ShowPage();
}

void CClientHistoryView::OnLastPage() {
  m_pager.Last();
  ShowPage();
}

void CClientHistoryView::OnExport() {
  CReportExporter exporter(*GetLoadBalanceManager(), {ChooseReportFile, ChooseReportDays}, WriteChartBitmap);
  exporter.ExportRecorders(kClientReport, {});
}

void CClientHistoryView::ShowPage() {
  m_pageLabel->SetLabel(m_pager.Label());
  ShowButtons();
  if (m_pager.Page().empty()) return;  // an empty page leaves the list as it is
  m_historyList.DeleteAllItems();
  int row = 0;
  for (const ClientHistoryRecord& record : m_pager.Page()) m_historyList.InsertRowWithTexts(row++, HistoryRowTexts(record));
  m_historyList.SetItemBkColor(-1, -1, kListBackground);
}

void CClientHistoryView::ShowButtons() {
  const PagingButtons& state = m_pager.Buttons();
  PagingButton(IDC_FIRST)->Enable(state.first);
  PagingButton(IDC_PREV)->Enable(state.prev);
  PagingButton(IDC_NEXT)->Enable(state.next);
  PagingButton(IDC_LAST)->Enable(state.last);
}

wxBitmapButton* CClientHistoryView::PagingButton(int id) const {
  return static_cast<wxBitmapButton*>(FindWindow(id));
}

std::string CClientHistoryView::PageLabel() const { return m_pageLabel->GetLabel().utf8_string(); }

void CClientHistoryView::OnSize(wxSizeEvent& event) {
  event.Skip();
  const wxSize size = GetClientSize();
  const int w = size.x;
  const int listHeight = std::max(size.y - kBandHeight, 0);  // a view not yet sized is lower than the band
  m_macList.SetSize(0, kBandHeight, w / 6, listHeight);
  m_historyList.SetSize(w / 6 + 2, kBandHeight, std::max(w - (w / 6 + 2), 0), listHeight);
  if (m_macList.GetColumnCount() == 1) m_macList.GetListView()->SetColumnWidth(0, m_macList.GetClientSize().x);
  const int listWidth = m_historyList.GetClientSize().x;
  const int shares[] = {6, 7, 9, 7, 7, 7, 7, 7};  // each column's width as a share of the list's
  if (m_historyList.GetColumnCount() == 8)
    for (int column = 0; column < 8; ++column)
      m_historyList.GetListView()->SetColumnWidth(column, listWidth / shares[column]);
}
