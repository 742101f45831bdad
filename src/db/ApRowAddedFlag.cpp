#include "db/ApRowAddedFlag.h"

#include <algorithm>
#include <cctype>
#include <mutex>

namespace {

std::string Key(std::string mac) {
  std::transform(mac.begin(), mac.end(), mac.begin(), [](unsigned char c) { return std::toupper(c); });
  return mac;
}

}  // namespace

ApRowAddedFlag g_ApRowAddedFlag;

void ApRowAddedFlag::Set(const std::string& mac) {
  std::lock_guard lock(cs_);
  macs_.insert(Key(mac));
}

bool ApRowAddedFlag::IsSet(const std::string& mac) {
  std::lock_guard lock(cs_);
  return macs_.contains(Key(mac));
}

void ApRowAddedFlag::Clear() {
  std::lock_guard lock(cs_);
  macs_.clear();
}
