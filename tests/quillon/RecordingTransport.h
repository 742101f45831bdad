#pragma once
#include <cstdint>
#include <span>
#include <vector>

#include "quillon/ConsoleTransport.h"

namespace quillon_test {

// Records what the console sends instead of sending it.
class RecordingTransport : public quillon::IConsoleTransport {
 public:
  bool SendBroadcast(std::span<const std::uint8_t> d) override {
    broadcasts.emplace_back(d.begin(), d.end());
    return broadcastWorks;
  }
  bool SendMulticast(std::span<const std::uint8_t> d) override {
    multicasts.emplace_back(d.begin(), d.end());
    return multicastWorks;
  }
  void RejoinMulticastGroup() override { ++rejoins; }

  std::vector<std::vector<std::uint8_t>> broadcasts, multicasts;
  bool broadcastWorks = true, multicastWorks = true;
  int rejoins = 0;
};

}  // namespace quillon_test
