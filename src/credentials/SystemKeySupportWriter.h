#pragma once
// The system-key dialog's writer over the SNMP passes of CSystemKeySupport. Each call works with a
// support object of its own, so the all-devices pass may run on the dialog's worker thread.
#include "credentials/SystemKeyWriter.h"

class CSystemKeySupportWriter : public ISystemKeyWriter {
 public:
  int SetAllDevices(const std::string& key, const Progress& progress) override;
  int SetKeyErrorDevices() override;
  int SetSingleDevice(const std::string& ip, const std::string& model, const std::string& password,
                      const std::string& key) override;
};
