#include "groupmodel/ui/GroupView.h"

#include <wx/bmpbuttn.h>
#include <wx/imaglist.h>
#include <wx/menu.h>
#include <wx/stattext.h>

#include "groupmodel/BindingWarning.h"
#include "groupmodel/GroupChanges.h"
#include "groupmodel/TemplatePageMapping.h"
#include "groupmodel/TextFormat.h"
#include "groupmodel/ui/AddGroupBasicPage.h"
#include "groupmodel/ui/AddGroupSheet.h"
#include "groupmodel/ui/GroupCommands.h"
#include "groupmodel/ui/GroupIcons.h"
#include "groupmodel/ui/GroupNodeDialogs.h"
#include "groupmodel/ui/RenameGroupDlg.h"
#include "groups/GroupStore.h"
#include "loadbalance/LoadBalanceManager_DB.h"
#include "platform/Delay.h"
#include "platform/MessageBox.h"
#include "platform/MessageIds.h"
#include "snmp/y_snmp.h"
#include "uibase/GuiMessageReceiver.h"

using namespace group_cmd;

// The MAC of an AP item.
class CGroupView::ApData : public wxTreeItemData {
 public:
  explicit ApData(std::string mac) : mac(std::move(mac)) {}
  std::string mac;
};

namespace {
constexpr const char* kApplyQuestion = "Are you sure to apply this template at  all group AP?";
}

CGroupView::CGroupView(wxWindow* parent, GroupViewServices services)
    : wxPanel(parent, wxID_ANY), services_(std::move(services)) {
  Build();
  receiver_ = std::make_shared<CGuiMessageReceiver>(this, [this](const platform::Message& message) -> std::intptr_t {
    if (message.id == msg::WM_GROUP_RELOAD) RefreshGroupTree();
    return 0;
  });
  windowId_ = platform::RegisterWindow(receiver_);
  RefreshGroupTree();
}

CGroupView::~CGroupView() {
  platform::UnregisterWindow(windowId_);
  receiver_->Detach();
  tree_->SetImageList(nullptr);
}

void CGroupView::Build() {
  // Buttons in the order of their icons: add group, edit template, add AP, delete, AP configuration.
  struct ButtonDef {
    int id;
    int command;
    int icon;
    const char* tip;
  };
  const ButtonDef buttons[] = {{kAddGroupButton, kAddGroup, 0, "Add Group"},
                               {kEditTemplateButton, kEditTemplate, 1, "Config Group Template"},
                               {kAddApButton, kAddAp, 2, "Add AP To Selected Group"},
                               {kDeleteButton, kDelete, 3, "Delete Group/AP"},
                               {kConfigurationButton, kApConfiguration, 4, "Show AP Configuration"}};
  int x = 3;
  for (const ButtonDef& def : buttons) {
    auto* button = new wxBitmapButton(this, def.id, CGroupIcons::MakeButtonIcon(def.icon), wxPoint(x, 2), wxSize(26, 25));
    button->SetToolTip(def.tip);
    const int command = def.command;
    button->Bind(wxEVT_BUTTON, [this, command](wxCommandEvent&) {
      wxCommandEvent run(wxEVT_MENU, command);
      ProcessWindowEvent(run);
    });
    x += 27;
  }
  tree_ = new wxTreeCtrl(this, kTreeId, wxPoint(0, kButtonRowHeight), wxDefaultSize,
                         wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_HIDE_ROOT | wxTR_SINGLE | wxBORDER_SUNKEN);
  images_.reset(CGroupIcons::MakeTreeImages());
  tree_->SetImageList(images_.get());
  help_ = new wxStaticText(this, kHelpId, " Help Item : \n\n 1. \n 2. \n 3. \n", wxPoint(0, kButtonRowHeight));
  help_->Hide();

  Bind(wxEVT_SIZE, &CGroupView::OnSize, this);
  tree_->Bind(wxEVT_TREE_ITEM_RIGHT_CLICK, &CGroupView::OnRightClick, this);
  tree_->Bind(wxEVT_RIGHT_DOWN, [this](wxMouseEvent& event) {
    int flags = 0;
    if (!tree_->HitTest(event.GetPosition(), flags).IsOk()) {
      std::unique_ptr<wxMenu> menu(MakeGroupPopup(GroupPopup::kEmptyClick));
      PopupMenu(menu.get());
      return;
    }
    event.Skip();
  });
  const std::pair<int, void (CGroupView::*)()> commands[] = {
      {kEditTemplate, &CGroupView::EditTemplate},   {kApplyTemplate, &CGroupView::ApplyTemplate},
      {kRename, &CGroupView::Rename},               {kDelete, &CGroupView::Delete},
      {kAddGroup, &CGroupView::AddGroup},           {kAddAp, &CGroupView::AddAp},
      {kApConfiguration, &CGroupView::ApConfiguration},
      {kApPreviousConfiguration, &CGroupView::ApPreviousConfiguration},
      {kConfigureApList, &CGroupView::ConfigureApList}};
  for (auto [id, handler] : commands) Bind(wxEVT_MENU, [this, handler](wxCommandEvent&) { (this->*handler)(); }, id);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) {
    if (tree_->GetSelection().IsOk()) tree_->Expand(tree_->GetSelection());
  }, kExpand);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) {
    if (tree_->GetSelection().IsOk()) tree_->Collapse(tree_->GetSelection());
  }, kCollapse);
}

void CGroupView::OnSize(wxSizeEvent& event) {
  event.Skip();
  const wxSize client = GetClientSize();
  const wxRect below(0, kButtonRowHeight, client.x, std::max(0, client.y - kButtonRowHeight));
  if (tree_) tree_->SetSize(below);
  if (help_) help_->SetSize(below);
}

void CGroupView::RefreshGroupTree() {
  tree_->DeleteAllItems();
  const wxTreeItemId root = tree_->AddRoot(wxString());
  model_.BuildGroupView();
  for (const GroupTreeGroup& group : model_.Groups()) {
    const wxTreeItemId item = tree_->AppendItem(root, wxString::FromUTF8(group.label), group.image, group.image);
    for (const GroupTreeAp& ap : group.aps)
      tree_->AppendItem(item, wxString::FromUTF8(ap.label), ap.image, ap.image, new ApData(ap.mac));
  }
  ExpandAllWithChildren();
}

void CGroupView::ExpandAllWithChildren() {
  wxTreeItemIdValue cookie;
  for (wxTreeItemId item = tree_->GetFirstChild(tree_->GetRootItem(), cookie); item.IsOk();
       item = tree_->GetNextChild(tree_->GetRootItem(), cookie))
    if (tree_->ItemHasChildren(item)) tree_->Expand(item);
}

int CGroupView::GetItemLevel() const {
  const wxTreeItemId item = tree_->GetSelection();
  if (!item.IsOk()) return -1;
  return tree_->GetItemParent(item) == tree_->GetRootItem() ? 0 : 1;
}

std::string CGroupView::SelectedGroupName() const {
  return CGroupTreeModel::StripMemberCount(tree_->GetItemText(tree_->GetSelection()).utf8_string());
}

std::string CGroupView::MacOf(const wxTreeItemId& item) const {
  auto* data = dynamic_cast<ApData*>(tree_->GetItemData(item));
  return data ? data->mac : std::string();
}

void CGroupView::OnRightClick(wxTreeEvent& event) {
  const wxTreeItemId item = event.GetItem();
  GroupPopup popup = GroupPopup::kEmptyClick;
  if (item.IsOk()) {
    tree_->SelectItem(item);
    if (GetItemLevel() == 1)
      popup = GroupPopup::kApNode;
    else
      popup = GetGroupStore()->IsDefaultTemplateGroup(SelectedGroupName()) == 1 ? GroupPopup::kDefaultGroup
                                                                                 : GroupPopup::kGroupNode;
  }
  std::unique_ptr<wxMenu> menu(MakeGroupPopup(popup));
  PopupMenu(menu.get());
}

void CGroupView::RefreshApIcons(const wxTreeItemId& group) {
  const std::string name = CGroupTreeModel::StripMemberCount(tree_->GetItemText(group).utf8_string());
  wxTreeItemIdValue cookie;
  for (wxTreeItemId child = tree_->GetFirstChild(group, cookie); child.IsOk(); child = tree_->GetNextChild(group, cookie)) {
    const int image = CGroupTreeModel::ApImage(GetGroupStore()->GetApTemplateState(MacOf(child), name));
    tree_->SetItemImage(child, image);
    tree_->SetItemImage(child, image, wxTreeItemIcon_Selected);
  }
}

void CGroupView::EditTemplate() {
  if (GetItemLevel() != 0) return;
  const wxTreeItemId item = tree_->GetSelection();
  const std::string group = SelectedGroupName();
  if (tree_->GetItemText(item).empty()) return;
  const std::optional<GroupTemplateRecord> record = EditGroupTemplate(group);
  if (!record) return;
  if (platform::MessageBox(kApplyQuestion, "", platform::MB_YESNO) == platform::IDYES) {
    if (!CGroupTreeModel::IsTemplateEmpty(*record) && services_.startApplyGroupTemplate)
      services_.startApplyGroupTemplate(group);
    RefreshApIcons(item);
  } else {
    declinedTemplate_ = *record;
    RefreshGroupTree();
  }
}

void CGroupView::ApplyTemplate() {
  if (GetItemLevel() != 0) return;
  const std::string group = SelectedGroupName();
  GroupTemplateRecord stored;
  GetGroupStore()->GetGroupTemplate(group, &stored);
  if (CGroupTreeModel::IsTemplateEmpty(stored)) return;
  if (services_.startApplyGroupTemplate) services_.startApplyGroupTemplate(group);
  RefreshApIcons(tree_->GetSelection());
}

void CGroupView::AddGroup() {
  CAddGroupSheet sheet("Add Group");
  CGroupStore* store = GetGroupStore();
  while (true) {
    if (sheet.ShowModal() != wxID_OK) return;
    const std::string name = sheet.BasicPage()->GroupName();
    if (store->GroupExists(name) == 1) {
      platform::MessageBox(FormatText("group %s has already existed", {name}), "", platform::MB_ICONWARNING);
      continue;
    }
    GroupTemplateRecord record;
    TemplateFromPages(sheet.Pages(), &record);
    if (WarnOfBoundAp(sheet.BasicPage()->SelectedAps(), record, name)) continue;
    const bool stored = StoreNewGroup(name, record, sheet.BasicPage()->SelectedAps());
    RefreshGroupTree();
    if (!stored) return;  // a template that was never stored is not offered for applying
    if (platform::MessageBox(kApplyQuestion, "", platform::MB_YESNO) == platform::IDYES) {
      if (!CGroupTreeModel::IsTemplateEmpty(record) && services_.startApplyGroupTemplate)
        services_.startApplyGroupTemplate(name);
    } else {
      RefreshGroupTree();
    }
    return;
  }
}

void CGroupView::Rename() {
  if (GetItemLevel() != 0) return;
  const std::string group = SelectedGroupName();
  CRenameGroupDlg dialog(this);
  dialog.m_strCurrentName = group;
  if (dialog.ShowModal() == wxID_OK && GetGroupStore()->RenameGroup(group, dialog.m_strNewName) != 0)
    platform::MessageBox(FormatText("rename %s to %s fail", {group, dialog.m_strNewName}), "",
                         platform::MB_ICONINFORMATION);
  RefreshGroupTree();
}

void CGroupView::Delete() {
  CGroupStore* store = GetGroupStore();
  const int level = GetItemLevel();
  if (level == 0) {
    const std::string group = SelectedGroupName();
    std::vector<ApInfoRecord> members;
    store->GetGroupDevices(group, members);
    if (store->IsDefaultTemplateGroup(group) == 1) {
      platform::MessageBox("can't delete default group", "", platform::MB_ICONINFORMATION);
      return;
    }
    if (platform::MessageBox(FormatText("do you want to delete group '%s'", {group}), "",
                             platform::MB_OKCANCEL | platform::MB_ICONQUESTION) != platform::IDOK)
      return;
    GroupTemplateRecord stored;
    store->GetGroupTemplate(group, &stored);
    if (store->DeleteGroup(group) == 0 && stored.loadbalance_group == 1)
      for (const ApInfoRecord& ap : members) GetLoadBalanceManager()->SetApLoadBalanceStatus("0", ap.mac);
    RefreshGroupTree();
  } else if (level == 1) {
    const wxTreeItemId item = tree_->GetSelection();
    const std::string group =
        CGroupTreeModel::StripMemberCount(tree_->GetItemText(tree_->GetItemParent(item)).utf8_string());
    if (platform::MessageBox(FormatText("do you want to delete device '%s' from group '%s'",
                                        {tree_->GetItemText(item).utf8_string(), group}),
                             "", platform::MB_OKCANCEL | platform::MB_ICONQUESTION) != platform::IDOK)
      return;
    const std::string mac = MacOf(item);
    GroupTemplateRecord stored;
    store->GetGroupTemplate(group, &stored);
    if (stored.loadbalance_group == 1) GetLoadBalanceManager()->SetApLoadBalanceStatus("0", mac);
    store->DeleteApFromGroup(group, mac);
    platform::DelayMs(500);
    RefreshGroupTree();
  }
}

void CGroupView::AddAp() {
  if (GetItemLevel() != 0) return;
  if (AddApsToGroup(this, SelectedGroupName())) RefreshGroupTree();
}

void CGroupView::ConfigureApList() {
  if (GetItemLevel() != 0) return;
  if (ConfigureGroupApList(this, SelectedGroupName())) RefreshGroupTree();
}

void CGroupView::ApConfiguration() {
  if (GetItemLevel() == 1) OpenApConfiguration(services_.showApConfiguration);
}

void CGroupView::ApPreviousConfiguration() { OpenApConfiguration(services_.showApPreviousConfiguration); }

void CGroupView::OpenApConfiguration(const ApConfigurationOpener& open) {
  const wxTreeItemId item = tree_->GetSelection();
  if (!item.IsOk() || !open) return;
  const std::string text = tree_->GetItemText(item).utf8_string();
  open(CGroupTreeModel::IpOfApLabel(text), MacOf(item), FormatText("AP '%s' configuration", {text}), -1);
}

void CGroupView::ResetApLoadBalance(const std::string& mac) {
  CGroupStore* store = GetGroupStore();
  const std::string root = store->GetDevSysObjectID(mac, KeyKind::Mac);
  CYSnmp snmp;
  snmp.SetIp(store->GetDevIpByMac(mac));
  snmp.SetWriteCommunity(store->GetDevPassword(mac, KeyKind::Mac));
  snmp.Set(root + ".4.18.0", "0");
  GetLoadBalanceManager()->SetApLoadBalanceStatus("0", mac);
  snmp.Set(root + ".4.19.0", "60");
  GetLoadBalanceManager()->SetApUserNumLimit("60", mac);
  constexpr int kSyntaxInteger = 2;
  snmp.SetTyped(kSyntaxInteger, root + ".1.3.0", "1");
}
