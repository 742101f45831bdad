#pragma once
// One object of an agent's answer: its OID, its value text (snmp/SnmpText.h) and, for an OCTET STRING,
// the value's bytes as they came. Values that are bytes by nature (MAC addresses, bitmaps) are read from
// the bytes: the text of six printable bytes is those six characters, not hexadecimal.
#include <string>
#include <vector>

struct SnmpObject {
  std::string oid;
  std::string text;
  std::vector<unsigned char> octets;  // empty for any other syntax
};
