#pragma once
// Serves many devices from one thread: one UDP socket per device address, one epoll loop, answers that a
// device delays wait in a queue. An answer too large for one datagram is sent as tooBig. Optionally reads control commands from a file descriptor (stdin); a
// device's notifications go out from its own socket, where the response to an INFORM comes back.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <queue>
#include <string>
#include <vector>

#include <netinet/in.h>

#include "ControlChannel.h"
#include "Device.h"

namespace devsim {

class Simulator {
 public:
  explicit Simulator(std::vector<std::unique_ptr<Device>> devices);
  ~Simulator();
  Simulator(const Simulator&) = delete;
  Simulator& operator=(const Simulator&) = delete;

  // Binds every device address to port; port 0 picks a port that is free on all of them. Returns the
  // port bound; throws std::runtime_error.
  int Bind(int port);
  // Reads control commands from input and answers on output; the end of input stops the simulator.
  void EnableControl(int input, std::FILE* output);
  // Serves until Stop().
  void Run();
  // Safe from a signal handler.
  void Stop() { stop_ = true; }

 private:
  using Clock = Device::Clock;
  struct Pending {
    Clock::time_point due;
    int socket;
    sockaddr_in peer;
    std::vector<u_char> datagram;
    bool operator>(const Pending& other) const { return due > other.due; }
  };

  struct AwaitedInform {
    size_t device;
    sockaddr_in destination;
    long requestId;
    Clock::time_point deadline;
  };

  bool TryBind(int port);
  void CloseSockets();
  void ServeSocket(size_t index);
  void Answer(size_t index, const u_char* data, size_t length, const sockaddr_in& peer);
  // Sends one datagram; a failure is logged to standard error and the simulator goes on.
  bool Send(int socket, const u_char* data, size_t size, const sockaddr_in& peer);
  void SendDue(Clock::time_point now);
  void ReadControl();
  bool HasControlLine() const;
  void ExecuteControlLines();
  void Reply(const std::string& line);
  std::optional<std::string> Notify(Device& device, const NotificationOrder& order);
  bool IsInformResponse(const u_char* data, size_t length, const sockaddr_in& peer) const;
  void FinishInform(bool answered);
  int WaitMillis(Clock::time_point now) const;

  std::vector<std::unique_ptr<Device>> devices_;
  std::vector<int> sockets_;
  int epoll_ = -1;
  int controlInput_ = -1;
  std::FILE* controlOutput_ = nullptr;
  std::string controlBuffer_;
  size_t controlStart_ = 0;  // where the lines not yet executed begin
  ControlChannel control_;
  std::vector<u_char> input_;  // one batch of datagrams
  std::vector<u_char> output_;
  std::priority_queue<Pending, std::vector<Pending>, std::greater<>> pending_;
  std::optional<AwaitedInform> inform_;
  long nextRequestId_ = 1;
  std::atomic<bool> stop_{false};
};

}  // namespace devsim
