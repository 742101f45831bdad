#pragma once
// The name a user gives a new or renamed group: present and at most 30 characters (code points).
#include <optional>
#include <string>

struct GroupNameRefusal {
  std::string message;
  std::string caption;
  unsigned style = 0;
};

class CGroupNameRule {
 public:
  static constexpr size_t kMaxLength = 30;
  // emptyText names what is missing ("Please input group name", "please input new group name").
  static std::optional<GroupNameRefusal> Check(const std::string& name, const std::string& emptyText);
};
