#pragma once
// What the group trees show, without windows: each group with its member APs, their texts and icons,
// read from the group store. The group view labels a group "name(count)" and an AP
// " name:(MAC):IP"; the tree view labels a group by its name and an AP ":IP" and leaves out APs whose
// state has no icon there.
#include <string>
#include <vector>

#include "db/GroupMemberList.h"
#include "db/GroupTemplateRecord.h"

struct GroupTreeAp {
  std::string label;
  int image = -1;  // -1: no icon
  std::string mac;
  std::string ip;
};

struct GroupTreeGroup {
  std::string label;
  std::string name;
  int image = 0;
  std::vector<GroupTreeAp> aps;
};

class CGroupTreeModel {
 public:
  // Icons of the group view's image list.
  enum Image { kGroupImage = 0, kApMatches = 1, kApDiffers = 2, kBalanceMatches = 3, kBalanceDiffers = 4 };

  // The group view's tree: false (and no groups) when the group list cannot be read.
  bool BuildGroupView();
  // The group tree view's tree (the same images for group and AP states 0, 1 and -1: 0, 1, 2, 3).
  bool BuildTreeView();
  const std::vector<GroupTreeGroup>& Groups() const { return groups_; }

  // The group's name in a tree label: the text before the last "(" (empty without one).
  static std::string StripMemberCount(const std::string& label);
  // The group tree view's reading of a label: before the last "(", or the whole text without one.
  static std::string GroupNameOfLabel(const std::string& label);
  static std::string GroupLabel(const std::string& name, size_t members);
  static std::string ApLabel(const ApInfoRecord& ap);
  // The IP address in an AP label of the group view: the text after "):".
  static std::string IpOfApLabel(const std::string& label);
  // Group icon by the template's load balance: 1 balancing, 0 not, anything else no load-balance icon.
  static int GroupImage(const GroupTemplateRecord& groupTemplate);
  // One mapping from an AP's template state to its icon, for rebuilds and icon refreshes alike.
  static int ApImage(int templateState);
  // The tree view's icon of a state: 0, 1, -1 give 1, 2, 3; other states have no node (-1).
  static int TreeViewApImage(int templateState);
  // True when the template includes none of the settings an apply sends.
  static bool IsTemplateEmpty(const GroupTemplateRecord& groupTemplate);

 private:
  std::vector<GroupTreeGroup> groups_;
};
