#pragma once
// One wireless client as the client list shows it: its AP and its own MAC, RSSI and radio mode code.
#include <string>

struct ClientListRow {
  std::string ap_name;
  std::string ap_mac;
  std::string ap_ip;
  std::string client_mac;
  std::string rssi;
  std::string mode;       // "1" g, "2" b, "3" turbo-g
  int index_polling = 0;  // the poll round; filled by the unfiltered list only
  bool operator==(const ClientListRow&) const = default;
};
