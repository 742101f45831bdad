// The trap listener on loopback: known notifications become Critical lines, INFORMs are answered with
// their own bindings, anything else (unknown identifiers, broken datagrams) leaves no trace.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/TrapListener.h"
#include "log/LogLevelMask.h"
#include "platform/MessageIds.h"
#include "platform/Shutdown.h"
#include "support/DevSimProcess.h"
#include "support/MessageRecorder.h"
#include "support/TempDatabase.h"
#include "support/TrapSender.h"

namespace {

using testing_support::TrapSender;
using Texts = std::vector<std::string>;

const std::string kLinkDown = "1.3.6.1.4.1.44711.10.75.3.5.3.0";

struct KnownTrap {
  std::string identifier;
  std::string name;
};
const std::vector<KnownTrap> kKnownTraps = {
    {"1.3.6.1.4.1.44711.10.75.3.5.1.0", "COLD_START"},
    {"1.3.6.1.4.1.44711.10.75.3.5.2.0", "WARM_START"},
    {"1.3.6.1.4.1.44711.10.75.3.5.3.0", "LINK_DOWN"},
    {"1.3.6.1.4.1.44711.10.75.3.5.4.0", "LINK_UP"},
    {"1.3.6.1.4.1.44711.10.75.3.5.5.0", "Authentication Failure"},
    {"1.3.6.1.4.1.44711.10.75.3.5.6.0", "FIBER_INDERT"},
    {"1.3.6.1.4.1.44711.10.75.3.5.7.0", "FIBER_REMOVE"},
    {"1.3.6.1.4.1.44711.10.75.3.5.8.0", "RX_ERROR"},
    {"1.3.6.1.4.1.44711.10.75.3.5.9.0", "TX_ERORR"},
    {"1.3.6.1.2.1.105.0.1", "pethPsePortOnOffNotification"},
    {"1.3.6.1.2.1.105.0.2", "OIDpethMainPowerUsageOnNotification"},
    {"1.3.6.1.2.1.105.0.3", "pethMainPowerUsageOffNotification"},
};

class TrapListenerTest : public ::testing::Test {
 protected:
  void SetUp() override { g_nLogLevelMask = 0xF; }
  void TearDown() override {
    platform::RunShutdown();
    g_nLogLevelMask = 0;
  }

  // Starts the listener and waits until it answers an INFORM, so that nothing sent later is missed.
  void StartListening() {
    ASSERT_TRUE(listener_.Start(mainWindow_.Id()));
    TrapSender probe(port_.Port(), 100);
    std::vector<testing_support::TrapBinding> answer;
    for (int attempt = 0; attempt < 50 && !probe.Inform({{"1.3.6.1.2.1.1.3.0", "probe"}}, answer); ++attempt) {
    }
    ASSERT_FALSE(answer.empty()) << "the listener never answered";
  }
  // Waits until the last event-log line is line.
  bool WaitForLastLine(const std::string& line) {
    for (int i = 0; i < 500; ++i) {
      if (const Texts lines = Lines(); !lines.empty() && lines.back() == line) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }
  // Waits for count event-log lines in all.
  bool WaitForLines(size_t count) { return mainWindow_.WaitFor(msg::WM_NMS_SYSLOG_LINE, count); }
  Texts Lines() {
    Texts lines;
    for (const auto& row : database_.Rows("select level, description from system_log order by \"index\""))
      lines.push_back(row[0] + "|" + row[1]);
    return lines;
  }

  testing_support::TrapPort port_;
  testing_support::MessageRecorder mainWindow_;
  testing_support::MessageBoxRecorder boxes_;
  testing_support::TempDatabase database_;
  CTrapListener listener_;
};

TEST_F(TrapListenerTest, EveryKnownTrapAndInformFromTheSimulatorWritesItsCriticalLine) {
  testing_support::DevSimProcess simulator;
  StartListening();
  Texts expected;
  for (const KnownTrap& trap : kKnownTraps) {
    simulator.SendTrap(testing_support::DevSimReference::kAp1, "127.0.0.1", port_.Port(), trap.identifier, 3);
    ASSERT_TRUE(WaitForLines(expected.size() + 1)) << trap.name;
    EXPECT_TRUE(
        simulator.SendInform(testing_support::DevSimReference::kSwitch, "127.0.0.1", port_.Port(), trap.identifier, 4))
        << trap.name;
    ASSERT_TRUE(WaitForLines(expected.size() + 2)) << trap.name;
    expected.push_back("1|Received 127.0.0.11 trap message : " + trap.name);
    expected.push_back("1|Received 127.0.0.10 trap message : " + trap.name);
  }
  // Unknown identifiers, the first a known one without its ".0": the INFORM is answered, nothing logged.
  simulator.SendTrap(testing_support::DevSimReference::kAp1, "127.0.0.1", port_.Port(), "1.3.6.1.4.1.44711.10.75.3.5.1",
                     1);
  EXPECT_TRUE(simulator.SendInform(testing_support::DevSimReference::kAp2, "127.0.0.1", port_.Port(),
                                   "1.3.6.1.4.1.44711.99.1.0", 1));
  simulator.SendTrap(testing_support::DevSimReference::kAp1, "127.0.0.1", port_.Port(), kLinkDown, 1);
  expected.push_back("1|Received 127.0.0.11 trap message : LINK_DOWN");
  ASSERT_TRUE(WaitForLines(expected.size()));
  EXPECT_EQ(Lines(), expected);
}

TEST_F(TrapListenerTest, AnInformIsAnsweredWithItsOwnBindings) {
  StartListening();
  TrapSender sender(port_.Port());
  const std::vector<testing_support::TrapBinding> request = {
      {"1.3.6.1.2.1.1.3.0", "A"}, {"1.3.6.1.6.3.1.1.4.1.0", "B"}, {kLinkDown, "C"}};
  std::vector<testing_support::TrapBinding> answer;
  ASSERT_TRUE(sender.Inform(request, answer));
  ASSERT_EQ(answer.size(), 3u);
  for (size_t i = 0; i < request.size(); ++i) {
    EXPECT_EQ(answer[i].oid, request[i].oid);
    EXPECT_EQ(answer[i].value, request[i].value);
  }
  ASSERT_TRUE(WaitForLines(1));
  EXPECT_EQ(Lines(), Texts{"1|Received 127.0.0.1 trap message : LINK_DOWN"});
}

TEST_F(TrapListenerTest, FewerThanThreeBindingsAreIdentifiedByTheLastOne) {
  StartListening();
  TrapSender sender(port_.Port());
  ASSERT_TRUE(sender.Trap({}));                                                          // no binding: nothing
  ASSERT_TRUE(sender.Trap({{"1.3.6.1.2.1.1.3.0", "0"}, {"1.3.6.1.2.1.105.0.2", "x"}}));  // the second
  ASSERT_TRUE(sender.Trap({{kLinkDown, "x"}, {"1.3.6.1.2.1.1.3.0", "0"}}));              // the last, unknown: nothing
  ASSERT_TRUE(sender.Trap(TrapSender::Notification(kLinkDown)));
  ASSERT_TRUE(WaitForLines(2));
  EXPECT_EQ(Lines(), (Texts{"1|Received 127.0.0.1 trap message : OIDpethMainPowerUsageOnNotification",
                            "1|Received 127.0.0.1 trap message : LINK_DOWN"}));
}

// The bytes of a notification as they travel, captured from the library's own encoder.
std::vector<unsigned char> EncodedTrap() {
  const int receiver = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  bind(receiver, reinterpret_cast<sockaddr*>(&address), sizeof address);
  getsockname(receiver, reinterpret_cast<sockaddr*>(&address), &length);
  TrapSender(ntohs(address.sin_port)).Trap(TrapSender::Notification(kLinkDown));
  std::vector<unsigned char> bytes(2048);
  const ssize_t received = recv(receiver, bytes.data(), bytes.size(), 0);
  close(receiver);
  bytes.resize(received > 0 ? static_cast<size_t>(received) : 0);
  return bytes;
}

// What the tests and the trap benchmark send is what a standard receiver takes: sysUpTime.0 as time ticks
// and snmpTrapOID.0 naming the notification as an object identifier.
TEST(TrapSenderTest, ANotificationIsWellFormed) {
  CSnmpSession::InitLibrary();
  netsnmp_pdu* pdu = TrapSender::Pdu(SNMP_MSG_TRAP2, TrapSender::Notification(kLinkDown));
  std::vector<std::pair<std::string, int>> bindings;
  std::string trapOid;
  for (const netsnmp_variable_list* v = pdu->variables; v; v = v->next_variable) {
    const auto dotted = [](const oid* name, size_t length) {
      std::string text;
      for (size_t i = 0; i < length; ++i) text += (i ? "." : "") + std::to_string(name[i]);
      return text;
    };
    bindings.emplace_back(dotted(v->name, v->name_length), v->type);
    if (v->type == ASN_OBJECT_ID) trapOid = dotted(v->val.objid, v->val_len / sizeof(oid));
  }
  snmp_free_pdu(pdu);
  ASSERT_EQ(bindings.size(), 3u);
  EXPECT_EQ(bindings[0], std::make_pair(std::string("1.3.6.1.2.1.1.3.0"), int{ASN_TIMETICKS}));
  EXPECT_EQ(bindings[1], std::make_pair(std::string("1.3.6.1.6.3.1.1.4.1.0"), int{ASN_OBJECT_ID}));
  EXPECT_EQ(trapOid, kLinkDown);
  EXPECT_EQ(bindings[2].first, kLinkDown);
}

TEST_F(TrapListenerTest, BrokenDatagramsAreDroppedAndTheListenerGoesOn) {
  const std::vector<unsigned char> trap = EncodedTrap();
  ASSERT_FALSE(trap.empty());
  StartListening();
  const int sender = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  to.sin_port = htons(static_cast<uint16_t>(port_.Port()));
  std::mt19937 random(19);
  for (int i = 0; i < 3000; ++i) {
    std::vector<unsigned char> datagram = trap;
    switch (i % 3) {
      case 0:  // flipped bytes
        for (int flips = 1 + static_cast<int>(random() % 4); flips > 0; --flips)
          datagram[random() % datagram.size()] ^= static_cast<unsigned char>(1 + random() % 255);
        break;
      case 1:  // cut short
        datagram.resize(random() % datagram.size());
        break;
      default:  // noise
        datagram.resize(random() % 600);
        for (unsigned char& byte : datagram) byte = static_cast<unsigned char>(random());
    }
    sendto(sender, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    if (i % 200 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));  // no loss in the socket
  }
  close(sender);
  // A flipped byte may still leave a known trap; only the listener's survival and a later trap matter.
  TrapSender(port_.Port()).Trap(TrapSender::Notification("1.3.6.1.2.1.105.0.3"));
  EXPECT_TRUE(WaitForLastLine("1|Received 127.0.0.1 trap message : pethMainPowerUsageOffNotification"));
  listener_.Stop();
  EXPECT_EQ(listener_.Join(), 0);
}

TEST_F(TrapListenerTest, ATakenPortIsReportedOnceAndTheThreadEnds) {
  const int other = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port_.Port()));
  ASSERT_EQ(bind(other, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_TRUE(listener_.Start(mainWindow_.Id()));
  EXPECT_EQ(listener_.Join(), -1);
  EXPECT_EQ(mainWindow_.MessagesWithId(msg::WM_NMS_TRAP_PORT_BUSY).size(), 1u);
  EXPECT_TRUE(boxes_.Texts().empty());
  EXPECT_FALSE(listener_.Start(mainWindow_.Id())) << "an ended listener is not started again";
  close(other);
}

TEST_F(TrapListenerTest, StopEndsAnIdleListenerAndTheDestructorJoins) {
  StartListening();
  listener_.Stop();
  EXPECT_EQ(listener_.Join(), 0);
  {
    CTrapListener running;
    ASSERT_TRUE(running.Start(mainWindow_.Id()));
  }  // stops and joins; would hang or crash otherwise
  SUCCEED();
}

}  // namespace
