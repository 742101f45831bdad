#pragma once
// The device tree's window over CDeviceTreeModel: one item per line with its icon and shade, each item
// pointing to its line; right click selects the item and asks for the menu of its device kind, a double
// click asks for the device's configuration instead of expanding.
#include <functional>
#include <memory>
#include <string>

#include "controls/SimpleTreeCtrl.h"
#include "devmodel/DeviceTreeModel.h"

class IPortStateReader;

// A tree item that knows its line (and so its device).
class CTopologyTreeItem : public listmodel::CSimpleTreeItem {
 public:
  explicit CTopologyTreeItem(const DeviceTreeLine& line) : CSimpleTreeItem(line.text), line_(line) {}
  const DeviceTreeLine& Line() const { return line_; }

 private:
  const DeviceTreeLine& line_;
};

class CTopologyTreeCtrl : public CSimpleTreeCtrl {
 public:
  // item is the one under the pointer: the menu's device, or the double-clicked one.
  using ItemHandler = std::function<void(const CTopologyTreeItem& item)>;

  explicit CTopologyTreeCtrl(IPortStateReader& portStates);

  void SetMenuHandler(ItemHandler handler) { menuHandler_ = std::move(handler); }
  void SetOpenHandler(ItemHandler handler) { openHandler_ = std::move(handler); }

  // Deletes every item and builds the tree again from the database, then expands it.
  void Rebuild();
  // Selects the first item of the device; false when it is not in the tree.
  bool SelectByMac(const std::string& mac);
  // The item and its following siblings, with everything below them; the first root when none.
  void ExpandAll(listmodel::CSimpleTreeItem* item);
  void CollapseAll(listmodel::CSimpleTreeItem* item);
  const CTopologyTreeItem* SelectedItem() const;

 protected:
  void OnInitTree() override;
  void OnNodeRClick(Node* node) override;

 private:
  void AddLines(const std::vector<std::unique_ptr<DeviceTreeLine>>& lines, Node* parent);
  static std::vector<Node*> SiblingsFrom(Node* item, const std::vector<Node*>& top);
  void OnDoubleClick(wxMouseEvent& event);

  CDeviceTreeModel model_;
  std::unique_ptr<wxImageList> images_;
  ItemHandler menuHandler_;
  ItemHandler openHandler_;
};
