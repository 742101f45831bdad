#include "device/Device.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>
#include <vector>

#include "device/DeviceNameIndex.h"
#include "net/AddressText.h"
#include "net/IPv4Address.h"
#include "net/IcmpPing.h"

namespace {

constexpr int kValueBufferSize = 96;
constexpr const char* kIfNumberOid = "1.3.6.1.2.1.2.1.0";
constexpr const char* kSysNamePrefix = "1.3.6.1.2.1.1.5";
constexpr int kAliveTimeout = 100;  // hundredths of a second

// The port count ifNumber gives; none for a text that is no number or a count outside 0..kMaxPortCount.
std::optional<int> PortCountOf(std::string_view ifNumber, int kind) {
  long long value = 0;
  const auto [end, error] = std::from_chars(ifNumber.data(), ifNumber.data() + ifNumber.size(), value);
  if (error != std::errc() || end != ifNumber.data() + ifNumber.size()) return std::nullopt;
  const long long ports = value - (kind == kDeviceSwitch ? 1 : 0);  // a switch counts its own interface too
  if (ports < 0 || ports > kMaxPortCount) return std::nullopt;
  return static_cast<int>(ports);
}

bool IsLinkLocal(const CIPv4Address& address) {
  static const CIPv4Address first("169.254.0.0");
  static const CIPv4Address last("169.254.255.255");
  return first.IsLess(address) && address.IsLess(last);
}

}  // namespace

CYSnmp SnmpSessionFor(const std::string& ip, const std::string& community) {
  CYSnmp snmp;
  snmp.SetIp(ip);
  snmp.SetReadCommunity(community);
  snmp.SetWriteCommunity(community);
  return snmp;
}

int IsSnmpAgentAlive(const std::string& ip, const std::string& community) {
  CYSnmp snmp = SnmpSessionFor(ip, community);
  snmp.timeout = kAliveTimeout;
  char nextOid[kValueBufferSize];
  char value[kValueBufferSize];
  return snmp.GetNext(kSysNamePrefix, nextOid, sizeof nextOid, value, sizeof value, kSysNamePrefix) == 0 ? 1 : -1;
}

bool IsUsableDeviceIp(const std::string& ip) {
  CIPv4Address address(ip);
  if (address.a == 0 && address.b == 0 && address.c == 0 && address.d == 0) return false;
  return !IsLinkLocal(address);
}

int CDevice::Identify() {
  online = 1;
  status = kStatusNormal;
  return 1;
}

int CDevice::GetMAC(std::string&) { return -1; }
int CDevice::CollectDetails() { return 0; }
int CDevice::SaveCommunity() { return 0; }

int CDevice::GetPortNumber() {
  std::string value;
  const int result = SnmpSessionFor(ip, community).Get(kIfNumberOid, value);
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  const std::optional<int> ports = result == 0 ? PortCountOf(value, type) : std::nullopt;
  portCount = ports.value_or(-1);
  return ports ? 1 : -1;
}

int CDevice::IsAlive() const { return IsSnmpAgentAlive(ip, community); }

bool CDevice::HasUsableIp() const { return !IsLinkLocal(CIPv4Address(ip)); }

void CDevice::AddProperty(const std::string& deviceMac, const std::string& property, const std::string& current,
                          const std::string& previous, const std::string& propertyType) {
  differences.push_back(CDeviceProperty{deviceMac, property, propertyType, current, previous});
}

void CDevice::AddStringProperty(const std::string& deviceMac, const std::string& property,
                                const std::string& current, const std::string& previous) {
  AddProperty(deviceMac, property, current, previous, "string");
}

int CDevice::VerifyMac() {
  std::string read;
  if (GetMAC(read) < 0) return -1;
  return read == mac ? 1 : 0;
}

int CDevice::Ping() const { return CIcmpPing().Ping(ip.c_str()); }

int CDevice::ReadMacObject(const char* oid, std::string& macText) {
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  std::vector<unsigned char> octets;
  const int result = SnmpSessionFor(ip, community).GetOctets(oid, octets);
  if (result != 0 && result != CYSnmp::kNotOctetString) return -2;
  const std::optional<std::string> read = FormatMacOctets(octets);
  if (!read) return -1;
  macText = *read;
  return 1;
}

std::string CDevice::AllocateName(const char* prefix, int kind) {
  char text[32];
  std::snprintf(text, sizeof text, "%s_%d", prefix, g_DeviceNameIndex.Allocate(kind));
  return text;
}
