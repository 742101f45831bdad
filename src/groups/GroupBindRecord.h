#pragma once
// Another group that already binds properties of an access point: the property indexes its template
// sets (see CGroupStore::GetPropertyLabel), the AP and the group's name.
#include <set>
#include <string>

class GroupBindRecord {
 public:
  std::set<int> properties;
  std::string ip;
  std::string mac;
  std::string groupName;
};
