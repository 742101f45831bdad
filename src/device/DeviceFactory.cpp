#include "device/DeviceFactory.h"

#include "device/AP.h"
#include "device/Switch.h"
#include "device/UnknownDevice.h"
#include "platform/DebugTrace.h"
#include "snmp/SnmpStatus.h"

namespace {

constexpr int kValueBufferSize = 96;
constexpr const char* kSysObjectIdOid = "1.3.6.1.2.1.1.2.0";
// The first row of the LLDP port configuration's admin-status column.
constexpr const char* kLldpAdminStatusColumn = ".1.0.8802.1.1.2.1.1.6.1.2";
constexpr const char* kApHardwareIdSuffix = ".1.5.0";

// txOnly, rxOnly, txAndRx or disabled: only a switch has the column.
bool IsLldpAdminStatus(const std::string& value) {
  return value == "1" || value == "2" || value == "3" || value == "4";
}

}  // namespace

int JudgeDeviceType(const std::string& ip, const std::string& community, std::string& root) {
  CYSnmp snmp = SnmpSessionFor(ip, community);

  int result = snmp.Get(kSysObjectIdOid, root);
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  // Only an agent that answers, with an error, is a device of unknown kind; an address that gives no
  // answer at all (not even a route) is no device.
  if (result != 0 && !IsAgentErrorStatus(result)) return -1;
  if (result != 0) {
    DebugTrace("JudgeDeviceType ERR %d", result);
    return kDeviceUnknown;
  }

  char nextOid[kValueBufferSize];
  char value[kValueBufferSize];
  result = snmp.GetNext(kLldpAdminStatusColumn, nextOid, sizeof nextOid, value, sizeof value,
                        kLldpAdminStatusColumn);
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  if (result == 0 && IsLldpAdminStatus(value)) return kDeviceSwitch;

  std::string lldpState;
  result = snmp.Get(kLldpStateOid, lldpState);
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  if (result == 0) return kDeviceSwitch;

  root = kApRootOid;
  std::string hardwareId;
  result = snmp.Get(root + kApHardwareIdSuffix, hardwareId);
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  if (result == 0) return kDeviceAP;
  root.clear();
  DebugTrace("test!!!!");
  return kDeviceUnknown;
}

std::unique_ptr<CDevice> CreateDevice(const std::string& ip, const std::string& community) {
  std::string root;
  std::unique_ptr<CDevice> device;
  switch (JudgeDeviceType(ip, community, root)) {
    case kDeviceUnknown:
      DebugTrace("new CUnknownDevice()");
      device = std::make_unique<CUnknownDevice>();
      break;
    case kDeviceSwitch:
      DebugTrace("new CSwitch()");
      device = std::make_unique<CSwitch>();
      break;
    case kDeviceAP:
      DebugTrace("new CAP()");
      device = std::make_unique<CAP>();
      break;
    default:
      return nullptr;
  }
  device->ip = ip;
  device->community = community;
  device->rootOid = root;
  device->Identify();
  return device;
}
