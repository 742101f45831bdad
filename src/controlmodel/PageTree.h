#pragma once
// The tree of a property sheet's pages, built from their captions: each node carries the index of the page
// it shows, or -1 when it only stands above other pages. The order of moving with Ctrl+Tab is depth-first,
// parents included, wrapping round at both ends.
#include <string>
#include <vector>

struct PageTreeNode {
  std::string text;
  int page = -1;
  int image = -1;
  int parent = -1;
  std::vector<int> children;
};

class CPageTree {
 public:
  static constexpr int kRoot = -1;
  static constexpr int kNoImage = -1;

  void Clear();
  // Finds or makes the nodes of the path below the parent and returns the last one. New nodes with more
  // path below them get parentImage.
  int InsertTreePath(std::string path, int parent, int parentImage = kNoImage);

  // Images: the tab image of each page (-1 for none), the size of the tree's image list, and whether the
  // list ends with the two default images (the parent image, then the page image).
  struct Images {
    std::vector<int> tabImages;
    int count = 0;
    bool defaults = false;
  };
  // Rebuilds the tree for the pages' captions in their order; with images, the nodes get theirs.
  void Rebuild(const std::vector<std::string>& captions, const Images* images);

  int FindPageNode(int page) const;
  int NextNode(int node) const;
  int PreviousNode(int node) const;

  const PageTreeNode& Node(int node) const { return nodes_[node]; }
  int NodeCount() const { return static_cast<int>(nodes_.size()); }
  int PageCount() const { return pageCount_; }
  const std::vector<int>& Roots() const { return roots_; }
  const std::vector<int>& ChildrenOf(int node) const { return node == kRoot ? roots_ : nodes_[node].children; }

 private:
  int LastDescendant(int node) const;
  int FindPageBelow(const std::vector<int>& siblings, int page) const;

  std::vector<PageTreeNode> nodes_;
  std::vector<int> roots_;
  int pageCount_ = 0;
};
