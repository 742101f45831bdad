#include "Snmprec.h"

#include <arpa/inet.h>

#include <cctype>
#include <charconv>
#include <fstream>

namespace devsim {
namespace {

template <typename Number>
Number ParseNumber(std::string_view text, Number low, Number high) {
  Number number{};
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (ec != std::errc() || end != text.data() + text.size() || number < low || number > high)
    throw SnmprecError("bad number \"" + std::string(text) + "\"");
  return number;
}

std::string ParseHex(std::string_view text) {
  if (text.size() % 2 != 0) throw SnmprecError("odd number of hex digits");
  std::string bytes;
  for (size_t i = 0; i < text.size(); i += 2) {
    unsigned byte = 0;
    auto [end, ec] = std::from_chars(text.data() + i, text.data() + i + 2, byte, 16);
    if (ec != std::errc() || end != text.data() + i + 2) throw SnmprecError("bad hex digits");
    bytes += static_cast<char>(byte);
  }
  return bytes;
}

std::string FormatHex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string text;
  for (unsigned char byte : bytes) {
    text += digits[byte >> 4];
    text += digits[byte & 15];
  }
  return text;
}

bool IsPrintable(const std::string& bytes) {
  for (unsigned char byte : bytes)
    if (!std::isprint(byte) || byte == '|') return false;
  return true;
}

}  // namespace

Value Snmprec::ParseValue(std::string_view tag, std::string_view text) {
  const bool hex = !tag.empty() && tag.back() == 'x';
  if (hex) tag.remove_suffix(1);
  Value value;
  value.type = static_cast<u_char>(ParseNumber<unsigned>(tag, 0, 255));
  const bool bytesType =
      value.type == ASN_OCTET_STR || value.type == ASN_OPAQUE || value.type == ASN_IPADDRESS;
  if (hex && !bytesType) throw SnmprecError("hex form only for octet strings, Opaque and IpAddress");
  switch (value.type) {
    case ASN_INTEGER:
      value.integer = ParseNumber<long>(text, INT32_MIN, INT32_MAX);
      break;
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
      value.integer = ParseNumber<long>(text, 0, UINT32_MAX);
      break;
    case ASN_COUNTER64:
      value.counter64 = ParseNumber<uint64_t>(text, 0, UINT64_MAX);
      break;
    case ASN_NULL:
      break;
    case ASN_OBJECT_ID: {
      auto parsed = ParseOid(text);
      if (!parsed || parsed->size() < 2) throw SnmprecError("bad object identifier");
      value.objid = *parsed;
      break;
    }
    case ASN_OCTET_STR:
    case ASN_OPAQUE:
      value.bytes = hex ? ParseHex(text) : std::string(text);
      break;
    case ASN_IPADDRESS:
      if (hex) {
        value.bytes = ParseHex(text);
      } else {
        in_addr address{};
        if (inet_pton(AF_INET, std::string(text).c_str(), &address) == 1)
          value.bytes.assign(reinterpret_cast<const char*>(&address), 4);
      }
      if (value.bytes.size() != 4) throw SnmprecError("bad IpAddress");
      break;
    default:
      throw SnmprecError("unknown tag " + std::string(tag));
  }
  return value;
}

std::pair<Oid, Value> Snmprec::ParseLine(std::string_view line) {
  const auto first = line.find('|');
  const auto second = first == std::string_view::npos ? first : line.find('|', first + 1);
  if (second == std::string_view::npos) throw SnmprecError("expected OID|TAG|VALUE");
  auto name = ParseOid(line.substr(0, first));
  if (!name) throw SnmprecError("bad OID \"" + std::string(line.substr(0, first)) + "\"");
  return {*name, ParseValue(line.substr(first + 1, second - first - 1), line.substr(second + 1))};
}

ObjectMap Snmprec::ParseFile(const std::string& path) {
  return ReadFile(path, [](const std::string& problem) { throw SnmprecError(problem); });
}

ObjectMap Snmprec::ParseFile(const std::string& path, std::vector<std::string>& warnings) {
  return ReadFile(path, [&warnings](const std::string& problem) { warnings.push_back(problem); });
}

ObjectMap Snmprec::ReadFile(const std::string& path, const std::function<void(const std::string& problem)>& badLine) {
  std::ifstream in(path);
  if (!in) throw SnmprecError(path + ": cannot open");
  ObjectMap objects;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    try {
      auto [name, value] = ParseLine(line);
      objects.insert_or_assign(std::move(name), std::move(value));
    } catch (const SnmprecError& error) {
      badLine(path + ":" + std::to_string(number) + ": " + error.what());
    }
  }
  return objects;
}

std::string Snmprec::FormatLine(const Oid& name, const Value& value) {
  std::string text = FormatOid(name) + "|" + std::to_string(value.type);
  switch (value.type) {
    case ASN_OBJECT_ID:
      return text + "|" + FormatOid(value.objid);
    case ASN_COUNTER64:
      return text + "|" + std::to_string(value.counter64);
    case ASN_NULL:
      return text + "|";
    case ASN_IPADDRESS: {
      char buffer[INET_ADDRSTRLEN] = {};
      inet_ntop(AF_INET, value.bytes.data(), buffer, sizeof buffer);
      return text + "|" + buffer;
    }
    case ASN_OCTET_STR:
    case ASN_OPAQUE:
      if (IsPrintable(value.bytes)) return text + "|" + value.bytes;
      return text + "x|" + FormatHex(value.bytes);
    default:
      return text + "|" + std::to_string(value.integer);
  }
}

}  // namespace devsim
