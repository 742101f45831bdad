#include "controls/SimpleTreeCtrl.h"

#include <algorithm>

#include "controls/ReportListView.h"

namespace {

// The item's data: the node it shows.
class NodeData : public wxTreeItemData {
 public:
  explicit NodeData(CSimpleTreeCtrl::Node* node) : node(node) {}
  CSimpleTreeCtrl::Node* node;
};

}  // namespace

CSimpleTreeCtrl::CSimpleTreeCtrl() = default;

CSimpleTreeCtrl::~CSimpleTreeCtrl() {
  DeleteAllNodes();
  // Delete the hidden root here too: the base class would delete it after this object is gone, and its
  // deletion event would reach a handler of a tree that no longer exists.
  DeleteAllItems();
}

bool CSimpleTreeCtrl::Create(wxWindow* parent, wxWindowID id, const wxPoint& position, const wxSize& size, long style) {
  // Top-level nodes hang below a hidden root.
  if (!wxTreeCtrl::Create(parent, id, position, size, style | wxTR_HIDE_ROOT)) return false;
  AddRoot(wxString());
  Bind(wxEVT_TREE_ITEM_ACTIVATED, &CSimpleTreeCtrl::OnActivated, this);
  Bind(wxEVT_RIGHT_DOWN, &CSimpleTreeCtrl::OnRightDown, this);
  Bind(wxEVT_TREE_SEL_CHANGED, &CSimpleTreeCtrl::OnSelectionChanged, this);
  Bind(wxEVT_TREE_DELETE_ITEM, &CSimpleTreeCtrl::OnItemDeleted, this);
  OnInitTree();
  return true;
}

CSimpleTreeCtrl::Node* CSimpleTreeCtrl::NodeOf(const wxTreeItemId& item) const {
  auto* data = item.IsOk() ? static_cast<NodeData*>(GetItemData(item)) : nullptr;
  return data ? data->node : nullptr;
}

void CSimpleTreeCtrl::InsertNode(Node* node, Node* parent) {
  if (parent) parent->AddChild(node);
  else m_topNodes.push_back(node);
  const wxTreeItemId parentItem = parent ? wxTreeItemId(parent->GetHandle()) : GetRootItem();
  const wxTreeItemId item = AppendItem(parentItem, wxString::FromUTF8(node->GetName()), -1, -1, new NodeData(node));
  node->AttachToTree(this, item.GetID());
  NodeColorsChanged(*node);
  node->OnInserted();
}

void CSimpleTreeCtrl::DeleteNode(Node* node) {
  if (node && node->GetHandle()) Delete(wxTreeItemId(node->GetHandle()));
}

void CSimpleTreeCtrl::DeleteAllNodes() {
  m_topNodes.clear();
  if (GetHandle() && GetRootItem().IsOk()) DeleteChildren(GetRootItem());
}

void CSimpleTreeCtrl::SelectNode(Node* node) {
  if (node && node->GetHandle()) SelectItem(wxTreeItemId(node->GetHandle()));
}

void CSimpleTreeCtrl::SetSelectedNode(Node* node, bool selectInTree) {
  if (selectInTree) SelectNode(node);  // the selection event records it
  else m_selectedNode = node;
}

void CSimpleTreeCtrl::SetItemText(ItemHandle item, const std::string& text) {
  wxTreeCtrl::SetItemText(wxTreeItemId(item), wxString::FromUTF8(text));
}

// The tree draws its selected item in its own selection colours, over these.
void CSimpleTreeCtrl::NodeColorsChanged(Node& node) {
  const wxTreeItemId item(node.GetHandle());
  SetItemTextColour(item, ToWxColour(node.GetTextColor()));
  SetItemBackgroundColour(item, ToWxColour(node.GetColor()));
}

// A node deleted by its owner rather than through its item takes its item (and the nodes below) along.
void CSimpleTreeCtrl::NodeDestroyed(Node& node) {
  ForgetNode(node);
  const wxTreeItemId item(node.GetHandle());
  if (!item.IsOk()) return;
  delete GetItemData(item);
  wxTreeCtrl::SetItemData(item, nullptr);
  Delete(item);
}

void CSimpleTreeCtrl::ForgetNode(Node& node) {
  if (m_selectedNode == &node) m_selectedNode = nullptr;
  std::erase(m_topNodes, &node);
}

void CSimpleTreeCtrl::OnActivated(wxTreeEvent& event) {
  Node* node = NodeOf(GetSelection());
  OnNodeNotify(node);
  if (node) node->OnDblClick();
  event.Skip();
}

void CSimpleTreeCtrl::OnRightDown(wxMouseEvent& event) {
  int flags = 0;
  const wxTreeItemId item = HitTest(event.GetPosition(), flags);
  Node* node = (flags & (wxTREE_HITTEST_ONITEM | wxTREE_HITTEST_ONITEMRIGHT)) ? NodeOf(item) : nullptr;
  event.Skip();
  if (!node) {
    OnNodeRClick(nullptr);
    return;
  }
  SelectItem(item);
  OnNodeRClick(node);
  const wxPoint screen = ClientToScreen(event.GetPosition());
  node->OnRClick(screen.x, screen.y);
}

void CSimpleTreeCtrl::OnSelectionChanged(wxTreeEvent& event) {
  Node* node = NodeOf(event.GetItem());
  OnNodeNotify(node);
  if (m_selectedNode) m_selectedNode->OnUnselect();
  m_selectedNode = node;
  if (node) node->OnSelect();
}

void CSimpleTreeCtrl::OnItemDeleted(wxTreeEvent& event) {
  Node* node = NodeOf(event.GetItem());
  if (!node) return;
  if (Node* parent = node->GetParent()) parent->RemoveChild(node);
  node->AttachToTree(nullptr, nullptr);
  ForgetNode(*node);
  delete node;
}
