#include "platform/Environment.h"

#include <cstdlib>
#include <mutex>

namespace platform {
namespace {

std::optional<int> PortFrom(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) return std::nullopt;
  char* end = nullptr;
  long port = std::strtol(value, &end, 10);
  if (*end != '\0' || port < 1 || port > 65535) return std::nullopt;
  return static_cast<int>(port);
}

std::string TextFrom(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

Overrides Read() {
  Overrides o;
  o.snmpPort = PortFrom("PELLION_SNMP_PORT").value_or(161);
  o.trapPort = PortFrom("PELLION_TRAP_PORT").value_or(162);
  o.syslogPort = PortFrom("PELLION_SYSLOG_PORT");
  o.consoleBasePort = PortFrom("PELLION_CONSOLE_BASE_PORT");
  o.consoleBroadcast = TextFrom("PELLION_CONSOLE_BROADCAST");
  o.consoleMulticast = TextFrom("PELLION_CONSOLE_MULTICAST");
  o.consoleTftpPort = PortFrom("PELLION_CONSOLE_TFTP_PORT");
  o.consoleTftpLocalPort = PortFrom("PELLION_CONSOLE_TFTP_LOCAL_PORT");
  o.firmwareTftpPort = PortFrom("PELLION_TFTP_PORT");
  o.trace = std::getenv("PELLION_TRACE") != nullptr;
  return o;
}

std::mutex g_mutex;
std::optional<Overrides> g_overrides;

}  // namespace

Overrides GetOverrides() {
  std::lock_guard lock(g_mutex);
  if (!g_overrides) g_overrides = Read();
  return *g_overrides;
}

void ReloadOverrides() {
  std::lock_guard lock(g_mutex);
  g_overrides = Read();
}

}  // namespace platform
