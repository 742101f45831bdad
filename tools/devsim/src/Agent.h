#pragma once
// The SNMPv1 agent of one device: checks version and community and answers GET, GET-NEXT and SET.
#include <optional>

#include "Device.h"
#include "PduCodec.h"

namespace devsim {

class Agent {
 public:
  // The response, or nothing when the request gets no answer (not v1, unknown community, not a request).
  static std::optional<Pdu> Answer(Device& device, const Pdu& request, Device::Clock::time_point now);
  // The request sent back with an error status, the form every v1 error response takes.
  static Pdu ErrorResponse(const Pdu& request, long status, long index);
};

}  // namespace devsim
