// Traps and INFORMs a device sends on a test's order: the binding layout the console's trap listener
// reads, the command's arguments, and the real datagrams as Net-SNMP's own parser reads them.
#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

#include "DeviceLoader.h"
#include "Notification.h"
#include "support/DevSimProcess.h"
#include "support/SnmpdProcess.h"

#include <net-snmp/library/snmp_impl.h>

namespace devsim {
namespace {

using namespace std::chrono_literals;
using testing_support::DevSimProcess;
using testing_support::DevSimReference;

const std::string kLinkDown = "1.3.6.1.4.1.44711.10.75.3.5.3.0";
const std::string kSysUpTime = "1.3.6.1.2.1.1.3.0";
const std::string kSnmpTrapOid = "1.3.6.1.6.3.1.1.4.1.0";

TEST(Notification, CarriesUptimeTrapIdentifierAndThePortAsTheListenerReadsThem) {
  const auto started = Device::Clock::now();
  auto device = DeviceLoader::Load({"127.0.0.1", DEVSIM_DATA_DIR "/ap-1.snmprec"}, started);
  struct Case {
    std::string identifier;
    std::string trapOid;  // snmpTrapOID.0's value
  };
  const Case cases[] = {{kLinkDown, "1.3.6.1.4.1.44711.10.75.3.5.3"},
                        {"1.3.6.1.4.1.44711.10.75.3.5.1.0", "1.3.6.1.4.1.44711.10.75.3.5.1"},
                        {"1.3.6.1.2.1.105.0.1", "1.3.6.1.2.1.105.0.1"}};
  for (const Case& c : cases) {
    for (const bool inform : {false, true}) {
      SCOPED_TRACE(c.identifier + (inform ? " inform" : " trap"));
      const auto order = NotificationOrder::Parse(inform, "127.0.0.1:162 " + c.identifier + " 7");
      const Pdu pdu = Notification::Build(*device, order, 42, started + 12345ms);
      // Through the wire format and back: what a listener gets.
      std::vector<u_char> bytes(1500);
      bytes.resize(PduCodec::Encode(pdu, bytes.data(), bytes.size()));
      const auto received = PduCodec::Decode(bytes.data(), bytes.size());
      ASSERT_TRUE(received);
      EXPECT_EQ(received->version, SNMP_VERSION_2c);
      EXPECT_EQ(received->community, "public");
      EXPECT_EQ(received->command, inform ? SNMP_MSG_INFORM : SNMP_MSG_TRAP2);
      EXPECT_EQ(received->requestId, 42);
      ASSERT_EQ(received->varbinds.size(), 3u);
      EXPECT_EQ(FormatOid(received->varbinds[0].name), kSysUpTime);
      EXPECT_EQ(received->varbinds[0].value, Value::Integer(1234, ASN_TIMETICKS));
      EXPECT_EQ(FormatOid(received->varbinds[1].name), kSnmpTrapOid);
      EXPECT_EQ(received->varbinds[1].value.type, ASN_OBJECT_ID);
      EXPECT_EQ(FormatOid(received->varbinds[1].value.objid), c.trapOid);
      EXPECT_EQ(FormatOid(received->varbinds[2].name), c.identifier);
      EXPECT_EQ(received->varbinds[2].value, Value::Integer(7));
    }
  }
  // Up-time counts from the last restart.
  device->Restart(started + 60s);
  const auto order = NotificationOrder::Parse(false, "127.0.0.1:162 " + kLinkDown + " 1");
  EXPECT_EQ(Notification::Build(*device, order, 1, started + 61s).varbinds[0].value.integer, 100);
}

TEST(Notification, OrdersNameALoopbackDestinationAnIdentifierAndAPort) {
  const auto inform = NotificationOrder::Parse(true, "127.0.9.1:16200 .1.3.6.1.2.1.105.0.2 24 1500");
  EXPECT_TRUE(inform.inform);
  EXPECT_EQ(ntohs(inform.destination.sin_port), 16200);
  EXPECT_EQ(ntohl(inform.destination.sin_addr.s_addr), 0x7F000901u);
  EXPECT_EQ(FormatOid(inform.identifier), "1.3.6.1.2.1.105.0.2");
  EXPECT_EQ(inform.portNumber, 24);
  EXPECT_EQ(inform.wait, 1500ms);
  EXPECT_EQ(NotificationOrder::Parse(true, "127.0.0.1:162 1.3.6 1").wait, 5000ms);

  struct Case {
    bool inform;
    const char* arguments;
  };
  const Case bad[] = {{false, "10.0.0.5:162 1.3.6 1"},     {false, "localhost:162 1.3.6 1"},
                      {false, "127.0.0.1 1.3.6 1"},        {false, "127.0.0.1:0 1.3.6 1"},
                      {false, "127.0.0.1:70000 1.3.6 1"},  {false, "127.0.0.1:162 1..3 1"},
                      {false, "127.0.0.1:162 1.3.6"},      {false, "127.0.0.1:162 1.3.6 -1"},
                      {false, "127.0.0.1:162 1.3.6 1 500"}, {true, "127.0.0.1:162 1.3.6 1 soon"},
                      {true, "127.0.0.1:162 1.3.6 1 500 more"}};
  for (const Case& c : bad) {
    SCOPED_TRACE(c.arguments);
    EXPECT_THROW(NotificationOrder::Parse(c.inform, c.arguments), std::runtime_error);
  }
}

// A UDP socket of the test's own, standing where the console's trap listener would.
class Receiver {
 public:
  Receiver() {
    fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = testing_support::SocketAddress("127.0.0.1", 0);
    bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
  }
  ~Receiver() { close(fd_); }
  int Port() const { return port_; }

  // The next datagram and its sender; empty when none comes within five seconds.
  std::string Receive(sockaddr_in& sender) {
    pollfd ready{fd_, POLLIN, 0};
    if (poll(&ready, 1, 5000) != 1) return "";
    char buffer[1500];
    socklen_t size = sizeof sender;
    const ssize_t count = recvfrom(fd_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&sender), &size);
    return count > 0 ? std::string(buffer, count) : "";
  }
  void SendTo(const sockaddr_in& peer, const Pdu& pdu) {
    u_char bytes[1500];
    const size_t size = PduCodec::Encode(pdu, bytes, sizeof bytes);
    sendto(fd_, bytes, size, 0, reinterpret_cast<const sockaddr*>(&peer), sizeof peer);
  }

 private:
  int fd_ = -1;
  int port_ = 0;
};

std::string Text(const sockaddr_in& address) {
  char text[INET_ADDRSTRLEN];
  inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
  return std::string(text) + ":" + std::to_string(ntohs(address.sin_port));
}

// What the console's listener sends back: the request with its first binding replaced by the last one
// carrying the octet string "This is the response.".
Pdu ListenerResponse(Pdu request, long requestId) {
  request.command = SNMP_MSG_RESPONSE;
  request.requestId = requestId;
  request.varbinds[0] = {request.varbinds.back().name, Value::OctetString("This is the response.")};
  return request;
}

class NotificationWireTest : public testing::Test {
 protected:
  DevSimProcess simulator_{{{DevSimReference::kSwitch, DevSimProcess::DataFile("switch.snmprec")},
                            {DevSimReference::kAp1, DevSimProcess::DataFile("ap-1.snmprec")}}};
  Receiver listener_;
};

TEST_F(NotificationWireTest, TrapLeavesFromTheDeviceAddressAsNetSnmpParsesIt) {
  simulator_.SendTrap(DevSimReference::kSwitch, "127.0.0.1", listener_.Port(), kLinkDown, 3);
  sockaddr_in sender{};
  std::string datagram = listener_.Receive(sender);
  ASSERT_FALSE(datagram.empty());
  EXPECT_EQ(Text(sender), std::string(DevSimReference::kSwitch) + ":" + std::to_string(simulator_.Port()));

  // Net-SNMP's own parser, not the simulator's codec.
  auto* data = reinterpret_cast<u_char*>(datagram.data());
  size_t length = datagram.size();
  u_char community[64];
  size_t communityLength = sizeof community;
  long version = -1;
  data = snmp_comstr_parse(data, &length, community, &communityLength, &version);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(version, SNMP_VERSION_2c);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(community), communityLength), "public");
  netsnmp_pdu* pdu = snmp_pdu_create(0);
  pdu->version = SNMP_VERSION_2c;
  ASSERT_EQ(snmp_pdu_parse(pdu, data, &length), 0);
  EXPECT_EQ(pdu->command, SNMP_MSG_TRAP2);
  std::vector<std::string> bindings;
  for (netsnmp_variable_list* v = pdu->variables; v; v = v->next_variable) {
    std::string value;
    if (v->type == ASN_OBJECT_ID) value = FormatOid(Oid(v->val.objid, v->val.objid + v->val_len / sizeof(oid)));
    if (v->type == ASN_INTEGER) value = std::to_string(*v->val.integer);
    bindings.push_back(FormatOid(Oid(v->name, v->name + v->name_length)) + " " + std::to_string(v->type) + " " + value);
  }
  snmp_free_pdu(pdu);
  ASSERT_EQ(bindings.size(), 3u);
  EXPECT_EQ(bindings[0].substr(0, kSysUpTime.size() + 4), kSysUpTime + " " + std::to_string(ASN_TIMETICKS) + " ");
  EXPECT_EQ(bindings[1], kSnmpTrapOid + " 6 1.3.6.1.4.1.44711.10.75.3.5.3");
  EXPECT_EQ(bindings[2], kLinkDown + " 2 3");

  EXPECT_THROW(simulator_.SendTrap(DevSimReference::kSwitch, "192.168.1.1", 162, kLinkDown, 3), std::runtime_error);
}

TEST_F(NotificationWireTest, InformReportsWhetherItsResponseCame) {
  // The listener answers as the console's does; the device hears it on its own address.
  Pdu request;
  sockaddr_in sender{};
  std::thread answering([&] {
    const std::string datagram = listener_.Receive(sender);
    auto decoded = PduCodec::Decode(reinterpret_cast<const u_char*>(datagram.data()), datagram.size());
    if (!decoded) return;
    request = *decoded;
    listener_.SendTo(sender, ListenerResponse(request, request.requestId));
  });
  EXPECT_TRUE(simulator_.SendInform(DevSimReference::kAp1, "127.0.0.1", listener_.Port(), "1.3.6.1.2.1.105.0.3", 2));
  answering.join();
  EXPECT_EQ(Text(sender), std::string(DevSimReference::kAp1) + ":" + std::to_string(simulator_.Port()));
  EXPECT_EQ(request.command, SNMP_MSG_INFORM);
  ASSERT_EQ(request.varbinds.size(), 3u);
  EXPECT_EQ(FormatOid(request.varbinds[2].name), "1.3.6.1.2.1.105.0.3");

  // Answers that are not its response (another request id, another sender) leave the INFORM unanswered.
  Receiver stranger;
  std::thread misleading([&] {
    const std::string datagram = listener_.Receive(sender);
    auto decoded = PduCodec::Decode(reinterpret_cast<const u_char*>(datagram.data()), datagram.size());
    if (!decoded) return;
    listener_.SendTo(sender, ListenerResponse(*decoded, decoded->requestId + 1));
    stranger.SendTo(sender, ListenerResponse(*decoded, decoded->requestId));
  });
  EXPECT_FALSE(simulator_.SendInform(DevSimReference::kAp1, "127.0.0.1", listener_.Port(), kLinkDown, 2, 1000));
  misleading.join();

  // No listener at all: unanswered; and the device goes on serving requests.
  EXPECT_FALSE(simulator_.SendInform(DevSimReference::kSwitch, "127.0.0.1", stranger.Port(), kLinkDown, 1, 300));
  EXPECT_EQ(simulator_.Get(DevSimReference::kSwitch, "1.3.6.1.2.1.1.5.0"), "1.3.6.1.2.1.1.5.0|4|lab-switch");
}

}  // namespace
}  // namespace devsim
