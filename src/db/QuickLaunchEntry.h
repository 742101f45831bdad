#pragma once
// One quick-launch entry and the MACs of its member devices.
#include <string>
#include <vector>

class QuickLaunchEntry {
 public:
  QuickLaunchEntry() = default;
  virtual ~QuickLaunchEntry() = default;
  QuickLaunchEntry(const QuickLaunchEntry&) = default;
  QuickLaunchEntry& operator=(const QuickLaunchEntry&) = default;

  std::string name;
  std::string fromIp;
  std::string toIp;
  int type = 0;  // the loader always sets it
  std::vector<std::string> members;
};
