#include "support/SnmpdProcess.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <random>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace testing_support {
namespace {

constexpr const char* kSnmpdBinary = "/usr/sbin/snmpd";
constexpr auto kStartLimit = std::chrono::seconds(15);

sockaddr_in SocketAddress(const std::string& address, int port) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(static_cast<uint16_t>(port));
  inet_pton(AF_INET, address.c_str(), &sa.sin_addr);
  return sa;
}

// The environment of a child: ours plus the given variables (which win).
std::vector<std::string> ChildEnvironment(const std::vector<std::string>& extra) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string entry = *e;
    bool replaced = false;
    for (const std::string& x : extra)
      if (entry.compare(0, x.find('=') + 1, x, 0, x.find('=') + 1) == 0) replaced = true;
    if (!replaced) env.push_back(entry);
  }
  env.insert(env.end(), extra.begin(), extra.end());
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& t : texts) pointers.push_back(t.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Forks and executes; the child's standard output goes to outFd, standard error to errFd.
pid_t Spawn(std::vector<std::string> argv, std::vector<std::string> env, int outFd, int errFd) {
  std::vector<char*> args = Pointers(argv);
  std::vector<char*> envp = Pointers(env);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(outFd, STDOUT_FILENO);
    dup2(errFd, STDERR_FILENO);
    const int devNull = open("/dev/null", O_RDONLY);
    if (devNull >= 0) dup2(devNull, STDIN_FILENO);  // left open: exec follows at once
    execve(args[0], args.data(), envp.data());
    _exit(127);
  }
  return pid;
}

// A minimal SNMPv1 GET of sysUpTime.0, enough to learn whether the agent answers.
std::string ProbeRequest(const std::string& community) {
  const std::string varbinds("\x30\x0e\x30\x0c\x06\x08\x2b\x06\x01\x02\x01\x01\x03\x00\x05\x00", 16);
  const std::string pdu = std::string("\xa0\x19\x02\x01\x01\x02\x01\x00\x02\x01\x00", 11) + varbinds;
  std::string body = std::string("\x02\x01\x00\x04", 4) + static_cast<char>(community.size()) + community + pdu;
  return std::string("\x30", 1) + static_cast<char>(body.size()) + body;
}

}  // namespace

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

SnmpdProcess::~SnmpdProcess() { Stop(); }

std::string SnmpdProcess::Peer() const { return "udp:" + address_ + ":" + std::to_string(port_); }

bool SnmpdProcess::Start() {
  address_ = UniqueLoopbackAddress();
  port_ = FreeUdpPort(address_);
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
  pid_ = Spawn({kSnmpdBinary, "-f", "-Lo", "-C", "-c", config},
               ChildEnvironment({"MIBS=", "SNMP_PERSISTENT_DIR=" + dir_.File("persist")}), log, log);
  close(log);
  if (pid_ < 0) return false;
  const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {  // ended: most likely the port was taken meanwhile
      pid_ = -1;
      return false;
    }
    if (Answers()) return true;
  }
  Stop();
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

void SnmpdProcess::Stop() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  for (int i = 0; i < 200; ++i) {
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

int SnmpdProcess::RunTool(const std::string& tool, const std::vector<std::string>& args,
                          std::string& output) const {
  int pipeFds[2];
  if (pipe2(pipeFds, O_CLOEXEC) != 0) return -1;
  const int devNull = open("/dev/null", O_WRONLY | O_CLOEXEC);
  std::vector<std::string> argv{"/usr/bin/" + tool};
  argv.insert(argv.end(), args.begin(), args.end());
  const pid_t pid = Spawn(argv, ChildEnvironment({"MIBS=", "SNMP_PERSISTENT_DIR=" + dir_.File("tools")}),
                          pipeFds[1], devNull);
  close(pipeFds[1]);
  if (devNull >= 0) close(devNull);
  output.clear();
  char buffer[4096];
  ssize_t n;
  while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) output.append(buffer, static_cast<size_t>(n));
  close(pipeFds[0]);
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace testing_support
