#include "device/AP.h"

namespace {
constexpr const char* kIfPhysAddress1Oid = ".1.3.6.1.2.1.2.2.1.6.1";
}

int CAP::Identify() {
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  CDevice::Identify();
  name = AllocateName("AP", kDeviceAP);
  int result = GetPortNumber();
  return result < 0 ? result : 1;
}

int CAP::GetMAC(std::string& macText) { return ReadMacObject(kIfPhysAddress1Oid, macText); }
