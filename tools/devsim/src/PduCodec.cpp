#include "PduCodec.h"

#include "NetSnmp.h"

namespace devsim {
namespace {

constexpr u_char kSequence = ASN_SEQUENCE | ASN_CONSTRUCTOR;
constexpr size_t kSequenceHeader = 4;  // asn_build_sequence always writes tag, 0x82 and two length bytes

// data points at the value's own header; length is what is left of the datagram from there.
bool DecodeValue(u_char type, u_char* data, size_t length, size_t contentLength, Value& value) {
  value.type = type;
  u_char parsedType = 0;
  switch (type) {
    case ASN_NULL:
      return true;
    case ASN_INTEGER:
      return asn_parse_int(data, &length, &parsedType, &value.integer, sizeof value.integer);
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS: {
      u_long number = 0;
      if (!asn_parse_unsigned_int(data, &length, &parsedType, &number, sizeof number)) return false;
      value.integer = static_cast<long>(number);
      return true;
    }
    case ASN_COUNTER64: {
      counter64 number{};
      if (!asn_parse_unsigned_int64(data, &length, &parsedType, &number, sizeof number)) return false;
      value.counter64 = (uint64_t(number.high) << 32) | number.low;
      return true;
    }
    case ASN_OCTET_STR:
    case ASN_OPAQUE:
    case ASN_IPADDRESS: {
      std::vector<u_char> bytes(contentLength + 1);
      size_t size = bytes.size();
      if (!asn_parse_string(data, &length, &parsedType, bytes.data(), &size)) return false;
      value.bytes.assign(reinterpret_cast<const char*>(bytes.data()), size);
      return true;
    }
    case ASN_OBJECT_ID: {
      oid parts[MAX_OID_LEN];
      size_t count = MAX_OID_LEN;
      if (!asn_parse_objid(data, &length, &parsedType, parts, &count)) return false;
      value.objid.assign(parts, parts + count);
      return true;
    }
    default:
      return true;  // a type v1 does not know: kept by tag only; a SET of it is refused as badValue
  }
}

u_char* EncodeVarBind(u_char* out, size_t* left, const VarBind& binding) {
  oid name[MAX_OID_LEN];
  size_t nameLength = binding.name.size();
  if (nameLength > MAX_OID_LEN) return nullptr;
  std::copy(binding.name.begin(), binding.name.end(), name);
  const Value& value = binding.value;
  switch (value.type) {
    case ASN_INTEGER: {
      long number = value.integer;
      return snmp_build_var_op(out, name, &nameLength, value.type, sizeof number,
                               reinterpret_cast<u_char*>(&number), left);
    }
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS: {
      u_long number = static_cast<u_long>(value.integer);
      return snmp_build_var_op(out, name, &nameLength, value.type, sizeof number,
                               reinterpret_cast<u_char*>(&number), left);
    }
    case ASN_COUNTER64: {
      counter64 number{static_cast<u_long>(value.counter64 >> 32), static_cast<u_long>(value.counter64 & 0xFFFFFFFF)};
      return snmp_build_var_op(out, name, &nameLength, value.type, sizeof number,
                               reinterpret_cast<u_char*>(&number), left);
    }
    case ASN_OCTET_STR:
    case ASN_OPAQUE:
    case ASN_IPADDRESS:
      return snmp_build_var_op(out, name, &nameLength, value.type, value.bytes.size(),
                               reinterpret_cast<u_char*>(const_cast<char*>(value.bytes.data())), left);
    case ASN_OBJECT_ID: {
      oid parts[MAX_OID_LEN];
      if (value.objid.size() > MAX_OID_LEN) return nullptr;
      std::copy(value.objid.begin(), value.objid.end(), parts);
      return snmp_build_var_op(out, name, &nameLength, value.type, value.objid.size() * sizeof(oid),
                               reinterpret_cast<u_char*>(parts), left);
    }
    default:
      return snmp_build_var_op(out, name, &nameLength, ASN_NULL, 0, nullptr, left);
  }
}

// Writes the real content length into a sequence header built with length 0.
void CloseSequence(u_char* start, const u_char* end) {
  size_t room = kSequenceHeader;
  asn_build_sequence(start, &room, start[0], end - start - kSequenceHeader);
}

}  // namespace

std::optional<Pdu> PduCodec::Decode(const u_char* input, size_t length) {
  auto* data = const_cast<u_char*>(input);  // the asn_parse_* helpers only read
  const u_char* end = input + length;
  Pdu pdu;
  u_char type = 0;
  data = asn_parse_sequence(data, &length, &type, kSequence, "message");
  if (!data) return std::nullopt;
  data = asn_parse_int(data, &length, &type, &pdu.version, sizeof pdu.version);
  if (!data || type != ASN_INTEGER) return std::nullopt;
  u_char community[256];
  size_t communityLength = sizeof community;
  data = asn_parse_string(data, &length, &type, community, &communityLength);
  if (!data || type != ASN_OCTET_STR) return std::nullopt;
  pdu.community.assign(reinterpret_cast<const char*>(community), communityLength);

  data = asn_parse_header(data, &length, &pdu.command);
  if (!data) return std::nullopt;
  if (pdu.command != SNMP_MSG_GET && pdu.command != SNMP_MSG_GETNEXT && pdu.command != SNMP_MSG_SET &&
      pdu.command != SNMP_MSG_RESPONSE && pdu.command != SNMP_MSG_TRAP2 && pdu.command != SNMP_MSG_INFORM)
    return std::nullopt;
  for (long* field : {&pdu.requestId, &pdu.errorStatus, &pdu.errorIndex}) {
    data = asn_parse_int(data, &length, &type, field, sizeof *field);
    if (!data || type != ASN_INTEGER) return std::nullopt;
  }
  data = asn_parse_sequence(data, &length, &type, kSequence, "varbinds");
  if (!data) return std::nullopt;
  while (length > 0) {
    oid name[MAX_OID_LEN];
    size_t nameLength = MAX_OID_LEN;
    u_char valueType = 0;
    size_t valueLength = 0;
    u_char* valueData = nullptr;
    data = snmp_parse_var_op(data, name, &nameLength, &valueType, &valueLength, &valueData, &length);
    if (!data) return std::nullopt;
    VarBind binding;
    binding.name.assign(name, name + nameLength);
    if (!DecodeValue(valueType, valueData, end - valueData, valueLength, binding.value)) return std::nullopt;
    pdu.varbinds.push_back(std::move(binding));
  }
  return pdu;
}

size_t PduCodec::Encode(const Pdu& pdu, u_char* out, size_t size) {
  size_t left = size;
  u_char* message = out;
  u_char* p = asn_build_sequence(out, &left, kSequence, 0);
  if (p) p = asn_build_int(p, &left, ASN_INTEGER, &pdu.version, sizeof pdu.version);
  if (p)
    p = asn_build_string(p, &left, ASN_OCTET_STR, reinterpret_cast<const u_char*>(pdu.community.data()),
                         pdu.community.size());
  u_char* body = p;
  if (p) p = asn_build_sequence(p, &left, pdu.command, 0);
  for (const long* field : {&pdu.requestId, &pdu.errorStatus, &pdu.errorIndex})
    if (p) p = asn_build_int(p, &left, ASN_INTEGER, field, sizeof *field);
  u_char* list = p;
  if (p) p = asn_build_sequence(p, &left, kSequence, 0);
  for (const VarBind& binding : pdu.varbinds)
    if (p) p = EncodeVarBind(p, &left, binding);
  if (!p || p - message > 0xFFFF) return 0;
  CloseSequence(list, p);
  CloseSequence(body, p);
  CloseSequence(message, p);
  return p - out;
}

}  // namespace devsim
