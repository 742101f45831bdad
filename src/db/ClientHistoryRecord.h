#pragma once
// One row of a client-history query: where and when a client was seen.
#include <string>

struct ClientHistoryRecord {
  std::string mac_client;
  std::string name;  // the AP's name
  std::string ip;    // the AP's address
  std::string mac_ap;
  int index_polling = -1;
  std::string mode_client;
  std::string RSSI_client;
  std::string date_time;
  int date_polling = -1;
  std::string client_state;
  std::string APssid;
};
