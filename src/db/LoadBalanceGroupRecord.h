#pragma once
// One load-balance group (a row of load_balance_group) with its member APs (rows of ap_config).
#include <string>
#include <vector>

#include "db/ApInfoRecord.h"

class LoadBalanceGroupRecord {
 public:
  LoadBalanceGroupRecord() = default;
  virtual ~LoadBalanceGroupRecord() = default;
  LoadBalanceGroupRecord(const LoadBalanceGroupRecord&) = default;
  LoadBalanceGroupRecord& operator=(const LoadBalanceGroupRecord&) = default;

  std::string group_name;
  std::string group_desc;
  std::string founder_name;
  std::string found_time;  // local time "YYYY-MM-DD HH:MM:SS"; empty when never set
  std::string type;
  int index = -1;
  int load_balance = 0;
  // When the group is created, each member's balancing value is "1" when this is not 0, else "0".
  int member_balance = 1;
  std::vector<ApInfoRecord> aps;
};
