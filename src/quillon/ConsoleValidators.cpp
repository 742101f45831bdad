#include "quillon/ConsoleValidators.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cctype>

namespace quillon {

int IsValidHostAddress(std::uint32_t address) {
  const std::uint32_t first = address >> 24;
  if (first >= 1 && first <= 126) {
    const std::uint32_t host = address & 0x00FFFFFFu;
    return host != 0 && host != 0x00FFFFFFu ? 1 : 0;
  }
  if (first >= 128 && first <= 191) {
    const std::uint32_t net = (address >> 16) & 0x3FFFu;  // bits 16 to 29
    const std::uint32_t host = address & 0xFFFFu;
    return net != 0 && host != 0 && host != 0xFFFFu ? 1 : 0;
  }
  if (first >= 192 && first <= 223) {
    const std::uint32_t net = (address >> 8) & 0x1FFFFFu;  // bits 8 to 28
    const std::uint32_t host = address & 0xFFu;
    return net != 0 && host != 0 && host != 0xFFu ? 1 : 0;
  }
  return 0;
}

int CheckHostPart(std::uint32_t address, std::uint32_t mask) {
  if (mask == 0xFFFFFFFFu) return 0;
  const std::uint32_t host = address & ~mask;
  return host != 0 && host != ~mask ? 0 : -1;
}

int CheckGatewaySubnet(std::uint32_t address, std::uint32_t gateway, std::uint32_t mask) {
  if (gateway == 0) return 0;
  return (address & mask) == (gateway & mask) ? 0 : -1;
}

int IsContiguousMask(std::uint32_t mask) {
  // The bits below the lowest one bit must all be zero and the ones above it all one: ~mask + 1 is then a
  // single bit (or 0 for an all-ones mask).
  const std::uint32_t inverted = ~mask;
  return (inverted & (inverted + 1)) == 0 ? 1 : 0;
}

GroupIntervalCheck CheckGroupInterval(const std::string& text) {
  if (!std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; }))
    return {std::nullopt, "Group Interval only includes 0-9"};
  const int value = text.empty() ? 0 : std::stoi(text.substr(0, 9));
  if (value != 0 && (value < 120 || value > 1225))
    return {std::nullopt, "Group Interval value must between 120-1225\n0 means disable switch group interval"};
  return {value, ""};
}

std::uint32_t ParseAddressText(const std::string& text) {
  in_addr address{};
  if (text.empty() || inet_pton(AF_INET, text.c_str(), &address) != 1) return 0;
  return ntohl(address.s_addr);
}

}  // namespace quillon
