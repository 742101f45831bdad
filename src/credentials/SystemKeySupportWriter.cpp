#include "credentials/SystemKeySupportWriter.h"

#include "config/SystemKeySupport.h"

int CSystemKeySupportWriter::SetAllDevices(const std::string& key, const Progress& progress) {
  return CSystemKeySupport().SetAllDevices(key, progress);
}

int CSystemKeySupportWriter::SetKeyErrorDevices() { return CSystemKeySupport().SetKeyErrorDevices(); }

int CSystemKeySupportWriter::SetSingleDevice(const std::string& ip, const std::string& model,
                                             const std::string& password, const std::string& key) {
  return CSystemKeySupport().SetSingleDevice(ip, model, password, key);
}
