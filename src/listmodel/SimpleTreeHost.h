#pragma once
// What a tree node asks of the tree window it was inserted into.
#include <string>

namespace listmodel {

class CSimpleTreeItem;

class SimpleTreeHost {
 public:
  using ItemHandle = void*;

  virtual ~SimpleTreeHost() = default;
  virtual void SetItemText(ItemHandle item, const std::string& text) = 0;
  virtual void NodeColorsChanged(CSimpleTreeItem& node) = 0;
  // A node in the tree is being deleted: the tree forgets it (selected node, top level) and deletes its
  // item, whose own nodes below go with it.
  virtual void NodeDestroyed(CSimpleTreeItem& node) = 0;
};

}  // namespace listmodel
