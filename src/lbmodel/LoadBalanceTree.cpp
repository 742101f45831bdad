#include "lbmodel/LoadBalanceTree.h"

#include <algorithm>
#include <utility>

std::string CLoadBalanceTree::ApLabel(const ApInfoRecord& ap) { return ap.name + " : (" + ap.mac + ") : " + ap.ip; }

int CLoadBalanceTree::GroupImage(const LoadBalanceGroupRecord& group) {
  return group.load_balance != 0 ? kGroupImage : kOffImage;
}

int CLoadBalanceTree::ApImage(const ApInfoRecord& ap) {
  return ap.crvAPWaterLevelBalancing == "1" ? kBalancingApImage : kOffImage;
}

void CLoadBalanceTree::Build(const std::vector<LoadBalanceGroupRecord>& groups) {
  for (const LoadBalanceGroupRecord& group : groups) {
    int root = FindRoot(group.group_name);
    if (root < 0) {
      roots_.push_back({group.group_name, GroupImage(group), group.index, false, {}});
      root = static_cast<int>(roots_.size()) - 1;
    }
    LbTreeNode& node = roots_[root];
    node.data = group.index;
    AddAps(node, group);
    node.expanded = true;
  }
}

void CLoadBalanceTree::BuildGroup(const LoadBalanceGroupRecord& group, int root) {
  if (root < 0 || root >= static_cast<int>(roots_.size())) return;
  LbTreeNode& node = roots_[root];
  node.data = group.index;
  if (group.aps.empty()) return;
  node.image = GroupImage(group);
  AddAps(node, group);
  node.expanded = true;
}

void CLoadBalanceTree::AddAps(LbTreeNode& node, const LoadBalanceGroupRecord& group) {
  for (const ApInfoRecord& ap : group.aps) {
    const std::string label = ApLabel(ap);
    std::erase_if(node.children, [&](const LbTreeNode& child) { return child.text == label; });
    node.children.push_back({label, ApImage(ap), group.index, false, {}});
  }
}

int CLoadBalanceTree::FindRoot(const std::string& text) const {
  const auto found = std::find_if(roots_.begin(), roots_.end(), [&](const LbTreeNode& n) { return n.text == text; });
  return found == roots_.end() ? -1 : static_cast<int>(found - roots_.begin());
}

void CLoadBalanceTree::RemoveRoot(int root) {
  if (root >= 0 && root < static_cast<int>(roots_.size())) roots_.erase(roots_.begin() + root);
}

void CLoadBalanceTree::SetRootText(int root, const std::string& text) {
  if (root >= 0 && root < static_cast<int>(roots_.size())) roots_[root].text = text;
}

void CLoadBalanceTree::SetRootImage(int root, int image) {
  if (root >= 0 && root < static_cast<int>(roots_.size())) roots_[root].image = image;
}

bool CLoadBalanceTree::RemoveChild(int root, const std::string& text) {
  if (root < 0 || root >= static_cast<int>(roots_.size())) return false;
  return std::erase_if(roots_[root].children, [&](const LbTreeNode& child) { return child.text == text; }) > 0;
}

void CLoadBalanceTree::SetExpanded(int root, bool expanded) {
  if (root >= 0 && root < static_cast<int>(roots_.size())) roots_[root].expanded = expanded;
}

const LoadBalanceGroupRecord* FindGroup(const std::vector<LoadBalanceGroupRecord>& groups, const std::string& name) {
  const auto found = std::find_if(groups.begin(), groups.end(),
                                  [&](const LoadBalanceGroupRecord& g) { return g.group_name == name; });
  return found == groups.end() ? nullptr : &*found;
}

LoadBalanceGroupRecord* FindGroup(std::vector<LoadBalanceGroupRecord>& groups, const std::string& name) {
  return const_cast<LoadBalanceGroupRecord*>(FindGroup(std::as_const(groups), name));
}
