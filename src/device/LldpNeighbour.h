#pragma once
// One entry of a switch's LLDP neighbour list: a device seen on one of the switch's ports.
#include <cstdint>
#include <string>

class CSwitch;

struct LldpNeighbour {
  int32_t localPort = 0;   // the switch's own port, 1-based
  int32_t remotePort = 0;  // the neighbour's port number
  std::string mac;         // the neighbour's chassis MAC, six groups separated by ':'
  std::string ip;          // the neighbour's management IPv4 address
  CSwitch* owner = nullptr;  // the switch whose table holds the entry (not owned)
  int32_t capabilities = 0;  // enabled system capabilities: first byte * 256 + second byte
};
