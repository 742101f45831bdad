#include "groupmodel/ui/GroupTreeView.h"

#include <wx/imaglist.h>
#include <wx/menu.h>
#include <wx/time.h>

#include "db/AccessDatabase.h"
#include "db/ApProperties.h"
#include "groupmodel/BindingWarning.h"
#include "groupmodel/DragScroll.h"
#include "groupmodel/GroupChanges.h"
#include "groupmodel/GroupListRows.h"
#include "groupmodel/TemplatePageMapping.h"
#include "groupmodel/TextFormat.h"
#include "groupmodel/ui/AddGroupBasicPage.h"
#include "groupmodel/ui/AddGroupSheet.h"
#include "groupmodel/ui/ApRowPeer.h"
#include "groupmodel/ui/GroupCommands.h"
#include "groupmodel/ui/GroupIcons.h"
#include "groupmodel/ui/GroupNodeDialogs.h"
#include "groupmodel/ui/RenameGroupDlg.h"
#include "groups/GroupStore.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "uibase/GuiMessageReceiver.h"

using namespace group_cmd;

class CGroupTreeView::ApData : public wxTreeItemData {
 public:
  explicit ApData(std::string mac) : mac(std::move(mac)) {}
  std::string mac;
};

CGroupTreeView::CGroupTreeView(wxWindow* parent, GroupViewServices services)
    : wxTreeCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                 wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT | wxTR_SINGLE),
      services_(std::move(services)),
      hoverTimer_(this, kHoverTimer),
      scrollTimer_(this, kScrollTimer) {
  images_.reset(CGroupIcons::MakeTreeImages());
  SetImageList(images_.get());
  Bind(wxEVT_TREE_ITEM_RIGHT_CLICK, &CGroupTreeView::OnRightClick, this);
  Bind(wxEVT_RIGHT_DOWN, [this](wxMouseEvent& event) {
    int flags = 0;
    if (HitTest(event.GetPosition(), flags).IsOk()) return event.Skip();
    std::unique_ptr<wxMenu> menu(MakeGroupPopup(GroupPopup::kEmptyClick));
    PopupMenu(menu.get());
  });
  Bind(wxEVT_TREE_BEGIN_DRAG, &CGroupTreeView::OnBeginDrag, this);
  Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
    downTick_ = wxGetLocalTimeMillis();
    event.Skip();
  });
  Bind(wxEVT_MOTION, &CGroupTreeView::OnMouseMove, this);
  Bind(wxEVT_LEFT_UP, &CGroupTreeView::OnLeftUp, this);
  Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { EndDrag(); });
  Bind(wxEVT_TIMER, &CGroupTreeView::OnTimer, this);

  Bind(wxEVT_MENU, [this](wxCommandEvent&) { EditTemplate(); }, kEditTemplate);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { ConfigureApList(); }, kConfigureApList);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { Rename(); }, kRename);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { Delete(); }, kDelete);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { AddGroup(); }, kAddGroup);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { AddAp(); }, kAddAp);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { if (GetSelection().IsOk()) Expand(GetSelection()); }, kExpand);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { if (GetSelection().IsOk()) Collapse(GetSelection()); }, kCollapse);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { ApConfiguration(false); }, kApConfiguration);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { ApConfiguration(true); }, kApPreviousConfiguration);
  for (int id : {kNotYet1, kNotYet2, kNotYet3})
    Bind(wxEVT_MENU, [](wxCommandEvent&) { platform::MessageBox("To be continued!"); }, id);
  // Apply Template stays enabled on group nodes and does nothing here.
  Bind(wxEVT_MENU, [](wxCommandEvent&) {}, kApplyTemplate);
  for (int id : {kEditTemplate, kApplyTemplate, kNotYet3, kReservedGroupCommand, kRename})
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { UpdateCommand(event, 0); }, id);
  for (int id : {kApPreviousConfiguration, kApConfiguration})
    Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { UpdateCommand(event, 1); }, id);

  receiver_ = std::make_shared<CGuiMessageReceiver>(this, [this](const platform::Message& message) -> std::intptr_t {
    if (message.id == msg::WM_GROUP_RELOAD) FillTree();
    return 0;
  });
  windowId_ = platform::RegisterWindow(receiver_);
  FillTree();
}

CGroupTreeView::~CGroupTreeView() {
  platform::UnregisterWindow(windowId_);
  receiver_->Detach();
  if (HasCapture()) ReleaseMouse();
  SetImageList(nullptr);
}

CGroupTreeView* CGroupTreeView::SetPeerListView(IApRowPeer* peer) {
  peer_ = peer;
  return this;
}

void CGroupTreeView::UpdateCommand(wxUpdateUIEvent& event, int kind) const { event.Enable(GetNodeKind() == kind); }

void CGroupTreeView::FillTree() {
  DeleteAllItems();
  const wxTreeItemId root = AddRoot(wxString());
  model_.BuildTreeView();
  for (const GroupTreeGroup& group : model_.Groups()) {
    const wxTreeItemId node = AppendItem(root, wxString::FromUTF8(group.label), 0, 0);
    for (const GroupTreeAp& ap : group.aps)
      AppendItem(node, wxString::FromUTF8(ap.label), ap.image, ap.image, new ApData(ap.mac));
  }
  wxTreeItemIdValue cookie;
  for (wxTreeItemId node = GetFirstChild(root, cookie); node.IsOk(); node = GetNextChild(root, cookie))
    if (ItemHasChildren(node)) Expand(node);
}

int CGroupTreeView::GetNodeKind(wxTreeItemId item) const {
  if (!item.IsOk()) item = GetSelection();
  if (!item.IsOk() || item == GetRootItem()) return -1;
  return GetItemParent(item) == GetRootItem() ? 0 : 1;
}

std::string CGroupTreeView::GetNodeText(wxTreeItemId item) const {
  if (!item.IsOk()) item = GetSelection();
  return item.IsOk() ? GetItemText(item).utf8_string() : std::string();
}

std::string CGroupTreeView::MacOf(const wxTreeItemId& item) const {
  auto* data = dynamic_cast<ApData*>(GetItemData(item));
  return data ? data->mac : std::string();
}

void CGroupTreeView::AppendApNode(const wxTreeItemId& group, const std::string& text, const std::string& mac) {
  AppendItem(group, wxString::FromUTF8(text), 1, 1, new ApData(mac));
  Expand(group);
}

wxTreeItemId CGroupTreeView::GroupNodeAt(const wxPoint& point) const {
  int flags = 0;
  const wxTreeItemId item = const_cast<CGroupTreeView*>(this)->HitTest(point, flags);
  return item.IsOk() && (flags & wxTREE_HITTEST_ONITEM) && GetNodeKind(item) == 0 ? item : wxTreeItemId();
}

void CGroupTreeView::OnRightClick(wxTreeEvent& event) {
  SelectItem(event.GetItem());
  GroupPopup popup = GroupPopup::kApNode;
  if (GetNodeKind() == 0)
    popup = GetGroupStore()->IsDefaultTemplateGroup(GetNodeText()) == 1 ? GroupPopup::kDefaultGroup : GroupPopup::kGroupNode;
  std::unique_ptr<wxMenu> menu(MakeGroupPopup(popup));
  PopupMenu(menu.get());
}

void CGroupTreeView::RefreshGroupIcons(const wxTreeItemId& group) {
  const std::string name = GetItemText(group).utf8_string();
  wxTreeItemIdValue cookie;
  for (wxTreeItemId child = GetFirstChild(group, cookie); child.IsOk(); child = GetNextChild(group, cookie)) {
    const int image = CGroupTreeModel::TreeViewApImage(GetGroupStore()->GetApTemplateState(MacOf(child), name));
    if (image == -1) continue;
    SetItemImage(child, image);
    SetItemImage(child, image, wxTreeItemIcon_Selected);
  }
}

void CGroupTreeView::EditTemplate() {
  if (GetNodeKind() != 0) return;
  const wxTreeItemId node = GetSelection();
  if (EditGroupTemplate(GetNodeText(node))) RefreshGroupIcons(node);
}

void CGroupTreeView::ConfigureApList() {
  if (GetNodeKind() != 0) return;
  if (ConfigureGroupApList(this, GetNodeText())) FillTree();
}

void CGroupTreeView::AddAp() {
  if (GetNodeKind() != 0) return;
  if (AddApsToGroup(this, GetNodeText())) FillTree();
}

void CGroupTreeView::Rename() {
  if (GetNodeKind() != 0) return;
  const wxTreeItemId node = GetSelection();
  const std::string group = GetNodeText(node);
  CRenameGroupDlg dialog(this);
  dialog.m_strCurrentName = group;
  if (dialog.ShowModal() != wxID_OK) return;
  if (GetGroupStore()->RenameGroup(group, dialog.m_strNewName) != 0) {
    platform::MessageBox(FormatText("rename %s to %s fail", {group, dialog.m_strNewName}), "", platform::MB_ICONINFORMATION);
    return;
  }
  SetItemText(node, wxString::FromUTF8(dialog.m_strNewName));
  platform::MessageBox(FormatText("rename %s to %s success", {group, dialog.m_strNewName}), "", platform::MB_ICONINFORMATION);
}

void CGroupTreeView::Delete() {
  const int kind = GetNodeKind();
  if (kind == -1) return;
  const wxTreeItemId node = GetSelection();
  CGroupStore* store = GetGroupStore();
  int result = -1;
  if (kind == 0) {
    const std::string group = CGroupTreeModel::GroupNameOfLabel(GetNodeText(node));
    if (store->IsDefaultTemplateGroup(group) == 1) {
      platform::MessageBox("can't delete default group", "", platform::MB_ICONINFORMATION);
      return;
    }
    if (platform::MessageBox(FormatText("do you want to delete group '%s'", {group}), "",
                             platform::MB_OKCANCEL | platform::MB_ICONQUESTION) != platform::IDOK)
      return;
    result = store->DeleteGroup(group);
  } else {
    const std::string group = CGroupTreeModel::GroupNameOfLabel(GetNodeText(GetItemParent(node)));
    if (platform::MessageBox(FormatText("do you want to delete device '%s' from group '%s'", {GetNodeText(node), group}),
                             "", platform::MB_OKCANCEL | platform::MB_ICONQUESTION) != platform::IDOK)
      return;
    result = store->DeleteApFromGroup(group, MacOf(node));
  }
  if (result != 0) return;
  wxTreeCtrl::Delete(node);
  if (peer_) peer_->NoOp();
}

void CGroupTreeView::AddGroup() {
  CGroupStore* store = GetGroupStore();
  GroupTemplateRecord defaults;
  store->GetDefaultGroupTemplate(&defaults);
  CAddGroupSheet sheet("add group");
  PagesFromTemplate(defaults, sheet.Pages());
  while (sheet.ShowModal() == wxID_OK) {
    GroupTemplateRecord record;
    TemplateFromPages(sheet.Pages(), &record);
    const std::string name = sheet.BasicPage()->GroupName();
    if (WarnOfBoundAp(sheet.BasicPage()->SelectedAps(), record, name)) continue;
    StoreNewGroup(name, record, sheet.BasicPage()->SelectedAps());
    FillTree();
    return;
  }
}

void CGroupTreeView::ApConfiguration(bool previous) {
  if (GetNodeKind() != 1) return;
  const ApConfigurationOpener& open = previous ? services_.showApPreviousConfiguration : services_.showApConfiguration;
  if (!open) return;
  const std::string text = GetNodeText();
  const size_t colon = text.find(':');
  open(colon == std::string::npos ? std::string() : text.substr(colon + 1), MacOf(GetSelection()),
       FormatText("AP '%s' configuration", {text}), -1);
}

void CGroupTreeView::OnBeginDrag(wxTreeEvent& event) {
  if (wxGetLocalTimeMillis() - downTick_ < kDragDelayMs) return;
  dragItem_ = event.GetItem();
  dropItem_ = wxTreeItemId();
  dropRow_ = -1;
  if (GetNodeKind(dragItem_) != 0) return;
  dragging_ = true;
  CaptureMouse();
  scrollTimer_.Start(40);
  SetCursor(wxCursor(wxCURSOR_CROSS));
}

void CGroupTreeView::OnMouseMove(wxMouseEvent& event) {
  hoverTimer_.Start(80, wxTIMER_ONE_SHOT);
  cursor_ = event.GetPosition();
  if (dragging_) {
    int flags = 0;
    const wxTreeItemId item = HitTest(cursor_, flags);
    if (item.IsOk() && (flags & wxTREE_HITTEST_ONITEM)) {
      dropKind_ = 1;
      SetItemDropHighlight(item);
      dropItem_ = item;
    }
    if (peer_) {
      wxWindow* list = peer_->PeerWindow();
      const int row = peer_->RowAt(list->ScreenToClient(ClientToScreen(cursor_)));
          if (row != -1) {
        dropKind_ = 2;
        if (dropRow_ != -1) peer_->SetDropHighlight(dropRow_, false);
        peer_->SetDropHighlight(row, true);
        dropRow_ = row;
      }
    }
  }
  event.Skip();
}

void CGroupTreeView::OnLeftUp(wxMouseEvent& event) {
  event.Skip();
  if (!dragging_) return;
  if (dropKind_ == 2 && dropRow_ != -1) DropOnRow(dropRow_);
  EndDrag();
}

void CGroupTreeView::EndDrag() {
  if (!dragging_) return;
  if (peer_ && dropRow_ != -1) peer_->SetDropHighlight(dropRow_, false);
  dragging_ = false;
  dropKind_ = 0;
  dropRow_ = -1;
  if (HasCapture()) ReleaseMouse();
  if (dropItem_.IsOk()) SetItemDropHighlight(dropItem_, false);
  scrollTimer_.Stop();
  SetCursor(wxNullCursor);
}

// The same refusals as a drop from the group list: not the default group, not an AP already a member.
void CGroupTreeView::DropOnRow(int row) {
  const std::string mac = peer_->MacOfRow(row);
  CAccessDatabase access;
  CApProperties properties;
  std::string ssid, ip;
  if (access.GetApProperty(properties, mac) == 0) {
    ssid = properties.crvAPssid;
    ip = properties.ip;
  }
  const std::string group = GetNodeText(dragItem_);
  if (CGroupListRows::DropApOnGroup(mac, ip, true, group) != DropVerdict::kAdded) return;
  AppendApNode(dragItem_, ssid + ":" + ip, mac);
  SelectItem(dragItem_);
}

void CGroupTreeView::OnTimer(wxTimerEvent& event) {
  if (!dragging_) return;
  if (event.GetId() == kHoverTimer) {
    int flags = 0;
    const wxTreeItemId item = HitTest(cursor_, flags);
    if (item.IsOk() && (flags & wxTREE_HITTEST_ONITEM)) {
      SelectItem(item);
      Expand(item);
    }
    return;
  }
  ++scrollCount_;
  const wxRect view = GetScreenRect();
  const wxPoint mouse = wxGetMousePosition();
  const DragScrollStep step = DragAutoScroll(mouse.y, view.GetTop(), view.GetBottom());
  if (step.direction == 0 || scrollCount_ % step.everyTicks != 0) return;
  ScrollLines(step.direction);
  wxTreeItemId target = GetFirstVisibleItem();
  if (step.direction > 0)  // the last node in view
    for (wxTreeItemId next = target.IsOk() ? GetNextVisible(target) : wxTreeItemId(); next.IsOk() && IsVisible(next);
         next = GetNextVisible(next))
      target = next;
  if (target.IsOk()) SetItemDropHighlight(target);
  dropItem_ = target;
}
