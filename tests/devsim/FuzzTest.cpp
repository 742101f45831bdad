// Mutated datagrams and control lines: the decoder, the agent and the control channel must never crash,
// read outside their input or stop answering. Deterministic seeds; the sanitizer build shows what a plain
// build would not.
#include <arpa/inet.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "Agent.h"
#include "ControlChannel.h"
#include "DeviceLoader.h"
#include "Notification.h"
#include "PduCodec.h"
#include "support/DevSimProcess.h"
#include "support/SnmpdProcess.h"

namespace devsim {
namespace {

using testing_support::DevSimProcess;
using testing_support::DevSimReference;

constexpr int kRounds = 4000;
const std::string kSwitchRoot = "1.3.6.1.4.1.44711.10.76.2";
const std::string kApRoot = "1.3.6.1.4.1.44711.1";

Oid O(const std::string& text) { return *ParseOid(text); }

// Changes a sample a few times: bits, bytes, cuts, repeats, splices with another sample, and tokens that
// tend to find edges (length bytes, large numbers, separators). Three times in four the sample's head, as
// far as `head` says, stays whole, so that most changes reach what comes after it.
class Mutator {
 public:
  using Head = std::function<size_t(const std::string& sample)>;

  Mutator(unsigned seed, std::vector<std::string> samples, std::vector<std::string> tokens, Head head = nullptr)
      : random_(seed), samples_(std::move(samples)), tokens_(std::move(tokens)), head_(std::move(head)) {}

  std::string Next() {
    const std::string& sample = samples_[Below(samples_.size())];
    const size_t kept = head_ && Below(4) > 0 ? std::min(head_(sample), sample.size()) : 0;
    std::string data = sample.substr(kept);
    for (size_t changes = 1 + Below(4); changes > 0; --changes) Change(data);
    return sample.substr(0, kept) + data;
  }

 private:
  size_t Below(size_t limit) { return limit == 0 ? 0 : random_() % limit; }

  void Change(std::string& data) {
    const size_t at = Below(data.size() + 1);
    switch (Below(7)) {
      case 0:
        if (!data.empty()) data[Below(data.size())] ^= static_cast<char>(1 << Below(8));
        break;
      case 1:
        if (!data.empty()) data[Below(data.size())] = static_cast<char>(random_());
        break;
      case 2:
        data.insert(at, tokens_[Below(tokens_.size())]);
        break;
      case 3:
        data.erase(at, Below(16));
        break;
      case 4:
        data.resize(at);
        break;
      case 5:
        data.insert(at, data.substr(Below(data.size() + 1), Below(32)));
        break;
      default: {
        const std::string& other = samples_[Below(samples_.size())];
        data = data.substr(0, at) + other.substr(std::min(at, other.size()));
      }
    }
  }

  std::mt19937 random_;
  std::vector<std::string> samples_;
  std::vector<std::string> tokens_;
  Head head_;
};

std::string Encoded(const Pdu& pdu) {
  std::string bytes(65535, '\0');
  bytes.resize(PduCodec::Encode(pdu, reinterpret_cast<u_char*>(bytes.data()), bytes.size()));
  return bytes;
}

Pdu Request(u_char command, const std::string& community, std::vector<VarBind> bindings, long version = 0) {
  Pdu pdu;
  pdu.version = version;
  pdu.community = community;
  pdu.command = command;
  pdu.requestId = 1234;
  pdu.varbinds = std::move(bindings);
  return pdu;
}

// Requests of every kind the devices serve, a response and notifications, and one as Net-SNMP sends it.
std::vector<std::string> DatagramSamples() {
  Value address;
  address.type = ASN_IPADDRESS;
  address.bytes = std::string("\x0a\0\0\x01", 4);
  Value objectId;
  objectId.type = ASN_OBJECT_ID;
  objectId.objid = O(kSwitchRoot);
  const Pdu requests[] = {
      Request(SNMP_MSG_GET, "public", {{O("1.3.6.1.2.1.1.5.0"), {}}, {O("1.3.6.1.2.1.1.2.0"), {}}}),
      Request(SNMP_MSG_GETNEXT, "public", {{O("1.3.6.1.2.1.2.2.1.2"), {}}, {O("1.0.8802.1.1.2.1.4"), {}}}),
      Request(SNMP_MSG_SET, "private", {{O("1.3.6.1.2.1.1.5.0"), Value::OctetString("renamed")},
                                        {O(kSwitchRoot + ".11.16.0"), address},
                                        {O(kSwitchRoot + ".24.6.0"), Value::Integer(2)}}),
      Request(SNMP_MSG_SET, "private", {{O(kApRoot + ".3.2.0"), Value::OctetString("02aa00000002")},
                                        {O(kApRoot + ".1.3.0"), Value::Integer(1)},
                                        {O(kSwitchRoot + ".24.4.0"), Value::OctetString("newkey")}}),
      Request(SNMP_MSG_SET, "private", {{O("1.3.6.1.2.1.1.3.0"), Value::Integer(5, ASN_TIMETICKS)},
                                        {O("1.3.6.1.2.1.1.2.0"), objectId},
                                        {O("1.3.6.1.2.1.2.2.1.10.1"), Value::Integer(7, ASN_COUNTER)}}),
      Request(SNMP_MSG_RESPONSE, "public", {{O("1.3.6.1.2.1.1.3.0"), Value::Integer(1, ASN_TIMETICKS)}}, 1),
      Request(SNMP_MSG_GET, "public", {{O("1.3.6.1.2.1.1.5.0"), {}}}, 1),
  };
  std::vector<std::string> samples;
  for (const Pdu& pdu : requests) samples.push_back(Encoded(pdu));
  const auto device = DeviceLoader::Load({"127.0.0.1", DEVSIM_DATA_DIR "/switch.snmprec"}, Device::Clock::now());
  for (const bool inform : {false, true})
    samples.push_back(Encoded(Notification::Build(
        *device, NotificationOrder::Parse(inform, "127.0.0.1:162 1.3.6.1.4.1.44711.10.75.3.5.3.0 4"), 9, Device::Clock::now())));
  samples.emplace_back("\x30\x26\x02\x01\x00\x04\x06public\xa0\x19\x02\x01\x01\x02\x01\x00\x02\x01\x00"
                       "\x30\x0e\x30\x0c\x06\x08\x2b\x06\x01\x02\x01\x01\x03\x00\x05\x00", 40);
  return samples;
}

const std::vector<std::string> kBerTokens = {std::string(1, '\0'), "\x7f", "\x80", "\x81\xff", "\x82\xff\xff",
                                             "\x84\xff\xff\xff\xff", "\x30\x80", "\x06\x00", "\x02\x09\x80",
                                             "\xff\xff\xff\xff\xff\xff\xff\xff\xff", "\x44\x00", "\x46\x00"};

TEST(Fuzz, DecoderAndAgentTakeMutatedDatagrams) {
  snmp_disable_log();
  std::vector<std::unique_ptr<Device>> devices;
  for (const char* file : {"switch.snmprec", "ap-1.snmprec", "unknown.snmprec"})
    devices.push_back(DeviceLoader::Load({"127.0.0.1", DEVSIM_DATA_DIR "/" + std::string(file)}, Device::Clock::now()));
  Mutator mutator(20261211, DatagramSamples(), kBerTokens);
  std::vector<u_char> out(65507);
  int decoded = 0;
  for (int round = 0; round < kRounds; ++round) {
    const std::string datagram = mutator.Next();
    const auto pdu = PduCodec::Decode(reinterpret_cast<const u_char*>(datagram.data()), datagram.size());
    if (!pdu) continue;
    ++decoded;
    for (auto& device : devices) {
      const auto answer = Agent::Answer(*device, *pdu, Device::Clock::now());
      if (answer) PduCodec::Encode(*answer, out.data(), out.size());
    }
  }
  EXPECT_GT(decoded, 0) << "the mutations never got past the decoder";
}

std::vector<std::string> ControlSamples(const std::string& address) {
  return {"get " + address + " 1.3.6.1.2.1.1.5.0",
          "set " + address + " 1.3.6.1.4.1.9.1.0|4x|0244710000ff",
          "set " + address + " 1.3.6.1.4.1.9.2.0|64|10.0.0.1",
          "set " + address + " 1.3.6.1.4.1.9.3.0|70|18446744073709551615",
          "unset " + address + " 1.3.6.1.2.1.1.6.0",
          "config " + address + " delay-ms 0",
          "config " + address + " restart-silence-ms 1500",
          "config " + address + " mirror 1.3.6.1.4.1.9.4.0 1.3.6.1.4.1.9.5.0",
          "config " + address + " system-key 1.3.1 1.3.2 024471 024471000001",
          "config " + address + " mac-filter-max 3",
          "config " + address + " include " DEVSIM_DATA_DIR "/ap-model.devsim",
          "config " + address + " rotate-frame " DEVSIM_DATA_DIR "/ap-1.clients-2.snmprec",
          "next " + address,
          "state " + address,
          "wake " + address,
          "trap " + address + " 127.0.0.1:162 1.3.6.1.4.1.44711.10.75.3.5.3.0 3",
          "inform " + address + " 127.0.0.1:162 1.3.6.1.2.1.105.0.3 2 100"};
}

const std::vector<std::string> kTextTokens = {"0", "-1", "4294967295", "4294967296", "9223372036854775807",
                                              "99999999999999999999", ".", "..", "|", "|4x|", "|6|", " ", "\t",
                                              std::string(1, '\0'), "\xff", "127.0.0.1:", ":0", "x"};

TEST(Fuzz, ControlChannelTakesMutatedLines) {
  std::vector<std::unique_ptr<Device>> devices;
  devices.push_back(DeviceLoader::Load({"127.0.0.10", DEVSIM_DATA_DIR "/switch.snmprec"}, Device::Clock::now()));
  devices.push_back(DeviceLoader::Load({"127.0.0.11", DEVSIM_DATA_DIR "/ap-1.snmprec"}, Device::Clock::now()));
  ControlChannel channel(devices, [](Device&, const NotificationOrder&) { return std::optional<std::string>("ok"); });
  std::vector<std::string> samples = ControlSamples("127.0.0.10");
  for (const std::string& line : ControlSamples("127.0.0.11")) samples.push_back(line);
  // The command and the device's address.
  const auto head = [](const std::string& line) { return line.find(' ', line.find(' ') + 1) + 1; };
  Mutator mutator(4711, samples, kTextTokens, head);
  for (int round = 0; round < kRounds; ++round) {
    const std::string line = mutator.Next();
    const auto reply = channel.Execute(line);
    ASSERT_TRUE(reply) << line;
    EXPECT_TRUE(*reply == "ok" || reply->starts_with("ok ") || reply->starts_with("error ")) << line << " -> " << *reply;
  }
}

// Over the wire, against the simulator itself: after thousands of mutated datagrams every device still
// answers.
TEST(Fuzz, TheSimulatorGoesOnAnsweringAfterMutatedDatagrams) {
  DevSimProcess simulator;
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  sockaddr_in local = testing_support::SocketAddress("127.0.0.1", 0);
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
  Mutator mutator(1157, DatagramSamples(), kBerTokens);
  std::vector<sockaddr_in> devices;
  for (const auto& device : simulator.Devices())
    devices.push_back(testing_support::SocketAddress(device.address, simulator.Port()));
  std::vector<char> drain(65535);
  for (int round = 0; round < kRounds; ++round) {
    const std::string datagram = mutator.Next();
    const sockaddr_in& to = devices[round % devices.size()];
    sendto(fd, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    while (recv(fd, drain.data(), drain.size(), MSG_DONTWAIT) > 0) {
    }
  }

  // A SET among the mutations may have restarted a device; restarts end at once here.
  for (const auto& device : simulator.Devices()) simulator.Wake(device.address);
  Pdu request = Request(SNMP_MSG_GET, "public", {{O("1.3.6.1.2.1.1.2.0"), {}}});
  request.requestId = 777777;
  const std::string bytes = Encoded(request);
  for (size_t i = 0; i < devices.size(); ++i) {
    SCOPED_TRACE(simulator.Devices()[i].address);
    sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&devices[i]), sizeof devices[i]);
    std::optional<Pdu> answer;
    for (pollfd ready{fd, POLLIN, 0}; !answer && poll(&ready, 1, 5000) == 1;) {
      const ssize_t count = recv(fd, drain.data(), drain.size(), 0);
      if (count > 0) answer = PduCodec::Decode(reinterpret_cast<const u_char*>(drain.data()), static_cast<size_t>(count));
      if (answer && answer->requestId != request.requestId) answer.reset();  // a late answer to a mutation
    }
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->errorStatus, SNMP_ERR_NOERROR);
  }
  close(fd);
}

}  // namespace
}  // namespace devsim
