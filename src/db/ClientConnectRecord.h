#pragma once
// One wireless client as the client monitor reads it from an AP's client table, and as a client event
// (connect or disconnect) is stored.
#include <string>

struct ClientConnectRecord {
  std::string mac_client;    // "xx:xx:xx:xx:xx:xx"; other lengths are never stored
  std::string RSSI_client;   // the AP's .2.2.1.4 value
  std::string mode_client;   // the AP's .2.2.1.3 value: "1" g, "2" b, "3" turbo
  std::string client_state;  // "connect" or "disconnect" for an event; empty in a poll round
  std::string mac_ap;        // the AP of an event
};
