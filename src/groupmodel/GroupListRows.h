#pragma once
// The group list view's rows without windows: every managed AP with the groups that hold it, then the
// new (not yet managed) APs; and the rule of a drop that would make an AP a member of a group.
#include <string>
#include <vector>

struct GroupListRow {
  std::string ssid;
  std::string ip;
  std::string mac;
  std::string groups;  // the group names joined by ";"
  bool managed = true;
};

enum class DropVerdict { kAdded, kRefused, kAlreadyMember };

class CGroupListRows {
 public:
  static constexpr long kNewApData = 1234;  // item data of a row of an AP not yet managed

  void Load();
  const std::vector<GroupListRow>& Rows() const { return rows_; }

  // Makes the AP a member of the group unless the group is the default one, the AP is not managed, is a
  // member already or is bound by another group (each refusal but the third after its message).
  static DropVerdict DropApOnGroup(const std::string& mac, const std::string& ip, bool managed,
                                   const std::string& group);
  // Appends a group to a row's "Group information".
  static std::string WithGroup(const std::string& groups, const std::string& group);

 private:
  std::vector<GroupListRow> rows_;
};
