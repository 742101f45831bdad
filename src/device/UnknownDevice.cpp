#include "device/UnknownDevice.h"

int CUnknownDevice::Identify() {
  name = AllocateName("UNKNOWN", kDeviceUnknown);
  portCount = 0;
  status = HasUsableIp() ? kStatusNormal : kStatusDhcpFailed;
  return 0;
}
