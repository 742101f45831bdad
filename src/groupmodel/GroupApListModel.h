#pragma once
// "Config Group AP List" without windows: the group's members and the managed APs that are not members;
// APs move between the two lists (into the group only when no other group binds them) and the member
// list is saved as a whole. Rows are compared by MAC.
#include <string>
#include <vector>

#include "db/ApInfoRecord.h"

class CGroupApListModel {
 public:
  explicit CGroupApListModel(std::string group) : group_(std::move(group)) {}

  void Load();
  const std::vector<ApInfoRecord>& Available() const { return available_; }
  const std::vector<ApInfoRecord>& Members() const { return members_; }
  // Moves an available row into the group: false (after its message) with no row or a binding.
  bool Add(int availableRow);
  // Moves a member row back: false (after its message) with no row.
  bool Remove(int memberRow);
  // Stores the members and says "success" or "fail"; true on success.
  bool Save();

 private:
  std::string group_;
  std::vector<ApInfoRecord> available_;
  std::vector<ApInfoRecord> members_;
};
