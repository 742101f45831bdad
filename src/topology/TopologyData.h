#pragma once
// The in-memory topology of the map: the devices of both device tables and the links between them, held
// by value. The database layer's loaders append to it; the map, the device tree and the views read it.
// Header-only, so the database layer can fill it without linking the topology library.
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

  // The first device whose MAC (byMac non-zero) or IP equals key exactly: copied into record, its index
  // returned; -1 and record untouched when none matches.
  int FindDevice(const std::string& key, CDeviceRecord& record, int byMac) const {
    for (size_t i = 0; i < m_Devices.size(); ++i) {
      if ((byMac ? m_Devices[i].mac : m_Devices[i].ip) == key) {
        record = m_Devices[i];
        return static_cast<int>(i);
      }
    }
    return -1;
  }

  std::vector<CDeviceRecord> m_Devices;
  std::vector<CConnectionRecord> m_Connections;
};
