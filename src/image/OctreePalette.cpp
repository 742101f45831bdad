#include "image/OctreePalette.h"

#include <array>

namespace {

// Nodes live in one pool and name each other by index; freed nodes are reused.
class Octree {
 public:
  explicit Octree(int colorBits) : colorBits_(colorBits) { reducible_.fill(kNone); }

  void Add(PaletteEntry color) { Add(root_, color, 0); }

  std::size_t LeafCount() const { return leafCount_; }

  // Folds the most recently created reducible node of the deepest level into one leaf; false when no
  // node is left to fold.
  bool Reduce() {
    int level = colorBits_ - 1;
    while (level > 0 && reducible_[level] == kNone) --level;
    if (level < 0 || reducible_[level] == kNone) return false;
    const int index = reducible_[level];
    reducible_[level] = nodes_[index].next;
    std::size_t children = 0;
    for (int& child : nodes_[index].children) {
      if (child == kNone) continue;
      nodes_[index].pixels += nodes_[child].pixels;
      nodes_[index].red += nodes_[child].red;
      nodes_[index].green += nodes_[child].green;
      nodes_[index].blue += nodes_[child].blue;
      Free(child);
      child = kNone;
      ++children;
    }
    nodes_[index].leaf = true;
    leafCount_ -= children - 1;
    return true;
  }

  Palette Leaves() const {
    Palette palette;
    CollectLeaves(root_, palette);
    return palette;
  }

 private:
  static constexpr int kNone = -1;
  struct Node {
    bool leaf = false;
    std::uint64_t pixels = 0, red = 0, green = 0, blue = 0;
    std::array<int, 8> children{kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone};
    int next = kNone;
  };

  void Add(int& node, PaletteEntry color, int level) {
    if (node == kNone) node = Create(level);
    if (nodes_[node].leaf) {
      Node& leaf = nodes_[node];
      ++leaf.pixels;
      leaf.red += color.red;
      leaf.green += color.green;
      leaf.blue += color.blue;
      return;
    }
    const int shift = 7 - level;
    const int child =
        (((color.red >> shift) & 1) << 2) | (((color.green >> shift) & 1) << 1) | ((color.blue >> shift) & 1);
    int next = nodes_[node].children[child];
    Add(next, color, level + 1);
    nodes_[node].children[child] = next;  // the pool may have moved while the child was made
  }

  int Create(int level) {
    int index;
    if (free_.empty()) {
      index = static_cast<int>(nodes_.size());
      nodes_.emplace_back();
    } else {
      index = free_.back();
      free_.pop_back();
      nodes_[index] = Node{};
    }
    if (level == colorBits_) {
      nodes_[index].leaf = true;
      ++leafCount_;
    } else {
      nodes_[index].next = reducible_[level];
      reducible_[level] = index;
    }
    return index;
  }

  void Free(int index) {
    for (int child : nodes_[index].children)
      if (child != kNone) Free(child);
    free_.push_back(index);
  }

  void CollectLeaves(int node, Palette& palette) const {
    if (node == kNone) return;
    const Node& n = nodes_[node];
    if (n.leaf) {
      if (n.pixels > 0)
        palette.push_back({static_cast<std::uint8_t>(n.red / n.pixels), static_cast<std::uint8_t>(n.green / n.pixels),
                           static_cast<std::uint8_t>(n.blue / n.pixels)});
      return;
    }
    for (int child : n.children) CollectLeaves(child, palette);
  }

  int colorBits_;
  int root_ = kNone;
  std::size_t leafCount_ = 0;
  std::array<int, 9> reducible_;
  std::vector<Node> nodes_;
  std::vector<int> free_;
};

}  // namespace

std::optional<Palette> BuildOctreePalette(const DibSection& section, unsigned maxColors, int colorBits) {
  if (colorBits > 8 || colorBits < 0) return std::nullopt;
  Octree tree(colorBits);
  for (int y = 0; y < section.Height(); ++y) {
    for (int x = 0; x < section.Width(); ++x) {
      tree.Add(section.ColorAt(x, y));
      while (tree.LeafCount() > maxColors && tree.Reduce()) {
      }
    }
  }
  if (tree.LeafCount() > maxColors) return std::nullopt;
  return tree.Leaves();
}

std::optional<Palette> BuildOctreePaletteFromDib(DibView dib, unsigned maxColors, int colorBits) {
  const std::optional<DibSection> section = DibToDibSection(dib);
  if (!section) return std::nullopt;
  return BuildOctreePalette(*section, maxColors, colorBits);
}
