#include "devmodel/ui/TopologyTreeView.h"

#include <wx/menu.h>
#include <wx/sizer.h>

#include "devmodel/DeviceCommandIds.h"
#include "devmodel/ui/TopologyTreeCtrl.h"
#include "mapmodel/PellionDoc.h"

namespace {

constexpr int kSwitchKind = 1;
constexpr int kApKind = 2;
constexpr int kChanged = 3;

}  // namespace

CTopologyTreeView::CTopologyTreeView(wxWindow* parent, DeviceViewServices services,
                                     std::unique_ptr<IPortStateReader> portStates)
    : wxPanel(parent, wxID_ANY),
      services_(std::move(services)),
      host_(this, services_),
      commands_(host_),
      portStates_(std::move(portStates)) {
  tree_ = new CTopologyTreeCtrl(*portStates_);
  tree_->Create(this, kTreeId, wxDefaultPosition, wxDefaultSize,
                wxTR_HAS_BUTTONS | wxTR_LINES_AT_ROOT | wxTR_SINGLE | wxBORDER_NONE);
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  sizer->Add(tree_, 1, wxEXPAND);
  SetSizer(sizer);
  tree_->SetMenuHandler([this](const CTopologyTreeItem& item) { ShowItemMenu(item); });
  tree_->SetOpenHandler([this](const CTopologyTreeItem& item) {
    tree_->SelectNode(const_cast<CTopologyTreeItem*>(&item));
    const CDeviceRecord& device = *item.Line().device;
    wxCommandEvent command(wxEVT_MENU, device.displayStatus == kChanged ? devcmd::kTreeApReloadPrevious
                                                                          : devcmd::kTreeConfiguration);
    OnCommand(command);
  });
  Bind(wxEVT_MENU, &CTopologyTreeView::OnCommand, this);
  ReloadTree();
}

CTopologyTreeView::~CTopologyTreeView() {
  if (!services_.document) return;
  const CTopologyTreeItem* item = tree_->SelectedItem();
  services_.document->SetSelectedDeviceMac(item ? item->Line().device->mac : std::string());
}

wxMenu* CTopologyTreeView::MakeMenu(int menu) {
  auto* popup = new wxMenu;
  switch (menu) {
    case kApMenu:
      popup->Append(devcmd::MenuItemId(devcmd::kTreeApConfiguration), "Configuration");
      popup->Append(devcmd::MenuItemId(devcmd::kTreeApReloadPrevious), "Reload Previous Configuration");
      popup->Append(devcmd::MenuItemId(devcmd::kTreeApSaveToDatabase), "Save To Database");
      popup->Append(devcmd::MenuItemId(devcmd::kTreeApDeleteFromDatabase), "Delete From Database");
      break;
    case kSwitchMenu:
      popup->Append(devcmd::MenuItemId(devcmd::kTreeConfiguration), "Configuration");
      popup->Append(devcmd::MenuItemId(devcmd::kTreeSaveToDatabase), "Save To Database");
      popup->Append(devcmd::MenuItemId(devcmd::kTreeDeleteSwitch), "Delete From Database");
      popup->AppendSeparator();
      popup->Append(devcmd::MenuItemId(devcmd::kTreeExpand), "Expand");
      popup->Append(devcmd::MenuItemId(devcmd::kTreeCollapse), "Collapse");
      popup->AppendSeparator();
      popup->Append(devcmd::MenuItemId(devcmd::kTreeLinkToWeb), "Link To Web Configuration");
      break;
    default:
      popup->Append(devcmd::MenuItemId(devcmd::kDeleteOtherDevice), "Delete");
      break;
  }
  return popup;
}

void CTopologyTreeView::ReloadTree() {
  std::string mac = services_.document ? services_.document->GetSelectedDeviceMac() : std::string();
  if (!tree_->GetTopNodes().empty()) {
    const CTopologyTreeItem* item = tree_->SelectedItem();
    mac = item ? item->Line().device->mac : std::string();
  }
  tree_->Rebuild();
  if (!mac.empty()) tree_->SelectByMac(mac);
}

void CTopologyTreeView::RefreshView(bool) { ReloadTree(); }

void CTopologyTreeView::ShowItemMenu(const CTopologyTreeItem& item) {
  const int kind = item.Line().device->kind;
  std::unique_ptr<wxMenu> menu(MakeMenu(kind == kApKind ? kApMenu : kind == kSwitchKind ? kSwitchMenu : kOtherMenu));
  PopupMenu(menu.get());
}

SelectedDevice CTopologyTreeView::SelectedDeviceOf() const {
  const CTopologyTreeItem* item = tree_->SelectedItem();
  if (!item) return {};
  const CDeviceRecord& device = *item->Line().device;
  return {device.mac, device.ip, device.kind == kApKind ? kApKind : device.kind == kSwitchKind ? kSwitchKind : 0};
}

void CTopologyTreeView::OnCommand(wxCommandEvent& event) {
  using namespace devcmd;
  const SelectedDevice device = SelectedDeviceOf();
  auto reload = [this] { ReloadTree(); };
  switch (devcmd::CommandOfMenuItem(event.GetId())) {
    case kTreeApConfiguration:
    case kTreeConfiguration: commands_.TreeConfiguration(device); break;
    case kTreeApReloadPrevious:
    case kTreeReloadPrevious: commands_.TreeReloadPrevious(device); break;
    case kTreeApSaveToDatabase:
    case kTreeSaveToDatabase: commands_.TreeSave(device, reload); break;
    case kTreeApDeleteFromDatabase:
    case kDeleteOtherDevice: commands_.TreeDelete(device, reload); break;
    case kTreeDeleteSwitch:
      if (!device.mac.empty()) commands_.DeleteSwitch(device.mac);
      break;
    case kTreeExpand:
    case kTreeExpandSpare: tree_->ExpandAll(tree_->GetSelectedNode()); break;
    case kTreeCollapse:
    case kTreeCollapseSpare: tree_->CollapseAll(tree_->GetSelectedNode()); break;
    case kTreeLinkToWeb:
      if (!device.ip.empty()) commands_.OpenWebPage(device.ip);
      break;
    case kTreeSwitchConfigPage:
      if (!device.mac.empty()) host_.ShowSwitchConfiguration(device.mac, 2);
      break;
    default: event.Skip();
  }
}
