#pragma once
// CTopologyLayout: lays one device tree out on a grid of 60 x 31 cells of 100 x 100 units, children in the
// row below their parent, each parent centred over its children, sibling groups kept together, and records
// where each device goes. Columns past the grid wrap into lower rows; rows past 30 wrap to the top.
//
// A device in row R and column C lands at x = 100 C - 2300 and y = 100 R - 50 for the first tree the
// layout context has seen, 100 R - 100 for every later one.
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "mapmodel/LayoutContext.h"
#include "mapmodel/MapGeometry.h"

struct DeviceTreeNode;

class CTopologyLayout {
 public:
  static constexpr int kAreaWidth = 6000;
  static constexpr int kAreaHeight = 3135;
  static constexpr int kCellSize = 100;
  static constexpr int kRows = kAreaHeight / kCellSize;    // 31
  static constexpr int kColumns = kAreaWidth / kCellSize;  // 60

  explicit CTopologyLayout(CLayoutContext& context);
  ~CTopologyLayout();
  CTopologyLayout(const CTopologyLayout&) = delete;
  CTopologyLayout& operator=(const CTopologyLayout&) = delete;

  // Lays out the tree below the root (once per layout).
  void Layout(const DeviceTreeNode* root);
  // The position of the device: true, or false with x and y untouched.
  bool FindPosition(const std::string& mac, int& x, int& y) const;
  // The height the tree takes: the spread of its devices' y plus two cells, at least 200.
  int GetHeight() const;
  // The grid cells a device was placed in.
  bool IsOccupied(int row, int column) const;
  // The cell of a device at the level and layout column: columns past the grid wrap into lower rows, levels
  // past 30 wrap to the top rows.
  struct GridPlace {
    int row = 0;
    int column = 0;
    bool operator==(const GridPlace&) const = default;
  };
  static GridPlace WrapToGrid(int level, int column);

  // The place of one device: its mac and its cell in map units after the tree offset.
  struct Region {
    std::string mac;
    MapRect rect;
    MapPoint GetPosition() const { return {rect.left - 500, rect.top}; }
  };
  const std::vector<Region>& GetRegions() const { return m_Regions; }

 private:
  // One device in the layout's binary tree: left is its first child, right its next sibling.
  struct BinNode {
    std::string mac;
    int level = 0;
    int column = 0;
    int spanStart = 0;
    int spanEnd = 0;
    BinNode* parent = nullptr;
    BinNode* left = nullptr;
    BinNode* right = nullptr;
  };
  using Queue = std::list<BinNode*>;

  void BuildGrid();
  BinNode* ConvertTree(const DeviceTreeNode* first, BinNode* parent);
  // Every node of the binary tree below (and with) the node: node, left subtree, right subtree.
  template <typename Visit>
  static void PreOrder(BinNode* node, Visit visit);
  void EnqueueDeepest();
  void SeedDeepestLevel();
  void PlaceLevel(int level);
  void CompactSiblings();
  void MergeSiblingEntries();
  static bool IsChildOf(const BinNode* node, const BinNode* parent);
  static void ShiftSubtree(BinNode* node, int delta);
  void PlaceOnGrid();

  CLayoutContext& m_Context;
  std::vector<std::unique_ptr<BinNode>> m_Nodes;
  BinNode* m_Root = nullptr;
  int m_Depth = 0;
  int m_NextFreeColumn = 0;
  int m_StartColumn = 0;
  Queue m_Queue;
  std::vector<std::vector<bool>> m_Occupied;  // rows x columns
  std::vector<Region> m_Regions;
  std::unordered_map<std::string, std::size_t> m_RegionByMac;  // the last region of each mac
};
