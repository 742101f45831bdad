#pragma once
// A tree window whose items mirror CSimpleTreeItem nodes: every item carries its node, the tree's events
// become calls on the nodes and on the hooks below, items show their node's colours while not selected,
// and deleting an item deletes its node (and the items below it theirs). Subclasses override the hooks.
#include <wx/treectrl.h>

#include <vector>

#include "listmodel/SimpleTreeItem.h"

class CSimpleTreeCtrl : public wxTreeCtrl, public listmodel::SimpleTreeHost {
 public:
  using Node = listmodel::CSimpleTreeItem;

  CSimpleTreeCtrl();
  ~CSimpleTreeCtrl() override;

  // Creates the window, then calls OnInitTree.
  bool Create(wxWindow* parent, wxWindowID id, const wxPoint& position = wxDefaultPosition,
              const wxSize& size = wxDefaultSize, long style = wxTR_DEFAULT_STYLE);

  // Appends the node below `parent` (at the top for null); the tree owns it from now on.
  void InsertNode(Node* node, Node* parent);
  void DeleteNode(Node* node);
  void DeleteAllNodes();
  void SelectNode(Node* node);
  void SetSelectedNode(Node* node, bool selectInTree);
  Node* GetSelectedNode() const { return m_selectedNode; }
  const std::vector<Node*>& GetTopNodes() const { return m_topNodes; }
  Node* NodeOf(const wxTreeItemId& item) const;

 protected:
  // Double click and selection change.
  virtual void OnNodeNotify(Node* /*node*/) {}
  // Right click; null on empty space.
  virtual void OnNodeRClick(Node* /*node*/) {}
  virtual void OnInitTree() {}

 private:
  // listmodel::SimpleTreeHost
  void SetItemText(ItemHandle item, const std::string& text) override;
  void NodeColorsChanged(Node& node) override;
  void NodeDestroyed(Node& node) override;

  void ForgetNode(Node& node);
  void OnActivated(wxTreeEvent& event);
  void OnRightDown(wxMouseEvent& event);
  void OnSelectionChanged(wxTreeEvent& event);
  void OnItemDeleted(wxTreeEvent& event);

  std::vector<Node*> m_topNodes;  // not owned: deleting an item deletes its node
  Node* m_selectedNode = nullptr;
};
