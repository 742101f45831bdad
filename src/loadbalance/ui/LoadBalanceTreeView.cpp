#include "loadbalance/ui/LoadBalanceTreeView.h"

#include <wx/artprov.h>
#include <wx/bmpbuttn.h>
#include <wx/imaglist.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/time.h>

#include <mutex>

#include "controls/ProgressWnd.h"
#include "lbmodel/LoadBalanceTree.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "loadbalance/ui/LoadBalanceCommandIds.h"
#include "loadbalance/ui/LoadBalanceDialog.h"
#include "loadbalance/ui/LoadBalanceJoinDialog.h"
#include "loadbalance/ui/LoadBalanceListView.h"
#include "loadbalance/ui/LoadBalanceRenameDialog.h"
#include "log/LogDBModule.h"
#include "platform/MessageBox.h"
#include "settings/GlobalSettings.h"

namespace {

constexpr long kDragDelayMs = 60;  // a press shorter than this before a drag is a click

std::string Formatted(const char* format, const std::string& value) {
  char text[512];
  std::snprintf(text, sizeof text, format, value.c_str());
  return text;
}

struct ButtonLook {
  int id;
  wxArtID art;
  const char* tip;
};

}  // namespace

CLoadBalanceTreeView::CLoadBalanceTreeView(wxWindow* parent, wxWindowID id)
    : wxPanel(parent, id),
      m_service(*GetLoadBalanceManager()),
      m_commands(m_service, [](const std::string& line) { GetLogDBModule()->WriteActionLog(line); }) {
  CreateButtons();
  m_tree = new wxTreeCtrl(this, IDC_TREE, wxDefaultPosition, wxDefaultSize,
                          wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT | wxTR_SINGLE | wxBORDER_SUNKEN);
  m_summary = new wxTextCtrl(this, IDC_SUMMARY, "", wxDefaultPosition, wxDefaultSize,
                             wxTE_MULTILINE | wxTE_READONLY | wxHSCROLL);
  m_summary->Hide();
  m_tree->Bind(wxEVT_LEFT_DOWN, &CLoadBalanceTreeView::OnTreeLeftDown, this);
  m_tree->Bind(wxEVT_RIGHT_DOWN, &CLoadBalanceTreeView::OnTreeRightDown, this);
  m_tree->Bind(wxEVT_TREE_ITEM_ACTIVATED, &CLoadBalanceTreeView::OnItemActivated, this);
  m_tree->Bind(wxEVT_TREE_BEGIN_DRAG, &CLoadBalanceTreeView::OnBeginDrag, this);
  m_tree->Bind(wxEVT_TREE_END_DRAG, &CLoadBalanceTreeView::OnEndDrag, this);
  Bind(wxEVT_MENU, &CLoadBalanceTreeView::OnCommand, this);
  Bind(wxEVT_BUTTON, &CLoadBalanceTreeView::OnCommand, this);
  Bind(wxEVT_TIMER, [this](wxTimerEvent&) { UpdateSummary(); }, kSummaryTimer);
  Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
    event.Skip();
    PlaceControls();
  });
}

CLoadBalanceTreeView::~CLoadBalanceTreeView() {
  m_summaryTimer.Stop();
  m_job.Stop(false);  // a command's device work ends before the pane goes
  if (m_progress) m_progress->Destroy();
}

void CLoadBalanceTreeView::CreateButtons() {
  const ButtonLook buttons[] = {
      {lb_command::kButtonCreateGroup, wxART_NEW_DIR, "Add Load balance group"},
      {lb_command::kButtonDeleteGroup, wxART_DELETE, "Delete Selected loadbalance group"},
      {lb_command::kButtonReload, wxART_REDO, "Fresh Load balance group info from DB"},
      {lb_command::kButtonAddAps, wxART_PLUS, "Add APs to load balance group"},
      {lb_command::kButtonDeleteAps, wxART_MINUS, "Delete APs from selected load balance group"},
  };
  int x = 2;
  for (const ButtonLook& look : buttons) {
    auto* button = new wxBitmapButton(this, look.id, wxArtProvider::GetBitmap(look.art, wxART_BUTTON, wxSize(20, 20)),
                                      wxPoint(x, 2), wxSize(28, 26));
    button->SetToolTip(look.tip);
    x += 30;
  }
}

void CLoadBalanceTreeView::OnInitialUpdate() {
  m_images = std::make_unique<wxImageList>(20, 20, true, 3);
  for (const char* art : {wxART_FOLDER, wxART_NORMAL_FILE, wxART_CROSS_MARK})
    m_images->Add(wxArtProvider::GetBitmap(art, wxART_OTHER, wxSize(20, 20)));
  m_tree->SetImageList(m_images.get());
  RefreshTree();
  PlaceControls();
}

void CLoadBalanceTreeView::PlaceControls() {
  const wxSize size = GetClientSize();
  const int treeWidth = m_summaryShown ? size.x * 2 / 3 : size.x;
  m_tree->SetSize(0, kButtonRowHeight, treeWidth, std::max(0, size.y - kButtonRowHeight));
  if (m_summaryShown) {
    const int left = size.x * 2 / 3 + 3;
    m_summary->SetSize(left, 25, std::max(0, size.x - left), std::max(0, size.y - 25));
    m_summary->Show();
    m_summary->Raise();
  } else {
    m_summary->Hide();
  }
}

void CLoadBalanceTreeView::SetSummaryShown(bool shown) {
  m_summaryShown = shown;
  if (shown) {
    UpdateSummary();
    m_summaryTimer.Start(kSummaryIntervalMs);
  } else {
    m_summaryTimer.Stop();
  }
  PlaceControls();
}

void CLoadBalanceTreeView::UpdateSummary() {
  if (Busy()) return;  // the command's thread owns the groups until it is done
  std::string lastPolling;
  {
    std::lock_guard lock(g_RuntimeSettings.csSettings);
    lastPolling = g_RuntimeSettings.strLastPollingTime;
  }
  m_summary->ChangeValue(wxString::FromUTF8(m_commands.SummaryText(lastPolling)));
}

void CLoadBalanceTreeView::SetListView(CLoadBalanceListView* list) {
  m_listView = list;
  if (list) list->SetCommandTarget(this);
}

void CLoadBalanceTreeView::RefreshTree() {
  m_commands.Refresh();
  ShowTree();
}

void CLoadBalanceTreeView::ShowTree() {
  m_selected = wxTreeItemId();
  m_tree->DeleteAllItems();
  const wxTreeItemId root = m_tree->AddRoot("");
  for (const LbTreeNode& group : m_commands.Tree().Roots()) {
    const wxTreeItemId node = m_tree->AppendItem(root, wxString::FromUTF8(group.text), group.image, group.image);
    for (const LbTreeNode& ap : group.children)
      m_tree->AppendItem(node, wxString::FromUTF8(ap.text), ap.image, ap.image);
    if (group.expanded) m_tree->Expand(node);
  }
  if (m_summaryShown) UpdateSummary();
}

std::string CLoadBalanceTreeView::ItemText(const wxTreeItemId& item) const {
  return item.IsOk() ? m_tree->GetItemText(item).utf8_string() : std::string();
}

bool CLoadBalanceTreeView::CheckGroupSelected() {
  if (!m_selected.IsOk()) {
    platform::MessageBox("Please select the tree group item");
    return false;
  }
  if (!m_commands.IsGroupName(ItemText(m_selected))) {
    platform::MessageBox("Please select the group item");
    return false;
  }
  return true;
}

void CLoadBalanceTreeView::RunCommand(const std::string& title, std::function<bool()> work,
                                      const std::string& shownGroup) {
  m_selected = wxTreeItemId();
  m_progress = new CProgressWnd(this, title);
  m_progress->SetRange(0, 1);
  m_progress->SetMessageText("%s", "Setting the access points, please wait...");
  m_progress->Show();
  Disable();  // one command at a time; the rest of the window stays usable
  const auto finish = [this, shownGroup](bool) {
    Enable();
    if (m_progress) m_progress->Destroy();
    m_progress = nullptr;
    ShowTree();
    if (!m_listView) return;
    m_listView->Reload();
    if (const LoadBalanceGroupRecord* group = FindGroup(m_commands.Groups(), shownGroup))
      m_listView->MarkGroupRows(group->aps, group->group_name);
  };
  if (!m_job.Launch(std::move(work), finish)) finish(false);  // no thread: nothing was done
}

void CLoadBalanceTreeView::OnCommand(wxCommandEvent& event) {
  using namespace lb_command;
  if (Busy()) return;  // also the AP list's commands wait for the command running
  switch (event.GetId()) {
    case kButtonCreateGroup:
    case kCreateGroup:
    case kAddGroup:
      return OnAddGroup();
    case kAddGroupHere:
      if (m_selected.IsOk()) OnAddGroup();
      m_selected = wxTreeItemId();
      return;
    case kButtonAddAps:
      if (CheckGroupSelected()) OnAddAp();
      return;
    case kAddAp:
      return OnAddAp();
    case kButtonDeleteGroup:
      if (CheckGroupSelected()) OnDeleteGroup();
      return;
    case kDeleteGroup:
      return OnDeleteGroup();
    case kButtonDeleteAps:
      if (CheckGroupSelected()) OnDeleteGroupAps();
      return;
    case kDeleteGroupAps:
      return OnDeleteGroupAps();
    case kButtonReload:
      return RefreshTree();
    case kDeleteAp:
      return OnDeleteApNode();
    case kRename:
      return OnRenameGroup();
    case kEnableGroup:
      return OnSetGroupBalancing(true);
    case kDisableGroup:
      return OnSetGroupBalancing(false);
    case kExpand:
    case kCollapse:
      if (m_selected.IsOk()) {
        const bool expand = event.GetId() == kExpand;
        expand ? m_tree->Expand(m_selected) : m_tree->Collapse(m_selected);
        m_commands.SetExpanded(ItemText(m_selected), expand);
      }
      return;
    case kApConfiguration:
      return OnApConfiguration(false);
    case kApPreviousConfiguration:
      return OnApConfiguration(true);
    case kListApConfiguration:
      return OnListApConfiguration(false);
    case kReloadPreviousGroup:
      return OnListApConfiguration(true);
    case kJoinGroup:
      return OnJoinGroup();
    case kJoinNodeMessage:
      platform::MessageBox("Join the node in the list view");
      return;
    case kDeleteApMessage:
      platform::MessageBox("Delete the AP from db");
      return;
    default:  // "Save To Database", "Delete From Database" and 32910 do nothing
      return;
  }
}

void CLoadBalanceTreeView::OnAddGroup() {
  m_selected = wxTreeItemId();
  std::vector<ApInfoRecord> picked;
  if (m_listView) m_listView->CollectSelectedUngrouped(picked);
  auto form = std::make_shared<CLoadBalanceGroupForm>(m_commands.PrepareAddGroup(picked));
  CLoadBalanceDialog dialog(this, *form);
  if (dialog.ShowModal() != wxID_OK) return;
  RunCommand("Add Load Balance Group", [this, form] { return m_commands.AddGroup(*form); }, form->name);
}

void CLoadBalanceTreeView::OnAddAp() {
  const std::string group = ItemText(m_selected);
  std::optional<CLoadBalanceGroupForm> prepared = m_commands.PrepareAddAps(group);
  if (!prepared) return;
  auto form = std::make_shared<CLoadBalanceGroupForm>(std::move(*prepared));
  CLoadBalanceDialog dialog(this, *form);
  if (dialog.ShowModal() != wxID_OK || form->selectedAps.empty()) {
    m_selected = wxTreeItemId();
    return;
  }
  RunCommand("Add APs", [this, form, group] { return m_commands.AddAps(group, *form); }, group);
}

void CLoadBalanceTreeView::OnDeleteGroup() {
  const std::string group = ItemText(m_selected);
  if (platform::MessageBox(Formatted("Do you be sure to delete the group %s", group), {}, platform::MB_OKCANCEL) !=
      platform::IDOK)
    return;
  RunCommand("Delete Load Balance Group", [this, group] { return m_commands.DeleteGroup(group); });
}

void CLoadBalanceTreeView::OnDeleteGroupAps() {
  const std::string group = ItemText(m_selected);
  if (platform::MessageBox(Formatted("Do you be sure to delete all APs of the group %s", group), {},
                           platform::MB_OKCANCEL) != platform::IDOK)
    return;
  RunCommand("Delete APs", [this, group] { return m_commands.DeleteGroupAps(group); });
}

void CLoadBalanceTreeView::OnDeleteApNode() {
  if (!m_selected.IsOk()) return;
  const wxTreeItemId parent = m_tree->GetItemParent(m_selected);
  if (!parent.IsOk() || parent == m_tree->GetRootItem()) return;
  const std::string label = ItemText(m_selected);
  if (platform::MessageBox(Formatted("Do you be sure to delete the Ap_%s from the group", label), {},
                           platform::MB_OKCANCEL) != platform::IDOK)
    return;
  const std::string group = ItemText(parent);
  RunCommand("Delete AP", [this, group, label] { return m_commands.DeleteApNode(group, label); });
}

void CLoadBalanceTreeView::OnRenameGroup() {
  const std::string oldName = ItemText(m_selected);
  if (!m_commands.IsGroupName(oldName)) return;
  CLoadBalanceRenameDialog dialog(this, oldName, m_commands.GroupNames());
  if (dialog.ShowModal() != wxID_OK) return;
  const std::string newName = dialog.NewName();
  RunCommand("Rename Load Balance Group", [this, oldName, newName] { return m_commands.RenameGroup(oldName, newName); });
}

void CLoadBalanceTreeView::OnSetGroupBalancing(bool on) {
  const std::string group = ItemText(m_selected);
  RunCommand(on ? "Enable Load Balance" : "Disable Load Balance",
             [this, group, on] { return m_commands.SetGroupBalancing(group, on); });
}

void CLoadBalanceTreeView::OnJoinGroup() {
  const std::vector<std::string> names = m_commands.GroupNames();
  if (names.empty()) return;
  std::string group;
  while (group.empty()) {
    CLoadBalanceJoinDialog dialog(this, names);
    if (dialog.ShowModal() != wxID_OK) return;
    group = dialog.GroupName();
  }
  std::vector<ApInfoRecord> picked;
  if (m_listView) m_listView->CollectSelectedUngrouped(picked);
  RunCommand("Join Load Balance Group", [this, group, picked] { return m_commands.JoinGroup(group, picked); }, group);
}

void CLoadBalanceTreeView::OnApConfiguration(bool previous) {
  if (!m_selected.IsOk() || !m_openConfiguration) return;
  const wxTreeItemId parent = m_tree->GetItemParent(m_selected);
  if (!parent.IsOk() || parent == m_tree->GetRootItem()) return;
  const std::optional<ApInfoRecord> ap = m_commands.FindAp(ItemText(parent), ItemText(m_selected));
  if (ap) m_openConfiguration(ap->ip, ap->mac, "AP '" + ap->ip + "' configuration", previous);
}

void CLoadBalanceTreeView::OnListApConfiguration(bool previous) {
  if (!m_listView || !m_openConfiguration) return;
  const std::optional<ApInfoRecord> ap = m_listView->ApAtRow(m_listView->GetContextItem());
  if (ap) m_openConfiguration(ap->ip, ap->mac, "AP '" + ap->ip + "' configuration", previous);
}

void CLoadBalanceTreeView::OnTreeLeftDown(wxMouseEvent& event) {
  event.Skip();
  m_lastLeftDown = wxGetLocalTimeMillis();
  int flags = 0;
  m_selected = m_tree->HitTest(event.GetPosition(), flags);
  if (m_selected.IsOk() && (flags & (wxTREE_HITTEST_ONITEMICON | wxTREE_HITTEST_ONITEMLABEL)))
    m_tree->SelectItem(m_selected);
}

void CLoadBalanceTreeView::OnTreeRightDown(wxMouseEvent& event) {
  int flags = 0;
  m_selected = m_tree->HitTest(event.GetPosition(), flags);
  if (!m_selected.IsOk()) return ShowPopup(m_selected, event.GetPosition());
  if (!(flags & (wxTREE_HITTEST_ONITEMICON | wxTREE_HITTEST_ONITEMLABEL))) return;  // beside the label
  m_tree->SelectItem(m_selected);
  ShowPopup(m_selected, event.GetPosition());
}

void CLoadBalanceTreeView::ShowPopup(const wxTreeItemId& item, const wxPoint& where) {
  using namespace lb_command;
  wxMenu menu;
  const LoadBalanceGroupRecord* group = FindGroup(m_commands.Groups(), ItemText(item));
  if (!item.IsOk()) {
    menu.Append(kAddGroup, "Add Group");
  } else if (group) {
    menu.Append(kRename, "Rename");
    menu.Append(kDeleteGroup, "Delete");
    menu.AppendSeparator();
    menu.Append(kAddGroupHere, "Add Group(&A)");
    menu.Append(kAddAp, "Add AP(&F)");
    menu.Append(kDeleteGroupAps, "Delete AP(&G)");
    menu.AppendSeparator();
    menu.Append(kEnableGroup, "Enable Load Balance");
    menu.Append(kDisableGroup, "Disable Load Balance");
    menu.Enable(kEnableGroup, group->load_balance != 1);
    menu.Enable(kDisableGroup, group->load_balance == 1);
    menu.AppendSeparator();
    menu.Append(kExpand, "Expand");
    menu.Append(kCollapse, "Collapse");
  } else {
    menu.Append(kDeleteAp, "Delete");
    menu.AppendSeparator();
    menu.Append(kApConfiguration, "Configuration");
  }
  m_tree->PopupMenu(&menu, where);
}

void CLoadBalanceTreeView::OnItemActivated(wxTreeEvent& event) {
  const wxTreeItemId item = event.GetItem();
  const wxTreeItemId parent = m_tree->GetItemParent(item);
  if (!m_listView || !parent.IsOk() || parent == m_tree->GetRootItem()) return event.Skip();
  // An AP node: its row in the AP list, found by the AP's MAC.
  if (const std::optional<ApInfoRecord> ap = m_commands.FindAp(ItemText(parent), ItemText(item)))
    m_listView->SelectApByMac(ap->mac);
}

void CLoadBalanceTreeView::OnBeginDrag(wxTreeEvent& event) {
  const wxTreeItemId selected = m_tree->GetSelection();
  if (wxGetLocalTimeMillis() - m_lastLeftDown < kDragDelayMs || !m_listView || !selected.IsOk() ||
      !m_commands.IsGroupName(ItemText(selected)))
    return;
  m_dragGroup = event.GetItem();
  event.Allow();
}

void CLoadBalanceTreeView::OnEndDrag(wxTreeEvent& event) {
  const wxTreeItemId dragged = m_dragGroup;
  m_dragGroup = wxTreeItemId();
  if (!m_listView || !dragged.IsOk()) return;
  const int row = m_listView->RowAtScreenPoint(m_tree->ClientToScreen(event.GetPoint()));
  const std::optional<ApInfoRecord> ap = m_listView->ApAtRow(row);
  const std::string group = ItemText(dragged);
  if (!ap || !ap->group_balance.empty() || !m_commands.IsGroupName(group)) return;
  RunCommand("Join Load Balance Group", [this, dropped = *ap, group] { return m_commands.DropApOnGroup(dropped, group); },
             group);
}
