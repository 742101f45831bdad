#pragma once
// SNMPv1 and SNMPv2c messages on the wire: Message ::= SEQUENCE { version, community, PDU }, encoded and
// decoded with Net-SNMP's BER helpers. Every PDU handled here has the same layout (request id, error
// status, error index, bindings); the version-1 Trap-PDU has another and is refused.
#include "NetSnmp.h"

#include <optional>
#include <string>
#include <vector>

#include "Oid.h"
#include "Value.h"

namespace devsim {

struct VarBind {
  Oid name;
  Value value;
};

struct Pdu {
  long version = 0;  // 0 is SNMPv1, 1 SNMPv2c
  std::string community;
  u_char command = 0;  // SNMP_MSG_GET, SNMP_MSG_GETNEXT, SNMP_MSG_SET, SNMP_MSG_RESPONSE, SNMP_MSG_TRAP2 ...
  long requestId = 0;
  long errorStatus = 0;
  long errorIndex = 0;
  std::vector<VarBind> varbinds;
};

class PduCodec {
 public:
  // Nothing unless the datagram is a well-formed GET, GET-NEXT, SET, RESPONSE, SNMPv2-TRAP or INFORM message.
  static std::optional<Pdu> Decode(const u_char* data, size_t length);
  // The encoded length, or 0 when the message does not fit into size bytes.
  static size_t Encode(const Pdu& pdu, u_char* out, size_t size);
};

}  // namespace devsim
