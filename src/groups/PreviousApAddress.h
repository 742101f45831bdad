#pragma once
// The address an AP answers at now, noted when a stored configuration that may put back an older address
// or DHCP mode is loaded, so the AP-set job that sends it reaches the AP. Written on the user-interface
// thread and read by the job's worker, hence guarded.
#include <optional>
#include <string>

namespace groups {

void SetPreviousApIp(const std::string& ip);
// The noted address; none when nothing is noted (or the last job cleared it).
std::optional<std::string> GetPreviousApIp();
void ClearPreviousApIp();

}  // namespace groups
