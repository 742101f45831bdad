#include "device/AntiRoguePort.h"

#include <cstdint>
#include <cstdio>
#include <vector>

#include "db/PortMask.h"
#include "device/Switch.h"
#include "db/pollingdb.h"
#include "log/LogDBModule.h"
#include "log/LogLevels.h"
#include "platform/DebugTrace.h"

namespace {

constexpr int kHighestCheckedPort = 33;

// One failed read: the same text to the debug output and to the system log.
int ReportFailure(const char* debugText, const char* logText) {
  DebugTrace("%s", debugText);
  GetLogDBModule()->WriteSystemLog(LOG_LEVEL_DEBUG, logText);
  return -1;
}

// The GET of one object of the switch, unless the discovery is stopping.
int ReadSwitchObject(const CSwitch& device, const std::string& oid, std::string& value) {
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  CYSnmp snmp = SnmpSessionFor(device.ip, device.community);
  return snmp.Get(oid, value) == 0 ? 1 : -1;
}

}  // namespace

bool IsAntiRoguePortBitSet(const std::string& mask, int port) {
  if (port < 1 || port > kHighestCheckedPort) return false;
  unsigned bytes[4] = {};
  std::sscanf(mask.c_str(), "%x %x %x %x", &bytes[0], &bytes[1], &bytes[2], &bytes[3]);
  // Unsigned throughout: port 1 is bit 31, which a signed 32-bit value cannot hold.
  std::uint32_t value = 0;
  for (unsigned byte : bytes) value = value << 8 | (byte & 0xFF);
  // Port 33 wraps round to the bit of port 1; the shift stays within 0..31.
  const unsigned fromTop = static_cast<unsigned>(port - 1) % 32;
  return (value >> (31 - fromTop) & 1u) != 0;
}

int ReadAntiRoguePortMask(const CSwitch& device, std::string& mask) {
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  // The mask is a bitmap: read as bytes, so a mask of printable bytes (20 20 20) keeps its bits.
  std::vector<unsigned char> octets;
  if (SnmpSessionFor(device.ip, device.community).GetOctets(device.rootOid + ".24.2.0", octets) != 0) return -1;
  mask = FormatPortMaskOctets(octets);
  return 1;
}

int ReadPortClientOui(const CSwitch& device, int port, std::string& oui, const std::string& root) {
  const std::string oid = root + ".24.3.1.3." + std::to_string(port);
  DebugTrace("IOD   %s", oid.c_str());
  return ReadSwitchObject(device, oid, oui);
}

int CheckAntiRoguePort(const CSwitch& device, int port) {
  std::string switchOui;
  if (CPollingDb().GetSwitchOUI(device.rootOid, switchOui) < 0)
    return ReportFailure("get switch oui fail", "get switch oui from db fail");

  std::string mask;
  if (ReadAntiRoguePortMask(device, mask) != 1)
    return ReportFailure("get switch anti-rogue port fail", "get switch anti-rogue port fail");
  if (!IsAntiRoguePortBitSet(mask, port)) return 0;

  std::string clientOui;
  if (ReadPortClientOui(device, port, clientOui, device.rootOid) != 1)
    return ReportFailure("get switch client oui fail", "get switch client oui fail");
  return clientOui == switchOui ? 1 : 0;
}
