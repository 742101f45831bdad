#pragma once
// Turns a change of a device into an update of its row and one line of the event log. Holds no state:
// the engine keeps one, device tasks and the AP class build their own. Database failures are reported by
// the polling database; the line is written in any case.
#include <string>

#include "db/DeviceListRow.h"
#include "device/Device.h"

class CDeviceEventLog {
 public:
  // The row's online flag (1 also clears its status), then a Critical "... online" or "... offline".
  void LogOnline(const CDevice& device);
  void LogOffline(const CDevice& device);
  // Stores the device in device_list, then a Warning "Discovered a new device ...".
  void LogNewDevice(const CDevice& device);
  // Stores the device in the table its new mark chooses; no line.
  void SaveDevice(const CDevice& device);
  // Stores the new IP, then a Debug line, only when the new IP is usable.
  void LogIpChanged(const CDevice& device, const std::string& newIp, const std::string& oldIp);
  // Stores the new IP; for an AP also its previous address and an "ip" difference on the device. Then a
  // Critical line.
  void LogApIpChanged(CDevice& device, const std::string& newIp, const std::string& oldIp);
  // Records the replacement on the new device and sets its status to replaced, then a Warning line.
  void LogReplaced(CDevice& newDevice, const CDevice& oldDevice);
  // The row's status, then a Debug line naming it.
  void SetStatus(const CDevice& device, int status);
  // As SetStatus for the row of the MAC in device_list (inNewList 1) or device_list_prev (0); a normal
  // status becomes "configuration changed" while the MAC has synchronisation results.
  void SetStatusByMac(int inNewList, const std::string& mac, int status);
  // A Critical line only.
  void LogManagementHostInconsistent(const CDevice& device);

  // Operations that nothing in the program calls.
  void LogPollingDevice(const CDevice& device);
  // Stores the device's row, then a Debug line comparing it with the row it had.
  void LogDeviceUpdate(const DeviceListRow& oldRow, const CDevice& device);
  // Deletes the device's row of device_list, then a Debug line.
  void LogAutoDelete(const CDevice& device);

  // The status as the lines name it: "normal", "DHCP fail", ... or the value in decimal.
  static std::string StatusText(int status);
  // The device's row as the device tables store it; newDeviceMark chooses the table.
  static DeviceListRow RowOf(const CDevice& device, int newDeviceMark);
};
