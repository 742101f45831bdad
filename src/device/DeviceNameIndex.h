#pragma once
// Hands out the numbers of the display names "AP_%d", "SW_%d" and "UNKNOWN_%d": the smallest number of
// the kind not yet taken. A number once taken stays taken until Clear or the end of the process. The
// polling engine's workers allocate concurrently; the lock makes every number go out once.
#include <functional>
#include <set>
#include <vector>

#include "platform/Sync.h"

class CDeviceNameIndex {
 public:
  // Appends the name numbers the device tables use for a kind (2 AP, 1 switch, 0 unknown); 0, or -1 on
  // a database error (numbers appended before it stay and are used).
  using IdLoader = std::function<int(std::vector<int>& numbers, int kind)>;

  // Adds the numbers that the names in the device tables use (CPollingDb::loadId), APs first, then
  // switches, then unknown devices. The sets are not emptied first.
  void Reload();
  void Reload(const IdLoader& loadId);

  // kind 2 AP, 1 switch, 0 unknown device: the number taken (1..59999), or -1 for another kind or when
  // all numbers are taken.
  int Allocate(int kind);

  // Empties all three sets (after the database was cleared).
  void Clear();

 private:
  std::set<int>* IdsOf(int kind);

  CCritSec lock_;
  std::set<int> apIds_;
  std::set<int> switchIds_;
  std::set<int> unknownIds_;
};

extern CDeviceNameIndex g_DeviceNameIndex;
