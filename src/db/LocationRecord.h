#pragma once
// One background map of the topology map: its picture file, size and rotation.
#include <string>

class CLocationRecord {
 public:
  virtual ~CLocationRecord() = default;

  std::string location;
  std::string filename;
  int width = 0;
  int height = 0;
  int rotateangle = 0;
};
