#pragma once
// One user-defined group of access points with the members that the managed devices know.
#include <vector>
#include <string>

#include "db/ApInfoRecord.h"

class GroupMemberList {
 public:
  std::string group_name;
  std::vector<ApInfoRecord> members;
};
