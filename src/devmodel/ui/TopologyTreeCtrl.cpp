#include "devmodel/ui/TopologyTreeCtrl.h"

#include <algorithm>

#include "controls/ReportListView.h"
#include "devmodel/ui/DeviceIcons.h"

CTopologyTreeCtrl::CTopologyTreeCtrl(IPortStateReader& portStates) : model_(portStates) {}

void CTopologyTreeCtrl::OnInitTree() {
  images_.reset(device_icons::MakeDeviceTreeImages());
  SetImageList(images_.get());
  Bind(wxEVT_LEFT_DCLICK, &CTopologyTreeCtrl::OnDoubleClick, this);
}

void CTopologyTreeCtrl::Rebuild() {
  DeleteAllNodes();
  if (!model_.Rebuild()) return;
  AddLines(model_.Roots(), nullptr);
  if (!GetTopNodes().empty()) ExpandAll(GetTopNodes().front());
}

void CTopologyTreeCtrl::AddLines(const std::vector<std::unique_ptr<DeviceTreeLine>>& lines, Node* parent) {
  for (const auto& line : lines) {
    auto* item = new CTopologyTreeItem(*line);
    item->SetColor(ToColorRef(device_icons::ShadeColour(line->shade)));
    InsertNode(item, parent);
    SetItemImage(wxTreeItemId(item->GetHandle()), line->image, wxTreeItemIcon_Normal);
    SetItemImage(wxTreeItemId(item->GetHandle()), line->image, wxTreeItemIcon_Selected);
    AddLines(line->children, item);
  }
}

bool CTopologyTreeCtrl::SelectByMac(const std::string& mac) {
  const DeviceTreeLine* line = model_.FindByMac(mac);
  if (!line) return false;
  std::function<Node*(Node*)> find = [&](Node* node) -> Node* {
    if (&static_cast<CTopologyTreeItem*>(node)->Line() == line) return node;
    for (int i = 0; i < node->GetChildCount(); ++i)
      if (Node* found = find(node->GetChild(i))) return found;
    return nullptr;
  };
  for (Node* top : GetTopNodes()) {
    if (Node* found = find(top)) {
      SelectNode(found);
      return true;
    }
  }
  return false;
}

std::vector<CSimpleTreeCtrl::Node*> CTopologyTreeCtrl::SiblingsFrom(Node* item, const std::vector<Node*>& top) {
  std::vector<Node*> siblings;
  if (Node* parent = item->GetParent()) {
    for (int i = 0; i < parent->GetChildCount(); ++i) siblings.push_back(parent->GetChild(i));
  } else {
    siblings = top;
  }
  siblings.erase(siblings.begin(), std::find(siblings.begin(), siblings.end(), item));
  return siblings;
}

void CTopologyTreeCtrl::ExpandAll(Node* item) {
  if (!item && !GetTopNodes().empty()) item = GetTopNodes().front();
  if (!item) return;
  for (Node* node : SiblingsFrom(item, GetTopNodes())) {
    if (node->GetChildCount() == 0) continue;
    Expand(wxTreeItemId(node->GetHandle()));
    ExpandAll(node->GetChild(0));
  }
}

void CTopologyTreeCtrl::CollapseAll(Node* item) {
  if (!item && !GetTopNodes().empty()) item = GetTopNodes().front();
  if (!item) return;
  for (Node* node : SiblingsFrom(item, GetTopNodes())) {
    if (node->GetChildCount() == 0) continue;
    CollapseAll(node->GetChild(0));
    Collapse(wxTreeItemId(node->GetHandle()));
  }
}

const CTopologyTreeItem* CTopologyTreeCtrl::SelectedItem() const {
  return static_cast<const CTopologyTreeItem*>(NodeOf(GetSelection()));
}

void CTopologyTreeCtrl::OnNodeRClick(Node* node) {
  // The menu's command may rebuild the tree: it runs once the click's handling is over. The clicked item
  // is the selected one by then.
  if (node && menuHandler_)
    CallAfter([this] {
      if (const CTopologyTreeItem* item = SelectedItem()) menuHandler_(*item);
    });
}

void CTopologyTreeCtrl::OnDoubleClick(wxMouseEvent& event) {
  // Not passed on: a double click opens the device instead of expanding its item.
  int flags = 0;
  const wxTreeItemId hit = HitTest(event.GetPosition(), flags);
  const auto* item = static_cast<const CTopologyTreeItem*>(NodeOf(hit));
  if (item && openHandler_) openHandler_(*item);
}
