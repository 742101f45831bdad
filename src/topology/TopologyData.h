#pragma once
// The in-memory topology of the map: the devices of both device tables and the links between them, held
// by value. The database layer's loaders append to the two arrays directly (they need no code of this
// folder); the map, the device tree and the port-map page look devices up, remove them and bring both
// arrays into the order the map is laid out from: switches by IP, links grouped by their source device.
// MAC and IP keys match by exact equality of the whole text.
#include <string>
#include <vector>

#include "db/ConnectionRecord.h"
#include "db/DeviceRecord.h"

class CTopologyData {
 public:
  CTopologyData() = default;
  virtual ~CTopologyData() = default;
  CTopologyData(const CTopologyData&) = default;
  CTopologyData& operator=(const CTopologyData&) = default;

  // The first device whose MAC (byMac non-zero) or IP equals key: copied into record, its index returned;
  // -1 and record untouched when none matches. Inline, for the database layer's tests of its loaders.
  int FindDevice(const std::string& key, CDeviceRecord& record, int byMac) const {
    for (size_t i = 0; i < m_Devices.size(); ++i) {
      if ((byMac ? m_Devices[i].mac : m_Devices[i].ip) == key) {
        record = m_Devices[i];
        return static_cast<int>(i);
      }
    }
    return -1;
  }
  // The first link joining a and b in either direction, copied out; -1 when there is none.
  int FindConnection(const std::string& macA, const std::string& macB, CConnectionRecord& link) const;

  // Removals keep the order of the records that stay.
  void RemoveDevice(const std::string& mac);
  void RemoveDeviceConnections(const std::string& mac);
  void RemoveConnectionBetween(const std::string& macA, const std::string& macB);
  void RemoveConnection(const std::string& macA, int portA, const std::string& macB, int portB);

  // Switch-class devices (types 1 and 3) to the front in IP order (ascending non-zero), the earliest of
  // equal IPs first; the other devices behind them in the reverse of their previous order.
  void SortDevices(int ascending);
  // Drops links whose ends are not both devices here, turns switch-AP links to start at the switch and
  // switch-switch links to start at the lower IP, drops duplicates, then groups the links by source
  // device in IP order and by source port within a group.
  void SortConnections();

  // Replaces links with the links from or to mac, in array order; their number.
  int GetDeviceConnections(const std::string& mac, std::vector<CConnectionRecord>& links) const;
  // True when a device is shown as new (display status 1).
  bool HasNewDevice() const;
  void SetDevices(const std::vector<CDeviceRecord>& devices) { m_Devices = devices; }
  void SetConnections(const std::vector<CConnectionRecord>& links) { m_Connections = links; }

  std::vector<CDeviceRecord> m_Devices;
  std::vector<CConnectionRecord> m_Connections;
};

// IPv4 texts compared as four numbers; a text that does not hold four dotted numbers reads its missing
// or unreadable parts as 0.
bool IsIpLower(const std::string& a, const std::string& b);
