#include "Behaviours.h"

#include "NetSnmp.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <algorithm>
#include <cctype>

namespace devsim {
namespace {

bool Is(const std::optional<Oid>& configured, const Oid& name) { return configured && *configured == name; }

// "024471000001" -> "02:44:71:00:00:01", case kept; nothing for anything but 12 hex digits.
std::optional<std::string> FilterMacText(const std::string& digits) {
  if (digits.size() != 12 || !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isxdigit(c); }))
    return std::nullopt;
  std::string text;
  for (size_t i = 0; i < 12; i += 2) {
    if (!text.empty()) text += ':';
    text += digits.substr(i, 2);
  }
  return text;
}

bool SameText(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

const Oid kSysName{1, 3, 6, 1, 2, 1, 1, 5, 0};
constexpr size_t kMaxSysNameLength = 255;

// snmpd's rule for sysName: text of at most 255 bytes; a zero byte ends a text, so none may be inside.
bool IsSysNameText(const Value& value) {
  return value.type == ASN_OCTET_STR && value.bytes.size() <= kMaxSysNameLength &&
         value.bytes.find('\0') == std::string::npos;
}

bool IsFlag(const Value& value) { return value.type == ASN_INTEGER && (value.integer == 0 || value.integer == 1); }

}  // namespace

SetOutcome Behaviours::Set(Device& device, const std::vector<VarBind>& bindings, Device::Clock::time_point now) {
  for (size_t i = 0; i < bindings.size(); ++i) {
    if (long status = Check(device, bindings[i]); status != SNMP_ERR_NOERROR)
      return {status, static_cast<long>(i + 1)};
  }
  for (const VarBind& binding : bindings) Apply(device, binding, now);
  return {};
}

// v1 error choice (RFC 1157, 4.1.5): a value of the wrong type, length or range is badValue, and so is a
// sysName snmpd would refuse; an object that does not exist or is read-only is noSuchName (v1 agents
// never send readOnly, Net-SNMP's snmpd included); a full MAC-filter table is genErr.
long Behaviours::Check(Device& device, const VarBind& binding) {
  const DeviceConfig& config = device.Config();
  const Oid& name = binding.name;
  const Value& value = binding.value;
  if (Is(config.commitApply, name) || Is(config.commitRestart, name) || Is(config.firmwareOpen, name))
    return IsFlag(value) ? SNMP_ERR_NOERROR : SNMP_ERR_BADVALUE;
  if (Is(config.macFilterAdd, name) || Is(config.macFilterDelete, name)) {
    if (value.type != ASN_OCTET_STR || !FilterMacText(value.bytes) || !config.macFilterTable)
      return SNMP_ERR_BADVALUE;
    if (Is(config.macFilterAdd, name)) {
      const auto entries = FilterEntries(device);
      const bool known = std::any_of(entries.begin(), entries.end(),
                                     [&](const std::string& entry) { return SameText(entry, *FilterMacText(value.bytes)); });
      if (!known && entries.size() >= config.macFilterMax) return SNMP_ERR_GENERR;
    }
    return SNMP_ERR_NOERROR;
  }
  if (Is(config.password, name)) return value.type == ASN_OCTET_STR ? SNMP_ERR_NOERROR : SNMP_ERR_BADVALUE;
  const Value* current = device.Find(name);
  const bool writable = std::any_of(config.writable.begin(), config.writable.end(),
                                    [&](const Oid& prefix) { return OidStartsWith(name, prefix); });
  if (!current || !writable) return SNMP_ERR_NOSUCHNAME;
  if (name == kSysName && !IsSysNameText(value)) return SNMP_ERR_BADVALUE;
  if (value.type != current->type) return SNMP_ERR_BADVALUE;
  if (value.type == ASN_IPADDRESS && value.bytes.size() != 4) return SNMP_ERR_BADVALUE;
  return SNMP_ERR_NOERROR;
}

void Behaviours::Apply(Device& device, const VarBind& binding, Device::Clock::time_point now) {
  const DeviceConfig& config = device.Config();
  const Oid& name = binding.name;
  const Value& value = binding.value;
  if (Is(config.commitApply, name) || Is(config.commitRestart, name)) {
    // Commits read back 0; only 1 acts.
    if (value.integer == 1) Commit(device, Is(config.commitRestart, name), now);
  } else if (Is(config.macFilterAdd, name)) {
    auto entries = FilterEntries(device);
    const std::string mac = *FilterMacText(value.bytes);
    if (std::none_of(entries.begin(), entries.end(), [&](const std::string& entry) { return SameText(entry, mac); })) {
      entries.push_back(mac);
      WriteFilterEntries(device, entries);
    }
  } else if (Is(config.macFilterDelete, name)) {
    auto entries = FilterEntries(device);
    const std::string mac = *FilterMacText(value.bytes);
    std::erase_if(entries, [&](const std::string& entry) { return SameText(entry, mac); });
    WriteFilterEntries(device, entries);
  } else if (Is(config.password, name)) {
    if (config.passwordOnCommit)
      device.SetPendingPassword(value.bytes);
    else
      SetWriteCommunity(device, value.bytes);
  } else {
    device.Put(name, value);
    if (Is(config.firmwareOpen, name) && value.integer == 1 && config.firmwareCloseAfter.count() > 0)
      device.CloseFirmwareAt(now + config.firmwareCloseAfter);
    if (config.systemKey && config.systemKey->key == name) UpdateSystemKeyDigest(device, value.bytes);
  }
}

void Behaviours::Commit(Device& device, bool restart, Device::Clock::time_point now) {
  const DeviceConfig& config = device.Config();
  if (auto pending = device.TakePendingPassword()) SetWriteCommunity(device, *pending);
  if (config.configId) {
    Value& id = device.Objects()[*config.configId];
    id = Value::Integer(id.integer + 1);
  }
  if (restart) device.Restart(now);
}

void Behaviours::UpdateSystemKeyDigest(Device& device, const std::string& keyText) {
  const auto& systemKey = *device.Config().systemKey;
  device.Objects()[systemKey.digest] = Value::OctetString(SystemKeyDigest(systemKey.oui, keyText, systemKey.mac));
}

std::string Behaviours::SystemKeyDigest(const std::string& ouiBytes, const std::string& keyText,
                                        const std::string& macHex) {
  const std::string key = ouiBytes + keyText;
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int size = 0;
  HMAC(EVP_md5(), key.data(), static_cast<int>(key.size()), reinterpret_cast<const unsigned char*>(macHex.data()),
       macHex.size(), digest, &size);
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (unsigned int i = 0; i < size; ++i) text += {digits[digest[i] >> 4], digits[digest[i] & 15]};
  return text;
}

void Behaviours::SetWriteCommunity(Device& device, const std::string& community) {
  DeviceConfig& config = device.Config();
  config.writeCommunity = community;
  if (config.password) device.Objects()[*config.password] = Value::OctetString(community);
  for (const Oid& mirror : config.passwordMirrors) device.Objects()[mirror] = Value::OctetString(community);
}

std::vector<std::string> Behaviours::FilterEntries(Device& device) {
  Oid column = *device.Config().macFilterTable;
  column.push_back(2);
  std::vector<std::string> entries;
  for (auto it = device.Objects().lower_bound(column); it != device.Objects().end() && OidStartsWith(it->first, column); ++it)
    entries.push_back(it->second.bytes);
  return entries;
}

void Behaviours::WriteFilterEntries(Device& device, const std::vector<std::string>& entries) {
  const Oid& table = *device.Config().macFilterTable;
  device.EraseSubtree(table);
  for (size_t i = 0; i < entries.size(); ++i) {
    const oid index = i + 1;
    Oid indexCell = table, macCell = table;
    indexCell.insert(indexCell.end(), {1, index});
    macCell.insert(macCell.end(), {2, index});
    device.Objects()[indexCell] = Value::Integer(static_cast<long>(index));
    device.Objects()[macCell] = Value::OctetString(entries[i]);
  }
}

}  // namespace devsim
