#include "snmp/y_snmp.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>

#include "platform/DebugTrace.h"
#include "platform/Environment.h"
#include "settings/GlobalSettings.h"
#include "snmp/SnmpSession.h"
#include "snmp/SnmpText.h"
#include "snmp/WalkLimit.h"

namespace {

constexpr size_t kListValueLength = 95;  // values of GetList and Get

int SnmpPort() { return platform::GetOverrides().snmpPort; }

// Zero-fills the whole buffer and copies at most length - 1 characters, so it is always terminated.
void CopyToBuffer(const std::string& text, char* buffer, int length) {
  if (!buffer || length <= 0) return;
  std::memset(buffer, 0, static_cast<size_t>(length));
  std::memcpy(buffer, text.data(), std::min(text.size(), static_cast<size_t>(length - 1)));
}

bool UnderPrefix(const netsnmp_variable_list& binding, const snmptext::ObjectId& prefix) {
  return binding.name_length >= prefix.size() && std::equal(prefix.begin(), prefix.end(), binding.name);
}

// An agent that answers a GETNEXT with the same or an earlier OID would keep a walk going for ever.
bool MovesPast(const netsnmp_variable_list& binding, const snmptext::ObjectId& asked) {
  return snmp_oid_compare(binding.name, binding.name_length, asked.data(), asked.size()) > 0;
}

// BER carries the first two parts of an OID in one number: the first 0 to 2, the second below 40 unless
// the first is 2. The library cannot build a request with any other OID value.
bool IsSendableOid(const snmptext::ObjectId& id) { return id.size() >= 2 && id[0] <= 2 && (id[0] == 2 || id[1] < 40); }

// Decimal text in [low, high]; text without digits reads as 0, as atol would.
bool ReadNumber(const std::string& text, long long low, long long high, long& number) {
  errno = 0;
  const long long value = std::strtoll(text.c_str(), nullptr, 10);
  if (errno == ERANGE || value < low || value > high) return false;
  number = static_cast<long>(value);
  return true;
}

}  // namespace

struct CYSnmp::Outcome {
  enum Stage { Ok, BadAddress, NoSession, BadOid, Failed } stage = Ok;
  int status = 0;
  PduPtr answer;
};

CYSnmp::CYSnmp() : timeout(0) {
  {
    std::lock_guard lock(g_RuntimeSettings.csSettings);
    readCommunity_ = g_RuntimeSettings.strReadCommunity;
    writeCommunity_ = g_RuntimeSettings.strWriteCommunity;
    timeout = g_RuntimeSettings.nSnmpTimeout;
  }
  SetIpStr("127.0.0.1");
}

void CYSnmp::SetIp(const std::string& ip) { SetIpStr(ip.c_str()); }

void CYSnmp::SetIpStr(const char* ip) {
  const size_t length = ip ? strnlen(ip, sizeof ip_ - 1) : 0;
  std::memcpy(ip_, ip ? ip : "", length);
  ip_[length] = '\0';
}

CYSnmp::Outcome CYSnmp::Fetch(int command, const std::vector<std::string_view>& oids) const {
  Outcome out;
  CSnmpSession session(ip_, SnmpPort(), readCommunity_, timeout);
  switch (session.Open()) {
    case CSnmpSession::OpenResult::InvalidAddress:
      out.stage = Outcome::BadAddress;
      out.status = kSnmpStatusInvalidAddress;
      return out;
    case CSnmpSession::OpenResult::Failed:
      out.stage = Outcome::NoSession;
      out.status = kSnmpStatusSessionFailure;
      return out;
    case CSnmpSession::OpenResult::Ok:
      break;
  }
  std::vector<SnmpBinding> bindings(oids.size());
  for (size_t i = 0; i < oids.size(); ++i) {
    std::optional<snmptext::ObjectId> name = snmptext::ParseOid(oids[i]);
    if (!name) {
      out.stage = Outcome::BadOid;
      return out;
    }
    bindings[i].name = std::move(*name);
  }
  out.status = session.Request(command, bindings, out.answer);
  if (out.status != 0) out.stage = Outcome::Failed;
  return out;
}

int CYSnmp::GetNext(const std::string& startOid, char* nextOid, int nextOidLength, char* value,
                    int valueLength, const std::string& prefix) {
  SnmpObject next;
  const int result = GetNextObject(startOid, prefix, next);
  if (result == -1) return -1;
  if (nextOidLength <= 0 || next.oid.size() >= static_cast<size_t>(nextOidLength)) {
    DebugTrace("vb.get_printable_oid() %s", next.oid.c_str());
    return -3;
  }
  CopyToBuffer(next.oid, nextOid, nextOidLength);
  CopyToBuffer(next.text, value, valueLength);
  return result;
}

int CYSnmp::GetNextObject(const std::string& startOid, const std::string& prefixText, SnmpObject& next) {
  const std::optional<snmptext::ObjectId> prefix = snmptext::ParseOid(prefixText);
  const std::optional<snmptext::ObjectId> start = snmptext::ParseOid(startOid);
  if (!prefix || !start) return -1;
  const Outcome result = Fetch(SNMP_MSG_GETNEXT, {startOid});
  if (result.stage != Outcome::Ok) return -1;
  const netsnmp_variable_list& binding = *result.answer->variables;
  if (!MovesPast(binding, *start)) return -1;
  next.oid = snmptext::FormatOid(binding.name, binding.name_length);
  next.text = snmptext::FormatValue(binding);
  next.octets.clear();
  if (binding.type == ASN_OCTET_STR) next.octets.assign(binding.val.string, binding.val.string + binding.val_len);
  return UnderPrefix(binding, *prefix) ? 0 : -2;
}

int CYSnmp::Walk(const std::string& prefixText, const std::function<void(const std::string& value)>& append,
                 const std::function<bool()>& stopped) const {
  CSnmpSession session(ip_, SnmpPort(), readCommunity_, timeout);
  if (session.Open() != CSnmpSession::OpenResult::Ok) return -1;
  const std::optional<snmptext::ObjectId> prefix = snmptext::ParseOid(prefixText);
  if (!prefix) return -1;
  std::vector<SnmpBinding> step(1);
  step[0].name = *prefix;
  CWalkLimit limit;
  while (true) {
    if (stopped && stopped()) return -1;
    PduPtr answer;
    const int status = session.Request(SNMP_MSG_GETNEXT, step, answer);
    // An SNMPv1 agent answers noSuchName when nothing follows: the subtree ends with its last object.
    if (status == kSnmpStatusErrorBase - SNMP_ERR_NOSUCHNAME) return 0;
    if (status != 0) return -1;
    const netsnmp_variable_list& binding = *answer->variables;
    if (!MovesPast(binding, step[0].name)) return -1;
    if (!UnderPrefix(binding, *prefix)) return 0;
    const std::string value = snmptext::FormatValue(binding);
    if (!limit.Take(value.size())) return -1;
    append(value);
    step[0].name.assign(binding.name, binding.name + binding.name_length);
  }
}

int CYSnmp::WalkToList(const std::string& prefix, std::vector<std::string>& values,
                       const std::function<bool()>& stopped) {
  return Walk(prefix, [&values](const std::string& value) { values.push_back(value); }, stopped);
}

int CYSnmp::WalkToIntVector(const std::string& prefix, std::vector<int>& values, const std::function<bool()>& stopped) {
  return Walk(
      prefix, [&values](const std::string& value) {
        values.push_back(static_cast<int>(std::strtoll(value.c_str(), nullptr, 10)));
      },
      stopped);
}

int CYSnmp::GetManyRaw(int count, const char* const oids[], char* const values[], int valueLength) {
  const Outcome result = Fetch(SNMP_MSG_GET, std::vector<std::string_view>(oids, oids + std::max(count, 0)));
  switch (result.stage) {
    case Outcome::BadAddress:
    case Outcome::NoSession:
      return -1;
    case Outcome::BadOid:
      return -2;
    case Outcome::Failed:
      return result.status;
    case Outcome::Ok:
      break;
  }
  int i = 0;
  for (const netsnmp_variable_list* v = result.answer->variables; v && i < count; v = v->next_variable, ++i)
    CopyToBuffer(snmptext::FormatValue(*v), values[i], valueLength);
  return 0;
}

int CYSnmp::GetMany(int count, const char* const oids[], char* const values[], int valueLength) {
  const int result = GetManyRaw(count, oids, values, valueLength);
  return result == 0 || result == -2 ? result : -1;
}

int CYSnmp::GetList(const std::vector<std::string>& oids, std::vector<std::string>& values) {
  const Outcome result = Fetch(SNMP_MSG_GET, std::vector<std::string_view>(oids.begin(), oids.end()));
  switch (result.stage) {
    case Outcome::BadOid:
      return -2;
    case Outcome::BadAddress:
    case Outcome::NoSession:
    case Outcome::Failed:
      return result.status;
    case Outcome::Ok:
      break;
  }
  for (const netsnmp_variable_list* v = result.answer->variables; v; v = v->next_variable)
    values.push_back(snmptext::FormatValue(*v).substr(0, kListValueLength));
  return 0;
}

int CYSnmp::Get(const std::string& oid, std::string& value) {
  std::vector<std::string> values;
  const int result = GetList({oid}, values);
  if (result == 0) value = values.front();
  return result;
}

int CYSnmp::GetOctets(const std::string& oid, std::vector<unsigned char>& bytes) {
  const Outcome result = Fetch(SNMP_MSG_GET, {oid});
  if (result.stage != Outcome::Ok) return result.stage == Outcome::BadOid ? -2 : result.status;
  const netsnmp_variable_list& binding = *result.answer->variables;
  if (binding.type != ASN_OCTET_STR) return kNotOctetString;
  bytes.assign(binding.val.string, binding.val.string + binding.val_len);
  return 0;
}

int CYSnmp::GetToBuffer(const std::string& oid, char* buffer, int length) {
  std::string value;
  const int result = Get(oid, value);
  if (result == 0) CopyToBuffer(value, buffer, length);
  return result;
}

int CYSnmp::Write(const std::string& oid, int syntax, const Converter& convert) const {
  CSnmpSession session(ip_, SnmpPort(), writeCommunity_, timeout);
  switch (session.Open()) {
    case CSnmpSession::OpenResult::InvalidAddress:
      return -1;
    case CSnmpSession::OpenResult::Failed:
      return -2;
    case CSnmpSession::OpenResult::Ok:
      break;
  }
  std::optional<snmptext::ObjectId> name = snmptext::ParseOid(oid);
  if (!name) return -3;
  std::vector<SnmpBinding> bindings(1);
  bindings[0].name = std::move(*name);
  if (syntax < 0) {
    PduPtr answer;
    if (session.Request(SNMP_MSG_GET, bindings, answer) != 0) return -5;
    syntax = answer->variables->type;
  }
  if (!convert(syntax, bindings[0])) return -4;
  PduPtr answer;
  return session.Request(SNMP_MSG_SET, bindings, answer) == 0 ? 0 : -5;
}

int CYSnmp::Set(const std::string& oid, const std::string& value) {
  return Write(oid, -1, [&value](int syntax, SnmpBinding& binding) {
    return ConvertSnmpValue(syntax, binding, value);
  });
}

int CYSnmp::SetOctets(int, const std::string& oid, const unsigned char* bytes, int count) {
  return Write(oid, -1, [bytes, count](int syntax, SnmpBinding& binding) {
    return SetOctetValue(syntax, binding, bytes, count);
  });
}

int CYSnmp::SetTyped(int syntax, const std::string& oid, const std::string& value) {
  // A negative code would ask Write to learn the syntax; no SMI tag is negative.
  if (syntax < 0) return -4;
  return Write(oid, syntax, [&value](int tag, SnmpBinding& binding) {
    return ConvertSnmpValue(tag, binding, value);
  });
}

int CYSnmp::ConvertSnmpValue(int syntax, SnmpBinding& binding, const std::string& text) {
  long number = 0;
  switch (syntax) {
    case ASN_INTEGER:
      if (!ReadNumber(text, INT32_MIN, INT32_MAX, number)) return 0;
      binding.number = number;
      break;
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
      if (!ReadNumber(text, 0, UINT32_MAX, number)) return 0;
      binding.number = number;
      break;
    case ASN_OCTET_STR:
      binding.octets.assign(text.begin(), text.end());
      break;
    case ASN_OBJECT_ID: {
      std::optional<snmptext::ObjectId> value = snmptext::ParseOid(text);
      if (!value || !IsSendableOid(*value)) return 0;
      binding.objectId = std::move(*value);
      break;
    }
    case ASN_IPADDRESS: {
      unsigned char address[4];
      if (inet_pton(AF_INET, text.c_str(), address) != 1) return 0;
      binding.octets.assign(address, address + 4);
      break;
    }
    default:
      return 0;
  }
  binding.syntax = syntax;
  return 1;
}

int CYSnmp::SetOctetValue(int syntax, SnmpBinding& binding, const unsigned char* bytes, int count) {
  if (syntax != ASN_OCTET_STR || count < 0 || (count > 0 && !bytes)) return 0;
  binding.octets.assign(bytes, bytes + count);
  binding.syntax = syntax;
  return 1;
}

void CYSnmp::StripQuotes(char* text) {
  if (!text || text[0] != '"') return;
  char* out = text;
  for (const char* in = text + 1; *in && *in != '"'; ++in) *out++ = *in;
  *out = '\0';
}

char* CYSnmp::SkipTwoChars(char* buffer) {
  buffer[19] = '\0';
  return buffer + std::min<size_t>(std::strlen(buffer), 2);
}
