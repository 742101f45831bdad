#pragma once
// One row of the client report: a client of an AP in one poll round (an empty client MAC for a round in
// which the AP had none).
#include <string>

struct ClientReportRecord {
  std::string ap_name;
  std::string ap_ip;
  std::string mac_ap;
  std::string mac_client;
  std::string mode_client;
  std::string RSSI_client;
  std::string time_polling;
  int flag = 1;
  int index_polling = -1;
};
