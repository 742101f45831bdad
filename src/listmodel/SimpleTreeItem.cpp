#include "listmodel/SimpleTreeItem.h"

#include <algorithm>

namespace listmodel {

// Children may outlive their parent by a moment (the tree deletes items in its own order): they are told
// they have no parent any more rather than keep a pointer to a deleted node.
CSimpleTreeItem::~CSimpleTreeItem() {
  for (CSimpleTreeItem* child : m_children) child->m_parent = nullptr;
  m_children.clear();
  if (m_parent) m_parent->RemoveChild(this);
  if (m_tree) m_tree->NodeDestroyed(*this);
  m_tree = nullptr;
}

void CSimpleTreeItem::SetName(std::string name) {
  m_name = std::move(name);
  if (m_tree && m_item) m_tree->SetItemText(m_item, m_name);
}

CSimpleTreeItem* CSimpleTreeItem::GetChild(int index) const {
  return index >= 0 && index < GetChildCount() ? m_children[index] : nullptr;
}

void CSimpleTreeItem::AddChild(CSimpleTreeItem* child) {
  m_children.push_back(child);
  child->m_parent = this;
}

void CSimpleTreeItem::RemoveChild(CSimpleTreeItem* child) {
  const auto found = std::find(m_children.begin(), m_children.end(), child);
  if (found == m_children.end()) return;
  child->m_parent = nullptr;
  m_children.erase(found);
}

void CSimpleTreeItem::SetColor(ColorRef background) {
  m_background = background;
  if (m_tree && m_item) m_tree->NodeColorsChanged(*this);
}

void CSimpleTreeItem::SetTextColor(ColorRef text) {
  m_text = text;
  if (m_tree && m_item) m_tree->NodeColorsChanged(*this);
}

void CSimpleTreeItem::AttachToTree(SimpleTreeHost* tree, SimpleTreeHost::ItemHandle item) {
  m_tree = tree;
  m_item = item;
}

}  // namespace listmodel
