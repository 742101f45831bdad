#include "controlmodel/PageTree.h"

#include <algorithm>

#include "controlmodel/PropertyPath.h"

void CPageTree::Clear() {
  nodes_.clear();
  roots_.clear();
  pageCount_ = 0;
}

int CPageTree::InsertTreePath(std::string path, int parent, int parentImage) {
  for (;;) {
    const std::string item = TakeFirstPathItem(path);
    const std::vector<int>& siblings = ChildrenOf(parent);
    auto found = std::find_if(siblings.begin(), siblings.end(), [&](int n) { return nodes_[n].text == item; });
    int node;
    if (found != siblings.end()) {
      node = *found;
    } else {
      node = NodeCount();
      nodes_.push_back({item, -1, path.empty() ? kNoImage : parentImage, parent, {}});
      (parent == kRoot ? roots_ : nodes_[parent].children).push_back(node);
    }
    if (path.empty()) return node;
    parent = node;
  }
}

void CPageTree::Rebuild(const std::vector<std::string>& captions, const Images* images) {
  Clear();
  const bool defaults = images && images->defaults && images->count >= 2;
  const int parentImage = defaults ? images->count - 2 : kNoImage;
  for (size_t page = 0; page < captions.size(); ++page) {
    const int node = InsertTreePath(captions[page], kRoot, parentImage);
    nodes_[node].page = static_cast<int>(page);
    if (!images) continue;
    const int tabImage = page < images->tabImages.size() ? images->tabImages[page] : kNoImage;
    if (tabImage >= 0 && tabImage < images->count)
      nodes_[node].image = tabImage;
    else
      nodes_[node].image = defaults ? images->count - 1 : kNoImage;
  }
  pageCount_ = static_cast<int>(captions.size());
}

int CPageTree::FindPageBelow(const std::vector<int>& siblings, int page) const {
  for (int node : siblings) {
    if (nodes_[node].page == page) return node;
    if (int found = FindPageBelow(nodes_[node].children, page); found >= 0) return found;
  }
  return -1;
}

int CPageTree::FindPageNode(int page) const {
  if (page < 0 || page >= pageCount_) return -1;
  return FindPageBelow(roots_, page);
}

int CPageTree::NextNode(int node) const {
  if (nodes_.empty()) return -1;
  if (node < 0) return roots_.front();
  if (!nodes_[node].children.empty()) return nodes_[node].children.front();
  for (int at = node; at != kRoot; at = nodes_[at].parent) {
    const std::vector<int>& siblings = ChildrenOf(nodes_[at].parent);
    auto self = std::find(siblings.begin(), siblings.end(), at);
    if (self + 1 != siblings.end()) return *(self + 1);
  }
  return roots_.front();
}

int CPageTree::LastDescendant(int node) const {
  while (!nodes_[node].children.empty()) node = nodes_[node].children.back();
  return node;
}

int CPageTree::PreviousNode(int node) const {
  if (nodes_.empty()) return -1;
  if (node < 0) return LastDescendant(roots_.back());
  const std::vector<int>& siblings = ChildrenOf(nodes_[node].parent);
  auto self = std::find(siblings.begin(), siblings.end(), node);
  if (self != siblings.begin()) return LastDescendant(*(self - 1));
  if (nodes_[node].parent != kRoot) return nodes_[node].parent;
  return LastDescendant(roots_.back());
}
