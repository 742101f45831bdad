#include "Notification.h"

#include <arpa/inet.h>

#include <charconv>
#include <sstream>
#include <stdexcept>

#include "Scenario.h"

namespace devsim {
namespace {

const Oid kSysUpTime{1, 3, 6, 1, 2, 1, 1, 3, 0};
const Oid kSnmpTrapOid{1, 3, 6, 1, 6, 3, 1, 1, 4, 1, 0};

long Number(const std::string& text, long low, long high, const char* what) {
  long number = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (ec != std::errc() || end != text.data() + text.size() || number < low || number > high)
    throw std::runtime_error(std::string("bad ") + what + " \"" + text + "\"");
  return number;
}

}  // namespace

NotificationOrder NotificationOrder::Parse(bool inform, const std::string& arguments) {
  std::istringstream words(arguments);
  std::string destination, identifier, portNumber, wait, extra;
  const bool complete = static_cast<bool>(words >> destination >> identifier >> portNumber);
  if (inform) words >> wait;  // optional
  if (!complete || words >> extra)
    throw std::runtime_error(inform ? "expected DESTINATION:PORT IDENTIFIER PORT_NUMBER [WAIT_MS]"
                                    : "expected DESTINATION:PORT IDENTIFIER PORT_NUMBER");
  NotificationOrder order;
  order.inform = inform;
  const auto colon = destination.rfind(':');
  if (colon == std::string::npos) throw std::runtime_error("expected DESTINATION:PORT, got \"" + destination + "\"");
  const std::string host = destination.substr(0, colon);
  Scenario::RequireLoopback(host);
  order.destination.sin_family = AF_INET;
  order.destination.sin_port = htons(static_cast<uint16_t>(Number(destination.substr(colon + 1), 1, 65535, "port")));
  inet_pton(AF_INET, host.c_str(), &order.destination.sin_addr);
  auto parsed = ParseOid(identifier);
  if (!parsed) throw std::runtime_error("bad OID \"" + identifier + "\"");
  order.identifier = *parsed;
  order.portNumber = Number(portNumber, 0, 0x7FFFFFFF, "port number");
  if (!wait.empty()) order.wait = std::chrono::milliseconds(Number(wait, 0, 600000, "wait"));
  return order;
}

Pdu Notification::Build(const Device& device, const NotificationOrder& order, long requestId,
                        Device::Clock::time_point now) {
  Pdu pdu;
  pdu.version = SNMP_VERSION_2c;
  pdu.community = device.Config().readCommunity;
  pdu.command = order.inform ? SNMP_MSG_INFORM : SNMP_MSG_TRAP2;
  pdu.requestId = requestId;
  Value trapOid;
  trapOid.type = ASN_OBJECT_ID;
  trapOid.objid = order.identifier;
  if (trapOid.objid.size() > 1 && trapOid.objid.back() == 0) trapOid.objid.pop_back();
  pdu.varbinds = {{kSysUpTime, Value::Integer(device.UptimeTicks(now), ASN_TIMETICKS)},
                  {kSnmpTrapOid, trapOid},
                  {order.identifier, Value::Integer(order.portNumber)}};
  return pdu;
}

}  // namespace devsim
