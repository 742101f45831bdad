#include "SmtpPeer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {

constexpr char kPython[] = "/usr/bin/python3";

// A loopback TCP port that nothing listens on now.
int FreePort() {
  const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address);
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
  close(probe);
  return ntohs(address.sin_port);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

int OpenForWriting(const std::filesystem::path& path) {
  return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
}

}  // namespace

SmtpPeer::SmtpPeer(Mode mode, const std::string& user, const std::string& password) : port_(FreePort()) {
  const std::string port = std::to_string(port_);
  // The tests run in a folder of their own, so the script is found from the source tree's absolute path
  // (the compiler may be given source paths relative to the build folder).
  const std::string script = std::string(PELLION_TESTS_DIR) + "/alerts/smtp_peer.py";
  std::vector<std::string> argv;
  switch (mode) {
    case Mode::Accepting: argv = {kPython, "-m", "aiosmtpd", "-n", "-d", "-l", "127.0.0.1:" + port}; break;
    case Mode::RequiringAuthLogin: argv = {kPython, script, "auth", port, user, password}; break;
    case Mode::Refusing: argv = {kPython, script, "refuse", port}; break;
    case Mode::OfferingStartTls: argv = {kPython, script, "starttls", port}; break;
  }
  const int output = OpenForWriting(dir_.File("out"));
  const int error = OpenForWriting(dir_.File("err"));
  process_ = testing_support::ChildProcess(argv, {-1, output, error}, {"PYTHONUNBUFFERED=1"});
  close(output);
  close(error);
  for (int waited = 0; waited < 200 && process_.Running() && !ready_; ++waited) {
    ready_ = ReadFile(dir_.File("err")).find("listening on 127.0.0.1:" + port) != std::string::npos;
    if (!ready_) std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
}

std::vector<std::string> SmtpPeer::Commands() const {
  std::vector<std::string> commands;
  std::istringstream lines(ReadFile(dir_.File("err")));
  const std::string mark = ">> b'";
  for (std::string line; std::getline(lines, line);) {
    const auto at = line.find(mark);
    if (at != std::string::npos && line.ends_with("'")) {
      const std::size_t start = at + mark.size();
      commands.push_back(line.substr(start, line.size() - 1 - start));
    }
  }
  return commands;
}

std::string SmtpPeer::Mails() const { return ReadFile(dir_.File("out")); }
