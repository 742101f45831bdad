// The simulator's loop in process: answers too large for one datagram, sends that fail, and a long
// backlog of control lines behind an INFORM.
#include <arpa/inet.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "DeviceLoader.h"
#include "Simulator.h"
#include "support/SnmpdProcess.h"

namespace devsim {
namespace {

const Oid kSysName{1, 3, 6, 1, 2, 1, 1, 5, 0};
const Oid kLarge{1, 3, 6, 1, 4, 1, 99999, 1, 0};

// A UDP socket of the test's own on 127.0.0.1: a manager sending requests, or a listener for notifications.
class Peer {
 public:
  Peer() {
    fd_ = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = testing_support::SocketAddress("127.0.0.1", 0);
    bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t size = sizeof address;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
  }
  ~Peer() { close(fd_); }
  int Port() const { return port_; }

  void Send(const sockaddr_in& to, const Pdu& pdu) {
    std::string bytes(65535, '\0');
    bytes.resize(PduCodec::Encode(pdu, reinterpret_cast<u_char*>(bytes.data()), bytes.size()));
    SendBytes(to, bytes);
  }
  void SendBytes(const sockaddr_in& to, const std::string& datagram) {
    sendto(fd_, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
  }
  // The next datagram, decoded, and its sender; nothing when none comes within five seconds.
  std::optional<Pdu> Receive(sockaddr_in* sender = nullptr) {
    pollfd ready{fd_, POLLIN, 0};
    if (poll(&ready, 1, 5000) != 1) return std::nullopt;
    std::vector<u_char> bytes(65535);
    sockaddr_in from{};
    socklen_t size = sizeof from;
    const ssize_t count = recvfrom(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&from), &size);
    if (sender) *sender = from;
    return count > 0 ? PduCodec::Decode(bytes.data(), static_cast<size_t>(count)) : std::nullopt;
  }

 private:
  int fd_ = -1;
  int port_ = 0;
};

Pdu Get(const Oid& name) {
  Pdu request;
  request.community = "public";
  request.command = SNMP_MSG_GET;
  request.requestId = 5;
  request.varbinds = {{name, {}}};
  return request;
}

class SimulatorTest : public testing::Test {
 protected:
  void SetUp() override {
    address_ = testing_support::UniqueLoopbackAddress();
    std::vector<std::unique_ptr<Device>> devices;
    devices.push_back(DeviceLoader::Load({address_, DEVSIM_DATA_DIR "/switch.snmprec"}, Device::Clock::now()));
    simulator_ = std::make_unique<Simulator>(std::move(devices));
    device_address_ = testing_support::SocketAddress(address_, simulator_->Bind(0));
    ASSERT_EQ(pipe2(control_, O_CLOEXEC), 0);
    ASSERT_EQ(pipe2(replies_, O_CLOEXEC), 0);
    output_ = fdopen(replies_[1], "w");
    simulator_->EnableControl(control_[0], output_);
  }
  void TearDown() override {
    simulator_->Stop();
    if (loop_.joinable()) loop_.join();
    std::fclose(output_);
    for (int fd : {control_[0], control_[1], replies_[0]}) close(fd);
  }
  void Start() {
    loop_ = std::thread([this] { simulator_->Run(); });
  }
  void Write(const std::string& lines) {
    for (size_t done = 0; done < lines.size();) {
      const ssize_t count = write(control_[1], lines.data() + done, lines.size() - done);
      if (count <= 0) return;
      done += static_cast<size_t>(count);
    }
  }
  // The next reply line; empty after five seconds without one.
  std::string ReadReply() {
    while (replyBuffer_.find('\n') == std::string::npos) {
      pollfd ready{replies_[0], POLLIN, 0};
      char chunk[65536];
      if (poll(&ready, 1, 5000) != 1) return "";
      const ssize_t count = read(replies_[0], chunk, sizeof chunk);
      if (count <= 0) return "";
      replyBuffer_.append(chunk, static_cast<size_t>(count));
    }
    const size_t end = replyBuffer_.find('\n');
    std::string line = replyBuffer_.substr(0, end);
    replyBuffer_.erase(0, end + 1);
    return line;
  }

  std::string address_;
  sockaddr_in device_address_{};
  std::unique_ptr<Simulator> simulator_;
  int control_[2] = {-1, -1};
  int replies_[2] = {-1, -1};
  std::FILE* output_ = nullptr;
  std::string replyBuffer_;
  std::thread loop_;
};

// The size of the object whose GET answer is exactly `size` bytes long.
size_t ValueSizeForAnswerOf(size_t size) {
  Pdu answer = Get(kLarge);
  answer.command = SNMP_MSG_RESPONSE;
  std::vector<u_char> bytes(65535);
  for (size_t value = size - 60;; ++value) {
    answer.varbinds[0].value = Value::OctetString(std::string(value, 'x'));
    if (PduCodec::Encode(answer, bytes.data(), bytes.size()) >= size) return value;
  }
}

TEST_F(SimulatorTest, AnAnswerTooLargeForOneDatagramIsTooBig) {
  const size_t fits = ValueSizeForAnswerOf(65507);  // the largest UDP payload over IPv4
  const size_t tooLarge = ValueSizeForAnswerOf(65520);
  ASSERT_LT(fits, tooLarge);
  Start();
  Peer manager;
  for (const size_t size : {fits, tooLarge}) {
    SCOPED_TRACE(size);
    Write("set " + address_ + " " + FormatOid(kLarge) + "|4|" + std::string(size, 'x') + "\n");
    ASSERT_EQ(ReadReply(), "ok");
    manager.Send(device_address_, Get(kLarge));
    const auto answer = manager.Receive();
    ASSERT_TRUE(answer);
    ASSERT_EQ(answer->varbinds.size(), 1u);
    if (size == fits) {
      EXPECT_EQ(answer->errorStatus, SNMP_ERR_NOERROR);
      EXPECT_EQ(answer->varbinds[0].value.bytes.size(), size);
    } else {
      EXPECT_EQ(answer->errorStatus, SNMP_ERR_TOOBIG);
      EXPECT_EQ(answer->errorIndex, 0);
      EXPECT_EQ(answer->varbinds[0].value.type, ASN_NULL);  // the request, sent back
    }
  }
}

TEST_F(SimulatorTest, AFailedSendIsLoggedAndTheDeviceGoesOn) {
  testing::internal::CaptureStderr();
  Start();
  // The loopback network's broadcast address refuses a socket that has not asked to broadcast.
  Write("trap " + address_ + " 127.255.255.255:162 1.3.6.1.2.1.105.0.1 1\n");
  EXPECT_EQ(ReadReply(), "error cannot send");
  Peer manager;
  manager.Send(device_address_, Get(kSysName));
  const auto answer = manager.Receive();
  simulator_->Stop();
  loop_.join();
  const std::string log = testing::internal::GetCapturedStderr();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->varbinds[0].value.bytes, "lab-switch");
  EXPECT_NE(log.find("devsim: cannot send"), std::string::npos) << log;
  EXPECT_NE(log.find("to 127.255.255.255:162"), std::string::npos) << log;
}

std::string Tlv(u_char tag, const std::string& content) {
  std::string length = content.size() < 0x80 ? std::string(1, static_cast<char>(content.size()))
                                            : std::string{'\x82', static_cast<char>(content.size() >> 8),
                                                          static_cast<char>(content.size() & 0xFF)};
  return static_cast<char>(tag) + length + content;
}

// A request in BER's shortest form can be smaller than the same bindings sent back in the simulator's
// fixed-size headers: then the tooBig answer goes without its bindings.
TEST_F(SimulatorTest, ATooBigAnswerWhoseRequestDoesNotFitEitherGoesWithoutBindings) {
  std::string bindings;
  const std::string missing = Tlv(0x30, Tlv(ASN_OBJECT_ID, std::string(1, '\0')) + Tlv(ASN_NULL, ""));  // 0.0
  while (bindings.size() + missing.size() < 65000) bindings += missing;
  const std::string pdu = Tlv(ASN_INTEGER, "\x05") + Tlv(ASN_INTEGER, std::string(1, '\0')) +
                          Tlv(ASN_INTEGER, std::string(1, '\0')) + Tlv(0x30, bindings);
  const std::string datagram = Tlv(0x30, Tlv(ASN_INTEGER, std::string(1, '\0')) + Tlv(ASN_OCTET_STR, "public") +
                                             Tlv(SNMP_MSG_GET, pdu));
  ASSERT_LE(datagram.size(), 65507u);
  Start();
  Peer manager;
  manager.SendBytes(device_address_, datagram);
  const auto answer = manager.Receive();
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->requestId, 5);
  EXPECT_EQ(answer->errorStatus, SNMP_ERR_TOOBIG);
  EXPECT_TRUE(answer->varbinds.empty());
}

// While an INFORM waits for its response, later control lines wait too. A long backlog is then worked
// off in order, and the devices answer while it is.
TEST_F(SimulatorTest, ALongBacklogBehindAnInformIsWorkedOffWhileDevicesAnswer) {
  constexpr int kLines = 250000;
  Start();
  Peer listener;
  std::string lines = "inform " + address_ + " 127.0.0.1:" + std::to_string(listener.Port()) + " 1.3.6.1.2.1.105.0.3 1 30000\n";
  for (int i = 0; i < kLines; ++i) lines += "state " + address_ + "\n";
  std::thread writer([&] { Write(lines); });
  sockaddr_in device{};
  const auto inform = listener.Receive(&device);
  ASSERT_TRUE(inform);
  writer.join();  // the whole backlog has reached the simulator, or the pipe in front of it

  std::atomic<int> replies{0};
  std::string first;
  bool allAnswering = true;
  std::thread reader([&] {
    first = ReadReply();
    for (int i = 0; i < kLines; ++i, ++replies) allAnswering = ReadReply() == "ok answering" && allAnswering;
  });
  Pdu response = *inform;
  response.command = SNMP_MSG_RESPONSE;
  listener.Send(device, response);
  Peer manager;
  manager.Send(device_address_, Get(kSysName));
  const auto answer = manager.Receive();
  const int repliesBeforeTheAnswer = replies;
  reader.join();

  ASSERT_TRUE(answer);
  EXPECT_LT(repliesBeforeTheAnswer, kLines * 9 / 10) << "the device answered only once the backlog was done";
  EXPECT_EQ(first, "ok answered");
  EXPECT_EQ(replies, kLines);
  EXPECT_TRUE(allAnswering);
}

}  // namespace
}  // namespace devsim
