#pragma once
// Commands a test sends to a running simulator, one a line, each answered by one line "ok [TEXT]" or
// "error TEXT":
//   get ADDRESS OID                 -> "ok OID|TAG|VALUE" (the device's current value, timers applied)
//   set ADDRESS OID|TAG|VALUE       puts an object (new or replaced) and its mirror
//   unset ADDRESS OID               removes an object
//   config ADDRESS DIRECTIVE...     applies a side-file directive, e.g. "config 127.0.0.11 silent on"
//   sent ADDRESS                    -> "ok LINE<TAB>LINE..." every SET binding received since the last
//                                   "sent", as OID|TAG|VALUE, accepted or not; only the last ones the
//                                   device keeps (--keep-sets), the first item "dropped N" when N older
//                                   ones were dropped
//   next ADDRESS                    moves the rotating objects to their next frame
//   state ADDRESS                   -> "ok silent" (restarting or "silent on") or "ok answering"
//   answered ADDRESS                -> "ok N": the requests the device has answered since the start
//   wake ADDRESS                    ends a restart's silence now, as if the device had finished booting
//   trap ADDRESS DESTINATION:PORT IDENTIFIER PORT_NUMBER
//                                   the device sends an SNMPv2c TRAP from its own address (Notification.h)
//   inform ADDRESS DESTINATION:PORT IDENTIFIER PORT_NUMBER [WAIT_MS]
//                                   the same as an INFORM; -> "ok answered" when the response came within
//                                   WAIT_MS (default 5000), else "ok unanswered". Later commands wait for it.
// DESTINATION is a loopback address, like the devices' own.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Device.h"
#include "Notification.h"

namespace devsim {

class ControlChannel {
 public:
  // Sends a device's notification: the reply line, or nothing while an INFORM waits for its response.
  using Notify = std::function<std::optional<std::string>(Device&, const NotificationOrder&)>;

  ControlChannel(std::vector<std::unique_ptr<Device>>& devices, Notify notify)
      : devices_(devices), notify_(std::move(notify)) {}
  // The reply line; nothing when the reply comes later (an INFORM in flight).
  std::optional<std::string> Execute(const std::string& line);

 private:
  Device* FindDevice(const std::string& address);
  std::vector<std::unique_ptr<Device>>& devices_;
  Notify notify_;
};

}  // namespace devsim
