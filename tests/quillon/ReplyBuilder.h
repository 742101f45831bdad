#pragma once
// Builds the datagrams a switch sends, for the console's tests.
#include <cstdint>
#include <string>
#include <vector>

#include "quillon/ConsoleProtocol.h"

namespace quillon_test {

inline constexpr std::uint32_t kMagic = 0xA1B2C3D4;

struct Reply {
  std::uint16_t version = 2, revision = 1, interfaceVersion = 3, command = quillon::kDiscoveryReply, status = 0,
                sequence = 0;
  std::string mac = "0011223344aa";
  std::uint32_t magic = kMagic;
  std::vector<std::uint8_t> elements;

  Reply& Text(std::uint16_t type, const std::string& text) {
    Add(type, {text.begin(), text.end()});
    return *this;
  }
  Reply& Add(std::uint16_t type, const std::vector<std::uint8_t>& value) {
    const auto length = static_cast<std::uint16_t>(value.size() + 4);
    elements.insert(elements.end(), {static_cast<std::uint8_t>(type >> 8), static_cast<std::uint8_t>(type),
                                     static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)});
    elements.insert(elements.end(), value.begin(), value.end());
    return *this;
  }

  std::vector<std::uint8_t> Bytes() const {
    std::vector<std::uint8_t> out(quillon::kHeaderSize, 0);
    quillon::PutU16(&out[0], version);
    quillon::PutU16(&out[2], revision);
    for (int i = 0; i < 6; ++i) out[4 + i] = static_cast<std::uint8_t>(std::stoul(mac.substr(2 * i, 2), nullptr, 16));
    quillon::PutU16(&out[10], interfaceVersion);
    quillon::PutU16(&out[12], command);
    quillon::PutU16(&out[14], status);
    quillon::PutU32(&out[16], magic);
    quillon::PutU16(&out[26], sequence);
    out.insert(out.end(), elements.begin(), elements.end());
    return out;
  }
};

}  // namespace quillon_test
