#pragma once
// Commands a test sends to a running simulator, one a line, each answered by one line "ok [TEXT]" or
// "error TEXT":
//   get ADDRESS OID                 -> "ok OID|TAG|VALUE" (the device's current value, timers applied)
//   set ADDRESS OID|TAG|VALUE       puts an object (new or replaced) and its mirror
//   unset ADDRESS OID               removes an object
//   config ADDRESS DIRECTIVE...     applies a side-file directive, e.g. "config 127.0.0.11 silent on"
//   next ADDRESS                    moves the rotating objects to their next frame
//   state ADDRESS                   -> "ok silent" (restarting or "silent on") or "ok answering"
//   wake ADDRESS                    ends a restart's silence now, as if the device had finished booting
#include <memory>
#include <string>
#include <vector>

#include "Device.h"

namespace devsim {

class ControlChannel {
 public:
  explicit ControlChannel(std::vector<std::unique_ptr<Device>>& devices) : devices_(devices) {}
  std::string Execute(const std::string& line);

 private:
  Device* FindDevice(const std::string& address);
  std::vector<std::unique_ptr<Device>>& devices_;
};

}  // namespace devsim
