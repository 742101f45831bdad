#include "usage/ui/UtilizationUserPlotView.h"

#include <wx/button.h>
#include <wx/stattext.h>

#include "charts/ChartWindow.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "platform/MessageBox.h"

int g_nApFilterId = CUtilizationUserPlotView::kDayId;

namespace {

constexpr int kListWidth = 150;
enum Column : int { kNameColumn = 0, kMacColumn = 1, kIpColumn = 2 };

const UsageToolbarLayout kLayout = {
    {CUtilizationUserPlotView::kHourId, {29, 6, 28, 9}},
    {CUtilizationUserPlotView::kDayId, {68, 7, 27, 8}},
    {CUtilizationUserPlotView::kWeekId, {103, 6, 33, 9}},
    CUtilizationUserPlotView::kMonthId,
    {CUtilizationUserPlotView::kFirstId, {177, 3, 17, 14}},
    {CUtilizationUserPlotView::kPrevId, {195, 3, 17, 14}},
    {CUtilizationUserPlotView::kNextId, {213, 3, 17, 14}},
    {CUtilizationUserPlotView::kLastId, {231, 3, 17, 14}},
    {CUtilizationUserPlotView::kExportId, {259, 3, 39, 14}},
    {CUtilizationUserPlotView::kRangeId, {302, 6, 179, 11}},
    true,
};

}  // namespace

CUtilizationUserPlotView::CUtilizationUserPlotView(wxWindow* parent, PlotChoice& choice, ReportExport exportReport,
                                                   wxWindowID id)
    : wxPanel(parent, id),
      choice_(choice),
      toolbar_(this, kLayout),
      export_(std::move(exportReport)),
      window_(kApViewUnits, platform::Now()) {
  list_.CreateReportList(this, kListId, nullptr, wxLC_SINGLE_SEL | wxBORDER_SIMPLE);
  chartWindow_ = new CChartWindow(this, kChartId, chart_);
  new wxStaticText(this, wxID_ANY, "Type", ConvertDialogToPixels(wxPoint(5, 6)));
  // Show and Refresh stay hidden: their commands are reached only through the pane's own calls.
  for (const auto& [buttonId, caption] : {std::pair{kShowId, "Show"}, std::pair{kRefreshId, "Refresh"}}) {
    auto* button = new wxButton(this, buttonId, caption);
    button->Hide();
    button->Disable();
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { SelectAp(); }, buttonId);
  }
  Bind(wxEVT_SIZE, &CUtilizationUserPlotView::OnSize, this);
  for (int buttonId : {kFirstId, kPrevId, kNextId, kLastId})
    Bind(wxEVT_BUTTON, &CUtilizationUserPlotView::OnPage, this, buttonId);
  for (int radioId : {kHourId, kDayId, kWeekId, kMonthId})
    Bind(wxEVT_RADIOBUTTON, &CUtilizationUserPlotView::OnFilter, this, radioId);
  Bind(
      wxEVT_BUTTON, [this](wxCommandEvent&) { OnExport(); }, kExportId);
  wxWindow* rows = list_.GetListView()->RowsWindow();
  rows->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
    event.Skip();
    const wxPoint point = event.GetPosition();
    CallAfter([this, point] { OnListClick(point); });
  });
}

CUtilizationUserPlotView::~CUtilizationUserPlotView() = default;

void CUtilizationUserPlotView::OnInitialUpdate() {
  toolbar_.CheckRadio(kDayId);
  list_.DeleteAllItems();
  list_.SetGridLines(true);
  list_.SetColumnHeader("AP Name, 50; MAC, 100; IP, 100");
  // The list gets its width before the columns take theirs from it.
  wxSizeEvent resize(GetSize());
  OnSize(resize);
  SetColumnWidths();
  std::vector<ApInfoRecord> aps;
  GetLoadBalanceManager()->GetLoadBalanceApList(aps);
  for (const ApInfoRecord& ap : aps) list_.InsertRowWithTexts(list_.GetItemCount(), {ap.name, ap.mac, ap.ip});
  list_.SortItems(kNameColumn, true);

  initial_ = true;
  selItem_ = 0;
  SelectAp();
  initial_ = false;
  if (g_nApFilterId == kDayId) return;
  toolbar_.CheckRadio(g_nApFilterId);
  if (g_nApFilterId == kHourId || g_nApFilterId == kWeekId) {
    wxCommandEvent remembered(wxEVT_RADIOBUTTON, g_nApFilterId);
    OnFilter(remembered);
  }
}

void CUtilizationUserPlotView::SetColumnWidths() {
  const int width = list_.GetClientSize().x;
  wxListCtrl* view = list_.GetListView();
  for (int column = 0; column < list_.GetColumnCount(); ++column) view->SetColumnWidth(column, width);
  view->SetColumnWidth(kNameColumn, 50);
}

void CUtilizationUserPlotView::OnSize(wxSizeEvent& event) {
  event.Skip();
  const wxSize size = GetClientSize();
  const int top = toolbar_.Bottom();
  list_.SetSize(0, top, kListWidth, std::max(size.y - top, 0));
  chartWindow_->SetSize(kListWidth + 2, top, std::max(size.x - kListWidth - 2, 0), std::max(size.y - top, 0));
  Refresh();
}

ApInfoRecord CUtilizationUserPlotView::RowAp(int row) const {
  ApInfoRecord ap;
  ap.name = list_.GetItemText(row, kNameColumn);
  ap.mac = list_.GetItemText(row, kMacColumn);
  ap.ip = list_.GetItemText(row, kIpColumn);
  return ap;
}

void CUtilizationUserPlotView::SelectRow(int row) {
  list_.ApplyStatesToMatchingRows(listmodel::ROW_SELECTED, listmodel::ROW_UNSELECTED);
  list_.ApplyRowStates(row, listmodel::ROW_SELECTED | listmodel::ROW_FOCUSED);
}

void CUtilizationUserPlotView::ReadOldestRecords() {
  std::vector<RecorderPollingRecord> oldest;
  GetLoadBalanceManager()->GetOldestRecorders(oldest, apMac_);
  window_.TakeOldestRecords(oldest, platform::Now());
}

void CUtilizationUserPlotView::SelectAp() {
  toolbar_.SetButtons(NavButtonStates{});  // all four enabled
  if (initial_) {
    if (!choice_.plotApMac.empty()) {
      for (int row = 0; row < list_.GetItemCount(); ++row) {
        if (list_.GetItemText(row, kMacColumn) != choice_.plotApMac) continue;
        SelectRow(row);
        selItem_ = row;
        apMac_ = choice_.plotApMac;
        break;
      }
      choice_.plotApMac.clear();
    } else if (list_.IsRowIndexValid(selItem_)) {
      apMac_ = list_.GetItemText(selItem_, kMacColumn);
      SelectRow(selItem_);
    }
  }
  ReadOldestRecords();
  RefreshChart(kPageLast);
}

void CUtilizationUserPlotView::RefreshChart(int page) {
  const int mode = choice_.plotMode;
  if (mode == kPlotNone) return;
  if (apMac_.empty() && list_.GetItemCount() > 0 && !list_.GetItemText(0, kMacColumn).empty())
    platform::MessageBox("Please the select AP item in list view");
  const int filter = window_.GetFilterType(toolbar_.CheckedFilter());
  if (filter == kFilterNone) {
    platform::MessageBox("Please select filter type");
    return;
  }
  const platform::TimePoint now = platform::Now();
  const platform::TimePoint otherEdge = initial_ ? window_.InitialApWindow(now) : window_.ComputeTimeWindow(page, now);
  NavButtonStates buttons = toolbar_.Buttons();
  const UsageWindow shown = window_.FinishWindow(otherEdge, page, now, buttons);
  toolbar_.SetButtons(buttons);
  toolbar_.SetRange(shown.label);
  chart_.RemoveAll();
  std::vector<RecorderPollingRecord> records;
  GetLoadBalanceManager()->GetRecordersByApAndDate(apMac_, records, shown.startMinutes, shown.endMinutes);
  const ApInfoRecord ap = list_.IsRowIndexValid(selItem_) ? RowAp(selItem_) : ApInfoRecord();
  BuildChart(records, chart_, mode, filter, ap, shown);
  chartWindow_->Refresh();
}

void CUtilizationUserPlotView::OnPage(wxCommandEvent& event) {
  const int page = toolbar_.PageOf(event.GetId());
  NavButtonStates buttons = toolbar_.Buttons();
  ButtonsBeforePage(page, buttons);
  toolbar_.SetButtons(buttons);
  RefreshChart(page);
  buttons = toolbar_.Buttons();
  ButtonsAfterPage(page, buttons);
  toolbar_.SetButtons(buttons);
}

std::string CUtilizationUserPlotView::GetSelectedApMac() {
  const int row = list_.FindNextRowWithStates(listmodel::ROW_SELECTED, -1);
  if (!list_.IsRowIndexValid(row)) return {};
  selItem_ = row;
  SelectRow(row);
  return list_.GetItemText(row, kMacColumn);
}

void CUtilizationUserPlotView::OnFilter(wxCommandEvent& event) {
  g_nApFilterId = event.GetId();
  toolbar_.CheckRadio(event.GetId());
  toolbar_.SetButtons(NavButtonStates{});
  const std::string mac = GetSelectedApMac();
  if (mac.empty()) {
    platform::MessageBox("Please select the item in the listview");
    return;
  }
  apMac_ = mac;
  ReadOldestRecords();
  RefreshChart(kPageLast);
}

void CUtilizationUserPlotView::OnListClick(const wxPoint& point) {
  int flags = 0;
  const long row = list_.GetListView()->HitTest(point, flags);
  if (row < 0 || !(flags & wxLIST_HITTEST_ONITEM)) return;
  selItem_ = static_cast<int>(row);
  SelectRow(selItem_);
  apMac_ = list_.GetItemText(selItem_, kMacColumn);
  SelectAp();
}

void CUtilizationUserPlotView::OnExport() {
  if (choice_.plotMode == kPlotNone) return;
  if (export_) export_(choice_.plotMode, {});
  Refresh();
}
