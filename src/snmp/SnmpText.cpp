#include "snmp/SnmpText.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#include <charconv>
#include <cstdio>
#include <type_traits>

static_assert(std::is_same_v<oid, unsigned long>, "ObjectId must match Net-SNMP's sub-identifier type");

namespace snmptext {
namespace {

constexpr unsigned long kMaxSubId = 0xFFFFFFFFul;

std::string Decimal(unsigned long long value) { return std::to_string(value); }

std::string HexBytes(const unsigned char* bytes, size_t count) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(count * 3);
  for (size_t i = 0; i < count; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 0x0F];
    text += ' ';
  }
  return text;
}

}  // namespace

std::optional<ObjectId> ParseOid(std::string_view text) {
  if (!text.empty() && text.front() == '.') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  ObjectId id;
  size_t pos = 0;
  while (true) {
    unsigned long value = 0;
    size_t digits = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
      value = value * 10 + static_cast<unsigned long>(text[pos] - '0');
      if (value > kMaxSubId) return std::nullopt;
      ++pos;
      ++digits;
    }
    if (digits == 0) return std::nullopt;
    id.push_back(value);
    if (id.size() > MAX_OID_LEN) return std::nullopt;
    if (pos == text.size()) return id;
    if (text[pos] != '.') return std::nullopt;
    ++pos;
  }
}

std::string FormatOid(const unsigned long* ids, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) {
    if (i) text += '.';
    text += Decimal(ids[i]);
  }
  return text;
}

bool IsPrintableOctets(const unsigned char* bytes, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    const unsigned char c = bytes[i];
    if ((c < 0x20 || c > 0x7E) && c != '\t' && c != '\r' && c != '\n') return false;
  }
  return true;
}

std::string FormatOctets(const unsigned char* bytes, size_t count) {
  if (IsPrintableOctets(bytes, count)) return std::string(reinterpret_cast<const char*>(bytes), count);
  return HexBytes(bytes, count);
}

std::string FormatValue(const variable_list& binding) {
  switch (binding.type) {
    case ASN_INTEGER:
      return std::to_string(*binding.val.integer);
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
    case ASN_UINTEGER:
      return Decimal(static_cast<unsigned long>(*binding.val.integer) & 0xFFFFFFFFul);
    case ASN_COUNTER64: {
      const counter64& c = *binding.val.counter64;
      return Decimal((static_cast<unsigned long long>(c.high & 0xFFFFFFFFul) << 32) | (c.low & 0xFFFFFFFFul));
    }
    case ASN_OCTET_STR:
      return FormatOctets(binding.val.string, binding.val_len);
    case ASN_IPADDRESS: {
      if (binding.val_len != 4) return HexBytes(binding.val.string, binding.val_len);
      const unsigned char* b = binding.val.string;
      char text[16];
      std::snprintf(text, sizeof text, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
      return text;
    }
    case ASN_OBJECT_ID:
      return FormatOid(binding.val.objid, binding.val_len / sizeof(oid));
    case ASN_OPAQUE:
      return HexBytes(binding.val.string, binding.val_len);
    default:  // NULL and the exception values carry no value text
      return {};
  }
}

std::uint32_t ReadUnsigned32(std::string_view text) {
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  return static_cast<std::uint32_t>(value);  // modulo 2^32: the counter's own bits
}

}  // namespace snmptext
