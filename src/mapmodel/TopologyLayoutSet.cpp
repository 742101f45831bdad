#include "mapmodel/TopologyLayoutSet.h"

#include "mapmodel/TopologyTreeList.h"

void CTopologyLayoutSet::LayoutTrees(const CTopologyTreeList& trees) {
  for (const DeviceTreeNode* root : trees.GetRoots()) {
    if (!root) continue;
    auto layout = std::make_unique<CTopologyLayout>(m_Context);
    layout->Layout(root);
    const int top = m_Layouts.empty() ? 0 : m_TopOfTree.back() + m_Layouts.back()->GetHeight();
    m_TopOfTree.push_back(top);
    for (const CTopologyLayout::Region& region : layout->GetRegions()) m_TreeOf.emplace(region.mac, m_Layouts.size());
    m_Layouts.push_back(std::move(layout));
  }
}

bool CTopologyLayoutSet::GetPosition(const std::string& mac, int& x, int& y) const {
  auto found = m_TreeOf.find(mac);
  if (found == m_TreeOf.end()) return false;
  const std::size_t tree = found->second;
  if (!m_Layouts[tree]->FindPosition(mac, x, y)) return false;
  y += m_TopOfTree[tree];
  return true;
}

void CTopologyLayoutSet::DeleteAll() {
  m_Layouts.clear();
  m_TopOfTree.clear();
  m_TreeOf.clear();
}
