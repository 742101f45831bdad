#pragma once
// An SNMP agent of a test's own on a loopback address, for answers no sound agent gives: endless tables,
// exception values in SNMPv1, other names, forged senders, types the library does not know. Every
// request is decoded and handed to the test's handler on the agent's thread; the handler sends what it
// likes, built with the BER helpers below.
#include <netinet/in.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

using ObjectName = std::vector<unsigned long>;

struct AgentRequest {
  long version = 0;
  std::string community;
  unsigned char command = 0;  // the PDU tag, SNMP_MSG_GET ...
  long requestId = 0;
  std::vector<ObjectName> names;
  sockaddr_in from{};
};

// Encoded values and messages.
namespace ber {
std::string Tlv(unsigned char tag, const std::string& content);
std::string Integer(long value, unsigned char tag = 0x02);
std::string OctetString(const std::string& bytes);
std::string ObjectId(const ObjectName& id);
// An object name and its encoded value.
struct Binding {
  ObjectName name;
  std::string value;
};
// The response message to request with these bindings.
std::string Response(const AgentRequest& request, const std::vector<Binding>& bindings, long errorStatus = 0,
                     long errorIndex = 0);
}  // namespace ber

class ScriptedAgent {
 public:
  using Handler = std::function<void(const AgentRequest& request, ScriptedAgent& agent)>;

  // Listens on a loopback address of its own, on a port it picks.
  explicit ScriptedAgent(Handler handler);
  ~ScriptedAgent();
  ScriptedAgent(const ScriptedAgent&) = delete;
  ScriptedAgent& operator=(const ScriptedAgent&) = delete;

  const std::string& Address() const { return address_; }
  int Port() const { return port_; }

  // Sends the datagram from the agent's socket to the requester.
  void Send(const AgentRequest& request, const std::string& datagram) const;
  // Sends it from another socket, bound to address and port (0 any free port).
  void SendFrom(const std::string& address, int port, const AgentRequest& request, const std::string& datagram) const;

 private:
  void Serve();

  Handler handler_;
  std::string address_;
  int port_ = 0;
  int socket_ = -1;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace testing_support
