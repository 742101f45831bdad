#include "quillon/KeepAlive.h"

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace quillon {

std::uint16_t InternetChecksum(const std::uint8_t* bytes, std::size_t byteCount) {
  std::uint32_t sum = 0;
  std::size_t i = 0;
  for (; i + 1 < byteCount; i += 2) sum += static_cast<std::uint32_t>(bytes[i] << 8 | bytes[i + 1]);
  if (i < byteCount) sum += static_cast<std::uint32_t>(bytes[i] << 8);
  sum = (sum & 0xFFFF) + (sum >> 16);
  sum = (sum & 0xFFFF) + (sum >> 16);
  return static_cast<std::uint16_t>(~sum);
}

std::array<std::uint8_t, 8> BuildIgmpReport(const std::string& group) {
  std::array<std::uint8_t, 8> report{};
  in_addr address{};
  if (inet_aton(group.c_str(), &address) == 0) return report;
  report[0] = 0x12;  // version 1, membership report
  std::memcpy(&report[4], &address.s_addr, 4);  // already in network order
  const std::uint16_t checksum = InternetChecksum(report.data(), report.size());
  report[2] = static_cast<std::uint8_t>(checksum >> 8);
  report[3] = static_cast<std::uint8_t>(checksum);
  return report;
}

CIgmpKeepAlive::CIgmpKeepAlive(std::string group, int flag, int intervalSeconds)
    : group_(std::move(group)), flag_(flag), interval_(intervalSeconds) {}

CIgmpKeepAlive::~CIgmpKeepAlive() { Stop(); }

void CIgmpKeepAlive::Start(const Notice& notice, const std::string& interface) {
  if (flag_ == 0) return;
  rawSocket_ = ::socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_IGMP);
  if (rawSocket_ < 0) {
    // Without the right to raw sockets this stays so for the whole process: say it at the first opening.
    static std::atomic<bool> told{false};
    if (notice && !told.exchange(true)) notice("Creat Socket error");
    return;
  }
  in_addr local{};
  if (!interface.empty() && inet_aton(interface.c_str(), &local) != 0)
    ::setsockopt(rawSocket_, IPPROTO_IP, IP_MULTICAST_IF, &local, sizeof local);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  inet_aton(group_.c_str(), &to.sin_addr);
  const int fd = rawSocket_;
  Start([fd, to](const std::array<std::uint8_t, 8>& report) {
    // A failed send is not reported: the next interval tries again.
    (void)::sendto(fd, report.data(), report.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
  });
}

void CIgmpKeepAlive::Start(Sender sender, std::chrono::milliseconds tick) {
  Stop();
  {
    std::lock_guard lock(mutex_);
    stop_ = false;
  }
  thread_ = std::thread(&CIgmpKeepAlive::Run, this, std::move(sender), tick);
}

void CIgmpKeepAlive::Stop() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
  if (rawSocket_ >= 0) {
    ::close(rawSocket_);
    rawSocket_ = -1;
  }
}

void CIgmpKeepAlive::SetTimer(int flag, int intervalSeconds) {
  flag_ = flag;
  interval_ = intervalSeconds;
}

void CIgmpKeepAlive::Run(Sender sender, std::chrono::milliseconds tick) {
  const auto report = BuildIgmpReport(group_);
  int counter = 0;
  int lastInterval = 0;
  std::unique_lock lock(mutex_);
  while (!wake_.wait_for(lock, tick, [this] { return stop_; })) {
    if (flag_ == 0) continue;
    // The counter is raised before it is compared, so an interval of 0 never sends.
    if (interval_ != lastInterval) {
      lastInterval = interval_;
      counter = 0;
    }
    if (++counter == lastInterval) {
      counter = 0;
      lock.unlock();
      sender(report);
      lock.lock();
    }
  }
}

}  // namespace quillon
