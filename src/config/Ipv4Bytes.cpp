#include "config/Ipv4Bytes.h"

#include <arpa/inet.h>

Ipv4Bytes ParseIpv4Bytes(const std::string& text) {
  in_addr address{};
  Ipv4Bytes bytes{};
  if (inet_pton(AF_INET, text.c_str(), &address) != 1) return bytes;
  const auto* raw = reinterpret_cast<const std::uint8_t*>(&address.s_addr);
  for (int i = 0; i < 4; ++i) bytes[i] = raw[i];
  return bytes;
}

std::string FormatIpv4Bytes(const Ipv4Bytes& bytes) {
  return std::to_string(bytes[0]) + "." + std::to_string(bytes[1]) + "." + std::to_string(bytes[2]) + "." +
         std::to_string(bytes[3]);
}
