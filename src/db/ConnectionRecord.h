#pragma once
// One link between two devices.
#include <string>

class CConnectionRecord {
 public:
  CConnectionRecord() = default;
  virtual ~CConnectionRecord() = default;
  CConnectionRecord(const CConnectionRecord&) = default;
  CConnectionRecord& operator=(const CConnectionRecord&) = default;

  std::string srcMac;
  std::string destMac;
  int srcPort = 0;
  int destPort = 0;
  int linkType = 0;  // 0 as loaded; the map hands it to the connector shape as its type code
};
