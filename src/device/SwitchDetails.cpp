// The switch's details: its LLDP neighbours and its settings, stored for the polling engine.
#include <cstring>
#include <string>
#include <vector>

#include "db/DiscoveryDb.h"
#include "device/LldpRemoteTable.h"
#include "db/PortMask.h"
#include "device/Switch.h"
#include "snmp/WalkLimit.h"
#include "db/pollingdb.h"
#include "log/LogDBModule.h"
#include "log/LogLevels.h"
#include "platform/DebugTrace.h"
#include "platform/StatusText.h"

namespace {

constexpr int kLldpWalkTimeout = 200;  // hundredths of a second: a slow switch must not stall a pass
const char kSysObjectIdOid[] = "1.3.6.1.2.1.1.2.0";
const char kSysNameOid[] = ".1.3.6.1.2.1.1.5.0";
const char kSysLocationOid[] = ".1.3.6.1.2.1.1.6.0";
const char kLldpOn[] = "1";
const char kLldpOff[] = "2";

}  // namespace

int CSwitch::ReadLldpNeighbours() {
  neighbours.clear();
  CYSnmp snmp = SnmpSessionFor(ip, community);
  snmp.timeout = kLldpWalkTimeout;

  // Each column is walked on its own and the rows are joined by their index afterwards.
  CLldpRemoteTable table;
  for (int c = 0; c < CLldpRemoteTable::kColumnCount; ++c) {
    const auto column = static_cast<CLldpRemoteTable::Column>(c);
    const std::string prefix = CLldpRemoteTable::ColumnOid(column);
    std::string cursor = prefix;
    // OIDs of any length: a long index (large time mark and port, IPv6 address) must not end the walk.
    CWalkLimit limit;
    for (;;) {
      if (IsDiscoveryStopping()) return kDiscoveryStopped;
      SnmpObject next;
      if (snmp.GetNextObject(cursor, prefix, next) != 0) break;
      if (!limit.Take(next.oid.size() + next.text.size())) return 0;
      table.Add(column, next);
      cursor = next.oid;
    }
  }
  neighbours = table.Join(this);
  return 1;
}

int CSwitch::CollectDetails() {
  CYSnmp snmp = SnmpSessionFor(ip, community);

  std::vector<std::string> lldp;
  const bool lldpAnswered = snmp.GetList({kLldpStateOid}, lldp) == 0;
  if (lldpAnswered) {
    DebugTrace("%s", lldp[0].c_str());
    if (lldp[0] == kLldpOff)
      GetLogDBModule()->WriteSystemLog(LOG_LEVEL_CRITICAL, "The switch (mac: " + mac + ", IP: " + ip +
                                                               ") LLDP is disable, attached AP will not be found");
  }
  DebugTrace("here pass!!");
  if (IsDiscoveryStopping()) return kDiscoveryStopped;

  std::vector<std::string> system;
  if (snmp.GetList({kSysObjectIdOid, kSysNameOid, kSysLocationOid}, system) != 0) return 0;
  PostStatusText(nullptr, GetProgressSpan() * 3 / 9);
  SwitchPropertyRecord record;
  record.sys_object_id = system[0];
  record.sys_name = system[1];
  record.location = system[2];

  const std::string& objectId = record.sys_object_id;
  if (IsDiscoveryStopping()) return kDiscoveryStopped;
  std::vector<std::string> settings;
  if (snmp.GetList({objectId + ".11.15.0", objectId + ".11.16.0", objectId + ".11.17.0", objectId + ".11.18.0",
                    objectId + ".11.12.0"},
                   settings) != 0)
    return 0;
  PostStatusText(nullptr, GetProgressSpan() * 6 / 9);
  record.password = settings[0];
  record.ip_address = settings[1];
  record.subnet_mask = settings[2];
  record.gateway = settings[3];
  record.ipmode = settings[4];
  record.mac = mac;

  // anti_rogue holds the port mask, which the anti-rogue page and the stored-mask test read back.
  // The mask is a bitmap, read as bytes: printable bytes (20 20 20) must not turn into text.
  std::vector<unsigned char> mask;
  if (lldpAnswered && lldp[0] == kLldpOn && snmp.GetOctets(objectId + ".24.2.0", mask) == 0) {
    record.anti_rogue = FormatPortMaskOctets(mask);
    DebugTrace("%s", record.anti_rogue.c_str());
  }

  record.sys_name = name;
  CDiscoveryDb discovery;
  // A row the switch already has stays as it is; a database error ends the collection unmarked, so the
  // properties are collected again later.
  if (discovery.writeSwitchProperty(record) == kDiscoveryDbError) return 0;
  if (discovery.UpdateNewDeviceName(record) == kDiscoveryDbError) return 0;
  snmp.Set(kSysNameOid, name);

  CPollingDb polling;
  if (!polling.SetIsPropertySave(mac)) {
    const std::string failed = "SetIsSaveProperty failed Mac:" + mac;
    DebugTrace("%s", failed.c_str());
    GetLogDBModule()->WriteSystemLog(LOG_LEVEL_DEBUG, failed);
  }
  if (lldpAnswered) polling.updateLLDP(mac, lldp[0]);
  return 1;
}
