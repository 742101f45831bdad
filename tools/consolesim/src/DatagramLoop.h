#pragma once
// The receive loop both simulated peers run on their own thread: every datagram of the socket goes to the
// handler with its sender, until a byte arrives on the wake descriptor.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace consolesim {

using DatagramHandler =
    std::function<void(const std::vector<std::uint8_t>& datagram, const std::string& address, std::uint16_t port)>;

void RunDatagramLoop(int socket, int wake, const DatagramHandler& handle);

}  // namespace consolesim
