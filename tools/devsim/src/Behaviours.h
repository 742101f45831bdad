#pragma once
// What a SET does to a device: plain writable objects, commits, password, MAC filter, firmware and
// system-key objects.
// A v1 SET is all or nothing: every binding is checked before any is applied.
#include "NetSnmp.h"

#include <vector>

#include "Device.h"
#include "PduCodec.h"

namespace devsim {

struct SetOutcome {
  long errorStatus = SNMP_ERR_NOERROR;
  long errorIndex = 0;  // 1-based position of the failing binding
};

class Behaviours {
 public:
  static SetOutcome Set(Device& device, const std::vector<VarBind>& bindings, Device::Clock::time_point now);
  // The system key digest: upper-case hex HMAC-MD5 keyed with the OUI bytes and the key text over the
  // MAC's twelve hex digits as given.
  static std::string SystemKeyDigest(const std::string& ouiBytes, const std::string& keyText,
                                     const std::string& macHex);

 private:
  static long Check(Device& device, const VarBind& binding);
  static void Apply(Device& device, const VarBind& binding, Device::Clock::time_point now);
  static void Commit(Device& device, bool restart, Device::Clock::time_point now);
  static void SetWriteCommunity(Device& device, const std::string& community);
  static void UpdateSystemKeyDigest(Device& device, const std::string& keyText);
  static std::vector<std::string> FilterEntries(Device& device);
  static void WriteFilterEntries(Device& device, const std::vector<std::string>& entries);
};

}  // namespace devsim
