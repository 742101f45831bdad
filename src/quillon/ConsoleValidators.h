#pragma once
// The checks the configuration dialog applies to what the user typed, as pure functions over addresses in
// host order and texts.
#include <cstdint>
#include <optional>
#include <string>

namespace quillon {

// 1 when the address is a usable unicast host address of class A, B or C, else 0.
int IsValidHostAddress(std::uint32_t address);
// 0 when the host part of the address under the mask is neither all zeros nor all ones (a mask of
// 255.255.255.255 passes), -1 otherwise.
int CheckHostPart(std::uint32_t address, std::uint32_t mask);
// 0 when the gateway is 0 or lies in the address's subnet, -1 otherwise.
int CheckGatewaySubnet(std::uint32_t address, std::uint32_t gateway, std::uint32_t mask);
// 1 when no one bit follows a zero bit, reading from the top bit down, else 0.
int IsContiguousMask(std::uint32_t mask);

// The group interval field: its value, or the message that refuses it ("Group Interval only includes 0-9",
// "Group Interval value must between 120-1225\n0 means disable switch group interval"). Empty text is 0.
struct GroupIntervalCheck {
  std::optional<int> value;
  std::string error;
};
GroupIntervalCheck CheckGroupInterval(const std::string& text);

// Dotted text as an address in host order; 0 for an empty or unreadable text, as a blank address field gives.
std::uint32_t ParseAddressText(const std::string& text);

}  // namespace quillon
