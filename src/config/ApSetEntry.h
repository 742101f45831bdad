#pragma once
// One change to an AP's settings as the configuration pages produce it, and the ordered list of them that
// the AP-set job sends. Lists travel by value: every hand-over is an independent copy.
#include <cstdint>
#include <string>
#include <vector>

class CApSetEntry {
 public:
  CApSetEntry() = default;
  CApSetEntry(std::uint8_t relative, std::string oid, std::string value)
      : relative(relative), oid(std::move(oid)), value(std::move(value)) {}

  // 1: oid is a suffix after the AP's sysObjectID; 0: oid is a whole identifier (sysLocation).
  std::uint8_t relative = 1;
  // The suffix (".4.3.0"), a whole identifier, or kAutoChannelOid.
  std::string oid;
  std::string value;  // numbers in decimal

  bool operator==(const CApSetEntry&) const = default;

  // The pseudo-identifier of the automatic channel choice; the job sends it as the AP's ".4.26.0".
  static constexpr char kAutoChannelOid[] = "auto_channel_virtual_oid";
};

using ApSetEntryList = std::vector<CApSetEntry>;
