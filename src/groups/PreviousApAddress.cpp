#include "groups/PreviousApAddress.h"

#include <mutex>

namespace groups {
namespace {

std::mutex& Guard() {
  static std::mutex guard;
  return guard;
}

std::optional<std::string>& Noted() {
  static std::optional<std::string> noted;
  return noted;
}

}  // namespace

void SetPreviousApIp(const std::string& ip) {
  std::lock_guard lock(Guard());
  Noted() = ip;
}

std::optional<std::string> GetPreviousApIp() {
  std::lock_guard lock(Guard());
  return Noted();
}

void ClearPreviousApIp() {
  std::lock_guard lock(Guard());
  Noted().reset();
}

}  // namespace groups
