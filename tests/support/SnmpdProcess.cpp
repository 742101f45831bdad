#include "support/SnmpdProcess.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <random>
#include <stdexcept>
#include <thread>

namespace testing_support {
namespace {

constexpr const char* kSnmpdBinary = "/usr/sbin/snmpd";
constexpr auto kStartLimit = std::chrono::seconds(15);

// A minimal SNMPv1 GET of sysUpTime.0, enough to learn whether the agent answers.
std::string ProbeRequest(const std::string& community) {
  const std::string varbinds("\x30\x0e\x30\x0c\x06\x08\x2b\x06\x01\x02\x01\x01\x03\x00\x05\x00", 16);
  const std::string pdu = std::string("\xa0\x19\x02\x01\x01\x02\x01\x00\x02\x01\x00", 11) + varbinds;
  std::string body = std::string("\x02\x01\x00\x04", 4) + static_cast<char>(community.size()) + community + pdu;
  return std::string("\x30", 1) + static_cast<char>(body.size()) + body;
}

}  // namespace

sockaddr_in SocketAddress(const std::string& address, int port) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(static_cast<uint16_t>(port));
  inet_pton(AF_INET, address.c_str(), &sa.sin_addr);
  return sa;
}

std::string UniqueLoopbackAddress() {
  static std::atomic<unsigned> counter{0};
  std::random_device random;
  const unsigned value = (random() ^ (static_cast<unsigned>(getpid()) << 8)) + counter++;
  return "127." + std::to_string(100 + value % 100) + "." + std::to_string((value >> 8) % 256) + "." +
         std::to_string(1 + (value >> 16) % 254);
}

int FreeUdpPort(const std::string& address) {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return 0;
  sockaddr_in sa = SocketAddress(address, 0);
  socklen_t length = sizeof sa;
  int port = 0;
  if (bind(fd, reinterpret_cast<sockaddr*>(&sa), sizeof sa) == 0 &&
      getsockname(fd, reinterpret_cast<sockaddr*>(&sa), &length) == 0)
    port = ntohs(sa.sin_port);
  close(fd);
  return port;
}

SnmpdProcess::SnmpdProcess(Options options) : options_(std::move(options)) {
  for (int attempt = 0; attempt < 5; ++attempt)
    if (Start()) return;
  throw std::runtime_error("snmpd did not start");
}

std::string SnmpdProcess::Peer() const { return "udp:" + address_ + ":" + std::to_string(port_); }

bool SnmpdProcess::Start() {
  address_ = options_.address.empty() ? UniqueLoopbackAddress() : options_.address;
  port_ = options_.port != 0 ? options_.port : FreeUdpPort(address_);
  if (port_ == 0) return false;
  const std::string config = dir_.File("snmpd.conf");
  {
    std::ofstream out(config);
    out << "agentaddress " << Peer() << "\n"
        << "rocommunity " << options_.readCommunity << " 127.0.0.0/8\n"
        << "rwcommunity " << options_.writeCommunity << " 127.0.0.0/8\n"
        << "sysdescr Pellion test agent\n"
        << "sysobjectid 1.3.6.1.4.1.44711.10.76.2\n"
        << options_.extraConfig << "\n";
  }
  const int log = open(dir_.File("snmpd.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (log < 0) return false;
  agent_ = ChildProcess({kSnmpdBinary, "-f", "-Lo", "-C", "-c", config}, {.output = log, .error = log},
                        {"MIBS=", "SNMP_PERSISTENT_DIR=" + dir_.File("persist")});
  close(log);
  const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
  while (std::chrono::steady_clock::now() < deadline) {
    if (agent_.Ended()) return false;  // most likely the port was taken meanwhile
    if (Answers()) return true;
  }
  agent_.Stop();
  return false;
}

bool SnmpdProcess::Answers() const {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const std::string request = ProbeRequest(options_.readCommunity);
  sockaddr_in agent = SocketAddress(address_, port_);
  bool answered = false;
  if (sendto(fd, request.data(), request.size(), 0, reinterpret_cast<sockaddr*>(&agent), sizeof agent) > 0) {
    pollfd p{fd, POLLIN, 0};
    char reply[1500];
    answered = poll(&p, 1, 100) == 1 && recv(fd, reply, sizeof reply, 0) > 0;
  }
  close(fd);
  if (!answered) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  return answered;
}

int SnmpdProcess::RunTool(const std::string& tool, const std::vector<std::string>& args,
                          std::string& output) const {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return -1;
  const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
  std::vector<std::string> argv{"/usr/bin/" + tool};
  argv.insert(argv.end(), args.begin(), args.end());
  ChildProcess child(argv, {.output = pipeFds[1], .error = devNull},
                     {"MIBS=", "SNMP_PERSISTENT_DIR=" + dir_.File("tools")});
  close(pipeFds[1]);
  if (devNull >= 0) close(devNull);
  output.clear();
  char buffer[4096];
  ssize_t n;
  while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) output.append(buffer, static_cast<size_t>(n));
  close(pipeFds[0]);
  return child.Wait();
}

}  // namespace testing_support
