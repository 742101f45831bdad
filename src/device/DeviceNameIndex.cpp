#include "device/DeviceNameIndex.h"

#include <mutex>

#include "db/pollingdb.h"

CDeviceNameIndex g_DeviceNameIndex;

namespace {
constexpr int kLastNumber = 59999;
}

void CDeviceNameIndex::Reload() {
  Reload([](std::vector<int>& numbers, int kind) { return CPollingDb().loadId(numbers, kind); });
}

void CDeviceNameIndex::Reload(const IdLoader& loadId) {
  // Held across the database reads, so no worker allocates a number the tables are about to claim.
  std::lock_guard lock(lock_);
  for (int kind : {2, 1, 0}) {
    std::vector<int> numbers;
    loadId(numbers, kind);  // a failure is reported by the loader; what it read still counts
    IdsOf(kind)->insert(numbers.begin(), numbers.end());
  }
}

int CDeviceNameIndex::Allocate(int kind) {
  std::lock_guard lock(lock_);
  std::set<int>* ids = IdsOf(kind);
  if (!ids) return -1;
  for (int n = 1; n <= kLastNumber; ++n)
    if (ids->insert(n).second) return n;
  return -1;
}

void CDeviceNameIndex::Clear() {
  std::lock_guard lock(lock_);
  apIds_.clear();
  switchIds_.clear();
  unknownIds_.clear();
}

std::set<int>* CDeviceNameIndex::IdsOf(int kind) {
  switch (kind) {
    case 2: return &apIds_;
    case 1: return &switchIds_;
    case 0: return &unknownIds_;
    default: return nullptr;
  }
}
