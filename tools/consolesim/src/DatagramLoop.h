#pragma once
// What both simulated peers share: a UDP socket bound to an address and port, and the receive loop they run on
// their own thread, handing every datagram of the socket to the handler with its sender until a byte arrives on
// the wake descriptor.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace consolesim {

using DatagramHandler =
    std::function<void(const std::vector<std::uint8_t>& datagram, const std::string& address, std::uint16_t port)>;

// Throws std::runtime_error naming the address when the socket cannot be made or bound.
int BoundSocket(const std::string& address, std::uint16_t port, bool reuseAddress);

void RunDatagramLoop(int socket, int wake, const DatagramHandler& handle);

}  // namespace consolesim
