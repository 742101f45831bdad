#pragma once
// The SNMPv2c TRAP or INFORM a device sends when a test orders it (trap listener tests). Bindings:
// sysUpTime.0, snmpTrapOID.0 = the identifier without a trailing ".0", then the identifier itself
// carrying the port number as INTEGER (the listener reads the identifier from the third binding).
#include <chrono>

#include <netinet/in.h>

#include "Device.h"
#include "PduCodec.h"

namespace devsim {

struct NotificationOrder {
  bool inform = false;
  sockaddr_in destination{};  // a loopback address and port
  Oid identifier;             // e.g. 1.3.6.1.4.1.44711.10.75.3.5.3.0 (LINK_DOWN)
  long portNumber = 0;
  std::chrono::milliseconds wait{5000};  // how long an INFORM waits for its response

  // "DESTINATION IDENTIFIER PORT_NUMBER [WAIT_MS]" of the control commands; throws std::runtime_error.
  static NotificationOrder Parse(bool inform, const std::string& arguments);
};

class Notification {
 public:
  static Pdu Build(const Device& device, const NotificationOrder& order, long requestId, Device::Clock::time_point now);
};

}  // namespace devsim
