#include "loadbalance/ui/LoadBalanceListView.h"

#include <wx/artprov.h>
#include <wx/imaglist.h>
#include <wx/menu.h>

#include "loadbalance/LoadBalanceManager_DB.h"
#include "loadbalance/ui/ApListFill.h"
#include "loadbalance/ui/LoadBalanceCommandIds.h"

namespace {

constexpr listmodel::ColorRef kListBackground = listmodel::MakeRgb(240, 247, 233);
constexpr int kGroupColumn = 3;
constexpr int kMacColumn = 2;

}  // namespace

CLoadBalanceListView::CLoadBalanceListView(wxWindow* parent, wxWindowID id) : wxPanel(parent, id) {
  m_list.CreateReportList(this, IDC_LIST, nullptr);
  m_images = std::make_unique<wxImageList>(20, 20, true, 3);
  for (const char* art : {wxART_NORMAL_FILE, wxART_NEW, wxART_CROSS_MARK})
    m_images->Add(wxArtProvider::GetBitmap(art, wxART_LIST, wxSize(20, 20)));
  m_list.GetListView()->RowsWindow()->Bind(wxEVT_RIGHT_DOWN, &CLoadBalanceListView::OnRowsRightDown, this);
  Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    event.Skip();
    m_list.SetSize(GetClientSize());
    if (!m_columnsPending) FitColumns();
  });
}

CLoadBalanceListView::~CLoadBalanceListView() = default;

void CLoadBalanceListView::OnInitialUpdate() {
  m_list.DeleteAllItems();
  m_list.SetExtendedStyle(CReportCtrl::LVS_EX_GRIDLINES | CReportCtrl::LVS_EX_FULLROWSELECT);
  m_list.SetImageList(m_images.get());
  for (const char* column : {"SSID", "IP", "MAC", "group information"})
    m_list.InsertColumn(m_list.GetColumnCount(), column);
  m_columnsPending = false;
  m_list.SetSize(GetClientSize());
  FitColumns();
  Reload();
}

void CLoadBalanceListView::Reload() {
  m_aps.clear();
  GetLoadBalanceManager()->GetLoadBalanceApList(m_aps);
  m_list.DeleteAllItems();
  InsertApListItemsWithState(m_list, m_aps, false);
  m_list.SetItemBkColor(-1, -1, kListBackground);
}

void CLoadBalanceListView::FitColumns() {
  const int width = m_list.GetListView()->GetClientSize().x / 4;
  for (int column = 0; column < m_list.GetColumnCount(); ++column)
    m_list.GetListView()->SetColumnWidth(column, width);
}

void CLoadBalanceListView::DeselectAll() {
  m_list.SetFocus();
  for (int row = 0; row < m_list.GetItemCount(); ++row)
    if (m_list.RowMatchesStates(row, listmodel::ROW_SELECTED)) m_list.ApplyRowStates(row, listmodel::ROW_UNSELECTED);
}

bool CLoadBalanceListView::MarkGroupRows(const std::vector<ApInfoRecord>& aps, const std::string& group) {
  if (aps.empty()) return true;
  DeselectAll();
  int highest = -1;
  for (const ApInfoRecord& ap : aps)
    for (int row = 0; row < m_list.GetItemCount(); ++row)
      if (m_list.GetItemText(row, kMacColumn) == ap.mac) {
        m_list.SetItemText(row, kGroupColumn, group);
        m_list.ApplyRowStates(row, listmodel::ROW_SELECTED | listmodel::ROW_FOCUSED);
        highest = std::max(highest, row);
        break;
      }
  if (highest >= 0) m_list.GetListView()->EnsureVisible(highest);
  return true;
}

int CLoadBalanceListView::CollectSelectedUngrouped(std::vector<ApInfoRecord>& out) const {
  for (int row = 0; row < m_list.GetItemCount(); ++row) {
    if (!m_list.RowMatchesStates(row, listmodel::ROW_SELECTED)) continue;
    std::optional<ApInfoRecord> ap = ApAtRow(row);
    if (ap && ap->group_balance.empty()) out.push_back(*ap);
  }
  return static_cast<int>(out.size());
}

std::optional<ApInfoRecord> CLoadBalanceListView::ApAtRow(int row) const {
  if (!m_list.IsRowIndexValid(row)) return std::nullopt;
  const std::uintptr_t record = m_list.GetItemData(row);
  if (record >= m_aps.size()) return std::nullopt;
  ApInfoRecord ap = m_aps[record];
  ap.group_balance = m_list.GetItemText(row, kGroupColumn);  // as marked since the last load
  return ap;
}

bool CLoadBalanceListView::SelectApByMac(const std::string& mac) {
  for (int row = 0; row < m_list.GetItemCount(); ++row)
    if (m_list.GetItemText(row, kMacColumn) == mac) {
      DeselectAll();
      m_list.ApplyRowStates(row, listmodel::ROW_SELECTED | listmodel::ROW_FOCUSED);
      m_list.GetListView()->EnsureVisible(row);
      return true;
    }
  return false;
}

int CLoadBalanceListView::RowAtScreenPoint(const wxPoint& screen) const {
  wxListCtrl* view = const_cast<CReportCtrl&>(m_list).GetListView();
  int flags = 0;
  const long row = view->HitTest(view->ScreenToClient(screen), flags);
  return (row >= 0 && (flags & wxLIST_HITTEST_ONITEM)) ? static_cast<int>(row) : -1;
}

void CLoadBalanceListView::OnRowsRightDown(wxMouseEvent& event) {
  const wxPoint screen = m_list.GetListView()->RowsWindow()->ClientToScreen(event.GetPosition());
  const int row = RowAtScreenPoint(screen);
  if (row < 0) return event.Skip();
  ShowPopup(row, ScreenToClient(screen));
}

void CLoadBalanceListView::ShowPopup(int row, const wxPoint& where) {
  m_contextItem = row;
  wxMenu menu;
  menu.Append(lb_command::kCreateGroup, "Create Load-Balance-Group");
  menu.Append(lb_command::kJoinGroup, "Join Load-Balance-Group");
  menu.AppendSeparator();
  menu.Append(lb_command::kListApConfiguration, "Configuration");
  menu.Append(lb_command::kReloadPreviousGroup, "Reload Previous Group");
  menu.Append(lb_command::kSaveToDatabase, "Save To Database");
  menu.Append(lb_command::kDeleteFromDatabase, "Delete From Database");
  if (!m_list.GetItemText(row, kGroupColumn).empty()) {  // already in a group
    menu.Enable(lb_command::kCreateGroup, false);
    menu.Enable(lb_command::kJoinGroup, false);
  }
  menu.Bind(wxEVT_MENU, [this](wxCommandEvent& event) {
    if (m_commandTarget) m_commandTarget->ProcessEvent(event);
  });
  PopupMenu(&menu, where);
}
