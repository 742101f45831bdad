#pragma once
// The load-balance group tree without windows: one root node per group with its APs below it, the
// images that tell balancing on or off, and the two ways the tree is built from group records (the whole
// list, or one group's node). A node is a group node exactly when its text is the name of a group.
#include <string>
#include <vector>

#include "db/LoadBalanceGroupRecord.h"

struct LbTreeNode {
  std::string text;
  int image = 0;
  int data = -1;  // the group's index
  bool expanded = false;
  std::vector<LbTreeNode> children;
};

class CLoadBalanceTree {
 public:
  // Images: a group balancing load or an AP balancing, and anything switched off.
  enum Image : int { kGroupImage = 0, kBalancingApImage = 1, kOffImage = 2 };

  // "name : (MAC) : IP".
  static std::string ApLabel(const ApInfoRecord& ap);
  static int GroupImage(const LoadBalanceGroupRecord& group);
  static int ApImage(const ApInfoRecord& ap);

  // Whole-list mode: for each group its node (found by name, else appended), its item data, its APs
  // (an AP's old node of the same label replaced by one at the end) and the node expanded.
  void Build(const std::vector<LoadBalanceGroupRecord>& groups);
  // Single-group mode on the node at root: its data, and when the group has APs its image and its APs.
  void BuildGroup(const LoadBalanceGroupRecord& group, int root);

  void Clear() { roots_.clear(); }
  const std::vector<LbTreeNode>& Roots() const { return roots_; }
  // The first root node with the text; -1 when there is none.
  int FindRoot(const std::string& text) const;
  void RemoveRoot(int root);
  void SetRootText(int root, const std::string& text);
  void SetRootImage(int root, int image);
  // False when the node has no child with the text.
  bool RemoveChild(int root, const std::string& text);
  void SetExpanded(int root, bool expanded);

 private:
  void AddAps(LbTreeNode& node, const LoadBalanceGroupRecord& group);

  std::vector<LbTreeNode> roots_;
};

// The first group whose name equals the text (exact); null when none.
const LoadBalanceGroupRecord* FindGroup(const std::vector<LoadBalanceGroupRecord>& groups, const std::string& name);
LoadBalanceGroupRecord* FindGroup(std::vector<LoadBalanceGroupRecord>& groups, const std::string& name);
