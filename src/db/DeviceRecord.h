#pragma once
// One device of the topology (managed or newly discovered) with its placement on both maps.
#include <string>

class CDeviceRecord {
 public:
  CDeviceRecord() = default;
  virtual ~CDeviceRecord() = default;
  CDeviceRecord(const CDeviceRecord&) = default;
  CDeviceRecord& operator=(const CDeviceRecord&) = default;

  std::string ip;
  std::string mac;
  std::string name;
  int kind = 0;           // 0 unknown, 1 switch, 2 AP (the `type` column)
  int portCount = 1;      // `port_num`
  int online = 1;         // 1 online, 0 offline
  int displayStatus = 0;  // status code shown by the views
  int furtherStatus = 0;  // 1 new, 0 online, 2 offline
  int newDevice = 0;      // the row's `isnew` value
  std::string location;
  // Placement on the map of all devices (auto_position, x_position, y_position).
  int autoPosition = 1;
  int xPosition = 0;
  int yPosition = 0;
  // Placement on the location's map (auto, x_p, y_p).
  int autoP = 1;
  int xP = 0;
  int yP = 0;
};
