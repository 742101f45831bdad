#pragma once
// A node of the simple tree: its name, its item in the tree window, its parent and children, and the two
// colours its item shows while not selected. The caller allocates a node; once inserted, the tree owns it
// and deletes it when its item is deleted. Subclasses override the hooks they need.
#include <string>
#include <vector>

#include "listmodel/ReportListDefs.h"
#include "listmodel/SimpleTreeHost.h"

namespace listmodel {

class CSimpleTreeItem {
 public:
  explicit CSimpleTreeItem(std::string name) : m_name(std::move(name)) {}
  CSimpleTreeItem(const CSimpleTreeItem&) = delete;
  CSimpleTreeItem& operator=(const CSimpleTreeItem&) = delete;
  virtual ~CSimpleTreeItem();

  virtual void OnSelect() {}
  virtual void OnUnselect() {}
  // x, y: the screen position of the click.
  virtual void OnRClick(int /*x*/, int /*y*/) {}
  virtual void OnDblClick() {}
  virtual void OnInserted() {}

  std::string GetName() const { return m_name; }
  // Also renames the node's item when the node is in a tree.
  void SetName(std::string name);
  int GetChildCount() const { return static_cast<int>(m_children.size()); }
  CSimpleTreeItem* GetChild(int index) const;
  void AddChild(CSimpleTreeItem* child);
  void RemoveChild(CSimpleTreeItem* child);
  CSimpleTreeItem* GetParent() const { return m_parent; }
  void SetColor(ColorRef background);
  void SetTextColor(ColorRef text);
  ColorRef GetColor() const { return m_background; }
  ColorRef GetTextColor() const { return m_text; }
  SimpleTreeHost::ItemHandle GetHandle() const { return m_item; }
  SimpleTreeHost* GetTree() const { return m_tree; }

  // Called by the tree when it inserts the node.
  void AttachToTree(SimpleTreeHost* tree, SimpleTreeHost::ItemHandle item);

 private:
  std::string m_name;
  SimpleTreeHost::ItemHandle m_item = nullptr;
  CSimpleTreeItem* m_parent = nullptr;
  SimpleTreeHost* m_tree = nullptr;
  std::vector<CSimpleTreeItem*> m_children;  // not owned: the tree deletes them with their items
  ColorRef m_background = MakeRgb(255, 255, 255);
  ColorRef m_text = MakeRgb(0, 0, 0);
};

}  // namespace listmodel
