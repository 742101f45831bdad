#pragma once
// Announces the console's membership of its multicast group with an IGMP version 1 report at the interval
// define.ecf gives. One thread, stopped and joined when the console closes.
#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace quillon {

// The RFC 1071 checksum: ones' complement of the ones'-complement sum of 16-bit big-endian words.
std::uint16_t InternetChecksum(const std::uint8_t* bytes, std::size_t byteCount);
// The 8-byte version 1 membership report for the group (dotted text); all zeros for an unreadable address.
std::array<std::uint8_t, 8> BuildIgmpReport(const std::string& group);

class CIgmpKeepAlive {
 public:
  // Sends one report; the product's sender opens a raw IGMP socket, tests give their own.
  using Sender = std::function<void(const std::array<std::uint8_t, 8>&)>;
  // Says once that no report can be sent (no raw socket).
  using Notice = std::function<void(const std::string&)>;

  CIgmpKeepAlive(std::string group, int flag, int intervalSeconds);
  ~CIgmpKeepAlive();
  CIgmpKeepAlive(const CIgmpKeepAlive&) = delete;
  CIgmpKeepAlive& operator=(const CIgmpKeepAlive&) = delete;

  // Starts the thread over a raw IGMP socket to the group; with keep-alive off nothing is opened. When the
  // socket cannot be opened (no right to open raw sockets) no thread runs, and the first such start of the
  // process tells `notice` "Creat Socket error": the reports are optional, as the kernel announces the
  // groups the console joined by itself.
  // `interface` is the local address the reports leave from (empty: the default route).
  void Start(const Notice& notice, const std::string& interface = {});
  // Starts the thread over the given sender (tests); `tick` is the length of one counted second.
  void Start(Sender sender, std::chrono::milliseconds tick = std::chrono::seconds(1));
  void Stop();

  // The settings may change while the thread runs; they take effect within a tick.
  void SetTimer(int flag, int intervalSeconds);
  bool Running() const { return thread_.joinable(); }

 private:
  void Run(Sender sender, std::chrono::milliseconds tick);

  std::string group_;
  std::atomic<int> flag_;
  std::atomic<int> interval_;
  std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  int rawSocket_ = -1;
  std::thread thread_;
};

}  // namespace quillon
