#include "support/DevSimProcess.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/Environment.h"

namespace testing_support {
namespace {

constexpr int kStartMillis = 15000;
constexpr int kReplyMillis = 5000;

}  // namespace

std::string DevSimProcess::DataFile(const std::string& name) { return std::string(DEVSIM_DATA_DIR) + "/" + name; }

std::vector<DevSimDevice> DevSimProcess::ReferenceNetwork() {
  std::ifstream scenario(DataFile("reference.scenario"));
  std::vector<DevSimDevice> devices;
  std::string line;
  while (std::getline(scenario, line)) {
    std::istringstream words(line);
    DevSimDevice device;
    if (words >> device.address >> device.dataFile && device.address.front() != '#') {
      device.dataFile = DataFile(device.dataFile);
      devices.push_back(device);
    }
  }
  if (devices.empty()) throw std::runtime_error("no reference network in " DEVSIM_DATA_DIR);
  return devices;
}

DevSimProcess::DevSimProcess(std::vector<DevSimDevice> devices, int port) : devices_(std::move(devices)) {
  // Strict: a test's data file with a line the simulator cannot read is a fault of the test.
  std::vector<std::string> arguments{DEVSIM_BINARY, "--port", std::to_string(port), "--control", "--strict"};
  for (const auto& device : devices_) arguments.push_back(device.address + "=" + device.dataFile);
  int pair[2];
  if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) throw std::runtime_error("socketpair failed");
  process_ = ChildProcess(arguments, {.input = pair[1], .output = pair[1]});
  close(pair[1]);
  channel_ = pair[0];
  if (!process_.Running()) {
    close(channel_);
    throw std::runtime_error("fork failed");
  }
  const std::string ready = ReadLine(kStartMillis);
  if (std::sscanf(ready.c_str(), "ready port=%d", &port_) != 1) {
    Stop();
    throw std::runtime_error("devsim did not start: \"" + ready + "\" (see its standard error)");
  }
  if (const char* previous = std::getenv("PELLION_SNMP_PORT")) {
    hadPreviousPort_ = true;
    previousPort_ = previous;
  }
  setenv("PELLION_SNMP_PORT", std::to_string(port_).c_str(), 1);
  platform::ReloadOverrides();
}

DevSimProcess::~DevSimProcess() {
  Stop();
  if (port_ == 0) return;
  if (hadPreviousPort_)
    setenv("PELLION_SNMP_PORT", previousPort_.c_str(), 1);
  else
    unsetenv("PELLION_SNMP_PORT");
  platform::ReloadOverrides();
}

void DevSimProcess::Stop() {
  if (channel_ >= 0) {
    close(channel_);  // the simulator ends when its control input ends
    channel_ = -1;
  }
  process_.Stop();
}

std::string DevSimProcess::Peer(const std::string& address) const {
  return "udp:" + address + ":" + std::to_string(port_);
}

std::string DevSimProcess::ReadLine(int timeoutMillis) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMillis);
  while (received_.find('\n') == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    pollfd ready{channel_, POLLIN, 0};
    if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) != 1) return "";
    char chunk[4096];
    const ssize_t count = recv(channel_, chunk, sizeof chunk, 0);
    if (count <= 0) return "";
    received_.append(chunk, static_cast<size_t>(count));
  }
  const auto end = received_.find('\n');
  std::string line = received_.substr(0, end);
  received_.erase(0, end + 1);
  return line;
}

std::string DevSimProcess::Command(const std::string& line, int extraMillis) {
  const std::string request = line + "\n";
  if (channel_ < 0 || send(channel_, request.data(), request.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(request.size()))
    throw std::runtime_error("devsim is not running");
  const std::string reply = ReadLine(kReplyMillis + extraMillis);
  if (reply != "ok" && !reply.starts_with("ok ")) throw std::runtime_error("devsim: " + line + ": " + reply);
  return reply.size() > 3 ? reply.substr(3) : "";
}

std::string DevSimProcess::Get(const std::string& address, const std::string& oid) {
  return Command("get " + address + " " + oid);
}

std::string DevSimProcess::Value(const std::string& address, const std::string& oid) {
  const std::string line = Get(address, oid);
  return line.substr(line.rfind('|') + 1);
}

std::vector<std::string> DevSimProcess::ReceivedSets(const std::string& address) {
  std::vector<std::string> sets;
  std::istringstream lines(Command("sent " + address));
  for (std::string line; std::getline(lines, line, '\t');) {
    // A test that sends more SETs than the simulator keeps cannot check them all.
    if (line.starts_with("dropped ")) throw std::runtime_error("devsim " + address + ": " + line + " older SETs");
    if (!line.empty()) sets.push_back(line);
  }
  return sets;
}

std::vector<std::string> DevSimProcess::ReceivedSetsBelow(const std::string& address, const std::string& root) {
  std::vector<std::string> sets;
  for (const std::string& line : ReceivedSets(address)) {
    const auto tag = line.find('|');
    std::string oid = line.substr(0, tag);
    if (oid.starts_with(root)) oid = oid.substr(root.size());
    sets.push_back(oid + "=" + line.substr(line.find('|', tag + 1) + 1));
  }
  return sets;
}

void DevSimProcess::Set(const std::string& address, const std::string& snmprecLine) {
  Command("set " + address + " " + snmprecLine);
}

void DevSimProcess::Unset(const std::string& address, const std::string& oid) {
  Command("unset " + address + " " + oid);
}

void DevSimProcess::Configure(const std::string& address, const std::string& directive) {
  Command("config " + address + " " + directive);
}

void DevSimProcess::NextFrame(const std::string& address) { Command("next " + address); }

long DevSimProcess::Answered(const std::string& address) { return std::stol(Command("answered " + address)); }

bool DevSimProcess::IsSilent(const std::string& address) { return Command("state " + address) == "silent"; }

void DevSimProcess::Wake(const std::string& address) { Command("wake " + address); }

void DevSimProcess::SendTrap(const std::string& address, const std::string& toAddress, int toPort,
                             const std::string& identifier, int portNumber) {
  Command("trap " + address + " " + toAddress + ":" + std::to_string(toPort) + " " + identifier + " " +
          std::to_string(portNumber));
}

bool DevSimProcess::SendInform(const std::string& address, const std::string& toAddress, int toPort,
                               const std::string& identifier, int portNumber, int waitMillis) {
  return Command("inform " + address + " " + toAddress + ":" + std::to_string(toPort) + " " + identifier + " " +
                     std::to_string(portNumber) + " " + std::to_string(waitMillis),
                 waitMillis) == "answered";
}

}  // namespace testing_support
