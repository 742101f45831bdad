#pragma once
// The texts of SNMP object identifiers and values. Other subsystems parse these texts (MAC addresses,
// sysObjectIDs, counters), so their form is fixed: integers and counters in decimal, object identifiers
// and IP addresses dotted (no leading dot), octet strings as their characters, or as upper-case hex
// bytes each followed by a blank when a byte is not printable.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct variable_list;  // Net-SNMP's variable binding

namespace snmptext {

// Net-SNMP's sub-identifier type.
using ObjectId = std::vector<unsigned long>;

// "1.3.6.1.2.1.1.5.0" or ".1.3.6.1.2.1.1.5.0"; none for anything that is not a numeric OID.
std::optional<ObjectId> ParseOid(std::string_view text);
std::string FormatOid(const unsigned long* ids, size_t count);
inline std::string FormatOid(const ObjectId& id) { return FormatOid(id.data(), id.size()); }

// True when every byte is a printable ASCII character or a tab, carriage return or line feed.
bool IsPrintableOctets(const unsigned char* bytes, size_t count);
std::string FormatOctets(const unsigned char* bytes, size_t count);

std::string FormatValue(const variable_list& binding);

// A Counter32 or Gauge32 value text as the unsigned 32 bits it stands for; an agent that sends the counter
// as an INTEGER shows the same bits as a negative number. A text that is no number reads as 0.
std::uint32_t ReadUnsigned32(std::string_view text);

}  // namespace snmptext
