#pragma once
// CTopologyLayoutSet: the layouts of every tree of a forest, in root order, stacked vertically: tree i is
// moved down by the heights of the trees before it, so trees of different heights never overlap.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "mapmodel/LayoutContext.h"
#include "mapmodel/TopologyLayout.h"

class CTopologyTreeList;

class CTopologyLayoutSet {
 public:
  explicit CTopologyLayoutSet(CLayoutContext& context) : m_Context(context) {}
  virtual ~CTopologyLayoutSet() = default;

  // One layout per root of the list.
  void LayoutTrees(const CTopologyTreeList& trees);
  // The device's position on the map: true, or false with x and y untouched.
  bool GetPosition(const std::string& mac, int& x, int& y) const;
  const std::vector<std::unique_ptr<CTopologyLayout>>& GetLayouts() const { return m_Layouts; }
  void DeleteAll();

 private:
  CLayoutContext& m_Context;
  std::vector<std::unique_ptr<CTopologyLayout>> m_Layouts;
  std::vector<int> m_TopOfTree;                          // the sum of the heights of the trees before
  std::unordered_map<std::string, std::size_t> m_TreeOf;  // the first layout holding each mac
};
