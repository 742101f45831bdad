#include "device/Switch.h"

#include "device/SystemKey.h"

namespace {
constexpr const char* kSysNameOid = ".1.3.6.1.2.1.1.5.0";
constexpr const char* kBridgeAddressOid = "1.3.6.1.2.1.17.1.1.0";
}  // namespace

int CSwitch::Identify() {
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  CDevice::Identify();

  std::string sysName;
  int read = SnmpSessionFor(ip, community).Get(kSysNameOid, sysName);
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  name = read == 0 && !sysName.empty() ? sysName : AllocateName("SW", kDeviceSwitch);

  int ports = GetPortNumber();
  if (ports < 0) return ports;
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  return VerifySystemKey(*this) ? 1 : -2;
}

int CSwitch::GetMAC(std::string& macText) { return ReadMacObject(kBridgeAddressOid, macText); }
