#include "Agent.h"

#include "NetSnmp.h"

#include "Behaviours.h"
#include "Snmprec.h"

namespace devsim {

Pdu Agent::ErrorResponse(const Pdu& request, long status, long index) {
  Pdu response = request;
  response.command = SNMP_MSG_RESPONSE;
  response.errorStatus = status;
  response.errorIndex = index;
  return response;
}

std::optional<Pdu> Agent::Answer(Device& device, const Pdu& request, Device::Clock::time_point now) {
  if (request.version != SNMP_VERSION_1) return std::nullopt;
  const Device::Access access = device.Authorise(request.community);
  if (access == Device::Access::None) return std::nullopt;  // v1: an unknown community is not answered
  device.Tick(now);

  Pdu response = ErrorResponse(request, SNMP_ERR_NOERROR, 0);
  switch (request.command) {
    case SNMP_MSG_GET:
      // A missing object fails the whole request, naming its position.
      for (size_t i = 0; i < request.varbinds.size(); ++i) {
        const Value* value = device.Find(request.varbinds[i].name);
        if (!value) return ErrorResponse(request, SNMP_ERR_NOSUCHNAME, static_cast<long>(i + 1));
        response.varbinds[i].value = *value;
      }
      return response;
    case SNMP_MSG_GETNEXT:
      for (size_t i = 0; i < request.varbinds.size(); ++i) {
        const auto* next = device.Next(request.varbinds[i].name);
        if (!next) return ErrorResponse(request, SNMP_ERR_NOSUCHNAME, static_cast<long>(i + 1));
        response.varbinds[i] = {next->first, next->second};
      }
      return response;
    case SNMP_MSG_SET: {
      // The read community's view is read-only: RFC 1157 answers a SET there with noSuchName.
      if (access != Device::Access::Write) return ErrorResponse(request, SNMP_ERR_NOSUCHNAME, 1);
      for (const VarBind& binding : request.varbinds) device.RecordSet(Snmprec::FormatLine(binding.name, binding.value));
      const SetOutcome outcome = Behaviours::Set(device, request.varbinds, now);
      if (outcome.errorStatus != SNMP_ERR_NOERROR)
        return ErrorResponse(request, outcome.errorStatus, outcome.errorIndex);
      return response;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace devsim
