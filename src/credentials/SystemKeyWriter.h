#pragma once
// Writes the system key to devices over SNMP: to every managed switch and AP, to the devices whose key
// does not match their switch's, or to one device. The system-key dialog works through this interface;
// the SNMP work behind it is the device layer's.
#include <functional>
#include <string>

class ISystemKeyWriter {
 public:
  // Told the percentage of devices done, from the thread that does the work.
  using Progress = std::function<void(int percent)>;

  virtual ~ISystemKeyWriter() = default;
  // Non-zero when the pass succeeded.
  virtual int SetAllDevices(const std::string& key, const Progress& progress) = 0;
  // 0 every step succeeded; 1 a switch step failed; 2 writing some device's key failed.
  virtual int SetKeyErrorDevices() = 0;
  // 1 when the device took the key; 0 or -1 otherwise.
  virtual int SetSingleDevice(const std::string& ip, const std::string& model, const std::string& password,
                              const std::string& key) = 0;
};
