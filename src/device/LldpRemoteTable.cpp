#include "device/LldpRemoteTable.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "device/Switch.h"
#include "net/AddressText.h"
#include "snmp/SnmpText.h"

namespace {

constexpr size_t kRowIndexLength = 3;  // time mark, local port number, remote index
// The address part of an IPv4 management address row: subtype 1 (IPv4), length 4, four bytes.
constexpr unsigned long kIpv4Subtype = 1;
constexpr unsigned long kIpv4Length = 4;

bool IsDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// The text as a 32-bit number; false when it is not digits only or too large.
bool ToInt32(std::string_view text, int32_t& number) {
  if (!IsDigits(text)) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  return error == std::errc() && end == text.data() + text.size();
}

// The owner's ports as far as they are known; a switch whose count is not known has at most kMaxPortCount.
bool IsOwnersPort(const CSwitch* owner, int32_t port) {
  const int last = owner && owner->portCount > 0 ? owner->portCount : kMaxPortCount;
  return port >= 1 && port <= last;
}

}  // namespace

const char* CLldpRemoteTable::ColumnOid(Column column) {
  static const char* const kOids[kColumnCount] = {
      ".1.0.8802.1.1.2.1.4.1.1.5",   // lldpRemChassisId
      ".1.0.8802.1.1.2.1.4.1.1.7",   // lldpRemPortId
      ".1.0.8802.1.1.2.1.4.2.1.4",   // lldpRemManAddrIfId
      ".1.0.8802.1.1.2.1.4.1.1.12",  // lldpRemSysCapEnabled
  };
  return kOids[column];
}

bool CLldpRemoteTable::Add(Column column, const SnmpObject& object) {
  const auto id = snmptext::ParseOid(object.oid);
  const auto prefix = snmptext::ParseOid(ColumnOid(column));
  const size_t start = prefix->size();
  if (!id || id->size() < start + kRowIndexLength || !std::equal(prefix->begin(), prefix->end(), id->begin()))
    return false;
  const RowIndex row{(*id)[start], (*id)[start + 1], (*id)[start + 2]};
  if (column == kManagementAddress) {
    addresses_.emplace(row, std::make_pair(std::vector<unsigned long>(id->begin() + start + kRowIndexLength, id->end()),
                                           object));
    return true;
  }
  if (id->size() != start + kRowIndexLength) return false;
  std::map<RowIndex, Cell>& cells = column == kChassisId ? chassis_ : column == kPortId ? portIds_ : capabilities_;
  cells.emplace(row, object);
  return true;
}

const CLldpRemoteTable::Cell* CLldpRemoteTable::FindIpv4Address(const RowIndex& row) const {
  const auto [first, last] = addresses_.equal_range(row);
  for (auto it = first; it != last; ++it) {
    const std::vector<unsigned long>& address = it->second.first;
    if (address.size() == 2 + kIpv4Length && address[0] == kIpv4Subtype && address[1] == kIpv4Length &&
        std::all_of(address.begin() + 2, address.end(), [](unsigned long byte) { return byte <= 255; }))
      return &it->second.second;
  }
  return nullptr;
}

std::vector<LldpNeighbour> CLldpRemoteTable::Join(CSwitch* owner) const {
  std::vector<LldpNeighbour> neighbours;
  for (const auto& [row, chassis] : chassis_) {
    const auto portId = portIds_.find(row);
    const auto capabilities = capabilities_.find(row);
    const Cell* address = FindIpv4Address(row);
    if (portId == portIds_.end() || capabilities == capabilities_.end() || !address) continue;

    const std::optional<std::string> mac = FormatMacOctets(chassis.octets);
    if (!mac || !IsDeviceMac(*mac)) continue;

    LldpNeighbour neighbour;
    std::string remotePort = portId->second.text;
    std::string localPort;
    if (ParseLldpPortId(remotePort) != 0 || !ToInt32(remotePort, neighbour.remotePort)) continue;
    if (ExtractLldpLocalPort(portId->second.oid, localPort) != 0 || !ToInt32(localPort, neighbour.localPort)) continue;
    if (!IsOwnersPort(owner, neighbour.localPort) || neighbour.remotePort > kMaxPortCount) continue;
    if (ExtractIpFromOid(address->oid, neighbour.ip) != 1 || neighbour.ip == "255.255.255.255") continue;

    // A bitmap of two bytes; bytes the agent left out count as 0.
    const std::vector<unsigned char>& bits = capabilities->second.octets;
    const unsigned first = bits.size() > 0 ? bits[0] : 0;
    const unsigned second = bits.size() > 1 ? bits[1] : 0;
    neighbour.capabilities = static_cast<int32_t>(first << 8 | second);
    neighbour.mac = *mac;
    neighbour.owner = owner;
    neighbours.push_back(std::move(neighbour));
  }
  return neighbours;
}

int ParseLldpPortId(std::string& text) {
  std::string_view digits = text;
  const bool eth = digits.starts_with("eth");
  if (eth) digits.remove_prefix(3);
  int32_t number = 0;
  if (!ToInt32(digits, number)) return -1;
  if (eth) {
    if (number == std::numeric_limits<int32_t>::max()) return -1;
    ++number;
  }
  text = std::to_string(number);
  return 0;
}

int ExtractLldpLocalPort(const std::string& oid, std::string& port) {
  const size_t last = oid.rfind('.');
  const size_t before = last == std::string::npos || last < 2 ? std::string::npos : oid.rfind('.', last - 1);
  if (before == std::string::npos || before < 1) {
    port.assign(1, '0');  // not = "0": GCC 12 warns falsely about that assignment here
    return -1;
  }
  // The number's leading digits, as the agent wrote them; none reads as 0.
  unsigned long long number = 0;
  std::from_chars(oid.data() + before + 1, oid.data() + last, number);
  port = std::to_string(number + 1);
  return 0;
}

int ExtractIpFromOid(const std::string& oid, std::string& ip) {
  const size_t end = oid.find_last_not_of(' ');
  if (end == std::string::npos) return -1;
  size_t dot = end + 1;
  for (int found = 0; found < 4; ++found) {
    if (dot == 0) return -1;
    dot = oid.rfind('.', dot - 1);
    if (dot == std::string::npos) return -1;
  }
  ip = oid.substr(dot + 1, end - dot);
  return 1;
}
