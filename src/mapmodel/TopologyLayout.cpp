#include "mapmodel/TopologyLayout.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "mapmodel/TopologyTreeList.h"

CTopologyLayout::CTopologyLayout(CLayoutContext& context) : m_Context(context) { BuildGrid(); }

CTopologyLayout::~CTopologyLayout() = default;

void CTopologyLayout::BuildGrid() {
  m_Context.scale = 1.0f;
  m_Context.offsetX = 2000;
  m_Context.offsetY = 0;
  m_Occupied.assign(kRows, std::vector<bool>(kColumns, false));
  // The middle column of row 1; row 1 is an odd row, so the start column needs no step to the right.
  m_StartColumn = kColumns / 2;
}

bool CTopologyLayout::IsOccupied(int row, int column) const {
  return row >= 0 && row < kRows && column >= 0 && column < kColumns && m_Occupied[row][column];
}

template <typename Visit>
void CTopologyLayout::PreOrder(BinNode* node, Visit visit) {
  std::vector<BinNode*> pending;
  if (node) pending.push_back(node);
  while (!pending.empty()) {
    BinNode* current = pending.back();
    pending.pop_back();
    if (!visit(current)) continue;  // false: skip the subtrees
    if (current->right) pending.push_back(current->right);
    if (current->left) pending.push_back(current->left);
  }
}

CTopologyLayout::BinNode* CTopologyLayout::ConvertTree(const DeviceTreeNode* first, BinNode* parent) {
  // The sibling chain becomes a chain of right links; each sibling's children its left subtree.
  BinNode* head = nullptr;
  BinNode* previous = parent;
  for (const DeviceTreeNode* sibling = first; sibling; sibling = sibling->nextSibling) {
    auto node = std::make_unique<BinNode>();
    node->mac = sibling->mac;
    node->level = sibling->level;
    node->parent = previous;
    m_Depth = std::max(m_Depth, node->level);
    BinNode* made = node.get();
    m_Nodes.push_back(std::move(node));
    if (!head) {
      head = made;
    } else {
      previous->right = made;
    }
    made->left = ConvertTree(sibling->firstChild, made);
    previous = made;
  }
  return head;
}

void CTopologyLayout::Layout(const DeviceTreeNode* root) {
  if (!root) return;
  // The root alone: its siblings are other trees.
  auto node = std::make_unique<BinNode>();
  node->mac = root->mac;
  node->level = root->level;
  m_Depth = std::max(m_Depth, node->level);
  m_Root = node.get();
  m_Nodes.push_back(std::move(node));
  m_Root->left = ConvertTree(root->firstChild, m_Root);

  EnqueueDeepest();
  SeedDeepestLevel();
  for (int level = m_Depth - 1; level > 0; --level) {
    PlaceLevel(level);
    CompactSiblings();
    MergeSiblingEntries();
  }
  PlaceOnGrid();
}

void CTopologyLayout::EnqueueDeepest() {
  PreOrder(m_Root, [this](BinNode* node) {
    if (node->level != m_Depth) return true;
    if (!node->parent) {
      m_Queue.push_back(node);
      return false;
    }
    if (node->parent->right != node) m_Queue.push_back(node);
    return true;
  });
}

void CTopologyLayout::SeedDeepestLevel() {
  int x = m_StartColumn - 2;
  for (BinNode* head : m_Queue) {
    head->spanStart = x;
    for (BinNode* sibling = head; sibling; sibling = sibling->right) {
      sibling->column = x++;
      // Siblings that head no chain still get a defined span: their own column.
      if (sibling != head) sibling->spanStart = sibling->spanEnd = sibling->column;
    }
    head->spanEnd = x - 1;
  }
  m_NextFreeColumn = x;
}

bool CTopologyLayout::IsChildOf(const BinNode* node, const BinNode* parent) {
  for (const BinNode* child = parent->left; child; child = child->right)
    if (child == node) return true;
  return false;
}

void CTopologyLayout::PlaceLevel(int level) {
  PreOrder(m_Root, [this, level](BinNode* node) {
    if (node->level != level) return true;
    auto entry = std::find_if(m_Queue.begin(), m_Queue.end(), [node](BinNode* queued) { return IsChildOf(queued, node); });
    if (entry != m_Queue.end()) {
      node->spanStart = (*entry)->spanStart;
      node->spanEnd = (*entry)->spanEnd;
      node->column = (node->spanStart + node->spanEnd) / 2;
      *entry = node;
    } else {
      node->column = node->spanEnd = node->spanStart = m_NextFreeColumn++;
      m_Queue.push_back(node);
    }
    return true;
  });
}

void CTopologyLayout::ShiftSubtree(BinNode* node, int delta) {
  node->column += delta;
  node->spanStart += delta;
  node->spanEnd += delta;
  PreOrder(node->left, [delta](BinNode* below) {
    below->column += delta;
    below->spanStart += delta;
    below->spanEnd += delta;
    return true;
  });
}

void CTopologyLayout::CompactSiblings() {
  for (auto entry = m_Queue.begin(); entry != m_Queue.end() && std::next(entry) != m_Queue.end(); ++entry) {
    BinNode* node = *entry;
    BinNode* sibling = node->right;
    auto successor = std::next(entry);
    if (!sibling || sibling == *successor) continue;
    auto siblingEntry = std::find(successor, m_Queue.end(), sibling);
    if (siblingEntry == m_Queue.end()) continue;
    // Pull the sibling's group next to this one and push the groups in between to the right.
    const int width = sibling->spanEnd - sibling->spanStart + 1;
    const int gap = sibling->spanStart - node->spanEnd - 1;
    ShiftSubtree(sibling, -gap);
    for (auto between = successor; between != siblingEntry; ++between) ShiftSubtree(*between, width);
    m_Queue.erase(siblingEntry);
  }
}

void CTopologyLayout::MergeSiblingEntries() {
  for (auto entry = m_Queue.begin(); entry != m_Queue.end() && std::next(entry) != m_Queue.end(); ++entry) {
    for (BinNode* node = *entry; node; node = node->right) {
      auto successor = std::next(entry);
      if (successor != m_Queue.end() && node->right && *successor == node->right) m_Queue.erase(successor);
    }
    BinNode* up = *entry;
    while (up && std::next(entry) != m_Queue.end()) {
      auto successor = std::next(entry);
      if (up->parent && *successor == up->parent) {
        m_Queue.erase(successor);
        up = *entry;
      } else {
        up = up->parent;
      }
    }
  }
  for (BinNode* head : m_Queue) {
    for (BinNode* sibling = head->right; sibling; sibling = sibling->right)
      head->spanEnd += sibling->spanEnd - sibling->spanStart + 1;
    for (BinNode* node = head; node->parent && node->parent->right == node; node = node->parent)
      head->spanEnd += node->parent->spanEnd - node->parent->spanStart + 1;
  }
}

CTopologyLayout::GridPlace CTopologyLayout::WrapToGrid(int level, int column) {
  if (column >= kColumns) {
    const int rest = column % kColumns;
    level += column / kColumns;
    column = rest < 23 ? rest + 23 : (rest > 51 ? rest - 15 : rest);
  }
  return {level > 30 ? level % 30 : level, column};
}

void CTopologyLayout::PlaceOnGrid() {
  PreOrder(m_Root, [this](BinNode* node) {
    if (node->level == 1) ++m_Context.treeCount;
    const auto [row, column] = WrapToGrid(node->level, node->column);
    if (row >= 0 && row < kRows && column >= 0 && column < kColumns) m_Occupied[row][column] = true;
    int left = 0, top = 0, right = 0, bottom = 0;
    m_Context.WorldToScreen(static_cast<float>(column * kCellSize), static_cast<float>(row * kCellSize), left, top);
    m_Context.WorldToScreen(static_cast<float>(column * kCellSize + kCellSize), static_cast<float>(row * kCellSize + kCellSize),
                            right, bottom);
    const int offsetY = m_Context.treeCount == 1 ? -50 : -100;
    m_RegionByMac[node->mac] = m_Regions.size();
    m_Regions.push_back({node->mac, MapRect{left, top, right, bottom}.Offset(200, offsetY)});
    return true;
  });
}

bool CTopologyLayout::FindPosition(const std::string& mac, int& x, int& y) const {
  auto found = m_RegionByMac.find(mac);
  if (found == m_RegionByMac.end()) return false;
  const MapPoint position = m_Regions[found->second].GetPosition();
  x = position.x;
  y = position.y;
  return true;
}

int CTopologyLayout::GetHeight() const {
  int minY = 0;
  int maxY = 0;
  for (const Region& region : m_Regions) {
    minY = std::min(minY, region.GetPosition().y);
    maxY = std::max(maxY, region.GetPosition().y);
  }
  return std::abs(maxY - minY + 2 * kCellSize);
}
