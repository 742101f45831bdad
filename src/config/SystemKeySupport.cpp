#include "config/SystemKeySupport.h"

#include <algorithm>
#include <optional>

#include "db/ApListDBManager.h"
#include "db/PortMask.h"
#include "db/TopologyDBManager.h"
#include "groups/GroupStore.h"
#include "platform/Delay.h"
#include "platform/MessageBox.h"

namespace {

constexpr int kSyntaxInteger = 2;
constexpr char kSwitchKey[] = ".24.4.0";
constexpr char kSwitchPortControl[] = ".24.2.0";
constexpr char kApKey[] = ".1.12.0";
constexpr char kApCommit[] = ".1.3.0";
constexpr int kModelAp = 0;
constexpr int kModelSwitch = 1;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 0;
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

}  // namespace

std::string CSystemKeySupport::GetReadCommunity(const std::string& mac) {
  return TopologyDBManager().GetDeviceReadCommunity(mac);
}

std::string CSystemKeySupport::GetWriteCommunity(const std::string& mac) {
  return TopologyDBManager().GetDeviceWriteCommunity(mac);
}

std::string CSystemKeySupport::GetDeviceIp(const std::string& mac) {
  std::string ip;
  TopologyDBManager().GetDeviceIpByMac(mac, ip);
  return ip;
}

std::string CSystemKeySupport::GetModelId(const std::string& mac) { return TopologyDBManager().GetDeviceModelId(mac); }

int CSystemKeySupport::GetPortCount(const std::string& mac) { return TopologyDBManager().GetSwitchPortCount(mac); }

std::string CSystemKeySupport::GetKeyOid(const std::string& mac) {
  const std::string model = GetModelId(mac);
  if (model == kApModelId) {
    const std::string root = GetGroupStore()->GetDevSysObjectID(mac, KeyKind::Mac);
    return root.empty() ? std::string() : root + kApKey;
  }
  return model.empty() ? std::string() : model + kSwitchKey;
}

std::string CSystemKeySupport::GetPortControlOid(const std::string& mac) {
  const std::string model = GetModelId(mac);
  return model.empty() ? std::string() : model + kSwitchPortControl;
}

bool CSystemKeySupport::Aim(const std::string& mac) {
  const std::string ip = GetDeviceIp(mac);
  if (ip.empty()) return false;
  snmp_.SetIp(ip);
  snmp_.SetReadCommunity(GetReadCommunity(mac));
  snmp_.SetWriteCommunity(GetWriteCommunity(mac));
  return true;
}

std::string CSystemKeySupport::GetDeviceKey(const std::string& mac) {
  if (!Aim(mac)) return {};
  const std::string oid = GetKeyOid(mac);
  std::string key;
  if (oid.empty() || snmp_.Get(oid, key) != 0) return {};
  return key;
}

std::string CSystemKeySupport::GetPortControl(const std::string& mac) {
  if (!Aim(mac)) return {};
  const std::string oid = GetPortControlOid(mac);
  std::vector<unsigned char> bytes;
  if (oid.empty() || snmp_.GetOctets(oid, bytes) != 0) return {};
  return FormatPortMaskOctets(bytes);
}

int CSystemKeySupport::SetDeviceKey(const std::string& mac, const std::string& key) {
  if (!Aim(mac)) return 0;
  const std::string root = GetGroupStore()->GetDevSysObjectID(mac, KeyKind::Mac);
  const std::string oid = GetKeyOid(mac);
  if (oid.empty() || snmp_.Set(oid, key) != 0) return 0;
  // An AP applies the key when it commits, and restarts.
  if (GetModelId(mac) == kApModelId) return snmp_.SetTyped(kSyntaxInteger, root + kApCommit, "1") == 0 ? 1 : 0;
  return 1;
}

bool CSystemKeySupport::ParsePortControl(const std::string& text, int byteCount, std::vector<unsigned char>& bytes) {
  bytes.assign(static_cast<size_t>(std::max(byteCount, 0)), 0);
  size_t position = 0;
  for (int i = 0; i < byteCount; ++i) {
    const size_t space = text.find(' ', position);
    if (space == std::string::npos) break;  // this byte and the later ones stay 0
    if (space - position != 2) return false;
    bytes[i] = static_cast<unsigned char>(16 * HexDigit(text[position]) + HexDigit(text[position + 1]));
    position = space + 1;
  }
  return true;
}

int CSystemKeySupport::SetPortControl(const std::string& mac, const std::string& text) {
  if (!Aim(mac)) return 0;
  const std::string oid = GetPortControlOid(mac);
  if (oid.empty()) return 0;
  const std::string groups = Trim(text) + " ";
  const int portCount = GetPortCount(mac);
  if (portCount < 1) return 0;
  std::vector<unsigned char> bytes;
  if (!ParsePortControl(groups, (portCount - 1) / 8 + 1, bytes)) return snmp_.Set(oid, groups) == 0 ? 1 : 0;
  return snmp_.SetOctets(0, oid, bytes.data(), static_cast<int>(bytes.size())) == 0 ? 1 : 0;
}

std::string CSystemKeySupport::ZeroPortControl(int portCount) {
  std::string text;
  for (int i = 0; i < (portCount - 1) / 8 + 1; ++i) text += "00 ";
  return text;
}

bool CSystemKeySupport::ClearPortControl(const std::string& switchMac, std::string& saved) {
  saved = GetPortControl(switchMac);
  // A value that could not be read cannot be restored: the switch keeps its protection untouched.
  if (saved.empty()) return false;
  return SetPortControl(switchMac, ZeroPortControl(GetPortCount(switchMac))) == 1;
}

int CSystemKeySupport::SetAllDevices(const std::string& key, const std::function<void(int)>& progress) {
  std::vector<std::string> switches, aps;
  TopologyDBManager topology;
  topology.GetManagedSwitchMacs(switches);
  topology.GetManagedApMacs(aps);
  bool failed = false;
  std::vector<std::string> saved(switches.size());
  for (size_t i = 0; i < switches.size(); ++i) {
    if (!ClearPortControl(switches[i], saved[i])) failed = true;
    if (SetDeviceKey(switches[i], key) != 1) failed = true;
  }
  for (size_t i = 0; i < aps.size(); ++i) {
    if (SetDeviceKey(aps[i], key) != 1) failed = true;
    if (progress) progress(static_cast<int>((i + 1) * 100 / aps.size()));
  }
  for (size_t i = 0; i < switches.size(); ++i)
    if (!saved[i].empty() && SetPortControl(switches[i], saved[i]) != 1) failed = true;
  return failed ? 0 : 1;
}

int CSystemKeySupport::SetKeyErrorDevices() {
  std::vector<std::string> devices;
  TopologyDBManager topology;
  if (!topology.GetSystemKeyErrorDevices(devices)) return kKeyErrorSuccess;
  struct DeviceKeyEntry {
    std::string mac, key;
  };
  struct SwitchPortControlEntry {
    std::string mac, portControl;
  };
  std::vector<DeviceKeyEntry> keys;
  std::vector<SwitchPortControlEntry> switches;
  bool portFailed = false, keyFailed = false;
  std::optional<std::string> previousSwitch;
  for (const std::string& device : devices) {
    const std::optional<std::string> upstream = topology.GetLinkSourceOf(device);
    // Without an upstream switch there is no key to copy: the device keeps its error.
    if (!upstream) {
      keyFailed = true;
      continue;
    }
    keys.push_back({device, GetDeviceKey(*upstream)});
    if (upstream != previousSwitch) switches.push_back({*upstream, GetPortControl(*upstream)});
    previousSwitch = upstream;
  }
  for (const SwitchPortControlEntry& entry : switches) {
    if (entry.portControl.empty() || SetPortControl(entry.mac, ZeroPortControl(GetPortCount(entry.mac))) != 1)
      portFailed = true;
  }
  platform::DelayMs(5);
  ApListDBManager apList;
  for (const DeviceKeyEntry& entry : keys) {
    if (!entry.key.empty() && SetDeviceKey(entry.mac, entry.key) == 1)
      apList.ClearSystemKeyError(entry.mac);
    else
      keyFailed = true;
  }
  for (const SwitchPortControlEntry& entry : switches) {
    if (!entry.portControl.empty() && SetPortControl(entry.mac, entry.portControl) != 1) portFailed = true;
  }
  if (portFailed) return kPortControlFailed;
  return keyFailed ? kKeySetFailed : kKeyErrorSuccess;
}

int CSystemKeySupport::SetKeyErrorDevice(const std::string& mac) {
  std::vector<std::string> devices;
  std::vector<std::optional<std::string>> upstreams;
  if (!TopologyDBManager().GetSystemKeyErrorLinks(devices, upstreams)) return 0;
  int result = 0;
  for (size_t i = 0; i < devices.size(); ++i) {
    if (devices[i] != mac || !upstreams[i]) continue;
    const std::string& switchMac = *upstreams[i];
    std::string saved;
    if (!ClearPortControl(switchMac, saved)) {
      result = 0;
      continue;
    }
    const std::string key = GetDeviceKey(switchMac);
    result = !key.empty() ? SetDeviceKey(mac, key) : 0;
    if (result == 1) ApListDBManager().ClearSystemKeyError(mac);
    const int restored = SetPortControl(switchMac, saved);
    if (result == 1) result = restored;
  }
  return result;
}

std::string CSystemKeySupport::AllDevicesResultText(int result) {
  return result != 0 ? "Modify system key success" : "Modify system key failed, maybe network error";
}

std::string CSystemKeySupport::KeyErrorResultText(int result) {
  switch (result) {
    case kKeyErrorSuccess: return "Modify system key success";
    case kPortControlFailed: return "Modify system key failed, maybe network error in Switch";
    default: return "Modify system key failed in some Aps, maybe network or DHCP error";
  }
}

int CSystemKeySupport::SetSingleDevice(const std::string& ip, const std::string& modelName,
                                       const std::string& writeCommunity, const std::string& key) {
  CYSnmp snmp;
  snmp.SetIp(ip);
  snmp.SetWriteCommunity(writeCommunity);
  CGroupStore* store = GetGroupStore();
  const std::string root = store->GetDevRootOIDByModelName(modelName);
  if (root.empty()) {
    platform::MessageBox("can't get root OID");
    return -1;
  }
  switch (store->GetDevTypeByModelName(modelName)) {
    case kModelAp:
      if (snmp.Set(root + kApKey, key) != 0) return 0;
      return snmp.SetTyped(kSyntaxInteger, root + kApCommit, "1") == 0 ? 1 : 0;
    case kModelSwitch:
      return snmp.Set(root + kSwitchKey, key) == 0 ? 1 : 0;
    default:
      platform::MessageBox("GetDevTypeByModelName error");
      return 0;
  }
}
