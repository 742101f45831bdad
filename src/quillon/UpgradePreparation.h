#pragma once
// The checks before a firmware upgrade opens its dialog: the switch's address must be unique in the list
// and share a subnet with one of this machine's addresses.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quillon {

class CConsoleSession;

struct LocalAddress {
  std::uint32_t address = 0;  // host order
  std::uint32_t mask = 0;
};

// This machine's IPv4 addresses with their masks; empty with the reason when they cannot be read.
std::optional<std::vector<LocalAddress>> ReadLocalAddresses(std::string& error);

// For the selected switch: 1 when the upgrade may start (its MAC is then the session's upgrade MAC), 0 after
// "Duplicate IP", -1 after "The device IP and manager IP are not in the same subnet".
int PrepareUpgrade(CConsoleSession& session, int selectedDevice, const std::vector<LocalAddress>& local);

}  // namespace quillon
