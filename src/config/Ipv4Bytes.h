#pragma once
// A dotted-quad address text as its four bytes, for the page checks that compare networks. A text that is
// no address gives 0.0.0.0, as an empty address control does.
#include <array>
#include <cstdint>
#include <string>

using Ipv4Bytes = std::array<std::uint8_t, 4>;

Ipv4Bytes ParseIpv4Bytes(const std::string& text);
std::string FormatIpv4Bytes(const Ipv4Bytes& bytes);
