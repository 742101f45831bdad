#pragma once
// One row of the AP reports: an AP in one poll round. Each query fills only its own fields; the others
// stay as constructed (empty texts, -1).
#include <cstdint>
#include <string>

struct RecorderReportRecord {
  std::string ap_name;
  std::string ap_ip;
  std::string mac_ap;
  std::string time_polling;
  std::string group_balance;
  int count_connected = -1;
  std::int64_t traffic_ap = -1;
  int date_polling = -1;
};
