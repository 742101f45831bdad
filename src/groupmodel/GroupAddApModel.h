#pragma once
// "Add Group AP" without windows: the managed APs not yet in the group (by MAC), and adding the chosen
// ones only when none of them is bound by another group.
#include <string>
#include <vector>

#include "db/ApInfoRecord.h"

class CGroupAddApModel {
 public:
  explicit CGroupAddApModel(std::string group) : group_(std::move(group)) {}

  void Load();
  const std::vector<ApInfoRecord>& Candidates() const { return candidates_; }
  // Adds the chosen rows in order: false, and nothing added, at the first one another group binds; false
  // at the first one the database refuses, the candidates reloaded without those added before it.
  bool Commit(const std::vector<int>& chosenRows);

 private:
  std::string group_;
  std::vector<ApInfoRecord> candidates_;
};
