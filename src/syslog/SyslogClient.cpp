#include "syslog/SyslogClient.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>

#include "platform/Clock.h"
#include "platform/Environment.h"
#include "syslog/SyslogFormat.h"

namespace syslog_client {
namespace {

constexpr int kDefaultPort = 514;
constexpr char kNoHost[] = "0.0.0.0";
constexpr char kLocalHost[] = "127.0.0.1";

struct State {
  int socket = -1;
  int defaultFacility = 8;
  int levelMask = 255;
  std::uint32_t netmask = INADDR_BROADCAST;  // network order; all ones either way
  std::string lastError;
  FILE* logFile = nullptr;
  std::string logPath;
  std::string logPathChosen;  // instead of the program's, when not empty
  std::uint32_t hostAddress = 0;  // network order
  std::uint16_t port = 0;         // network order
  bool open = false;
  int options = 0;
  std::optional<std::string> ident;
  std::uint32_t localAddress = 0;  // network order
  std::optional<std::string> hostText;
  bool networkTried = false;
  bool networkReady = false;
  bool exitHandlerSet = false;
};

// Never destroyed: closelog runs at exit, after static objects may be gone.
std::recursive_mutex& Mutex() {
  static auto* mutex = new std::recursive_mutex;
  return *mutex;
}
State& S() {
  static auto* state = new State;
  return *state;
}

std::string SystemErrorText(int code) {
  std::string text = std::strerror(code);
  if (text.empty()) {
    char unknown[32];
    std::snprintf(unknown, sizeof unknown, "Unknown error 0x%08lX", static_cast<unsigned long>(code));
    text = unknown;
  }
  for (char cut : {'\n', '\r'})
    if (const auto at = text.rfind(cut); at != std::string::npos) text.erase(at, 1);
  return text;
}

std::string Printf(const char* format, ...) {
  char buffer[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  va_end(args);
  return buffer;
}

void ArrangeCloseAtExit() {
  State& s = S();
  if (s.exitHandlerSet) return;
  s.exitHandlerSet = true;
  std::atexit([] { closelog(); });
}

// The first IPv4 address of a name; 0 and the last error when there is none.
std::uint32_t Resolve(const std::string& host) {
  in_addr address{};
  if (inet_pton(AF_INET, host.c_str(), &address) == 1) return address.s_addr;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  std::uint32_t result = 0;
  if (getaddrinfo(host.c_str(), nullptr, &hints, &found) == 0 && found)
    result = reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr;
  if (found) freeaddrinfo(found);
  if (!result) S().lastError = Printf("Unknown host `%s'", host.c_str());
  return result;
}

// The class mask of an address (the mask is not read from the system).
std::uint32_t ClassMask(std::uint32_t address) {
  const unsigned first = ntohl(address) >> 24;
  const std::uint32_t mask = first < 128   ? 0xFF000000u
                             : first < 192 ? 0xFFFF0000u
                             : first < 224 ? 0xFFFFFF00u
                                           : 0xFFFFFFFFu;
  return htonl(mask);
}

// Once per process: the local address, from the host's own name.
bool StartNetwork() {
  State& s = S();
  if (s.networkTried) return s.networkReady;
  s.networkTried = true;
  char name[256] = {};
  if (gethostname(name, sizeof name - 1) == 0) {
    const std::string saved = s.lastError;
    s.localAddress = Resolve(name);
    if (!s.localAddress) {
      s.lastError = "Failed to get local IP-address";
      return false;
    }
    s.lastError = saved;
  }
  s.netmask = ClassMask(s.localAddress);
  s.networkReady = true;
  return true;
}

// The server's port: the override for tests, else the system's "syslog" service, else 514.
std::uint16_t ServerPort() {
  if (const auto port = platform::GetOverrides().syslogPort) return htons(static_cast<std::uint16_t>(*port));
  if (const servent* service = getservbyname("syslog", "udp")) return static_cast<std::uint16_t>(service->s_port);
  return htons(kDefaultPort);
}

void CloseSocket() {
  State& s = S();
  if (s.socket >= 0) close(s.socket);
  s.socket = -1;
}

int OpenSocket() {
  State& s = S();
  if (!StartNetwork()) return -1;
  CloseSocket();
  s.hostAddress = Resolve(*s.hostText);
  if (!s.hostAddress) return -1;
  s.port = ServerPort();
  s.socket = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (s.socket < 0) {
    s.lastError = Printf("socket() failed; %s\n", SystemErrorText(errno).c_str());
    return -1;
  }
  // A broadcast address of the local network (all host bits set) needs the socket's permission.
  if ((s.hostAddress & ~s.netmask) == ~s.netmask) {
    const int on = 1;
    setsockopt(s.socket, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  }
  return 0;
}

// The program's own path with its extension replaced by ".log" (appended when it has none).
std::string LogPathOfProgram() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error || program.empty()) return "$unknown.log";
  std::filesystem::path log = program;
  const std::string extension = program.extension().string();  // with its dot
  if (extension.size() >= 4)
    log.replace_extension(".log");
  else
    log += ".log";
  return log.string();
}

}  // namespace

int setlogmask(int mask) {
  std::lock_guard lock(Mutex());
  const int previous = S().levelMask;
  if (mask != 0) S().levelMask = mask;
  return previous;
}

int openlog(const char* ident, int options, int facility) {
  std::lock_guard lock(Mutex());
  State& s = S();
  int result = -1;
  if (ident) s.ident = ident;
  s.options = options;
  if (facility != 0 && (facility & ~kFacilityMask) == 0) s.defaultFacility = facility;
  if (s.logPath.empty()) s.logPath = s.logPathChosen.empty() ? LogPathOfProgram() : s.logPathChosen;
  if (!(options & kLogNDelay)) return 0;

  s.open = true;
  s.logFile = std::fopen(s.logPath.c_str(), "a");
  if (s.logFile && std::fputs("\n", s.logFile) >= 0 && std::fflush(s.logFile) == 0) {
    ArrangeCloseAtExit();
    result = 0;
  } else {
    s.lastError = Printf("Failed to append to `%s': %s", s.logPath.c_str(), SystemErrorText(errno).c_str());
    if (s.logFile) std::fclose(s.logFile);
    s.logFile = nullptr;
  }
  if (!s.hostText) s.hostText = kLocalHost;
  if (*s.hostText == kNoHost) return result;
  if (OpenSocket() == 0) {
    syslog(6, "syslog client at %I started.", s.localAddress);
    result = syslog(6, "Logging to host %s (%I)", s.hostText->c_str(), s.hostAddress);
    ArrangeCloseAtExit();
  }
  return result;
}

int syslog(int priority, const char* format, ...) {
  va_list args;
  va_start(args, format);
  const int result = vsyslog(priority, format, args);
  va_end(args);
  return result;
}

int vsyslog(int priority, const char* format, va_list args) {
  const int callerErrno = errno;
  std::lock_guard lock(Mutex());
  State& s = S();
  s.lastError.clear();
  int result = 0;
  if ((priority & kLevelMask) > (s.levelMask & kLevelMask)) return 0;
  if ((priority & kFacilityMask) == 0) priority |= s.defaultFacility;

  // "<pri>stamp ident[pid]: message\n"; two characters are always kept for the newline and the NUL.
  char text[kMessageBufferSize];
  auto room = [&](std::size_t used) { return used + 2 < sizeof text ? sizeof text - used - 2 : 1; };
  std::size_t length = std::snprintf(text, sizeof text, "<%3d>%s ", priority,
                                     platform::FormatLocalTime(platform::Now(), "%Y-%m-%d %H:%M:%S").c_str());
  const std::size_t stampEnd = length;
  const std::size_t stampStart = std::strchr(text, '>') + 1 - text;
  if (s.ident) length += syslog_snprintf(text + length, room(length), "%s", s.ident->c_str());
  if (s.options & kLogPid) length += syslog_snprintf(text + length, room(length), "[%d]", static_cast<int>(getpid()));
  if (s.ident) length += syslog_snprintf(text + length, room(length), ": ");
  errno = callerErrno;  // so that %m shows the caller's error
  length += syslog_vsnprintf(text + length, room(length), format, args);
  if (length == 0 || text[length - 1] != '\n') {
    text[length++] = '\n';
    text[length] = '\0';
  }

  if (!s.open) result = openlog(s.ident ? s.ident->c_str() : nullptr, s.options | kLogNDelay, s.defaultFacility);
  if (s.logFile && (std::fputs(text, s.logFile) < 0 || std::fflush(s.logFile) != 0) && result == 0) result = -1;
  if (s.socket >= 0) {
    // The datagram: the priority, then the text after the stamp.
    std::string datagram(text, stampStart);
    datagram.append(text + stampEnd, length - stampEnd);
    sockaddr_in server{};
    server.sin_family = AF_INET;
    server.sin_addr.s_addr = s.hostAddress;
    server.sin_port = s.port;
    if (sendto(s.socket, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&server), sizeof server) <
            0 &&
        errno != EMSGSIZE) {
      const std::string error = SystemErrorText(errno);
      CloseSocket();
      const std::string line = Printf("UDP-write failed; %s\n", error.c_str());
      syslog(3, "%s", line.c_str());
      s.lastError = line;
      result = -1;
    }
  }
  if ((s.options & kLogPError) || ((s.options & kLogConsole) && result == -1)) std::fputs(text + stampStart, stdout);
  return result;
}

void closelog() {
  std::lock_guard lock(Mutex());
  State& s = S();
  if (s.logFile) std::fclose(s.logFile);
  s.logFile = nullptr;
  CloseSocket();
  s.logPath.clear();
  s.hostText.reset();
  s.lastError.clear();
  s.open = false;
}

std::optional<std::string> syslog_sethost(const char* host) {
  std::lock_guard lock(Mutex());
  State& s = S();
  s.hostText = host ? std::optional<std::string>(host) : std::nullopt;
  if (!s.hostText) return std::nullopt;
  if (*s.hostText == kNoHost) return s.hostText;
  if (!StartNetwork() || !Resolve(*s.hostText)) return std::nullopt;
  return s.hostText;
}

std::optional<std::string> syslog_setident(const char* ident) {
  std::lock_guard lock(Mutex());
  auto previous = S().ident;
  S().ident = ident ? std::optional<std::string>(ident) : std::nullopt;
  return previous;
}

void syslog_setlogfile(const char* path) {
  std::lock_guard lock(Mutex());
  S().logPathChosen = path ? path : "";
}

std::string syslog_logfile() {
  std::lock_guard lock(Mutex());
  return S().logPath;
}

std::string syslog_lasterror() {
  std::lock_guard lock(Mutex());
  return S().lastError;
}

}  // namespace syslog_client
