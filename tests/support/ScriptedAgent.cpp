#include "support/ScriptedAgent.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <optional>
#include <stdexcept>

#include "support/SnmpdProcess.h"

namespace testing_support {
namespace ber {
namespace {

std::string Length(size_t length) {
  if (length < 0x80) return std::string(1, static_cast<char>(length));
  std::string bytes;
  for (; length > 0; length >>= 8) bytes.insert(bytes.begin(), static_cast<char>(length & 0xFF));
  return static_cast<char>(0x80 | bytes.size()) + bytes;
}

std::string SubIdentifier(unsigned long value) {
  std::string bytes(1, static_cast<char>(value & 0x7F));
  for (value >>= 7; value > 0; value >>= 7) bytes.insert(bytes.begin(), static_cast<char>(0x80 | (value & 0x7F)));
  return bytes;
}

}  // namespace

std::string Tlv(unsigned char tag, const std::string& content) {
  return static_cast<char>(tag) + Length(content.size()) + content;
}

std::string Integer(long value, unsigned char tag) {
  std::string bytes;
  do {
    bytes.insert(bytes.begin(), static_cast<char>(value & 0xFF));
    value >>= 8;  // arithmetic: negative numbers end at -1
  } while (!((value == 0 && !(bytes.front() & 0x80)) || (value == -1 && (bytes.front() & 0x80))));
  return Tlv(tag, bytes);
}

std::string OctetString(const std::string& bytes) { return Tlv(ASN_OCTET_STR, bytes); }

std::string ObjectId(const ObjectName& id) {
  std::string content = SubIdentifier(id.size() < 2 ? 0 : id[0] * 40 + id[1]);
  for (size_t i = 2; i < id.size(); ++i) content += SubIdentifier(id[i]);
  return Tlv(ASN_OBJECT_ID, content);
}

std::string Response(const AgentRequest& request, const std::vector<Binding>& bindings, long errorStatus,
                     long errorIndex) {
  std::string list;
  for (const Binding& binding : bindings) list += Tlv(0x30, ObjectId(binding.name) + binding.value);
  const std::string pdu = Integer(request.requestId) + Integer(errorStatus) + Integer(errorIndex) + Tlv(0x30, list);
  return Tlv(0x30, Integer(request.version) + OctetString(request.community) + Tlv(SNMP_MSG_RESPONSE, pdu));
}

}  // namespace ber

namespace {

std::optional<AgentRequest> Decode(u_char* data, size_t length) {
  AgentRequest request;
  u_char type = 0;
  data = asn_parse_sequence(data, &length, &type, ASN_SEQUENCE | ASN_CONSTRUCTOR, "message");
  if (data) data = asn_parse_int(data, &length, &type, &request.version, sizeof request.version);
  u_char community[256];
  size_t communityLength = sizeof community;
  if (data) data = asn_parse_string(data, &length, &type, community, &communityLength);
  if (data) data = asn_parse_header(data, &length, &request.command);
  long ignored = 0;
  for (long* field : {&request.requestId, &ignored, &ignored})
    if (data) data = asn_parse_int(data, &length, &type, field, sizeof *field);
  if (data) data = asn_parse_sequence(data, &length, &type, ASN_SEQUENCE | ASN_CONSTRUCTOR, "varbinds");
  while (data && length > 0) {
    oid name[MAX_OID_LEN];
    size_t nameLength = MAX_OID_LEN;
    u_char valueType = 0;
    size_t valueLength = 0;
    u_char* value = nullptr;
    data = snmp_parse_var_op(data, name, &nameLength, &valueType, &valueLength, &value, &length);
    if (data) request.names.emplace_back(name, name + nameLength);
  }
  if (!data) return std::nullopt;
  request.community.assign(reinterpret_cast<const char*>(community), communityLength);
  return request;
}

void SendFromSocket(int socket, const AgentRequest& request, const std::string& datagram) {
  sendto(socket, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(&request.from),
         sizeof request.from);
}

}  // namespace

ScriptedAgent::ScriptedAgent(Handler handler) : handler_(std::move(handler)), address_(UniqueLoopbackAddress()) {
  socket_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = SocketAddress(address_, 0);
  socklen_t size = sizeof address;
  if (socket_ < 0 || bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
    throw std::runtime_error("scripted agent: cannot bind " + address_);
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

ScriptedAgent::~ScriptedAgent() {
  stop_ = true;
  thread_.join();
  close(socket_);
}

void ScriptedAgent::Serve() {
  std::vector<u_char> buffer(65535);
  while (!stop_) {
    pollfd ready{socket_, POLLIN, 0};
    if (poll(&ready, 1, 50) != 1) continue;
    sockaddr_in from{};
    socklen_t size = sizeof from;
    const ssize_t count =
        recvfrom(socket_, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &size);
    if (count <= 0) continue;
    std::optional<AgentRequest> request = Decode(buffer.data(), static_cast<size_t>(count));
    if (!request) continue;
    request->from = from;
    handler_(*request, *this);
  }
}

void ScriptedAgent::Send(const AgentRequest& request, const std::string& datagram) const {
  SendFromSocket(socket_, request, datagram);
}

void ScriptedAgent::SendFrom(const std::string& address, int port, const AgentRequest& request,
                             const std::string& datagram) const {
  const int other = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in local = SocketAddress(address, port);
  if (other >= 0 && bind(other, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0)
    SendFromSocket(other, request, datagram);
  if (other >= 0) close(other);
}

}  // namespace testing_support
