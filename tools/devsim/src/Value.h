#pragma once
// One SNMP value as the simulator stores and sends it.
#include "NetSnmp.h"

#include <cstdint>
#include <string>

#include "Oid.h"

namespace devsim {

struct Value {
  u_char type = ASN_NULL;  // BER tag: ASN_INTEGER, ASN_OCTET_STR, ASN_IPADDRESS, ASN_COUNTER ...
  long integer = 0;        // INTEGER; Counter32, Gauge32 and TimeTicks as their unsigned 32-bit value
  uint64_t counter64 = 0;  // Counter64
  std::string bytes;       // OCTET STRING, Opaque, IpAddress (4 bytes in network order)
  Oid objid;               // OBJECT IDENTIFIER

  static Value Integer(long number, u_char tag = ASN_INTEGER);
  static Value OctetString(std::string text);

  bool operator==(const Value&) const = default;
};

}  // namespace devsim
