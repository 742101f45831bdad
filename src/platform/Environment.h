#pragma once
// Test and demo overrides, read from the environment in this one place.
#include <optional>
#include <string>

namespace platform {

struct Overrides {
  int snmpPort = 161;                     // PELLION_SNMP_PORT
  int trapPort = 162;                     // PELLION_TRAP_PORT
  std::optional<int> syslogPort;          // PELLION_SYSLOG_PORT; else the "syslog" service, else 514
  std::optional<int> consoleBasePort;     // PELLION_CONSOLE_BASE_PORT
  std::string consoleBroadcast;           // PELLION_CONSOLE_BROADCAST
  std::string consoleMulticast;           // PELLION_CONSOLE_MULTICAST
  std::optional<int> consoleTftpPort;     // PELLION_CONSOLE_TFTP_PORT: the switch's TFTP port
  std::optional<int> consoleTftpLocalPort;  // PELLION_CONSOLE_TFTP_LOCAL_PORT
  std::optional<int> firmwareTftpPort;  // PELLION_TFTP_PORT: the devices' TFTP port for firmware uploads
  bool trace = false;                     // PELLION_TRACE
};

// Read once, on first use. A copy, so a reload on another thread never changes what a caller holds.
Overrides GetOverrides();
// Reads the environment again (tests that change a variable).
void ReloadOverrides();

}  // namespace platform
