#include "usage/ui/UtilizationBalanceView.h"

#include <wx/artprov.h>
#include <wx/combobox.h>
#include <wx/imaglist.h>
#include <wx/stattext.h>

#include "charts/ChartWindow.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "platform/MessageBox.h"
#include "usage/GroupUsageChart.h"

int g_nBalanceFilterId = CUtilizationBalanceView::kDayId;

namespace {

enum TreeImage : int { kBalancingGroupImage = 0, kApImage = 1, kGroupImage = 2 };

const UsageToolbarLayout kLayout = {
    {CUtilizationBalanceView::kHourId, {79, 5, 32, 10}},
    {CUtilizationBalanceView::kDayId, {118, 5, 24, 10}},
    {CUtilizationBalanceView::kWeekId, {153, 5, 29, 10}},
    CUtilizationBalanceView::kMonthId,
    {CUtilizationBalanceView::kFirstId, {209, 3, 17, 14}},
    {CUtilizationBalanceView::kPrevId, {227, 3, 17, 14}},
    {CUtilizationBalanceView::kNextId, {245, 3, 17, 14}},
    {CUtilizationBalanceView::kLastId, {263, 3, 17, 14}},
    {CUtilizationBalanceView::kExportId, {287, 3, 39, 14}},
    {CUtilizationBalanceView::kRangeId, {332, 5, 164, 9}},
    false,
};

// The group's index, kept with its tree item.
class GroupIndexData : public wxTreeItemData {
 public:
  explicit GroupIndexData(int index) : index(index) {}
  int index;
};

std::unique_ptr<wxImageList> TreeImages() {
  auto images = std::make_unique<wxImageList>(20, 20, true, 8);
  for (const char* art : {wxART_FOLDER_OPEN, wxART_NORMAL_FILE, wxART_FOLDER})
    images->Add(wxArtProvider::GetBitmap(art, wxART_OTHER, wxSize(20, 20)));
  return images;
}

}  // namespace

CUtilizationBalanceView::CUtilizationBalanceView(wxWindow* parent, ReportExport exportReport, wxWindowID id)
    : wxPanel(parent, id),
      tree_(new wxTreeCtrl(this, kTreeId, wxDefaultPosition, wxDefaultSize,
                           wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT | wxTR_SINGLE | wxBORDER_SUNKEN)),
      chartWindow_(new CChartWindow(this, kChartId, chart_)),
      toolbar_(this, kLayout),
      export_(std::move(exportReport)),
      window_(kGroupViewUnits, platform::Now()) {
  new wxStaticText(this, wxID_ANY, "Balance Group", ConvertDialogToPixels(wxPoint(7, 5)));
  // Kept hidden: it names what the chart counts and nothing reads it.
  users_ = new wxComboBox(this, kComboId, "", ConvertDialogToPixels(wxPoint(315, 5)), wxDefaultSize, 0, nullptr,
                          wxCB_DROPDOWN);
  users_->Hide();
  users_->Disable();
  tree_->AddRoot("");
  Bind(wxEVT_SIZE, &CUtilizationBalanceView::OnSize, this);
  for (int buttonId : {kFirstId, kPrevId, kNextId, kLastId})
    Bind(wxEVT_BUTTON, &CUtilizationBalanceView::OnPage, this, buttonId);
  for (int radioId : {kHourId, kDayId, kWeekId, kMonthId})
    Bind(wxEVT_RADIOBUTTON, &CUtilizationBalanceView::OnFilter, this, radioId);
  Bind(
      wxEVT_BUTTON,
      [this](wxCommandEvent&) {
        if (export_) export_(kGroupUsersReport, {});
      },
      kExportId);
  // A click is judged once the tree has handled it, where the pointer was let go.
  tree_->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& event) {
    event.Skip();
    const wxPoint point = event.GetPosition();
    CallAfter([this, point] { OnTreeClick(point); });
  });
}

CUtilizationBalanceView::~CUtilizationBalanceView() = default;

void CUtilizationBalanceView::OnInitialUpdate() {
  images_ = TreeImages();
  tree_->SetImageList(images_.get());
  LoadGroupTree();
  users_->Append("Users");
  initial_ = true;
  toolbar_.CheckRadio(g_nBalanceFilterId);
  RefreshChart(groups_.empty() ? std::string() : groups_.front().group_name);
  initial_ = false;
  wxSizeEvent resize(GetSize());
  OnSize(resize);
}

void CUtilizationBalanceView::OnSize(wxSizeEvent& event) {
  event.Skip();
  const wxSize size = GetClientSize();
  const int top = toolbar_.Bottom();
  const int treeWidth = size.x / 5;
  tree_->SetSize(0, top, treeWidth, std::max(size.y - top, 0));
  chartWindow_->SetSize(treeWidth + 2, top, std::max(size.x - treeWidth - 2, 0), std::max(size.y - top, 0));
  Refresh();
}

void CUtilizationBalanceView::LoadGroupTree() {
  tree_->DeleteChildren(tree_->GetRootItem());
  groups_.clear();
  if (GetLoadBalanceManager()->loadGroupList(groups_)) FillGroupTree();
}

wxTreeItemId CUtilizationBalanceView::FindRootItem(const std::string& text) const {
  wxTreeItemIdValue cookie;
  for (wxTreeItemId item = tree_->GetFirstChild(tree_->GetRootItem(), cookie); item.IsOk();
       item = tree_->GetNextChild(tree_->GetRootItem(), cookie))
    if (tree_->GetItemText(item).utf8_string() == text) return item;
  return {};
}

void CUtilizationBalanceView::FillGroupTree() {
  for (const LoadBalanceGroupRecord& group : groups_) {
    wxTreeItemId item = FindRootItem(group.group_name);
    if (!item.IsOk()) {
      const int image = group.load_balance != 0 ? kBalancingGroupImage : kGroupImage;
      item = tree_->AppendItem(tree_->GetRootItem(), wxString::FromUTF8(group.group_name), image, image,
                               new GroupIndexData(group.index));
    }
    static_cast<GroupIndexData*>(tree_->GetItemData(item))->index = group.index;
    for (const ApInfoRecord& ap : group.aps)
      tree_->AppendItem(item, wxString::FromUTF8(GroupTreeApText(ap)), kApImage, kApImage,
                        new GroupIndexData(group.index));
    tree_->Expand(item);
  }
}

void CUtilizationBalanceView::SelectGroupItem(const std::string& text) {
  if (text.empty() || groups_.empty()) return;
  if (const wxTreeItemId item = FindRootItem(text); item.IsOk()) tree_->SelectItem(item);
}

void CUtilizationBalanceView::RefreshChart(const std::string& selectionText) {
  SelectGroupItem(selectionText);
  chart_.RemoveAll();
  std::optional<std::string> parentGroup;
  if (remembered_.IsOk()) {
    const wxTreeItemId parent = tree_->GetItemParent(remembered_);
    if (parent.IsOk() && parent != tree_->GetRootItem()) parentGroup = tree_->GetItemText(parent).utf8_string();
  }
  const GroupChartSelection selection = SelectChartAps(groups_, selectionText, parentGroup);
  const int filter = window_.GetFilterType(toolbar_.CheckedFilter());
  if (initial_) {
    selText_ = selectionText;
    page_ = kPageLast;
  }
  if (filter == kFilterNone) {
    platform::MessageBox("Please select filter type");
    chartWindow_->Refresh();
    return;
  }
  const platform::TimePoint now = platform::Now();
  if (initial_) GatherOldestRecords(*GetLoadBalanceManager(), selection.aps, window_, now);
  NavButtonStates buttons = toolbar_.Buttons();
  const UsageWindow shown = window_.FinishWindow(window_.ComputeTimeWindow(page_, now), page_, now, buttons);
  toolbar_.SetButtons(buttons);
  toolbar_.SetRange(shown.label);
  BuildGroupUsersChart(*GetLoadBalanceManager(), selection, selText_, shown, chart_);
  chartWindow_->Refresh();
}

void CUtilizationBalanceView::OnPage(wxCommandEvent& event) {
  page_ = toolbar_.PageOf(event.GetId());
  NavButtonStates buttons = toolbar_.Buttons();
  ButtonsBeforePage(page_, buttons);
  toolbar_.SetButtons(buttons);
  RefreshChart(selText_);
  buttons = toolbar_.Buttons();
  ButtonsAfterPage(page_, buttons);
  toolbar_.SetButtons(buttons);
}

void CUtilizationBalanceView::OnFilter(wxCommandEvent& event) {
  toolbar_.CheckRadio(event.GetId());
  if (toolbar_.FilterOf(event.GetId()) != kFilterMonth) g_nBalanceFilterId = event.GetId();
  const wxTreeItemId selected = tree_->GetSelection();
  if (!selected.IsOk()) {
    platform::MessageBox("Please select a Group item in the tree view");
    return;
  }
  remembered_ = selected;
  selText_ = tree_->GetItemText(selected).utf8_string();
  RefreshChart(selText_);
}

void CUtilizationBalanceView::OnTreeClick(const wxPoint& point) {
  int flags = 0;
  const wxTreeItemId hit = tree_->HitTest(point, flags);
  remembered_ = hit;
  if (hit.IsOk() && (flags & wxTREE_HITTEST_ONITEM)) {
    tree_->SelectItem(hit);
    selText_ = tree_->GetItemText(hit).utf8_string();
  }
  RefreshChart(selText_);
}
