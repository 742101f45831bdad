#pragma once
// One link: a switch port and the device seen behind it, as the link tables store it (device_map,
// device_map_prev, device_map_polling). Ports are decimal texts.
#include <string>

struct LinkRow {
  std::string src_mac;    // the switch
  std::string dest_mac;   // the device on the switch's port
  std::string src_port;   // the switch's port
  std::string dest_port;  // the device's own port

  bool operator==(const LinkRow&) const = default;
};
